// The donation badge: a golden button saying "Donate" above a row of
// generic payment cards.
#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

#include "art/Colors.h"
#include "art/src/Artwork.h"

namespace art {

namespace {

struct Glyph {
    char Letter;
    std::vector<std::string_view> Rows;  // '#' is ink; the last row sits on the baseline
};

// A bold pixel font with two-pixel strokes: capitals 12 rows high,
// lower case 9 rows, "t" 11.
const std::vector<Glyph>& Font() {
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

const Glyph& GlyphFor(char c) {
    for (const Glyph& g : Font())
        if (g.Letter == c) return g;
    return Font().front();
}

constexpr int LetterGap = 2;

int TextWidth(std::string_view text) {
    int width = 0;
    for (char c : text) width += static_cast<int>(GlyphFor(c).Rows.front().size()) + LetterGap;
    return width - LetterGap;
}

// Whether pixel (x, y) is ink of `text` whose baseline row is `baseline`.
bool InkAt(std::string_view text, int left, int baseline, int x, int y) {
    int pen = left;
    for (char c : text) {
        const Glyph& g = GlyphFor(c);
        const int w = static_cast<int>(g.Rows.front().size());
        const int h = static_cast<int>(g.Rows.size());
        const int gx = x - pen;
        const int gy = y - (baseline - h + 1);
        if (gx >= 0 && gx < w && gy >= 0 && gy < h) return g.Rows[gy][gx] == '#';
        pen += w + LetterGap;
    }
    return false;
}

struct RoundRect {
    double Left, Top, Right, Bottom, Radius;
    bool Contains(double x, double y) const {
        const double cx = std::clamp(x, Left + Radius, Right - Radius);
        const double cy = std::clamp(y, Top + Radius, Bottom - Radius);
        const double dx = x - cx, dy = y - cy;
        return x >= Left && x <= Right && y >= Top && y <= Bottom && dx * dx + dy * dy <= Radius * Radius;
    }
    RoundRect Inset(double by) const {
        return {Left + by, Top + by, Right - by, Bottom - by, std::max(0.0, Radius - by)};
    }
};

enum class CardMark { Chip, Stripe, Band, Dots };

struct Card {
    RoundRect Shape;
    Color BodyColor;
    CardMark Mark;
};

Color CardAt(const Card& card, double x, double y) {
    const RoundRect& s = card.Shape;
    if (!s.Contains(x, y)) return {};
    const double u = x - s.Left, v = y - s.Top;
    // A faint sheen across the upper left.
    const Color body = Over(Fade(Solid(255, 255, 255), 0.22 * Clamp01(1.0 - (u + 2 * v) / 14.0)), card.BodyColor);
    if (!s.Inset(0.9).Contains(x, y)) return Lerp(body, Solid(40, 40, 48), 0.45);
    switch (card.Mark) {
    case CardMark::Chip:
        if (u >= 3 && u < 7 && v >= 3 && v < 6) return Solid(236, 200, 96);
        break;
    case CardMark::Stripe:
        if (v >= 2 && v < 4) return Solid(30, 30, 36);
        break;
    case CardMark::Band:
        if (v >= 6 && v < 8 && u >= 2 && u < s.Right - s.Left - 2) return Solid(250, 250, 250);
        break;
    case CardMark::Dots:
        for (double cx : {s.Right - s.Left - 7.0, s.Right - s.Left - 4.0}) {
            const double dx = u - cx, dy = v - 7.0;
            if (dx * dx + dy * dy <= 2.6) return Solid(250, 250, 250);
        }
        break;
    }
    return body;
}

}  // namespace

Pixmap DrawDonateBadge(double scale) {
    // The design is laid out on 115 x 45; the picture is that at `scale`.
    constexpr int Width = 115;
    const int width = ScaledSize(Width, scale), height = ScaledSize(45, scale);
    const RoundRect button{1.0, 1.0, 114.0, 31.0, 10.0};
    const RoundRect fill = button.Inset(1.25);
    constexpr std::string_view Label = "Donate";
    const int textLeft = (Width - TextWidth(Label)) / 2;
    constexpr int Baseline = 21;

    std::vector<Card> cards;
    const Color cardColors[] = {Solid(36, 70, 150), Solid(0, 138, 132), Solid(196, 52, 58), Solid(126, 132, 146),
                                Solid(46, 150, 76)};
    const CardMark marks[] = {CardMark::Chip, CardMark::Stripe, CardMark::Band, CardMark::Chip, CardMark::Dots};
    constexpr double CardWidth = 18, CardGap = 3;
    const double rowLeft = (Width - (5 * CardWidth + 4 * CardGap)) / 2.0;
    for (int i = 0; i < 5; ++i) {
        const double left = std::round(rowLeft + i * (CardWidth + CardGap));
        cards.push_back({{left, 34.0, left + CardWidth, 44.0, 2.0}, cardColors[i], marks[i]});
    }

    const Image image = SupersampleAt(scale, width, height, 16, [&](double px, double py) -> Color {
        const double x = px / scale, y = py / scale;
        for (const Card& card : cards)
            if (card.Shape.Contains(x, y)) return CardAt(card, x, y);
        if (!button.Contains(x, y)) return {};
        if (!fill.Contains(x, y)) return Solid(184, 108, 14);
        // The letters are drawn in design pixels.
        const int cellX = static_cast<int>(std::floor(x)), cellY = static_cast<int>(std::floor(y));
        if (InkAt(Label, textLeft, Baseline, cellX, cellY)) return Solid(38, 42, 92);
        // Embossed: a light edge under each stroke.
        const double t = Clamp01((y - fill.Top) / (fill.Bottom - fill.Top));
        Color gold = t < 0.5 ? Lerp(Solid(255, 234, 156), Solid(253, 192, 64), t / 0.5)
                             : Lerp(Solid(253, 192, 64), Solid(238, 142, 24), (t - 0.5) / 0.5);
        const double gloss = 0.35 * (1.0 - SmoothStep(0.0, 0.45, t)) * SmoothStep(0.0, 0.08, t);
        gold = Over(Fade(Solid(255, 255, 255), gloss), gold);
        if (InkAt(Label, textLeft, Baseline, cellX, cellY - 1)) return Lerp(gold, Solid(255, 246, 214), 0.7);
        return gold;
    });

    // The GIF has one transparent colour only: edge pixels that are at
    // least partly covered are blended onto the usual window grey.
    const Color matte = Solid(WindowGrey.Red, WindowGrey.Green, WindowGrey.Blue);
    Pixmap out(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Color c = image.At(x, y);
            if (c.Alpha < 0.3) continue;
            const Color onMatte = Over(c, matte);
            out.At(x, y) = {ToByte(onMatte.Red), ToByte(onMatte.Green), ToByte(onMatte.Blue), 255};
        }
    }
    return out;
}

}  // namespace art
