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
    std::uint8_t U8() {
        if (at_ >= bytes_.size()) throw std::runtime_error("file ends early");
        return bytes_[at_++];
    }
    unsigned U16() {
        const unsigned lo = U8();
        return lo | (unsigned{U8()} << 8);
    }
    std::uint32_t U32() {
        const std::uint32_t lo = U16();
        return lo | (std::uint32_t{U16()} << 16);
    }
    std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
    std::size_t Position() const { return at_; }
    void Seek(std::size_t at) { at_ = at; }
    void Skip(std::size_t n) { at_ += n; }

private:
    const Bytes& bytes_;
    std::size_t at_;
};

void Require(bool condition, const std::string& what) {
    if (!condition) throw std::runtime_error(what);
}

std::size_t Stride(int width, int bits) { return ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4; }

int PackedValue(const Bytes& bytes, std::size_t rowStart, int x, int bits) {
    const std::size_t bit = static_cast<std::size_t>(x) * bits;
    const std::uint8_t byte = bytes.at(rowStart + bit / 8);
    return (byte >> (8 - bits - bit % 8)) & ((1 << bits) - 1);
}

// Reads a BITMAPINFOHEADER and the pixels after it. With `iconImage`, the
// height is doubled and an AND mask follows the colour bitmap.
Bitmap ReadDib(const Bytes& bytes, std::size_t at, bool iconImage) {
    Reader in(bytes, at);
    Require(in.U32() == 40, "BITMAPINFOHEADER must be 40 bytes");
    Bitmap bmp;
    bmp.Width = in.I32();
    const int storedHeight = in.I32();
    Require(in.U16() == 1, "planes must be 1");
    bmp.BitsPerPixel = static_cast<int>(in.U16());
    Require(in.U32() == 0, "compression must be BI_RGB");
    in.Skip(12);
    const std::uint32_t colorsUsed = in.U32();
    in.Skip(4);
    Require(storedHeight > 0, "rows must be stored bottom-up");
    if (iconImage) Require(storedHeight % 2 == 0, "icon height must be doubled");
    bmp.Height = iconImage ? storedHeight / 2 : storedHeight;
    Require(bmp.Width > 0 && bmp.Width <= 4096 && bmp.Height > 0 && bmp.Height <= 4096, "bad size");
    const int bpp = bmp.BitsPerPixel;
    Require(bpp == 1 || bpp == 4 || bpp == 8 || bpp == 24 || bpp == 32, "unsupported depth");

    std::vector<Pixel> palette;
    if (bpp <= 8) {
        bmp.PaletteEntries = colorsUsed ? static_cast<int>(colorsUsed) : 1 << bpp;
        for (int i = 0; i < bmp.PaletteEntries; ++i) {
            const int b = in.U8(), g = in.U8(), r = in.U8();
            in.U8();
            palette.push_back({r, g, b, 255});
        }
    }
    const std::size_t pixelsAt = in.Position();
    const std::size_t rowBytes = Stride(bmp.Width, bpp);
    Require(pixelsAt + rowBytes * bmp.Height <= bytes.size(), "pixel data truncated");
    bmp.Pixels.resize(static_cast<std::size_t>(bmp.Width) * bmp.Height);
    for (int row = 0; row < bmp.Height; ++row) {
        const int y = bmp.Height - 1 - row;
        const std::size_t start = pixelsAt + rowBytes * row;
        for (int x = 0; x < bmp.Width; ++x) {
            Pixel& p = bmp.Pixels[static_cast<std::size_t>(y) * bmp.Width + x];
            if (bpp >= 24) {
                const std::size_t i = start + static_cast<std::size_t>(x) * (bpp / 8);
                p = {bytes[i + 2], bytes[i + 1], bytes[i], bpp == 32 ? bytes[i + 3] : 255};
            } else {
                const int index = PackedValue(bytes, start, x, bpp);
                Require(index < static_cast<int>(palette.size()), "palette index out of range");
                p = palette[index];
            }
        }
    }
    if (iconImage) {
        const std::size_t maskAt = pixelsAt + rowBytes * bmp.Height;
        const std::size_t maskRow = Stride(bmp.Width, 1);
        Require(maskAt + maskRow * bmp.Height <= bytes.size(), "AND mask truncated");
        bmp.Mask.resize(bmp.Pixels.size());
        for (int row = 0; row < bmp.Height; ++row) {
            const int y = bmp.Height - 1 - row;
            for (int x = 0; x < bmp.Width; ++x)
                bmp.Mask[static_cast<std::size_t>(y) * bmp.Width + x] =
                    PackedValue(bytes, maskAt + maskRow * row, x, 1) != 0;
        }
    }
    return bmp;
}

}  // namespace

