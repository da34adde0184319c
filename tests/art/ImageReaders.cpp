#include "tests/art/ImageReaders.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace art_test {

namespace {

class Reader {
public:
    Reader(const Bytes& bytes, std::size_t at = 0) : bytes_(bytes), at_(at) {}
    std::uint8_t u8() {
        if (at_ >= bytes_.size()) throw std::runtime_error("file ends early");
        return bytes_[at_++];
    }
    unsigned u16() {
        const unsigned lo = u8();
        return lo | (unsigned{u8()} << 8);
    }
    std::uint32_t u32() {
        const std::uint32_t lo = u16();
        return lo | (std::uint32_t{u16()} << 16);
    }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    std::size_t position() const { return at_; }
    void seek(std::size_t at) { at_ = at; }
    void skip(std::size_t n) { at_ += n; }

private:
    const Bytes& bytes_;
    std::size_t at_;
};

void require(bool condition, const std::string& what) {
    if (!condition) throw std::runtime_error(what);
}

std::size_t stride(int width, int bits) { return ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4; }

int packedValue(const Bytes& bytes, std::size_t rowStart, int x, int bits) {
    const std::size_t bit = static_cast<std::size_t>(x) * bits;
    const std::uint8_t byte = bytes.at(rowStart + bit / 8);
    return (byte >> (8 - bits - bit % 8)) & ((1 << bits) - 1);
}

// Reads a BITMAPINFOHEADER and the pixels after it. With `iconImage`, the
// height is doubled and an AND mask follows the colour bitmap.
Bitmap readDib(const Bytes& bytes, std::size_t at, bool iconImage) {
    Reader in(bytes, at);
    require(in.u32() == 40, "BITMAPINFOHEADER must be 40 bytes");
    Bitmap bmp;
    bmp.width = in.i32();
    const int storedHeight = in.i32();
    require(in.u16() == 1, "planes must be 1");
    bmp.bitsPerPixel = static_cast<int>(in.u16());
    require(in.u32() == 0, "compression must be BI_RGB");
    in.skip(12);
    const std::uint32_t coloursUsed = in.u32();
    in.skip(4);
    require(storedHeight > 0, "rows must be stored bottom-up");
    if (iconImage) require(storedHeight % 2 == 0, "icon height must be doubled");
    bmp.height = iconImage ? storedHeight / 2 : storedHeight;
    require(bmp.width > 0 && bmp.width <= 4096 && bmp.height > 0 && bmp.height <= 4096, "bad size");
    const int bpp = bmp.bitsPerPixel;
    require(bpp == 1 || bpp == 4 || bpp == 8 || bpp == 24 || bpp == 32, "unsupported depth");

    std::vector<Pixel> palette;
    if (bpp <= 8) {
        bmp.paletteEntries = coloursUsed ? static_cast<int>(coloursUsed) : 1 << bpp;
        for (int i = 0; i < bmp.paletteEntries; ++i) {
            const int b = in.u8(), g = in.u8(), r = in.u8();
            in.u8();
            palette.push_back({r, g, b, 255});
        }
    }
    const std::size_t pixelsAt = in.position();
    const std::size_t rowBytes = stride(bmp.width, bpp);
    require(pixelsAt + rowBytes * bmp.height <= bytes.size(), "pixel data truncated");
    bmp.pixels.resize(static_cast<std::size_t>(bmp.width) * bmp.height);
    for (int row = 0; row < bmp.height; ++row) {
        const int y = bmp.height - 1 - row;
        const std::size_t start = pixelsAt + rowBytes * row;
        for (int x = 0; x < bmp.width; ++x) {
            Pixel& p = bmp.pixels[static_cast<std::size_t>(y) * bmp.width + x];
            if (bpp >= 24) {
                const std::size_t i = start + static_cast<std::size_t>(x) * (bpp / 8);
                p = {bytes[i + 2], bytes[i + 1], bytes[i], bpp == 32 ? bytes[i + 3] : 255};
            } else {
                const int index = packedValue(bytes, start, x, bpp);
                require(index < static_cast<int>(palette.size()), "palette index out of range");
                p = palette[index];
            }
        }
    }
    if (iconImage) {
        const std::size_t maskAt = pixelsAt + rowBytes * bmp.height;
        const std::size_t maskRow = stride(bmp.width, 1);
        require(maskAt + maskRow * bmp.height <= bytes.size(), "AND mask truncated");
        bmp.mask.resize(bmp.pixels.size());
        for (int row = 0; row < bmp.height; ++row) {
            const int y = bmp.height - 1 - row;
            for (int x = 0; x < bmp.width; ++x)
                bmp.mask[static_cast<std::size_t>(y) * bmp.width + x] =
                    packedValue(bytes, maskAt + maskRow * row, x, 1) != 0;
        }
    }
    return bmp;
}

}  // namespace

Bytes readFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw std::runtime_error("cannot open " + path.string());
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

Bitmap parseBmp(const Bytes& file) {
    Reader in(file);
    require(in.u8() == 'B' && in.u8() == 'M', "not a BMP");
    require(in.u32() == file.size(), "file size field is wrong");
    in.u32();
    const std::uint32_t dataAt = in.u32();
    Bitmap bmp = readDib(file, 14, false);
    require(bmp.bitsPerPixel == 24 || bmp.bitsPerPixel == 32, "expected a true-colour BMP");
    require(dataAt == 54, "pixels must follow the headers");
    require(54 + stride(bmp.width, bmp.bitsPerPixel) * bmp.height == file.size(), "unexpected data length");
    return bmp;
}

