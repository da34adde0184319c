// The floor: the least CPU a pair of watching eyes can cost. A hidden window with the eyes' two pupil
// timers (10 and 9 ms) whose ticks do nothing but read the cursor position - what the eyes' timers
// must do at the very least. cost-of-watching.sh runs it in the same session as the eyes and
// compares their CPU time with its own.

#include <windows.h>

namespace {

constexpr char ClassName[] = "TavrinFloor";

// Written on every tick, so the call has a visible effect and is never left out.
volatile LONG lastX = 0;
volatile LONG lastY = 0;

void CALLBACK ReadCursor(HWND, UINT, UINT_PTR, DWORD) {
    POINT cursor{};
    GetCursorPos(&cursor);
    lastX = cursor.x;
    lastY = cursor.y;
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA description{};
    description.lpfnWndProc = Procedure;
    description.hInstance = instance;
    description.lpszClassName = ClassName;
    if (!RegisterClassA(&description)) return 1;
    // Never shown: the floor has nothing to draw.
    HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, ClassName, "Floor", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  instance, nullptr);
    if (!window) return 1;
    // The same two intervals as the eyes' pupil timers, ticking on the window's message queue.
    if (!SetTimer(window, 1, 10, ReadCursor) || !SetTimer(window, 2, 9, ReadCursor)) return 1;

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