Bytes ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw std::runtime_error("cannot open " + path.string());
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

Bitmap ParseBmp(const Bytes& file) {
    Reader in(file);
    Require(in.U8() == 'B' && in.U8() == 'M', "not a BMP");
    Require(in.U32() == file.size(), "file size field is wrong");
    in.U32();
    const std::uint32_t dataAt = in.U32();
    Bitmap bmp = ReadDib(file, 14, false);
    Require(bmp.BitsPerPixel == 24 || bmp.BitsPerPixel == 32, "expected a true-colour BMP");
    Require(dataAt == 54, "pixels must follow the headers");
    Require(54 + Stride(bmp.Width, bmp.BitsPerPixel) * bmp.Height == file.size(), "unexpected data length");
    return bmp;
}

IconFile ParseIcon(const Bytes& file) {
    Reader in(file);
    Require(in.U16() == 0, "reserved field must be 0");
    IconFile icon;
    icon.Type = static_cast<int>(in.U16());
    Require(icon.Type == 1 || icon.Type == 2, "not an icon or cursor");
    const unsigned count = in.U16();
    for (unsigned i = 0; i < count; ++i) {
        IconEntry e;
        e.Width = in.U8();
        e.Height = in.U8();
        e.ColorCount = in.U8();
        Require(in.U8() == 0, "entry reserved byte must be 0");
        e.Planes = static_cast<int>(in.U16());
        e.BitCount = static_cast<int>(in.U16());
        e.Size = in.U32();
        e.Offset = in.U32();
        Require(std::size_t{e.Offset} + e.Size <= file.size(), "image lies outside the file");
        e.Image = ReadDib(file, e.Offset, true);
        const Bitmap& b = e.Image;
        const std::size_t expected = 40 + 4 * static_cast<std::size_t>(b.PaletteEntries) +
                                     (Stride(b.Width, b.BitsPerPixel) + Stride(b.Width, 1)) * b.Height;
        Require(e.Size == expected, "entry size does not match its image");
        icon.Entries.push_back(std::move(e));
    }
    return icon;
}

std::vector<std::uint8_t> LzwDecode(const Bytes& data, int minimumCodeSize) {
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
        Require(bitPos + width <= data.size() * 8, "LZW data ends without an end code");
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
            Require(code < clear, "first code after a clear must be a literal");
            entry = table[code];
        } else {
            if (code < table.size()) {
                entry = table[code];
            } else {
                Require(code == table.size(), "LZW code beyond the table");
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
    Require((bitPos + 7) / 8 == data.size(), "data after the end code");
    return out;
}

Gif ParseGif(const Bytes& file) {
    Reader in(file);
    const std::string signature(file.begin(), file.begin() + std::min<std::size_t>(6, file.size()));
    Require(signature == "GIF89a", "not a GIF89a");
    in.Skip(6);
    Gif gif;
    gif.Width = static_cast<int>(in.U16());
    gif.Height = static_cast<int>(in.U16());
    const std::uint8_t flags = in.U8();
    in.Skip(2);
    Require(flags & 0x80, "expected a global colour table");
    gif.PaletteEntries = 2 << (flags & 7);
    for (int i = 0; i < gif.PaletteEntries; ++i) {
        const int r = in.U8(), g = in.U8(), b = in.U8();
        gif.Palette.push_back({r, g, b, 255});
    }
    bool haveImage = false;
    for (;;) {
        const std::uint8_t block = in.U8();
        if (block == 0x3B) break;
        if (block == 0x21) {
            const std::uint8_t label = in.U8();
            Bytes body;
            for (std::uint8_t n = in.U8(); n; n = in.U8())
                for (int i = 0; i < n; ++i) body.push_back(in.U8());
            if (label == 0xF9) {
                Require(body.size() == 4, "graphic control extension must be 4 bytes");
                if (body[0] & 1) gif.TransparentIndex = body[3];
            }
            continue;
        }
        Require(block == 0x2C, "unknown GIF block");
        Require(!haveImage, "expected a single image");
        haveImage = true;
        Require(in.U16() == 0 && in.U16() == 0, "image must start at the origin");
        Require(static_cast<int>(in.U16()) == gif.Width && static_cast<int>(in.U16()) == gif.Height,
                "image must cover the screen");
        Require(in.U8() == 0, "no local table or interlacing expected");
        const int minimumCodeSize = in.U8();
        Bytes data;
        for (std::uint8_t n = in.U8(); n; n = in.U8())
            for (int i = 0; i < n; ++i) data.push_back(in.U8());
        gif.Indices = LzwDecode(data, minimumCodeSize);
    }
    Require(haveImage, "no image in the GIF");
    Require(in.Position() == file.size(), "bytes after the trailer");
    return gif;
}

}  // namespace art_test
