#include "settings/logic/StartupRegistration.h"

#include "settings/logic/StartupApproved.h"

#include <array>
#include <exception>

namespace settings {

namespace {
// 255 characters, as the ANSI query's 255 bytes held on a Western code page.
constexpr std::uint32_t TextUnits = 255;
constexpr std::uint32_t Utf16UnitBytes = 2;

// Whether a queried text of `size` bytes holds at most TextUnits characters: a value written with its
// terminating NUL counted is one unit longer than its text, one written without it is not.
bool FitsText(const std::uint8_t* data, std::uint32_t size) {
    if (size <= TextUnits * Utf16UnitBytes) return true;
    return size == (TextUnits + 1) * Utf16UnitBytes && data[size - 2] == 0 && data[size - 1] == 0;
}
}  // namespace

std::wstring ProgramPath(std::wstring_view directory, std::wstring_view name) {
    std::wstring path(directory);
    if (path.empty() || path.back() != L'\\') path += L'\\';
    path += name;
    path += L".exe";
    return path;
}

std::wstring RunCommand(std::wstring_view path) {
    if (path.find(L' ') == std::wstring_view::npos) return std::wstring(path);
    return L"\"" + std::wstring(path) + L"\"";
}

std::vector<std::uint8_t> Utf16Bytes(std::wstring_view text) {
    std::vector<std::uint8_t> bytes;
    auto unit = [&bytes](std::uint32_t value) {
        bytes.push_back(static_cast<std::uint8_t>(value));
        bytes.push_back(static_cast<std::uint8_t>(value >> 8));
    };
    for (const wchar_t character : text) {
        const auto code = static_cast<std::uint32_t>(character);
        if (code > 0xFFFF) {
            unit(0xD800 + ((code - 0x10000) >> 10));
            unit(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            unit(code);
        }
    }
    return bytes;
}

void StartupRegistration::RegisterStartup() {
    try {
        OpenedKey run(registry_);
        if (run.Open(LocalMachine, RunKey, Access::Write) != Success) return;
        // With its terminating NUL counted, as REG_SZ data should be: Explorer, Task Manager and other
        // startup managers read the value, and not all of them add a missing terminator.
        std::vector<std::uint8_t> command = Utf16Bytes(RunCommand(programPath_));
        command.insert(command.end(), Utf16UnitBytes, 0);
        registry_.SetValueW(run.get(), RunValue, TypeSz, command.data(), static_cast<std::uint32_t>(command.size()));
        // A "turned off" mark left by Windows' own switch would keep the new value from starting the
        // program: on is on.
        ClearTurnedOff(registry_, RunValue);
    } catch (const std::exception&) {
        // Silent: a registration that cannot be made shows as unchecked in the menu.
    }
}

void StartupRegistration::UnregisterStartup() {
    try {
        OpenedKey run(registry_);
        if (run.Open(LocalMachine, RunKey, Access::Write) != Success) return;
        registry_.DeleteValue(run.get(), RunValue);
        // Nothing left that a later registration (the setup's) would find turned off.
        ClearTurnedOff(registry_, RunValue);
    } catch (const std::exception&) {}
}

bool StartupRegistration::TurnedOffByWindows() { return settings::TurnedOffByWindows(registry_, RunValue); }

bool StartupRegistration::CanChange() {
    try {
        OpenedKey run(registry_);
        return run.Open(LocalMachine, RunKey, Access::Write) == Success;
    } catch (const std::exception&) {
        return false;
    }
}

std::optional<std::int16_t> StartupRegistration::IsStartupRegistered() {
    try {
        OpenedKey run(registry_);
        if (run.Open(LocalMachine, RunKey, Access::Read) != Success) return std::nullopt;
        // Room for the text and its terminator: a value counts with or without one.
        std::array<std::uint8_t, (TextUnits + 1) * Utf16UnitBytes> buffer{};
        std::uint32_t size = static_cast<std::uint32_t>(buffer.size());
        std::uint32_t type = TypeSz;
        const Status status = registry_.QueryValueW(run.get(), RunValue, type, buffer.data(), size);
        return status == Success && FitsText(buffer.data(), size) ? 1 : 0;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

}  // namespace settings