IconFile parseIcon(const Bytes& file) {
    Reader in(file);
    require(in.u16() == 0, "reserved field must be 0");
    IconFile icon;
    icon.type = static_cast<int>(in.u16());
    require(icon.type == 1 || icon.type == 2, "not an icon or cursor");
    const unsigned count = in.u16();
    for (unsigned i = 0; i < count; ++i) {
        IconEntry e;
        e.width = in.u8();
        e.height = in.u8();
        e.colourCount = in.u8();
        require(in.u8() == 0, "entry reserved byte must be 0");
        e.planes = static_cast<int>(in.u16());
        e.bitCount = static_cast<int>(in.u16());
        e.size = in.u32();
        e.offset = in.u32();
        require(std::size_t{e.offset} + e.size <= file.size(), "image lies outside the file");
        e.image = readDib(file, e.offset, true);
        const Bitmap& b = e.image;
        const std::size_t expected = 40 + 4 * static_cast<std::size_t>(b.paletteEntries) +
                                     (stride(b.width, b.bitsPerPixel) + stride(b.width, 1)) * b.height;
        require(e.size == expected, "entry size does not match its image");
        icon.entries.push_back(std::move(e));
    }
    return icon;
}

std::vector<std::uint8_t> lzwDecode(const Bytes& data, int minimumCodeSize) {
    const unsigned clear = 1u << minimumCodeSize;
    const unsigned end = clear + 1;
    std::vector<Bytes> table;
    auto reset = [&] {
        table.clear();
        for (unsigned i = 0; i < clear + 2; ++i) table.push_back(Bytes{static_cast<std::uint8_t>(i)});
    };
    reset();
    int width = minimumCodeSize + 1;
    std::size_t bitPos = 0;
    auto readCode = [&]() -> unsigned {
        require(bitPos + width <= data.size() * 8, "LZW data ends without an end code");
        unsigned code = 0;
        for (int i = 0; i < width; ++i, ++bitPos) code |= ((data[bitPos / 8] >> (bitPos % 8)) & 1u) << i;
        return code;
    };

    std::vector<std::uint8_t> out;
    long previous = -1;
    for (;;) {
        const unsigned code = readCode();
        if (code == clear) {
            reset();
            width = minimumCodeSize + 1;
            previous = -1;
            continue;
        }
        if (code == end) break;
        Bytes entry;
        if (previous < 0) {
            require(code < clear, "first code after a clear must be a literal");
            entry = table[code];
        } else {
            if (code < table.size()) {
                entry = table[code];
            } else {
                require(code == table.size(), "LZW code beyond the table");
                entry = table[static_cast<std::size_t>(previous)];
                entry.push_back(entry.front());
            }
            if (table.size() < 4096) {
                Bytes added = table[static_cast<std::size_t>(previous)];
                added.push_back(entry.front());
                table.push_back(std::move(added));
            }
            if (table.size() == (1u << width) && width < 12) ++width;
        }
        out.insert(out.end(), entry.begin(), entry.end());
        previous = code;
    }
    require((bitPos + 7) / 8 == data.size(), "data after the end code");
    return out;
}

Gif parseGif(const Bytes& file) {
    Reader in(file);
    const std::string signature(file.begin(), file.begin() + std::min<std::size_t>(6, file.size()));
    require(signature == "GIF89a", "not a GIF89a");
    in.skip(6);
    Gif gif;
    gif.width = static_cast<int>(in.u16());
    gif.height = static_cast<int>(in.u16());
    const std::uint8_t flags = in.u8();
    in.skip(2);
    require(flags & 0x80, "expected a global colour table");
    gif.paletteEntries = 2 << (flags & 7);
    for (int i = 0; i < gif.paletteEntries; ++i) {
        const int r = in.u8(), g = in.u8(), b = in.u8();
        gif.palette.push_back({r, g, b, 255});
    }
    bool haveImage = false;
    for (;;) {
        const std::uint8_t block = in.u8();
        if (block == 0x3B) break;
        if (block == 0x21) {
            const std::uint8_t label = in.u8();
            Bytes body;
            for (std::uint8_t n = in.u8(); n; n = in.u8())
                for (int i = 0; i < n; ++i) body.push_back(in.u8());
            if (label == 0xF9) {
                require(body.size() == 4, "graphic control extension must be 4 bytes");
                if (body[0] & 1) gif.transparentIndex = body[3];
            }
            continue;
        }
        require(block == 0x2C, "unknown GIF block");
        require(!haveImage, "expected a single image");
        haveImage = true;
        require(in.u16() == 0 && in.u16() == 0, "image must start at the origin");
        require(static_cast<int>(in.u16()) == gif.width && static_cast<int>(in.u16()) == gif.height,
                "image must cover the screen");
        require(in.u8() == 0, "no local table or interlacing expected");
        const int minimumCodeSize = in.u8();
        Bytes data;
        for (std::uint8_t n = in.u8(); n; n = in.u8())
            for (int i = 0; i < n; ++i) data.push_back(in.u8());
        gif.indices = lzwDecode(data, minimumCodeSize);
    }
    require(haveImage, "no image in the GIF");
    require(in.position() == file.size(), "bytes after the trailer");
    return gif;
}

}  // namespace art_test
