#include "forms/Font.h"

#include <cmath>

namespace forms {

unique_hfont MakeFont(const Font& font, int dpi) {
    const int height = -static_cast<int>(std::lround(font.Size * static_cast<float>(dpi) / 72.0f));
    return unique_hfont(CreateFontA(height, 0, 0, 0, font.Bold ? FW_BOLD : FW_NORMAL, FALSE, font.Underline, FALSE,
                                    DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                    DEFAULT_PITCH | FF_DONTCARE, font.Name));
}

}  // namespace forms
