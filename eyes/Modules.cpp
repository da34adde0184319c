#include "eyes/Modules.h"

#include "forms/Form.h"

namespace eyes {

bool GetCursorXY(long& x, long& y) {
    POINT cursor{};
    if (!GetCursorPos(&cursor)) return false;
    x = cursor.x;
    y = cursor.y;
    return true;
}

void SetWindowColorKey(forms::Form& form, int alpha) {
    const LONG style = GetWindowLongA(form.hWnd(), GWL_EXSTYLE);
    SetWindowLongA(form.hWnd(), GWL_EXSTYLE, style | WS_EX_LAYERED);
    SetLayeredWindowAttributes(form.hWnd(), ColorKey, static_cast<BYTE>(alpha), LWA_COLORKEY | LWA_ALPHA);
}

long GetPlatformId() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;  // 148 bytes
    GetVersionExA(&info);
    return static_cast<long>(info.dwPlatformId);
}

}  // namespace eyes
