// Checks the committed pictures in art/images against what the program
// needs from them, and that they are exactly what make_art draws today.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <unistd.h>

#include <cmath>
#include <numbers>
#include <set>
#include <utility>

#include "art/Colors.h"
#include "tests/art/ImageReaders.h"

namespace art_test {
namespace {

namespace fs = std::filesystem;

const fs::path ImagesDir = ART_IMAGES_DIR;
// The colour key spelt out on purpose instead of taken from art/Colors.h: the committed pictures must
// hold exactly this grey, so that a change of the shared constant cannot go unnoticed.
const Pixel KeyColor{230, 230, 230, 255};

Bitmap LoadBmp(const std::string& name) { return ParseBmp(ReadFile(ImagesDir / name)); }

bool IsKey(const Pixel& p) { return p.Red == KeyColor.Red && p.Green == KeyColor.Green && p.Blue == KeyColor.Blue; }

// ---------------------------------------------------------------- pupil

TEST(Pupil, IsARoundDarkDiscOnTheKeyColor) {
    const Bitmap pupil = LoadBmp("pupil.bmp");
    ASSERT_EQ(pupil.Width, 13);
    ASSERT_EQ(pupil.Height, 13);
    ASSERT_EQ(pupil.BitsPerPixel, 24);
    for (auto [x, y] : {std::pair{0, 0}, {12, 0}, {0, 12}, {12, 12}}) EXPECT_TRUE(IsKey(pupil.At(x, y)));

    int lightRim = 0;
    for (int y = 0; y < 13; ++y) {
        for (int x = 0; x < 13; ++x) {
            const Pixel p = pupil.At(x, y);
            // Mirror images of a key pixel are key too: the disc is round.
            EXPECT_EQ(IsKey(p), IsKey(pupil.At(12 - x, y))) << x << "," << y;
            EXPECT_EQ(IsKey(p), IsKey(pupil.At(x, 12 - y))) << x << "," << y;
            EXPECT_EQ(IsKey(p), IsKey(pupil.At(y, x))) << x << "," << y;
            const double d = std::hypot(x + 0.5 - 6.5, y + 0.5 - 6.5);
            if (d <= 5.0) {
                EXPECT_LE(std::max({p.Red, p.Green, p.Blue}), 100) << "disc must be dark at " << x << "," << y;
            }
            if (IsKey(p)) {
                EXPECT_GT(d, 6.0) << "hole in the disc at " << x << "," << y;
            } else if (std::min({p.Red, p.Green, p.Blue}) > 230) {
                ++lightRim;  // blended towards white, never towards the key grey
            }
        }
    }
    EXPECT_GT(lightRim, 0);
    // The disc reaches the middle of every side: its diameter is ~13.
    for (auto [x, y] : {std::pair{0, 6}, {12, 6}, {6, 0}, {6, 12}}) EXPECT_FALSE(IsKey(pupil.At(x, y)));
    // Lit from the upper left.
    EXPECT_GT(pupil.At(4, 4).Red, pupil.At(8, 8).Red);
}

// ---------------------------------------------------------------- skins

TEST(Placeholder, IsFullyTransparent) {
    const Bytes file = ReadFile(ImagesDir / "placeholder.bmp");
    const Bitmap bmp = ParseBmp(file);
    EXPECT_EQ(bmp.Width, 124);
    EXPECT_EQ(bmp.Height, 81);
    EXPECT_EQ(bmp.BitsPerPixel, 32);
    for (std::size_t i = 54; i < file.size(); ++i) ASSERT_EQ(file[i], 0) << "byte " << i;
}

class Skin : public testing::TestWithParam<const char*> {
protected:
    Bitmap skin_ = LoadBmp(GetParam());
    bool Tavrin() const { return std::string(GetParam()) == "skin_tavrin.bmp"; }
};

TEST_P(Skin, IsPremultipliedWithAClearBorder) {
    ASSERT_EQ(skin_.Width, 130);
    ASSERT_EQ(skin_.Height, 90);
    ASSERT_EQ(skin_.BitsPerPixel, 32);
    int partial = 0;
    for (int y = 0; y < 90; ++y) {
        for (int x = 0; x < 130; ++x) {
            const Pixel p = skin_.At(x, y);
            ASSERT_LE(std::max({p.Red, p.Green, p.Blue}), p.Alpha) << "not premultiplied at " << x << "," << y;
            if (x == 0 || y == 0 || x == 129 || y == 89) {
                EXPECT_EQ(p.Alpha, 0) << "border " << x << "," << y;
            }
            if (p.Alpha > 0 && p.Alpha < 255) ++partial;
        }
    }
    // Anti-aliased rims and a blurred shadow leave many partly transparent pixels.
    EXPECT_GT(partial, 600);
}

TEST_P(Skin, HasTheRightRimAndAShadowBelow) {
    // Straight down from the left eye's centre: white, rim, shadow, clear.
    const Pixel inside = skin_.At(34, 72);
    EXPECT_EQ(inside.Alpha, 255);
    EXPECT_GE(std::min({inside.Red, inside.Green, inside.Blue}), 190);
    int darkestOpaque = 255;
    for (int y = 72; y < 90; ++y) {
        const Pixel p = skin_.At(34, y);
        if (p.Alpha == 255) darkestOpaque = std::min(darkestOpaque, p.Red);
    }
    if (Tavrin()) {
        EXPECT_LE(darkestOpaque, 40) << "Tavrin eyes have a black rim";
    } else {
        EXPECT_GE(darkestOpaque, 120) << "Classic eyes have no strong black rim";
    }
    bool softShadow = false;
    for (int y = 84; y < 89; ++y) softShadow |= skin_.At(36, y).Alpha > 0 && skin_.At(36, y).Alpha < 128;
    EXPECT_TRUE(softShadow);
    // The gap between the eyes stays clear at the top and bottom of the eyes.
    EXPECT_EQ(skin_.At(64, 12).Alpha, 0);
    EXPECT_LT(skin_.At(64, 47).Alpha, 255);
}

// Top-left corners of the 14 x 14 pupil box as the window places them.
std::set<std::pair<int, int>> PupilBoxPositions(double farLeft, double nearLeft) {
    std::set<std::pair<int, int>> positions;
    constexpr int Angles = 7200;
    for (int k = 0; k < Angles; ++k) {
        const double angle = 2.0 * std::numbers::pi * k / Angles;
        const double ux = std::cos(angle), uy = std::sin(angle);
        positions.insert({static_cast<int>(std::nearbyint(farLeft + 15.5 * (1.0 - ux))),
                          static_cast<int>(std::nearbyint(18.0 + 22.5 * (1.0 - uy)))});
    }
    for (int i = -64; i <= 64; ++i) {
        for (int j = -64; j <= 64; ++j) {
            const double ox = i * 0.25, oy = j * 0.25;
            if (ox * ox + oy * oy > 256.0) continue;
            positions.insert(
                {static_cast<int>(std::nearbyint(nearLeft + ox)), static_cast<int>(std::nearbyint(39.0 + oy))});
        }
    }
    return positions;
}

TEST_P(Skin, EyeWhiteIsOpaqueAndLightUnderEveryPupilPosition) {
    const Bitmap pupil = LoadBmp("pupil.bmp");
    for (const auto& [farLeft, nearLeft] : {std::pair{12.0, 28.0}, {72.0, 88.0}}) {
        const auto positions = PupilBoxPositions(farLeft, nearLeft);
        ASSERT_GT(positions.size(), 500u);
        for (const auto& [left, top] : positions) {
            for (int j = 0; j < 14; ++j) {
                for (int i = 0; i < 14; ++i) {
                    if (i < 13 && j < 13 && IsKey(pupil.At(i, j))) continue;  // shows the skin's own pixel
                    const int x = left + i, y = top + j;
                    ASSERT_TRUE(x >= 0 && y >= 0 && x < 130 && y < 90);
                    const Pixel p = skin_.At(x, y);
                    ASSERT_EQ(p.Alpha, 255) << "box at " << left << "," << top << " pixel " << x << "," << y;
                    ASSERT_GE(std::min({p.Red, p.Green, p.Blue}), 190)
                        << "box at " << left << "," << top << " pixel " << x << "," << y;
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BothSkins, Skin, testing::Values("skin_tavrin.bmp", "skin_classic.bmp"));

// ---------------------------------------------------------------- progress bar

class ProgressFrame : public testing::TestWithParam<int> {};

TEST_P(ProgressFrame, ShowsItsBlocksInASunkenBar) {
    const int blocks = GetParam();
    char name[16];
    std::snprintf(name, sizeof name, "pgb%02d.bmp", blocks);
    const Bitmap bar = LoadBmp(name);
    const int width = blocks == 15 ? 125 : 126;
    ASSERT_EQ(bar.Width, width);
    ASSERT_EQ(bar.Height, 17);
    ASSERT_EQ(bar.BitsPerPixel, 24);
    const Pixel outline{104, 104, 104}, white{255, 255, 255};
    const Pixel window{art::WindowGrey.Red, art::WindowGrey.Green, art::WindowGrey.Blue};
    const Pixel shade{190, 190, 190}, lightShade{239, 239, 239};

    for (int x = 1; x < width - 1; ++x) {
        EXPECT_EQ(bar.At(x, 0), outline) << x;
        EXPECT_EQ(bar.At(x, 16), outline) << x;
    }
    for (int y = 1; y < 16; ++y) {
        EXPECT_EQ(bar.At(0, y), outline) << y;
        EXPECT_EQ(bar.At(width - 1, y), outline) << y;
    }
    for (auto [x, y] : {std::pair{0, 0}, {width - 1, 0}, {0, 16}, {width - 1, 16}}) EXPECT_EQ(bar.At(x, y), window);
    // Sunken: shade along the top and left inner edges.
    EXPECT_EQ(bar.At(20, 1), shade);
    EXPECT_EQ(bar.At(20, 2), lightShade);
    EXPECT_EQ(bar.At(1, 8), shade);
    EXPECT_EQ(bar.At(2, 8), lightShade);

    // Count the blocks along the darkest row.
    int runs = 0;
    for (int x = 3; x < width - 1; ++x)
        if (bar.At(x, 9) != white && bar.At(x - 1, 9) == white) ++runs;
    EXPECT_EQ(runs, blocks);

    const Pixel top{171, 237, 172}, dark{46, 211, 49}, bottom{143, 232, 144};
    for (int i = 0; i < blocks; ++i) {
        const int left = 4 + 8 * i;
        for (int x = left; x < left + 6; ++x) {
            EXPECT_EQ(bar.At(x, 3), top) << "block " << i;
            EXPECT_EQ(bar.At(x, 9), dark) << "block " << i;
            EXPECT_EQ(bar.At(x, 13), bottom) << "block " << i;
            for (int y = 4; y < 13; ++y)
                EXPECT_GT(bar.At(x, y).Green, bar.At(x, y).Red) << "block " << i << " row " << y;
            EXPECT_EQ(bar.At(x, 14), white);
        }
    }
    // White in the gaps, before the first block and after the last one.
    const int end = 4 + 8 * blocks - 2;
    for (int y = 3; y <= 13; ++y) {
        EXPECT_EQ(bar.At(3, y), white);
        for (int i = 0; i + 1 < blocks; ++i) {
            EXPECT_EQ(bar.At(10 + 8 * i, y), white);
            EXPECT_EQ(bar.At(11 + 8 * i, y), white);
        }
        for (int x = end; x < width - 1; ++x) EXPECT_EQ(bar.At(x, y), white) << x << "," << y;
    }
}

INSTANTIATE_TEST_SUITE_P(AllFifteen, ProgressFrame, testing::Range(1, 16));

// ---------------------------------------------------------------- icons and cursor

struct Format {
    int Size, BitsPerPixel;
    friend bool operator==(const Format&, const Format&) = default;
};

void ExpectIcon(const std::string& name, const std::vector<Format>& expected) {
    SCOPED_TRACE(name);
    const IconFile icon = ParseIcon(ReadFile(ImagesDir / name));
    EXPECT_EQ(icon.Type, 1);
    ASSERT_EQ(icon.Entries.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const IconEntry& e = icon.Entries[i];
        const Bitmap& b = e.Image;
        SCOPED_TRACE("image " + std::to_string(i));
        EXPECT_EQ((Format{b.Width, b.BitsPerPixel}), expected[i]);
        EXPECT_EQ(b.Height, b.Width);
        EXPECT_EQ(e.Width, b.Width);
        EXPECT_EQ(e.Height, b.Height);
        EXPECT_EQ(e.Planes, 1);
        EXPECT_EQ(e.BitCount, b.BitsPerPixel);
        EXPECT_EQ(e.ColorCount, b.BitsPerPixel < 8 ? 1 << b.BitsPerPixel : 0);
        if (b.BitsPerPixel <= 8) {
            EXPECT_EQ(b.PaletteEntries, 1 << b.BitsPerPixel);
        }

        int opaque = 0, clear = 0, light = 0, dark = 0;
        for (int y = 0; y < b.Height; ++y) {
            for (int x = 0; x < b.Width; ++x) {
                const Pixel p = b.At(x, y);
                const bool shown = b.BitsPerPixel == 32 ? p.Alpha > 0 : !b.Transparent(x, y);
                if (!shown) {
                    ++clear;
                    // Transparent palette pixels must XOR black onto the screen.
                    if (b.BitsPerPixel <= 8) {
                        EXPECT_EQ(p, (Pixel{0, 0, 0}));
                    }
                    continue;
                }
                if (b.BitsPerPixel == 32 && p.Alpha == 255) ++opaque;
                if (b.BitsPerPixel < 32) ++opaque;
                if (p.Red > 200 && p.Green > 200 && p.Blue > 200) ++light;
                if (p.Red < 60 && p.Green < 60 && p.Blue < 60) ++dark;
            }
        }
        // A real picture: a good part opaque, with white eyes and a dark
        // rim and pupils, and clear around the outline.
        EXPECT_GT(opaque, b.Width * b.Height / 3);
        EXPECT_GT(clear, 0);
        EXPECT_GT(light, b.Width * b.Height / 8);
        EXPECT_GT(dark, b.Width * b.Height / 20);
        EXPECT_TRUE(b.BitsPerPixel == 32 ? b.At(0, 0).Alpha == 0 : b.Transparent(0, 0));
    }
}

TEST(Icons, ApplicationIconHoldsTenImages) {
    ExpectIcon("app.ico",
               {{48, 8}, {32, 8}, {128, 32}, {96, 32}, {72, 32}, {64, 32}, {48, 32}, {32, 32}, {24, 32}, {16, 32}});
}

TEST(Icons, MainWindowIconHoldsEightImages) {
    ExpectIcon("form1.ico", {{32, 4}, {32, 1}, {48, 8}, {32, 8}, {16, 8}, {48, 32}, {32, 32}, {16, 32}});
}

TEST(Icons, AboutIconHoldsNineImagesWithABlueBadge) {
    ExpectIcon("about.ico", {{16, 4}, {32, 4}, {48, 4}, {16, 8}, {32, 8}, {48, 8}, {16, 32}, {32, 32}, {48, 32}});
    for (const IconEntry& e : ParseIcon(ReadFile(ImagesDir / "about.ico")).Entries) {
        const Pixel p = e.Image.At(e.Width * 7 / 8, e.Height * 3 / 4);  // inside the badge, beside the "i"
        EXPECT_GT(p.Blue, p.Red + 100) << e.Width << " px, " << e.Image.BitsPerPixel << " bpp";
    }
}

TEST(Cursor, IsAMonochromeHandWithItsHotSpotOnTheFingertip) {
    const IconFile cursor = ParseIcon(ReadFile(ImagesDir / "hand.cur"));
    EXPECT_EQ(cursor.Type, 2);
    ASSERT_EQ(cursor.Entries.size(), 1u);
    const IconEntry& e = cursor.Entries[0];
    const Bitmap& b = e.Image;
    EXPECT_EQ(b.Width, 32);
    EXPECT_EQ(b.Height, 32);
    EXPECT_EQ(b.BitsPerPixel, 1);
    EXPECT_EQ(e.Planes, 5);    // hot spot x
    EXPECT_EQ(e.BitCount, 0);  // hot spot y
    const Pixel black{0, 0, 0}, white{255, 255, 255};
    EXPECT_FALSE(b.Transparent(5, 0));
    EXPECT_EQ(b.At(5, 0), black);
    int blacks = 0, whites = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            if (b.Transparent(x, y)) {
                EXPECT_EQ(b.At(x, y), black) << "inverted pixel at " << x << "," << y;
                continue;
            }
            (b.At(x, y) == black ? blacks : whites)++;
            // White fill never touches the transparent outside: the outline closes.
            if (b.At(x, y) == white) {
                for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                    const int nx = x + dx, ny = y + dy;
                    ASSERT_TRUE(nx >= 0 && ny >= 0 && nx < 32 && ny < 32);
                    EXPECT_FALSE(b.Transparent(nx, ny)) << "open outline at " << x << "," << y;
                }
            }
        }
    }
    EXPECT_GT(blacks, 40);
    EXPECT_GT(whites, 100);
    for (int x = 0; x < 32; ++x)
        if (x < 5 || x > 6) {
            EXPECT_TRUE(b.Transparent(x, 0)) << "only the fingertip reaches the top row";
        }
}

// ---------------------------------------------------------------- badge

TEST(Badge, DecodesToA115By45PictureWithTransparentCorners) {
    const Gif gif = ParseGif(ReadFile(ImagesDir / "badge.gif"));
    EXPECT_EQ(gif.Width, 115);
    EXPECT_EQ(gif.Height, 45);
    ASSERT_EQ(gif.Indices.size(), 115u * 45u);
    ASSERT_GE(gif.TransparentIndex, 0);
    std::set<int> used;
    for (std::uint8_t i : gif.Indices) {
        ASSERT_LT(i, gif.PaletteEntries);
        used.insert(i);
    }
    EXPECT_GT(used.size(), 16u) << "anti-aliased artwork uses many colours";
    EXPECT_EQ(gif.Indices.front(), gif.TransparentIndex);
    EXPECT_EQ(gif.Indices.back(), gif.TransparentIndex);
    // The middle of the button is golden.
    const Pixel gold = gif.Palette[gif.Indices[6 * 115 + 57]];
    EXPECT_GT(gold.Red, 200);
    EXPECT_GT(gold.Red, gold.Blue + 60);
}

// ---------------------------------------------------------------- regeneration

TEST(Regeneration, CommittedFilesAreExactlyWhatMakeArtDraws) {
    char pattern[] = "/tmp/art_test_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const fs::path out = pattern;
    const std::string command = std::string("'") + MAKE_ART_EXE + "' '" + out.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;

    std::set<std::string> generated, committed;
    for (const auto& f : fs::directory_iterator(out)) generated.insert(f.path().filename().string());
    for (const auto& f : fs::directory_iterator(ImagesDir)) committed.insert(f.path().filename().string());
    EXPECT_EQ(generated, committed);
    EXPECT_EQ(generated.size(), 24u);
    for (const std::string& name : generated) {
        if (!committed.count(name)) continue;
        EXPECT_TRUE(ReadFile(out / name) == ReadFile(ImagesDir / name))
            << name << " differs from the drawing code; run the regenerate_art target";
    }
    fs::remove_all(out);
}

}  // namespace
}  // namespace art_test
