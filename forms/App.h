#pragma once
// The application and screen objects of the form layer.

#include "forms/Handles.h"
#include "forms/Layout.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace forms {

class AppObject {
public:
    // Paths are wide text from the Unicode functions, so that a folder of any name is found exactly,
    // also one that the ANSI code page cannot spell (Chinese or Greek on a Western system).

    // The folder that holds the running program: no trailing "\" unless it is a drive root.
    std::wstring Path() const;
    // The program's file name without its extension.
    std::wstring EXEName() const;
    // The full path of another program of the installation: `fileName` in this program's folder.
    std::wstring SiblingPath(std::wstring_view fileName) const;

    std::string Title;

    // False keeps the program out of the task list and Alt+Tab: its windows that have no taskbar
    // button become tool windows. True keeps such windows out of the taskbar by giving them a hidden
    // owner, so the program is still listed.
    bool TaskVisible = true;
    HWND HiddenOwner();  // the hidden owner window, made on first use

    HINSTANCE Instance() const { return GetModuleHandleA(nullptr); }

    // Ends the program at once: no window is closed and nothing is saved first.
    [[noreturn]] void End() const { ExitProcess(0); }

private:
    std::wstring ModuleFile() const;
    unique_hwnd hiddenOwner_;
};

// A function of user32 where this Windows has it, else nullptr: a program that also runs on Windows 7
// cannot import the newer ones (the per-monitor DPI functions, coalescable timers).
template <typename Function>
Function User32Function(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

// A window's own DPI as the system tells it now (GetDpiForWindow, from Windows 10 1607 on); 0 where the
// system cannot tell, and every window then has the system's.
int WindowDpi(HWND window);
// GetSystemMetrics at a DPI (the sizes of icons and frames); at the system's before Windows 10 1607.
int SystemMetricAt(int index, int dpi);
// The window rectangle around a client rectangle, with the frame at a DPI (at the system's before
// Windows 10 1607, where that is the only one).
RECT FrameAroundAt(RECT client, DWORD style, DWORD exStyle, int dpi);

class ScreenObject {
public:
    // The system's dots per inch (96 at 100 %), read once: the DPI of the main monitor when the user
    // signed in. A window on a monitor of another scale has its own (Control::Dpi).
    int Dpi() const;
    // The screen's size in twips and the twips per pixel at the system's DPI; 15 at 96 dpi. Positions
    // on the screen (a form's Left and Top) convert with these.
    float Width() const;
    float Height() const;
    float TwipsPerPixelX() const;
    float TwipsPerPixelY() const;
};

extern AppObject App;
extern ScreenObject Screen;

}  // namespace forms
