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

// The cursor position in screen pixels.
void GetCursorXY(long& x, long& y);

// Makes the form layered with the colour key and the given alpha: every pixel of
// the key colour becomes transparent to sight and to the mouse.
void SetWindowColorKey(forms::Form& form, int alpha);

// The platform id of GetVersionExA: 2 for the NT family.
long GetPlatformId();

}  // namespace eyes
