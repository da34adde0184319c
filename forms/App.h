#pragma once
// The application and screen objects of the form layer.

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
    HWND hiddenOwner_ = nullptr;
};

class ScreenObject {
public:
    // The screen's dots per inch (96 at 100 %), read once.
    int Dpi() const;
    // The screen's size in twips and the twips per pixel; 15 on a 96-dpi screen.
    float Width() const;
    float Height() const;
    float TwipsPerPixelX() const;
    float TwipsPerPixelY() const;
};

extern AppObject App;
extern ScreenObject Screen;

}  // namespace forms
