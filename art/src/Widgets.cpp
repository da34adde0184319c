// Progress bar frames, placeholder helpers, hand cursor and donate badge.
#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>
#include <string_view>

#include "art/Colors.h"
#include "art/src/Artwork.h"

namespace art {

namespace {

Rgba8 Opaque(int r, int g, int b) {
    return {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b), 255};
}

Rgba8 BlendBytes(Rgba8 a, Rgba8 b, double t) {
    auto mix = [t](std::uint8_t x, std::uint8_t y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return Opaque(mix(a.Red, b.Red), mix(a.Green, b.Green), mix(a.Blue, b.Blue));
}

}  // namespace

Pixmap DrawProgressFrame(int blocks, double scale) {
    constexpr int MaxBlocks = 15;
    if (blocks < 1 || blocks > MaxBlocks) throw std::invalid_argument("progress frames hold 1 to 15 blocks");
    // The last frame is one pixel narrower, as the animation expects.
    const int width = ScaledSize(blocks == MaxBlocks ? 125 : 126, scale);
    const int height = ScaledSize(17, scale);
    // A design coordinate at this scale, in whole pixels.
    auto at = [scale](double v) { return static_cast<int>(std::lround(v * scale)); };
    // The outline and the two shades are one design pixel each: whole pixels
    // at every scale, so that they stay crisp and even and the three of them
    // never reach the blocks (3 * floor(scale) <= round(3 * scale)).
    const int line = static_cast<int>(std::floor(scale));
    const Rgba8 background = Opaque(WindowGrey.Red, WindowGrey.Green, WindowGrey.Blue);
    const Rgba8 outline = Opaque(104, 104, 104);
    const Rgba8 shadowDark = Opaque(190, 190, 190);
    const Rgba8 shadowLight = Opaque(239, 239, 239);
    const Rgba8 track = Opaque(255, 255, 255);

    Pixmap px(width, height);
    for (Rgba8& p : px.Pixels) p = track;
    auto fill = [&px](int left, int top, int right, int bottom, Rgba8 c) {
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) px.At(x, y) = c;
    };
    fill(0, 0, width, line, outline);
    fill(0, height - line, width, height, outline);
    fill(0, 0, line, height, outline);
    fill(width - line, 0, width, height, outline);

    // Sunken: the light comes from the upper left, so the top and left inner
    // walls lie in shade and the bottom and right walls stay white.
    fill(line, line, width - line, 2 * line, shadowDark);
    fill(line, line, 2 * line, height - line, shadowDark);
    fill(2 * line, 2 * line, width - line, 3 * line, shadowLight);
    fill(2 * line, 2 * line, 3 * line, height - line, shadowLight);

    // Rounded corners: the outline's corner shows the window, and the square
    // inside it softens the turn.
    const int right = width - line, bottom = height - line;
    const std::array<std::array<int, 4>, 4> corners{{{0, 0, line, line},
                                                     {right, 0, right - line, line},
                                                     {0, bottom, line, bottom - line},
                                                     {right, bottom, right - line, bottom - line}}};
    for (const auto& [cx, cy, ix, iy] : corners) {
        fill(cx, cy, cx + line, cy + line, background);
        for (int y = iy; y < iy + line; ++y)
            for (int x = ix; x < ix + line; ++x) px.At(x, y) = BlendBytes(px.At(x, y), outline, 0.5);
    }

    // Green blocks, shaded by design row: light at the top (row 3), darkest
    // at row 9, lighter again at the bottom (row 13). Every block is equally
    // wide; the gaps between them may differ by a pixel at fractional scales.
    constexpr int FirstRow = 3, DarkRow = 9, LastRow = 13;
    const Rgba8 topColor = Opaque(171, 237, 172);
    const Rgba8 darkColor = Opaque(46, 211, 49);
    const Rgba8 bottomColor = Opaque(143, 232, 144);
    const int blockWidth = at(6);
    for (int y = at(FirstRow); y < at(LastRow + 1); ++y) {
        // The design row at this pixel row's centre.
        const double row = std::clamp((y + 0.5) / scale - 0.5, double(FirstRow), double(LastRow));
        const Rgba8 c = row <= DarkRow ? BlendBytes(topColor, darkColor, (row - FirstRow) / (DarkRow - FirstRow))
                                       : BlendBytes(darkColor, bottomColor, (row - DarkRow) / (LastRow - DarkRow));
        for (int i = 0; i < blocks; ++i) {
            const int left = at(4 + 8 * i);
            for (int x = left; x < left + blockWidth; ++x) px.At(x, y) = c;
        }
    }
    return px;
}

Pixmap DrawHandCursor(double scale) {
    // X black outline, o white fill, anything else transparent, one cell per
    // pixel at 100 %. The tip of the raised index finger is the hot spot.
    static constexpr std::array<std::string_view, 23> Rows{
        "     XX",
        "    XooX",
        "    XooX",
        "    XooX",
        "    XooX",
        "    XooXXX",
        "    XooXooXXX",
        "    XooXooXooXX",
        "    XooXooXooXXX",
        "    XooXooXooXooX",
        " XX XooXooXooXooX",
        "XooXXooooooooooooX",
        "XoooXooooooooooooX",
        " XooooooooooooooooX",
        " XooooooooooooooooX",
        "  XoooooooooooooooX",
        "  XooooooooooooooX",
        "   XoooooooooooooX",
        "   XooooooooooooX",
        "    XoooooooooooX",
        "    XoooooooooooX",
        "    XoooooooooooX",
        "    XXXXXXXXXXXXX",
    };
    const int size = ScaledSize(32, scale);
    // Cell edges at this scale, in whole pixels: a monochrome cursor has no
    // partial pixels, so an outline is one or two pixels thick where the scale
    // is not whole.
    auto at = [scale](std::size_t v) { return static_cast<int>(std::lround(static_cast<double>(v) * scale)); };
    Pixmap px(size, size);
    for (std::size_t row = 0; row < Rows.size(); ++row) {
        for (std::size_t column = 0; column < Rows[row].size(); ++column) {
            const char c = Rows[row][column];
            if (c != 'X' && c != 'o') continue;
            const Rgba8 color = c == 'X' ? Opaque(0, 0, 0) : Opaque(255, 255, 255);
            for (int y = at(row); y < at(row + 1); ++y)
                for (int x = at(column); x < at(column + 1); ++x) px.At(x, y) = color;
        }
    }
    return px;
}

HotSpot HandHotSpot(double scale) {
    ScaledSize(32, scale);  // checks the scale
    return {static_cast<int>(std::lround(HandHotX * scale)), static_cast<int>(std::lround(HandHotY * scale))};
}

}  // namespace art
