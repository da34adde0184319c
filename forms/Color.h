#pragma once
// Colours as the form layout gives them: an RGB value, or a system colour (high bit set, the low
// byte being the system colour's index, as in 0x80000005 for the window background).

#include <windows.h>

#include <cstdint>

namespace forms {

using OleColor = std::uint32_t;

constexpr OleColor SystemColor(int index) { return 0x80000000u | static_cast<OleColor>(index); }
constexpr OleColor Rgb(int red, int green, int blue) {
    return static_cast<OleColor>(red) | (static_cast<OleColor>(green) << 8) | (static_cast<OleColor>(blue) << 16);
}

inline COLORREF ToColorRef(OleColor color) {
    return (color & 0x80000000u) ? GetSysColor(static_cast<int>(color & 0xFF)) : static_cast<COLORREF>(color);
}

}  // namespace forms
