// Round trips through the encoders of art_core and the independent
// readers, on inputs chosen to hit the formats' awkward corners.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "art/Colors.h"
#include "art/src/Formats.h"
#include "tests/art/ImageReaders.h"

namespace art_test {
namespace {

// A small deterministic generator for test data.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state_(seed) {}
    std::uint32_t Next() {
        state_ = state_ * 1664525u + 1013904223u;
        return state_ >> 8;
    }

private:
    std::uint32_t state_;
};

TEST(Lzw, RoundTripsAcrossEveryCodeWidthChangeAndTableReset) {
    // Lengths step through the points where the code width grows; random
    // data fills the table quickly and forces several resets.
    Noise noise(7);
    for (std::size_t length : {0u, 1u, 2u, 3u, 255u, 256u, 257u, 511u, 512u, 4000u, 20000u, 70000u}) {
        std::vector<std::uint8_t> data(length);
        for (auto& v : data) v = static_cast<std::uint8_t>(noise.Next() % 256);
        EXPECT_EQ(LzwDecode(art::LzwCompress(data), 8), data) << "length " << length;
    }
    for (std::size_t length = 1; length < 1500; ++length) {
        std::vector<std::uint8_t> data(length);
        for (auto& v : data) v = static_cast<std::uint8_t>(noise.Next() % 5);
        ASSERT_EQ(LzwDecode(art::LzwCompress(data), 8), data) << "length " << length;
    }
}

TEST(Lzw, RoundTripsLongRunsOfOneValue) {
    // Runs exercise codes that refer to the entry being defined.
    for (std::size_t length : {2u, 3u, 4u, 100u, 10000u, 200000u}) {
        const std::vector<std::uint8_t> data(length, 42);
        EXPECT_EQ(LzwDecode(art::LzwCompress(data), 8), data) << "length " << length;
    }
}

TEST(Gif, KeepsTransparencyAndColorsBeyondTheTableSize) {
    art::Pixmap image(40, 30);
    Noise noise(3);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            image.At(x, y) = {static_cast<std::uint8_t>(noise.Next()), static_cast<std::uint8_t>(noise.Next()),
                              static_cast<std::uint8_t>(noise.Next()), static_cast<std::uint8_t>(x < 5 ? 0 : 255)};
    // The transparent entry is the window grey, as for the donate badge; an opaque pixel in that very
    // colour must stay visible.
    constexpr art::Rgb Grey = art::WindowGrey;
    image.At(20, 10) = {Grey.Red, Grey.Green, Grey.Blue, 255};
    const Gif gif = ParseGif(art::EncodeGif(image, {Grey.Red, Grey.Green, Grey.Blue}));
    ASSERT_EQ(gif.Width, 40);
    ASSERT_EQ(gif.Height, 30);
    ASSERT_EQ(gif.Indices.size(), 1200u);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            const int index = gif.Indices[y * 40 + x];
            EXPECT_EQ(index == gif.TransparentIndex, x < 5) << x << "," << y;
        }
    }
    const Pixel kept = gif.Palette[gif.Indices[10 * 40 + 20]];
    EXPECT_LE(std::abs(kept.Red - Grey.Red) + std::abs(kept.Green - Grey.Green) + std::abs(kept.Blue - Grey.Blue), 60);
}

TEST(Bmp, PremultipliedChannelsNeverExceedAlpha) {
    art::Image image(3, 1);
    image.At(0, 0) = {0.5, 0.5, 0.5, 0.5};
    image.At(1, 0) = {0.2, 0.0, 0.0019, 0.0019};  // rounds to alpha 0: must be all zero
    image.At(2, 0) = {0.3, 0.1, 0.0, 0.25};       // red above alpha: clamped
    const art::Pixmap p = art::Premultiplied(image);
    EXPECT_EQ(p.At(0, 0), (art::Rgba8{128, 128, 128, 128}));
    EXPECT_EQ(p.At(1, 0), (art::Rgba8{0, 0, 0, 0}));
    EXPECT_EQ(p.At(2, 0), (art::Rgba8{64, 26, 0, 64}));
}

art::Pixmap IconTestImage(int size) {
    art::Pixmap image(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const bool inside = x >= 2 && y >= 2;
            image.At(x, y) = {static_cast<std::uint8_t>(x * 255 / size), static_cast<std::uint8_t>(y * 255 / size),
                              static_cast<std::uint8_t>((x + y) % 2 ? 255 : 0),
                              static_cast<std::uint8_t>(inside ? (x == 3 ? 127 : 255) : 0)};
        }
    }
    return image;
}

TEST(Icon, StoresEachDepthWithItsMaskAndPalette) {
    // 20 px is not a multiple of 32 pixels: AND-mask and 1/4-bit rows are padded.
    const std::vector<art::IconImage> images{
        {IconTestImage(20), 1}, {IconTestImage(20), 4}, {IconTestImage(20), 8}, {IconTestImage(20), 32}};
    const IconFile icon = ParseIcon(art::EncodeIcon(images));
    ASSERT_EQ(icon.Type, 1);
    ASSERT_EQ(icon.Entries.size(), 4u);
    const art::Pixmap source = IconTestImage(20);
    for (const IconEntry& e : icon.Entries) {
        const Bitmap& b = e.Image;
        SCOPED_TRACE(std::to_string(b.BitsPerPixel) + " bpp");
        EXPECT_EQ(e.BitCount, b.BitsPerPixel);
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 20; ++x) {
                const art::Rgba8 s = source.At(x, y);
                EXPECT_EQ(b.Transparent(x, y), s.Alpha < 128) << x << "," << y;
                const Pixel p = b.At(x, y);
                if (b.BitsPerPixel == 32) {
                    EXPECT_EQ(p, (Pixel{s.Red, s.Green, s.Blue, s.Alpha}));
                } else if (s.Alpha < 128) {
                    EXPECT_EQ(p, (Pixel{0, 0, 0}));
                } else if (b.BitsPerPixel == 8) {
                    // 361 distinct colours squeezed into 255 stay close.
                    EXPECT_LE(std::abs(p.Red - s.Red) + std::abs(p.Green - s.Green) + std::abs(p.Blue - s.Blue), 64);
                }
            }
        }
    }
}

TEST(Cursor, StoresTheHotSpotAndRejectsOneOutside) {
    const art::IconImage image{IconTestImage(32), 1};
    const IconFile cursor = ParseIcon(art::EncodeCursor(image, 31, 7));
    EXPECT_EQ(cursor.Type, 2);
    EXPECT_EQ(cursor.Entries.at(0).Planes, 31);
    EXPECT_EQ(cursor.Entries.at(0).BitCount, 7);
    EXPECT_EQ(cursor.Entries.at(0).ColorCount, 2);
    EXPECT_THROW(art::EncodeCursor(image, 32, 0), std::invalid_argument);
    EXPECT_THROW(art::EncodeCursor(image, 0, -1), std::invalid_argument);
}

}  // namespace
}  // namespace art_test
