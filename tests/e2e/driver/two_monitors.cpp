// The hook of the two-monitor emulation (TwoMonitors.h), loaded by Windows into the process whose
// thread the driver hooks. It runs after each of that thread's window procedures returns
// (WH_CALLWNDPROCRET); when a move has taken a watched window's larger part onto the monitor of
// another DPI, it sends WM_DPICHANGED there and then, so that the window hears of it from inside the
// SetWindowPos that moved it, as Windows tells it.

#include <windows.h>
//
#include "tests/e2e/driver/TwoMonitors.h"

#include <algorithm>

namespace {

using two_monitors::Layout;

Layout* Shared() {
    static Layout* layout = nullptr;
    if (!layout) {
        // Kept open for the life of the process: the hook may run until the process ends.
        const HANDLE mapping = OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, two_monitors::SharedName);
        if (mapping) layout = static_cast<Layout*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(Layout)));
    }
    return layout;
}

// The rectangle suggested to a window that its program moved across (one dragged by its title bar
// gets another: Windows keeps the pointer at the same place in it). Microsoft documents what it is for
// rather than how it is made, so this is the rule read from what is published:
// - the window's size scaled linearly from the old DPI to the new, Windows' default (Microsoft's
//   WM_GETDPISCALEDSIZE reference: unless the window answers that message "the default linear DPI
//   scaling will apply");
// - at the top-left the move gave it: the position stays and only the size is scaled (reported in
//   dotnet/wpf issue 3343 for a window moved onto a 150 % monitor: "Position values remain constant",
//   width and height times 1.5);
// - where that rectangle would stand mostly on the monitor just left, moved across by the fewest whole
//   pixels that put its larger part on the new one: taking the suggested rectangle keeps a window out
//   of "a recursive dpi-change cycle where one DPI change triggers a subsequent DPI change"
//   (Microsoft, "High DPI Desktop Application Development on Windows", Common Pitfalls).
RECT Suggested(const Layout& layout, const RECT& now, LONG from, LONG to, int side) {
    const LONG width = MulDiv(now.right - now.left, to, from), height = MulDiv(now.bottom - now.top, to, from);
    const LONG across = 2 * layout.Boundary - width;  // the larger part is right of the boundary when 2 left > across
    const LONG left = side > 0 ? std::max(now.left, across / 2 + 1) : std::min(now.left, (across - 1) / 2);
    return {left, now.top, left + width, now.top + height};
}

void Moved(HWND handle) {
    Layout* layout = Shared();
    if (!layout) return;
    for (LONG i = 0; i < std::min<LONG>(layout->Count, two_monitors::MaxWindows); ++i) {
        two_monitors::Window& window = layout->Windows[i];
        if (window.Handle != handle || window.Busy) continue;
        RECT rect{};
        GetWindowRect(handle, &rect);
        const int side = two_monitors::Side(*layout, rect);
        const LONG dpi = two_monitors::DpiOn(*layout, side);
        if (side == 0 || dpi == window.Dpi) return;
        RECT suggested = Suggested(*layout, rect, window.Dpi, dpi, side);
        window.Dpi = dpi;
        ++window.Changes;
        window.Busy = 1;
        SendMessageW(handle, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        window.Busy = 0;
        return;
    }
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK TwoMonitorsHook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_WINDOWPOSCHANGED) {
        const auto* position = reinterpret_cast<const WINDOWPOS*>(call->lParam);
        if ((position->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) Moved(call->hwnd);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
