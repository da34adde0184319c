#pragma once
// The number and text conversions of the stored settings.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace settings {

// A single-precision number as the shortest plain decimal text of at most seven significant digits:
// 1024, -20, 12.5, 0.3333333. No blank, no plus sign, no trailing zeros, no decimal point for a
// whole number, and no exponent for numbers of screen size.
std::string SingleToText(float value);

// The resolution string: width, a capital X, height, e.g. 1024X768.
std::string ResolutionText(float widthPixels, float heightPixels);

// The nearest whole number, halves to the even neighbour (12.5 -> 12, 13.5 -> 14, -12.5 -> -12).
double RoundHalfEven(double value);

// Decimal text (blanks around it allowed, an optional sign, fraction and exponent) to a 32-bit whole
// number, rounding halves to even. Nothing for text that is not such a number or does not fit.
std::optional<std::int32_t> TextToLong(std::string_view text);

}  // namespace settings
