// The donation badge: a golden button saying "Donate" above a row of
// generic payment cards.
#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

#include "art/src/Artwork.h"

namespace art {

namespace {

struct Glyph {
    char letter;
    std::vector<std::string_view> rows;  // '#' is ink; the last row sits on the baseline
};

// A bold pixel font with two-pixel strokes: capitals 12 rows high,
// lower case 9 rows, "t" 11.
const std::vector<Glyph>& font() {
    static const std::vector<Glyph> glyphs{
        {'D',
         {"######..", "#######.", "##...###", "##....##", "##....##", "##....##", "##....##", "##....##", "##....##",
          "##...###", "#######.", "######.."}},
        {'o', {".#####.", "#######", "##...##", "##...##", "##...##", "##...##", "##...##", "#######", ".#####."}},
        {'n', {"##.###.", "#######", "###..##", "##...##", "##...##", "##...##", "##...##", "##...##", "##...##"}},
        {'a', {".#####.", "######.", "....##.", ".#####.", "######.", "##..##.", "##..##.", "#######", ".####.#"}},
        {'t',
         {".##...", ".##...", "######", "######", ".##...", ".##...", ".##...", ".##...", ".##...", ".#####",
          "..####"}},
        {'e', {".#####.", "#######", "##...##", "#######", "#######", "##.....", "##....#", "#######", ".#####."}},
    };
    return glyphs;
}

const Glyph& glyphFor(char c) {
    for (const Glyph& g : font())
        if (g.letter == c) return g;
    return font().front();
}

constexpr int letterGap = 2;

int textWidth(std::string_view text) {
    int width = 0;
    for (char c : text) width += static_cast<int>(glyphFor(c).rows.front().size()) + letterGap;
    return width - letterGap;
}

// Whether pixel (x, y) is ink of `text` whose baseline row is `baseline`.
bool inkAt(std::string_view text, int left, int baseline, int x, int y) {
    int pen = left;
    for (char c : text) {
        const Glyph& g = glyphFor(c);
        const int w = static_cast<int>(g.rows.front().size());
        const int h = static_cast<int>(g.rows.size());
        const int gx = x - pen;
        const int gy = y - (baseline - h + 1);
        if (gx >= 0 && gx < w && gy >= 0 && gy < h) return g.rows[gy][gx] == '#';
        pen += w + letterGap;
    }
    return false;
}

struct RoundRect {
    double left, top, right, bottom, radius;
    bool contains(double x, double y) const {
        const double cx = std::clamp(x, left + radius, right - radius);
        const double cy = std::clamp(y, top + radius, bottom - radius);
        const double dx = x - cx, dy = y - cy;
        return x >= left && x <= right && y >= top && y <= bottom && dx * dx + dy * dy <= radius * radius;
    }
    RoundRect inset(double by) const {
        return {left + by, top + by, right - by, bottom - by, std::max(0.0, radius - by)};
    }
};

enum class CardMark { Chip, Stripe, Band, Dots };

struct Card {
    RoundRect shape;
    Colour colour;
    CardMark mark;
};

Colour cardAt(const Card& card, double x, double y) {
    const RoundRect& s = card.shape;
    if (!s.contains(x, y)) return {};
    const double u = x - s.left, v = y - s.top;
    // A faint sheen across the upper left.
    const Colour body = over(fade(solid(255, 255, 255), 0.22 * clamp01(1.0 - (u + 2 * v) / 14.0)), card.colour);
    if (!s.inset(0.9).contains(x, y)) return lerp(body, solid(40, 40, 48), 0.45);
    switch (card.mark) {
    case CardMark::Chip:
        if (u >= 3 && u < 7 && v >= 3 && v < 6) return solid(236, 200, 96);
        break;
    case CardMark::Stripe:
        if (v >= 2 && v < 4) return solid(30, 30, 36);
        break;
    case CardMark::Band:
        if (v >= 6 && v < 8 && u >= 2 && u < s.right - s.left - 2) return solid(250, 250, 250);
        break;
    case CardMark::Dots:
        for (double cx : {s.right - s.left - 7.0, s.right - s.left - 4.0}) {
            const double dx = u - cx, dy = v - 7.0;
            if (dx * dx + dy * dy <= 2.6) return solid(250, 250, 250);
        }
        break;
    }
    return body;
}

}  // namespace

Pixmap drawDonateBadge() {
    constexpr int width = 115, height = 45;
    const RoundRect button{1.0, 1.0, 114.0, 31.0, 10.0};
    const RoundRect fill = button.inset(1.25);
    constexpr std::string_view label = "Donate";
    const int textLeft = (width - textWidth(label)) / 2;
    constexpr int baseline = 21;

    std::vector<Card> cards;
    const Colour cardColours[] = {solid(36, 70, 150), solid(0, 138, 132), solid(196, 52, 58), solid(126, 132, 146),
                                  solid(46, 150, 76)};
    const CardMark marks[] = {CardMark::Chip, CardMark::Stripe, CardMark::Band, CardMark::Chip, CardMark::Dots};
    constexpr double cardWidth = 18, cardGap = 3;
    const double rowLeft = (width - (5 * cardWidth + 4 * cardGap)) / 2.0;
    for (int i = 0; i < 5; ++i) {
        const double left = std::round(rowLeft + i * (cardWidth + cardGap));
        cards.push_back({{left, 34.0, left + cardWidth, 44.0, 2.0}, cardColours[i], marks[i]});
    }

    const Image image = supersample(width, height, 16, [&](double x, double y) -> Colour {
        for (const Card& card : cards)
            if (card.shape.contains(x, y)) return cardAt(card, x, y);
        if (!button.contains(x, y)) return {};
        if (!fill.contains(x, y)) return solid(184, 108, 14);
        const int px = static_cast<int>(std::floor(x)), py = static_cast<int>(std::floor(y));
        if (inkAt(label, textLeft, baseline, px, py)) return solid(38, 42, 92);
        // Embossed: a light edge under each stroke.
        const double t = clamp01((y - fill.top) / (fill.bottom - fill.top));
        Colour gold = t < 0.5 ? lerp(solid(255, 234, 156), solid(253, 192, 64), t / 0.5)
                              : lerp(solid(253, 192, 64), solid(238, 142, 24), (t - 0.5) / 0.5);
        const double gloss = 0.35 * (1.0 - smoothstep(0.0, 0.45, t)) * smoothstep(0.0, 0.08, t);
        gold = over(fade(solid(255, 255, 255), gloss), gold);
        if (inkAt(label, textLeft, baseline, px, py - 1)) return lerp(gold, solid(255, 246, 214), 0.7);
        return gold;
    });

    // The GIF has one transparent colour only: edge pixels that are at
    // least partly covered are blended onto the usual window grey.
    const Colour matte = solid(224, 224, 224);
    Pixmap out(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Colour c = image.at(x, y);
            if (c.a < 0.3) continue;
            const Colour onMatte = over(c, matte);
            out.at(x, y) = {toByte(onMatte.r), toByte(onMatte.g), toByte(onMatte.b), 255};
        }
    }
    return out;
}

}  // namespace art
