// Minimal readers for the art files, written independently of the
// encoders so that the tests check the files against the formats.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace art_test {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadFile(const std::filesystem::path& path);

struct Pixel {
    int Red = 0, Green = 0, Blue = 0, Alpha = 255;
    friend bool operator==(const Pixel&, const Pixel&) = default;
};

// A decoded bitmap, top row first.
struct Bitmap {
    int Width = 0;
    int Height = 0;
    int BitsPerPixel = 0;
    std::vector<Pixel> Pixels;
    // For icon images: the AND mask (true = transparent).
    std::vector<bool> Mask;
    int PaletteEntries = 0;
    const Pixel& At(int x, int y) const { return Pixels.at(static_cast<std::size_t>(y) * Width + x); }
    bool Transparent(int x, int y) const { return Mask.at(static_cast<std::size_t>(y) * Width + x); }
};

// A .bmp file: BITMAPFILEHEADER + 40-byte BITMAPINFOHEADER, BI_RGB, 24 or
// 32 bits, bottom-up. 32-bit pixels keep their fourth byte as alpha.
// Throws std::runtime_error on anything else.
Bitmap ParseBmp(const Bytes& file);

struct IconEntry {
    int Width = 0, Height = 0, ColorCount = 0;
    int Planes = 0, BitCount = 0;  // hot spot x, y in cursors
    std::uint32_t Size = 0, Offset = 0;
    Bitmap Image;
};

struct IconFile {
    int Type = 0;  // 1 icon, 2 cursor
    std::vector<IconEntry> Entries;
};

// A .ico or .cur file with BMP (not PNG) images of 1, 4, 8 or 32 bits.
IconFile ParseIcon(const Bytes& file);

struct Gif {
    int Width = 0, Height = 0;
    int PaletteEntries = 0;
    int TransparentIndex = -1;
    std::vector<std::uint8_t> Indices;  // Width * Height, top row first
    std::vector<Pixel> Palette;
};

// A single-image GIF89a with a global colour table.
Gif ParseGif(const Bytes& file);

// Decodes GIF LZW data (sub-blocks already joined). Throws if the stream
// is malformed or ends without an end code.
std::vector<std::uint8_t> LzwDecode(const Bytes& data, int minimumCodeSize);

}  // namespace art_test
