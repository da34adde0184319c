#include "forms/AccessSettings.h"

#include <windows.h>

#include <algorithm>
#include <cmath>

namespace forms {

namespace {

// The relative luminance of a colour (sRGB), 0 for black to 1 for white.
double Luminance(COLORREF color) {
    const auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(GetRValue(color)) + 0.7152 * channel(GetGValue(color)) + 0.0722 * channel(GetBValue(color));
}

}  // namespace

bool ContrastColorsOn() {
    HIGHCONTRASTA contrast{};
    contrast.cbSize = sizeof contrast;
    if (SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
        (contrast.dwFlags & HCF_HIGHCONTRASTON))
        return true;
    // Black on the face colour: (L + 0.05) / 0.05 below 4.5 when L is below 0.175.
    return Luminance(GetSysColor(COLOR_BTNFACE)) < 0.175;
}

int TextScalePercent() {
    DWORD percent = 100;
    DWORD size = sizeof percent;
    if (RegGetValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Accessibility", "TextScaleFactor", RRF_RT_REG_DWORD,
                     nullptr, &percent, &size) != ERROR_SUCCESS)
        return 100;
    return std::clamp(static_cast<int>(percent), 100, 225);
}

}  // namespace forms
