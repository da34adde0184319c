#include "Shell.h"

#include <shellapi.h>

namespace forms {

bool StartProgram(const std::string& path) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(path.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

void OpenAddress(HWND owner, const std::string& address) {
    ShellExecuteA(owner, nullptr, address.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
}

}  // namespace forms
