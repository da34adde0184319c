#pragma once
// The small routines of the main program: the cursor (Module1), the colour key (Module2) and the
// platform check (Module4).

#include "art/Colors.h"

#include <windows.h>

namespace forms {
class Form;
}

namespace eyes {

inline constexpr COLORREF ColorKey = RGB(art::ColorKey.Red, art::ColorKey.Green, art::ColorKey.Blue);

// The cursor position in screen pixels. When Windows cannot tell it (the secure desktop of the lock
// screen or of an elevation prompt is showing), x and y stay as they were and the result is false.
bool GetCursorXY(long& x, long& y);

// Makes the form layered with the colour key and the given alpha: every pixel of
// the key colour becomes transparent to sight and to the mouse.
void SetWindowColorKey(forms::Form& form, int alpha);

// The platform id of GetVersionExA: 2 for the NT family.
long GetPlatformId();

}  // namespace eyes
