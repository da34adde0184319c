#include "forms/Shell.h"

#include "forms/Handles.h"

#include <shellapi.h>

namespace forms {

bool StartProgram(const std::wstring& path) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(path.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    // Nothing waits for the new process: its handles are let go at once.
    unique_handle thread(process.hThread);
    unique_handle started(process.hProcess);
    return true;
}

void OpenAddress(HWND owner, const std::string& address) {
    ShellExecuteA(owner, nullptr, address.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
}

}  // namespace forms
