// The pictures drawn at the display scales Windows offers: their sizes, the
// pupil's exact colour key, the skins' alpha, the progress bar's blocks. The
// sizes are spelt out: each is the size at 100 % times the scale, halves up.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <ostream>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>

#include "art/src/Artwork.h"

namespace art_test {
namespace {

struct Scaled {
    double Scale;
    int Pupil;
    int SkinWidth, SkinHeight;
    int PlaceholderWidth, PlaceholderHeight;
    int BarWidth, LastBarWidth, BarHeight, BlockWidth;
    int BadgeWidth, BadgeHeight;
    int Cursor, HotX;
};

const Scaled Scales[] = {
    {1.0, 13, 130, 90, 124, 81, 126, 125, 17, 6, 115, 45, 32, 5},
    {1.25, 16, 163, 113, 155, 101, 158, 156, 21, 8, 144, 56, 40, 6},
    {1.5, 20, 195, 135, 186, 122, 189, 188, 26, 9, 173, 68, 48, 8},
    {1.75, 23, 228, 158, 217, 142, 221, 219, 30, 11, 201, 79, 56, 9},
    {2.0, 26, 260, 180, 248, 162, 252, 250, 34, 12, 230, 90, 64, 10},
    {2.5, 33, 325, 225, 310, 203, 315, 313, 43, 15, 288, 113, 80, 13},
    {3.0, 39, 390, 270, 372, 243, 378, 375, 51, 18, 345, 135, 96, 15},
};

void PrintTo(const Scaled& s, std::ostream* os) { *os << "scale " << s.Scale; }

std::string ScaleName(double scale) { return "Percent" + std::to_string(std::lround(scale * 100)); }

// The colour key spelt out: the eyes window keys out exactly this grey.
constexpr int Key = 230;

bool IsKey(const art::Rgba8& p) { return p.Red == Key && p.Green == Key && p.Blue == Key; }

// ---------------------------------------------------------------- pupil

class ScaledPupil : public testing::TestWithParam<Scaled> {};

TEST_P(ScaledPupil, IsADarkDiscOnExactlyTheKeyWithNoNearKeyRim) {
    const Scaled& s = GetParam();
    const art::Pixmap pupil = art::DrawPupil(s.Scale);
    ASSERT_EQ(pupil.Width, s.Pupil);
    ASSERT_EQ(pupil.Height, s.Pupil);
    // The pupil's box is 14 x 14 at 100 %: the picture fits inside it.
    EXPECT_LE(s.Pupil, static_cast<int>(std::floor(14 * s.Scale)));

    const int n = s.Pupil;
    const double centre = n / 2.0, radius = n / 2.0;
    int lightRim = 0;
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const art::Rgba8 p = pupil.At(x, y);
            // Nearest and farthest points of the pixel's square from the disc's centre.
            const double nx = std::clamp(centre, double(x), x + 1.0) - centre;
            const double ny = std::clamp(centre, double(y), y + 1.0) - centre;
            const double fx = std::max(std::abs(x - centre), std::abs(x + 1 - centre));
            const double fy = std::max(std::abs(y - centre), std::abs(y + 1 - centre));
            if (std::hypot(nx, ny) > radius + 1e-6) {
                EXPECT_TRUE(IsKey(p)) << "outside the disc at " << x << "," << y;
            }
            if (std::hypot(fx, fy) < radius - 1e-6) {
                EXPECT_LE(std::max({p.Red, p.Green, p.Blue}), 100) << "disc must be dark at " << x << "," << y;
            }
            // The key-ness is mirror-symmetric: the disc is round.
            EXPECT_EQ(IsKey(p), IsKey(pupil.At(n - 1 - x, y))) << x << "," << y;
            EXPECT_EQ(IsKey(p), IsKey(pupil.At(y, x))) << x << "," << y;
            if (IsKey(p)) continue;
            const int away = std::max({std::abs(p.Red - Key), std::abs(p.Green - Key), std::abs(p.Blue - Key)});
            EXPECT_GT(away, 8) << "almost the key at " << x << "," << y;
            if (std::min({p.Red, p.Green, p.Blue}) > Key) ++lightRim;  // blended towards white
        }
    }
    EXPECT_GT(lightRim, 0);
    // The disc reaches the middle of every side, and is lit from the upper left.
    for (auto [x, y] : {std::pair{0, n / 2}, {n - 1, n / 2}, {n / 2, 0}, {n / 2, n - 1}}) {
        EXPECT_FALSE(IsKey(pupil.At(x, y))) << x << "," << y;
    }
    EXPECT_GT(pupil.At(n * 3 / 10, n * 3 / 10).Red, pupil.At(n * 2 / 3, n * 2 / 3).Red);
}

INSTANTIATE_TEST_SUITE_P(EveryScale, ScaledPupil, testing::ValuesIn(Scales),
                         [](const auto& info) { return ScaleName(info.param.Scale); });

// ---------------------------------------------------------------- skins

class ScaledSkin : public testing::TestWithParam<std::tuple<Scaled, art::SkinStyle>> {};

