#include "settings/logic/StartupRegistration.h"

#include <array>
#include <exception>

namespace settings {

namespace {
constexpr std::uint32_t TextBufferBytes = 255;
}

std::string ProgramPath(std::string_view directory, std::string_view name) {
    std::string path(directory);
    if (path.empty() || path.back() != '\\') path += '\\';
    path += name;
    path += ".exe";
    return path;
}

std::string RunCommand(std::string_view path) {
    if (path.find(' ') == std::string_view::npos) return std::string(path);
    return "\"" + std::string(path) + "\"";
}

void StartupRegistration::RegisterStartup() {
    try {
        OpenedKey run(registry_);
        if (run.Open(LocalMachine, RunKey, Access::Write) != Success) return;
        const std::string command = RunCommand(programPath_);
        registry_.SetValue(run.get(), RunValue, TypeSz, reinterpret_cast<const std::uint8_t*>(command.data()),
                           static_cast<std::uint32_t>(command.size()));
    } catch (const std::exception&) {
        // Silent: a registration that cannot be made shows as unchecked in the menu.
    }
}

void StartupRegistration::UnregisterStartup() {
    try {
        OpenedKey run(registry_);
        if (run.Open(LocalMachine, RunKey, Access::Write) != Success) return;
        registry_.DeleteValue(run.get(), RunValue);
    } catch (const std::exception&) {}
}

std::optional<std::int16_t> StartupRegistration::IsStartupRegistered() {
    try {
        OpenedKey run(registry_);
        if (run.Open(LocalMachine, RunKey, Access::Read) != Success) return std::nullopt;
        std::array<std::uint8_t, TextBufferBytes> buffer;
        buffer.fill(' ');
        std::uint32_t size = TextBufferBytes;
        std::uint32_t type = TypeSz;
        return registry_.QueryValue(run.get(), RunValue, type, buffer.data(), size) == Success ? 1 : 0;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

}  // namespace settings
