#pragma once
// Starting the main program with Windows: one value, named with the application title, in the
// machine-wide Run key. Only its presence counts as registered. All three operations are silent.
//
// The path is wide text and the value is written and read through the registry's Unicode functions,
// so that a folder name of any characters is stored exactly, whatever the ANSI code page. It is
// written with its terminating NUL counted; values written without one (by other tools, or by
// earlier versions) are read alike.

#include "product/Identity.h"
#include "settings/logic/Registry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace settings {

inline constexpr char RunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* RunValue = product::Title;

// The program's full path: the directory, one "\" unless it already ends in one, the file name
// without its extension and ".exe" in lower case.
std::wstring ProgramPath(std::wstring_view directory, std::wstring_view name);

// The Run value's text: the path, in double quotes when it holds a blank, so that Windows cannot
// take a leading part of it (C:\Desk.exe for C:\Desk Toys\TavrinEyes.exe) for the program.
std::wstring RunCommand(std::wstring_view path);

// Wide text as the registry's Unicode functions take it: UTF-16, little-endian, no terminator. A
// wchar_t is a UTF-16 unit on Windows and a whole character elsewhere (the native tests), which
// becomes a surrogate pair beyond U+FFFF.
std::vector<std::uint8_t> Utf16Bytes(std::wstring_view text);

class StartupRegistration {
public:
    // `programPath` is the running main program's full path (ProgramPath), which RegisterStartup
    // stores.
    StartupRegistration(Registry& registry, std::wstring programPath)
        : registry_(registry),
          programPath_(std::move(programPath)) {}

    void RegisterStartup();
    void UnregisterStartup();
    // 1 when the value exists and its text has at most 255 characters (with or without a terminating
    // NUL stored after them), 0 when not, nothing when the Run key cannot be opened for reading.
    std::optional<std::int16_t> IsStartupRegistered();
    // Whether Windows' own startup switch (Task Manager's) has the value turned off, which leaves it
    // in place but keeps Windows from starting the program.
    bool TurnedOffByWindows();
    // Whether this program may change the value: the machine-wide Run key opens for writing, which
    // takes administrative rights (with UAC, an elevated program).
    bool CanChange();

private:
    Registry& registry_;
    std::wstring programPath_;
};

}  // namespace settings
