// Progress bar frames, placeholder helpers, hand cursor and donate badge.
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

Pixmap DrawProgressFrame(int blocks) {
    constexpr int MaxBlocks = 15;
    if (blocks < 1 || blocks > MaxBlocks) throw std::invalid_argument("progress frames hold 1 to 15 blocks");
    // The last frame is one pixel narrower, as the animation expects.
    const int width = blocks == MaxBlocks ? 125 : 126;
    constexpr int Height = 17;
    const Rgba8 background = Opaque(WindowGrey.Red, WindowGrey.Green, WindowGrey.Blue);
    const Rgba8 outline = Opaque(104, 104, 104);
    const Rgba8 shadowDark = Opaque(190, 190, 190);
    const Rgba8 shadowLight = Opaque(239, 239, 239);
    const Rgba8 track = Opaque(255, 255, 255);

    Pixmap px(width, Height);
    for (Rgba8& p : px.Pixels) p = track;
    const int right = width - 1, bottom = Height - 1;
    for (int x = 0; x < width; ++x) px.At(x, 0) = px.At(x, bottom) = outline;
    for (int y = 0; y < Height; ++y) px.At(0, y) = px.At(right, y) = outline;

    // Sunken: the light comes from the upper left, so the top and left inner
    // walls lie in shade and the bottom and right walls stay white.
    for (int x = 1; x < right; ++x) px.At(x, 1) = shadowDark;
    for (int y = 1; y < bottom; ++y) px.At(1, y) = shadowDark;
    for (int x = 2; x < right; ++x) px.At(x, 2) = shadowLight;
    for (int y = 2; y < bottom; ++y) px.At(2, y) = shadowLight;

    // Rounded corners: the outline's corner pixel shows the window, and the
    // pixel inside it softens the turn.
    const std::array<std::array<int, 4>, 4> corners{
        {{0, 0, 1, 1}, {right, 0, right - 1, 1}, {0, bottom, 1, bottom - 1}, {right, bottom, right - 1, bottom - 1}}};
    for (const auto& [cx, cy, ix, iy] : corners) {
        px.At(cx, cy) = background;
        px.At(ix, iy) = BlendBytes(px.At(ix, iy), outline, 0.5);
    }

    // Green blocks, shaded by row: light at the top, darkest at row 9,
    // lighter again at the bottom.
    constexpr int FirstRow = 3, DarkRow = 9, LastRow = 13;
    const Rgba8 topColor = Opaque(171, 237, 172);
    const Rgba8 darkColor = Opaque(46, 211, 49);
    const Rgba8 bottomColor = Opaque(143, 232, 144);
    for (int i = 0; i < blocks; ++i) {
        const int left = 4 + 8 * i;
        for (int y = FirstRow; y <= LastRow; ++y) {
            const Rgba8 c = y <= DarkRow
                                ? BlendBytes(topColor, darkColor, double(y - FirstRow) / (DarkRow - FirstRow))
                                : BlendBytes(darkColor, bottomColor, double(y - DarkRow) / (LastRow - DarkRow));
            for (int x = left; x < left + 6; ++x) px.At(x, y) = c;
        }
    }
    return px;
}

Pixmap DrawHandCursor() {
    // X black outline, o white fill, anything else transparent. The tip of
    // the raised index finger is the hot spot.
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
    Pixmap px(32, 32);
    for (std::size_t y = 0; y < Rows.size(); ++y) {
        for (std::size_t x = 0; x < Rows[y].size(); ++x) {
            const char c = Rows[y][x];
            if (c == 'X') px.At(static_cast<int>(x), static_cast<int>(y)) = Opaque(0, 0, 0);
            if (c == 'o') px.At(static_cast<int>(x), static_cast<int>(y)) = Opaque(255, 255, 255);
        }
    }
    return px;
}

}  // namespace art
