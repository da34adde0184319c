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

// The font at a DPI (96 at 100 %): its points become that many pixels high.
unique_hfont MakeFont(const Font& font, int dpi);

}  // namespace forms
