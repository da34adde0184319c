#pragma once
// Raw mouse input for a window: WM_INPUT for every move of every mouse, also while the program is in
// the background and the pointer is over other programs' windows. A program that sleeps while nothing
// moves listens only while it sleeps: a mouse reporting a thousand times a second would otherwise
// wake it as often while it works anyway. A window that gets WM_INPUT passes it on to DefWindowProc,
// which frees the input.

#include <windows.h>

namespace forms {

// Sends the mouse's raw input to `window` (one window per program at a time); false where the system
// refuses.
bool ListenToRawMouse(HWND window);
// Ends it.
void StopRawMouse();

}  // namespace forms
