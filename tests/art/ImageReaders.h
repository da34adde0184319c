// Minimal readers for the art files, written independently of the
// encoders so that the tests check the files against the formats.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace art_test {

using Bytes = std::vector<std::uint8_t>;

Bytes readFile(const std::filesystem::path& path);

struct Pixel {
    int r = 0, g = 0, b = 0, a = 255;
    friend bool operator==(const Pixel&, const Pixel&) = default;
};

// A decoded bitmap, top row first.
struct Bitmap {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    std::vector<Pixel> pixels;
    // For icon images: the AND mask (true = transparent).
    std::vector<bool> mask;
    int paletteEntries = 0;
    const Pixel& at(int x, int y) const { return pixels.at(static_cast<std::size_t>(y) * width + x); }
    bool transparent(int x, int y) const { return mask.at(static_cast<std::size_t>(y) * width + x); }
};

// A .bmp file: BITMAPFILEHEADER + 40-byte BITMAPINFOHEADER, BI_RGB, 24 or
// 32 bits, bottom-up. 32-bit pixels keep their fourth byte as alpha.
// Throws std::runtime_error on anything else.
Bitmap parseBmp(const Bytes& file);

struct IconEntry {
    int width = 0, height = 0, colourCount = 0;
    int planes = 0, bitCount = 0;  // hot spot x, y in cursors
    std::uint32_t size = 0, offset = 0;
    Bitmap image;
};

struct IconFile {
    int type = 0;  // 1 icon, 2 cursor
    std::vector<IconEntry> entries;
};

// A .ico or .cur file with BMP (not PNG) images of 1, 4, 8 or 32 bits.
IconFile parseIcon(const Bytes& file);

struct Gif {
    int width = 0, height = 0;
    int paletteEntries = 0;
    int transparentIndex = -1;
    std::vector<std::uint8_t> indices;  // width * height, top row first
    std::vector<Pixel> palette;
};

// A single-image GIF89a with a global colour table.
Gif parseGif(const Bytes& file);

// Decodes GIF LZW data (sub-blocks already joined). Throws if the stream
// is malformed or ends without an end code.
std::vector<std::uint8_t> lzwDecode(const Bytes& data, int minimumCodeSize);

}  // namespace art_test
