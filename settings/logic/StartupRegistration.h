#pragma once
// Starting the main program with Windows: one value, named with the application title, in the
// machine-wide Run key. Only its presence counts as registered. All three operations are silent.

#include "settings/logic/Registry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace settings {

inline constexpr char RunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char RunValue[] = "Tavrin Eyes";

// The program's full path: the directory, one "\" unless it already ends in one, the file name
// without its extension and ".exe" in lower case.
std::string ProgramPath(std::string_view directory, std::string_view name);

// The Run value's text: the path, in double quotes when it holds a blank, so that Windows cannot
// take a leading part of it (C:\Desk.exe for C:\Desk Toys\TavrinEyes.exe) for the program.
std::string RunCommand(std::string_view path);

class StartupRegistration {
public:
    // `programPath` is the running main program's full path (ProgramPath), which RegisterStartup
    // stores.
    StartupRegistration(Registry& registry, std::string programPath)
        : registry_(registry),
          programPath_(std::move(programPath)) {}

    void RegisterStartup();
    void UnregisterStartup();
    // 1 when the value exists and fits a 255-byte buffer, 0 when not, nothing when the Run key
    // cannot be opened for reading.
    std::optional<std::int16_t> IsStartupRegistered();

private:
    Registry& registry_;
    std::string programPath_;
};

}  // namespace settings
