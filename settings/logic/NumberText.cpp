#include "settings/logic/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace settings {

std::string SingleToText(float value) {
    if (value == 0.0f) return "0";  // also -0, which is not worth a sign
    char buffer[32];
    // Seven significant digits in general form: fixed notation for screen-sized numbers, trailing
    // zeros dropped; the result does not depend on the locale.
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 7);
    return std::string(buffer, result.ptr);
}

std::string ResolutionText(float widthPixels, float heightPixels) {
    return SingleToText(widthPixels) + "X" + SingleToText(heightPixels);
}

double RoundHalfEven(double value) {
    double whole = std::floor(value);
    double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
    return whole;
}

std::optional<std::int32_t> TextToLong(std::string_view text) {
    auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // from_chars would also take "inf" and "nan"; a number starts with a digit or a point.
    if (text.empty() || !((text.front() >= '0' && text.front() <= '9') || text.front() == '.')) return std::nullopt;

    double number = 0.0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number, std::chars_format::general);
    if (end != text.data() + text.size()) return std::nullopt;
    if (error == std::errc::result_out_of_range) {
        // Out of a double's range: too large is no whole number, too small (1e-400) is zero. strtod
        // tells the two apart; it reads a "." as the point since the program keeps the C locale.
        const std::string copy(text);
        if (std::abs(std::strtod(copy.c_str(), nullptr)) == HUGE_VAL) return std::nullopt;
        number = 0.0;
    } else if (error != std::errc() || !std::isfinite(number)) {
        return std::nullopt;
    }

    double rounded = RoundHalfEven(negative ? -number : number);
    if (rounded < std::numeric_limits<std::int32_t>::min() || rounded > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

}  // namespace settings