TEST_P(ScaledSkin, IsPremultipliedClearAtItsBorderAndOpaqueWhiteOverTheEyes) {
    const auto& [s, style] = GetParam();
    const art::Image skin = art::DrawSkin(style, s.Scale);
    ASSERT_EQ(skin.Width(), s.SkinWidth);
    ASSERT_EQ(skin.Height(), s.SkinHeight);
    auto byte = [](double v) { return v * 255.0; };

    int partial = 0;
    for (int y = 0; y < skin.Height(); ++y) {
        for (int x = 0; x < skin.Width(); ++x) {
            const art::Color c = skin.At(x, y);
            ASSERT_LE(std::max({c.Red, c.Green, c.Blue}), c.Alpha + 1e-9) << "not premultiplied at " << x << "," << y;
            if (x == 0 || y == 0 || x == skin.Width() - 1 || y == skin.Height() - 1) {
                ASSERT_LT(byte(c.Alpha), 0.5) << "border " << x << "," << y;
            }
            if (byte(c.Alpha) >= 0.5 && byte(c.Alpha) < 254.5) ++partial;
        }
    }
    // Anti-aliased rims and a blurred shadow, along a perimeter that grows with the scale.
    EXPECT_GT(partial, 600 * s.Scale);

    // The eye areas at 100 % (centre 34.5 or 94.5, 47.5; radii 22.5 x 29.5), grown by 3 for the
    // pupil box's corners: opaque light white under every pixel centre inside them.
    for (double eyeX : {34.5, 94.5}) {
        int checked = 0;
        for (int y = 0; y < skin.Height(); ++y) {
            for (int x = 0; x < skin.Width(); ++x) {
                const double u = ((x + 0.5) / s.Scale - eyeX) / 25.5;
                const double v = ((y + 0.5) / s.Scale - 47.5) / 32.5;
                if (u * u + v * v > 1.0) continue;
                ++checked;
                const art::Color c = skin.At(x, y);
                ASSERT_GE(byte(c.Alpha), 254.5) << x << "," << y;
                ASSERT_GE(byte(std::min({c.Red, c.Green, c.Blue})), 190) << x << "," << y;
            }
        }
        EXPECT_GT(checked, 2000 * s.Scale * s.Scale);
    }

    // Straight down from the left eye's centre: the rim is black on Tavrin, grey on Classic.
    double darkestOpaque = 1.0;
    const int column = static_cast<int>(34.5 * s.Scale);
    for (int y = static_cast<int>(47.5 * s.Scale); y < skin.Height(); ++y) {
        const art::Color c = skin.At(column, y);
        if (byte(c.Alpha) >= 254.5) darkestOpaque = std::min(darkestOpaque, c.Red);
    }
    if (style == art::SkinStyle::Tavrin) {
        EXPECT_LE(byte(darkestOpaque), 40);
    } else {
        EXPECT_GE(byte(darkestOpaque), 120);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryScale, ScaledSkin,
                         testing::Combine(testing::ValuesIn(Scales),
                                          testing::Values(art::SkinStyle::Tavrin, art::SkinStyle::Classic)),
                         [](const auto& info) {
                             const bool tavrin = std::get<1>(info.param) == art::SkinStyle::Tavrin;
                             return ScaleName(std::get<0>(info.param).Scale) + (tavrin ? "Tavrin" : "Classic");
                         });

// ---------------------------------------------------------------- progress bar

class ScaledProgressBar : public testing::TestWithParam<Scaled> {};

TEST_P(ScaledProgressBar, EveryFrameShowsItsBlocksInsideAnOutline) {
    const Scaled& s = GetParam();
    const art::Rgba8 outline{104, 104, 104, 255}, window{224, 224, 224, 255}, white{255, 255, 255, 255};
    auto green = [](const art::Rgba8& p) { return p.Green > p.Red + 40; };
    for (int blocks = 1; blocks <= 15; ++blocks) {
        SCOPED_TRACE("frame " + std::to_string(blocks));
        const art::Pixmap bar = art::DrawProgressFrame(blocks, s.Scale);
        const int w = bar.Width, h = bar.Height;
        ASSERT_EQ(w, blocks == 15 ? s.LastBarWidth : s.BarWidth);
        ASSERT_EQ(h, s.BarHeight);
        for (auto [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}}) EXPECT_EQ(bar.At(x, y), window);
        for (auto [x, y] : {std::pair{w / 2, 0}, {w / 2, h - 1}, {0, h / 2}, {w - 1, h / 2}}) {
            EXPECT_EQ(bar.At(x, y), outline) << x << "," << y;
        }

        // Along the middle row: `blocks` green runs of one width, white around them.
        std::vector<std::pair<int, int>> runs;
        for (int x = 0; x < w; ++x) {
            if (!green(bar.At(x, h / 2))) continue;
            if (x == 0 || !green(bar.At(x - 1, h / 2))) runs.push_back({x, x});
            runs.back().second = x + 1;
        }
        ASSERT_EQ(static_cast<int>(runs.size()), blocks);
        for (const auto& [left, right] : runs) EXPECT_EQ(right - left, s.BlockWidth) << "block at " << left;
        EXPECT_EQ(bar.At(runs.front().first - 1, h / 2), white);
        EXPECT_EQ(bar.At(runs.back().second, h / 2), white);

        // A block is 11 of the 17 rows at 100 %: the top wall's light shade or white above it, white below.
        const int middle = (runs.front().first + runs.front().second) / 2;
        int rows = 0, top = -1;
        for (int y = 0; y < h; ++y) {
            if (!green(bar.At(middle, y))) continue;
            if (top < 0) top = y;
            ++rows;
        }
        EXPECT_LE(std::abs(rows - 11 * s.Scale), 1.0);
        const art::Rgba8 lightShade{239, 239, 239, 255};
        EXPECT_TRUE(bar.At(middle, top - 1) == white || bar.At(middle, top - 1) == lightShade);
        EXPECT_EQ(bar.At(middle, top + rows), white);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryScale, ScaledProgressBar, testing::ValuesIn(Scales),
                         [](const auto& info) { return ScaleName(info.param.Scale); });

// ---------------------------------------------------------------- placeholder, cursor, badge

class ScaledSmallPictures : public testing::TestWithParam<Scaled> {};

TEST_P(ScaledSmallPictures, PlaceholderCursorAndBadgeKeepTheirShape) {
    const Scaled& s = GetParam();
    const art::Pixmap placeholder = art::DrawPlaceholder(s.Scale);
    EXPECT_EQ(placeholder.Width, s.PlaceholderWidth);
    EXPECT_EQ(placeholder.Height, s.PlaceholderHeight);
    for (const art::Rgba8& p : placeholder.Pixels) ASSERT_EQ(p, art::Rgba8{});

    // The hand: its hot spot is the fingertip's top-left pixel, and the black outline closes around
    // the white fill.
    const art::Pixmap hand = art::DrawHandCursor(s.Scale);
    ASSERT_EQ(hand.Width, s.Cursor);
    ASSERT_EQ(hand.Height, s.Cursor);
    const art::HotSpot hot = art::HandHotSpot(s.Scale);
    EXPECT_EQ(hot.X, s.HotX);
    EXPECT_EQ(hot.Y, 0);
    const art::Rgba8 black{0, 0, 0, 255}, white{255, 255, 255, 255};
    EXPECT_EQ(hand.At(s.HotX, 0), black);
    EXPECT_EQ(hand.At(s.HotX - 1, 0).Alpha, 0);
    int whites = 0;
    for (int y = 0; y < hand.Height; ++y) {
        for (int x = 0; x < hand.Width; ++x) {
            const art::Rgba8 p = hand.At(x, y);
            ASSERT_TRUE(p == black || p == white || p == art::Rgba8{}) << x << "," << y;
            if (p != white) continue;
            ++whites;
            for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                const int nx = x + dx, ny = y + dy;
                ASSERT_TRUE(nx >= 0 && ny >= 0 && nx < hand.Width && ny < hand.Height);
                EXPECT_NE(hand.At(nx, ny).Alpha, 0) << "open outline at " << x << "," << y;
            }
        }
    }
    EXPECT_GT(whites, 100 * s.Scale * s.Scale);

    const art::Pixmap badge = art::DrawDonateBadge(s.Scale);
    ASSERT_EQ(badge.Width, s.BadgeWidth);
    ASSERT_EQ(badge.Height, s.BadgeHeight);
    for (auto [x, y] : {std::pair{0, 0}, {badge.Width - 1, 0}, {0, badge.Height - 1}}) {
        EXPECT_EQ(badge.At(x, y).Alpha, 0) << x << "," << y;
    }
    // Golden near the top of the button's middle (57, 6 at 100 %).
    const art::Rgba8 gold = badge.At(static_cast<int>(57.5 * s.Scale), static_cast<int>(6.5 * s.Scale));
    EXPECT_GT(gold.Red, 200);
    EXPECT_GT(gold.Red, gold.Blue + 60);
    std::set<std::tuple<int, int, int>> colors;
    for (const art::Rgba8& p : badge.Pixels) colors.insert({p.Red, p.Green, p.Blue});
    EXPECT_GT(colors.size(), 16u) << "anti-aliased artwork uses many colours";
}

INSTANTIATE_TEST_SUITE_P(EveryScale, ScaledSmallPictures, testing::ValuesIn(Scales),
                         [](const auto& info) { return ScaleName(info.param.Scale); });

TEST(Scales, BelowOneAboveFiveAndNaNAreRejected) {
    for (double scale : {0.99, 0.5, 5.01, std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_THROW(art::DrawPupil(scale), std::invalid_argument) << scale;
        EXPECT_THROW(art::DrawProgressFrame(1, scale), std::invalid_argument) << scale;
        EXPECT_THROW(art::HandHotSpot(scale), std::invalid_argument) << scale;
    }
    // A custom scale between the offered ones, and the largest.
    EXPECT_EQ(art::DrawPupil(1.1).Width, 14);
    EXPECT_EQ(art::DrawSkin(art::SkinStyle::Classic, 5.0).Width(), 650);
}

}  // namespace
}  // namespace art_test
