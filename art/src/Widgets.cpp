// Progress bar frames, placeholder helpers, hand cursor and donate badge.
#include <array>
#include <cmath>
#include <stdexcept>
#include <string_view>

#include "art/src/Artwork.h"

namespace art {

namespace {

Rgba8 opaque(int r, int g, int b) {
    return {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b), 255};
}

Rgba8 blendBytes(Rgba8 a, Rgba8 b, double t) {
    auto mix = [t](std::uint8_t x, std::uint8_t y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return opaque(mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b));
}

}  // namespace

Pixmap drawProgressFrame(int blocks) {
    constexpr int maxBlocks = 15;
    if (blocks < 1 || blocks > maxBlocks) throw std::invalid_argument("progress frames hold 1 to 15 blocks");
    // The last frame is one pixel narrower, as the animation expects.
    const int width = blocks == maxBlocks ? 125 : 126;
    constexpr int height = 17;
    const Rgba8 background = opaque(224, 224, 224);
    const Rgba8 outline = opaque(104, 104, 104);
    const Rgba8 shadowDark = opaque(190, 190, 190);
    const Rgba8 shadowLight = opaque(239, 239, 239);
    const Rgba8 track = opaque(255, 255, 255);

    Pixmap px(width, height);
    for (Rgba8& p : px.pixels) p = track;
    const int right = width - 1, bottom = height - 1;
    for (int x = 0; x < width; ++x) px.at(x, 0) = px.at(x, bottom) = outline;
    for (int y = 0; y < height; ++y) px.at(0, y) = px.at(right, y) = outline;

    // Sunken: the light comes from the upper left, so the top and left inner
    // walls lie in shade and the bottom and right walls stay white.
    for (int x = 1; x < right; ++x) px.at(x, 1) = shadowDark;
    for (int y = 1; y < bottom; ++y) px.at(1, y) = shadowDark;
    for (int x = 2; x < right; ++x) px.at(x, 2) = shadowLight;
    for (int y = 2; y < bottom; ++y) px.at(2, y) = shadowLight;

    // Rounded corners: the outline's corner pixel shows the window, and the
    // pixel inside it softens the turn.
    const std::array<std::array<int, 4>, 4> corners{
        {{0, 0, 1, 1}, {right, 0, right - 1, 1}, {0, bottom, 1, bottom - 1}, {right, bottom, right - 1, bottom - 1}}};
    for (const auto& [cx, cy, ix, iy] : corners) {
        px.at(cx, cy) = background;
        px.at(ix, iy) = blendBytes(px.at(ix, iy), outline, 0.5);
    }

    // Green blocks, shaded by row: light at the top, darkest at row 9,
    // lighter again at the bottom.
    constexpr int firstRow = 3, darkRow = 9, lastRow = 13;
    const Rgba8 topColour = opaque(171, 237, 172);
    const Rgba8 darkColour = opaque(46, 211, 49);
    const Rgba8 bottomColour = opaque(143, 232, 144);
    for (int i = 0; i < blocks; ++i) {
        const int left = 4 + 8 * i;
        for (int y = firstRow; y <= lastRow; ++y) {
            const Rgba8 c = y <= darkRow
                                ? blendBytes(topColour, darkColour, double(y - firstRow) / (darkRow - firstRow))
                                : blendBytes(darkColour, bottomColour, double(y - darkRow) / (lastRow - darkRow));
            for (int x = left; x < left + 6; ++x) px.at(x, y) = c;
        }
    }
    return px;
}

Pixmap drawHandCursor() {
    // X black outline, o white fill, anything else transparent. The tip of
    // the raised index finger is the hot spot.
    static constexpr std::array<std::string_view, 23> rows{
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
    for (std::size_t y = 0; y < rows.size(); ++y) {
        for (std::size_t x = 0; x < rows[y].size(); ++x) {
            const char c = rows[y][x];
            if (c == 'X') px.at(static_cast<int>(x), static_cast<int>(y)) = opaque(0, 0, 0);
            if (c == 'o') px.at(static_cast<int>(x), static_cast<int>(y)) = opaque(255, 255, 255);
        }
    }
    return px;
}

}  // namespace art
