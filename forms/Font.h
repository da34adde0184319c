#pragma once
// The font of a label or a button, as the layout gives it: a face name, a size in points and styles.

#include "forms/Handles.h"

namespace forms {

struct Font {
    const char* Name = "MS Sans Serif";
    float Size = 8.25f;  // points
    bool Bold = false;
    bool Underline = false;
};

// The font at the screen's resolution.
unique_hfont MakeFont(const Font& font);

}  // namespace forms
