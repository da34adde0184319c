// Colour tables for the palettized icon images and the GIF badge.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace art {

struct Rgb8 {
    std::uint8_t Red = 0, Green = 0, Blue = 0;
    friend bool operator==(const Rgb8&, const Rgb8&) = default;
};

using Palette = std::vector<Rgb8>;

// The 16 colours of the standard VGA palette in the order Windows uses for
// 4-bit bitmaps (index 0 black, 7 light grey, 8 dark grey, 15 white).
Palette StandardPalette16();
// Black and white, for monochrome bitmaps.
Palette MonochromePalette();
// At most maxColors colours that represent `colors` (one entry per pixel):
// the distinct colours themselves when they fit, otherwise a median-cut
// reduction weighted by how often each colour occurs.
Palette AdaptivePalette(const std::vector<Rgb8>& colors, std::size_t maxColors);
// Index of the closest palette entry (perceptually weighted distance; the
// lowest index wins a tie).
std::size_t NearestIndex(const Palette& palette, Rgb8 color);

}  // namespace art
