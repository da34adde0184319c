#pragma once
// Two monitors at two scales side by side, emulated on Wine's one screen (Wine gives every monitor one
// DPI and never sends WM_DPICHANGED). The driver writes the layout and the windows to watch into a
// named shared memory and hooks the programs' thread; the hook (two_monitors.cpp), loaded into that
// process, sends WM_DPICHANGED from inside the move that takes a window across, and counts them.

#include <windows.h>

namespace two_monitors {

inline constexpr wchar_t SharedName[] = L"TavrinTestTwoMonitors";
inline constexpr int MaxWindows = 16;

struct Window {
    HWND Handle;
    LONG Dpi;      // the scale of the monitor the emulation last put the window on
    LONG Changes;  // the WM_DPICHANGED sent to it
    LONG Busy;     // 1 while it handles one: its own move to the suggested rectangle is not a crossing
};

struct Layout {
    LONG Boundary;  // screen x where the right monitor begins
    LONG LeftDpi, RightDpi;
    LONG Count;  // windows watched; 0 when the emulation is off
    Window Windows[MaxWindows];
};

// The monitor that holds the larger part of a rectangle: -1 the left one, 1 the right one, 0 when
// both hold the same.
inline int Side(const Layout& layout, const RECT& rect) {
    const LONG twice = rect.left + rect.right - 2 * layout.Boundary;
    return (twice > 0) - (twice < 0);
}

inline LONG DpiOn(const Layout& layout, int side) { return side > 0 ? layout.RightDpi : layout.LeftDpi; }

}  // namespace two_monitors
