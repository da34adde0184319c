// Colour tables for the palettized icon images and the GIF badge.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace art {

struct Rgb8 {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb8&, const Rgb8&) = default;
};

using Palette = std::vector<Rgb8>;

// The 16 colours of the standard VGA palette in the order Windows uses for
// 4-bit bitmaps (index 0 black, 7 light grey, 8 dark grey, 15 white).
Palette standardPalette16();
// Black and white, for monochrome bitmaps.
Palette monochromePalette();
// At most maxColours colours that represent `colours` (one entry per pixel):
// the distinct colours themselves when they fit, otherwise a median-cut
// reduction weighted by how often each colour occurs.
Palette adaptivePalette(const std::vector<Rgb8>& colours, std::size_t maxColours);
// Index of the closest palette entry (perceptually weighted distance; the
// lowest index wins a tie).
std::size_t nearestIndex(const Palette& palette, Rgb8 colour);

}  // namespace art
