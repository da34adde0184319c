#include "forms/RawMouse.h"

namespace forms {

namespace {
// The generic desktop controls' mouse (HID usage page 1, usage 2).
constexpr USHORT GenericDesktop = 1;
constexpr USHORT Mouse = 2;

bool Register(DWORD flags, HWND target) {
    RAWINPUTDEVICE device{GenericDesktop, Mouse, flags, target};
    return RegisterRawInputDevices(&device, 1, sizeof device) != FALSE;
}
}  // namespace

bool ListenToRawMouse(HWND window) { return Register(RIDEV_INPUTSINK, window); }

void StopRawMouse() { Register(RIDEV_REMOVE, nullptr); }

}  // namespace forms
