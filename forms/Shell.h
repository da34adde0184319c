#pragma once
// Starting other programs and opening web pages.

#include <windows.h>

#include <string>

namespace forms {

// Starts the program file as a new process with a normal, focused window, no arguments and no
// waiting. False when it could not be started (missing, not a program, refused). The path is wide
// text, so that a folder of any name works.
bool StartProgram(const std::wstring& path);

// Asks the shell to open the address (normally in the default browser), maximised, with `owner` as
// the owning window. Every failure is ignored: without a browser nothing happens.
void OpenAddress(HWND owner, const std::string& address);

}  // namespace forms
