#include "art/src/Formats.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <unordered_map>

namespace art {

namespace {

void Put16(Bytes& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void Put32(Bytes& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

std::size_t RowStride(int width, int bitsPerPixel) {
    return ((static_cast<std::size_t>(width) * bitsPerPixel + 31) / 32) * 4;
}

void PutInfoHeader(Bytes& out, int width, int height, int bitsPerPixel, std::uint32_t imageSize,
                   std::uint32_t paletteSize) {
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height));
    Put16(out, 1);
    Put16(out, static_cast<unsigned>(bitsPerPixel));
    Put32(out, 0);  // BI_RGB
    Put32(out, imageSize);
    Put32(out, 2835);  // 72 dpi
    Put32(out, 2835);
    Put32(out, paletteSize);
    Put32(out, 0);
}

// Pixel rows bottom-up, each padded to a multiple of 4 bytes.
Bytes DirectRows(const Pixmap& image, int bitsPerPixel) {
    const std::size_t stride = RowStride(image.Width, bitsPerPixel);
    Bytes rows;
    for (int y = image.Height - 1; y >= 0; --y) {
        const std::size_t start = rows.size();
        for (int x = 0; x < image.Width; ++x) {
            const Rgba8 p = image.At(x, y);
            rows.push_back(p.Blue);
            rows.push_back(p.Green);
            rows.push_back(p.Red);
            if (bitsPerPixel == 32) rows.push_back(p.Alpha);
        }
        rows.resize(start + stride, 0);
    }
    return rows;
}

// Packs values of 1, 4 or 8 bits each, most significant bits first, into
// bottom-up padded rows.
Bytes PackedRows(const std::vector<std::uint8_t>& values, int width, int height, int bits) {
    const std::size_t stride = RowStride(width, bits);
    Bytes rows;
    for (int y = height - 1; y >= 0; --y) {
        Bytes row(stride, 0);
        for (int x = 0; x < width; ++x) {
            const std::size_t bit = static_cast<std::size_t>(x) * bits;
            const int shift = 8 - bits - static_cast<int>(bit % 8);
            row[bit / 8] |= static_cast<std::uint8_t>(values[static_cast<std::size_t>(y) * width + x] << shift);
        }
        rows.insert(rows.end(), row.begin(), row.end());
    }
    return rows;
}

Bytes BmpFile(const Pixmap& image, int bitsPerPixel) {
    const Bytes rows = DirectRows(image, bitsPerPixel);
    Bytes out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, static_cast<std::uint32_t>(54 + rows.size()));
    Put32(out, 0);
    Put32(out, 54);
    PutInfoHeader(out, image.Width, image.Height, bitsPerPixel, static_cast<std::uint32_t>(rows.size()), 0);
    out.insert(out.end(), rows.begin(), rows.end());
    return out;
}

bool IsTransparent(const Rgba8& p) { return p.Alpha < 128; }

Rgb8 RgbOf(const Rgba8& p) { return {p.Red, p.Green, p.Blue}; }

Palette PaletteFor(const Pixmap& image, int bitsPerPixel) {
    switch (bitsPerPixel) {
    case 1:
        return MonochromePalette();
    case 4:
        return StandardPalette16();
    case 8: {
        // Index 0 stays black: transparent pixels need a black XOR value.
        std::vector<Rgb8> opaque;
        for (const Rgba8& p : image.Pixels)
            if (!IsTransparent(p)) opaque.push_back(RgbOf(p));
        Palette palette{{0, 0, 0}};
        const Palette adaptive = AdaptivePalette(opaque, 255);
        palette.insert(palette.end(), adaptive.begin(), adaptive.end());
        return palette;
    }
    default:
        throw std::invalid_argument("unsupported palettized depth " + std::to_string(bitsPerPixel));
    }
}

// BITMAPINFOHEADER (double height), palette, XOR bitmap and AND mask.
Bytes IconResource(const IconImage& image) {
    const Pixmap& px = image.Pixels;
    const int bpp = image.BitsPerPixel;
    std::vector<std::uint8_t> mask(px.Pixels.size());
    for (std::size_t i = 0; i < px.Pixels.size(); ++i) mask[i] = IsTransparent(px.Pixels[i]) ? 1 : 0;

    Bytes colorTable;
    Bytes xorRows;
    if (bpp == 32) {
        xorRows = DirectRows(px, 32);
    } else {
        const Palette palette = PaletteFor(px, bpp);
        const std::size_t entries = std::size_t{1} << bpp;
        std::vector<std::uint8_t> indices(px.Pixels.size(), 0);
        for (std::size_t i = 0; i < px.Pixels.size(); ++i)
            if (!mask[i]) indices[i] = static_cast<std::uint8_t>(NearestIndex(palette, RgbOf(px.Pixels[i])));
        for (std::size_t i = 0; i < entries; ++i) {
            const Rgb8 c = i < palette.size() ? palette[i] : Rgb8{};
            colorTable.insert(colorTable.end(), {c.Blue, c.Green, c.Red, 0});
        }
        xorRows = PackedRows(indices, px.Width, px.Height, bpp);
    }
    const Bytes andRows = PackedRows(mask, px.Width, px.Height, 1);

    Bytes out;
    PutInfoHeader(out, px.Width, px.Height * 2, bpp, static_cast<std::uint32_t>(xorRows.size() + andRows.size()), 0);
    out.insert(out.end(), colorTable.begin(), colorTable.end());
    out.insert(out.end(), xorRows.begin(), xorRows.end());
    out.insert(out.end(), andRows.begin(), andRows.end());
    return out;
}

// ICONDIR, its ICONDIRENTRYs and the images. For cursors (type 2) the
// planes and bit-count fields of the entry carry the hot spot instead.
Bytes IconDirectory(const std::vector<IconImage>& images, unsigned type, int hotX, int hotY) {
    if (images.empty()) throw std::invalid_argument("an icon needs at least one image");
    Bytes out;
    Put16(out, 0);
    Put16(out, type);
    Put16(out, static_cast<unsigned>(images.size()));
    std::vector<Bytes> resources;
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (const IconImage& image : images) {
        const Pixmap& px = image.Pixels;
        if (px.Width < 1 || px.Width > 256 || px.Height < 1 || px.Height > 256)
            throw std::invalid_argument("icon images are 1 to 256 pixels wide and high");
        resources.push_back(IconResource(image));
        out.push_back(static_cast<std::uint8_t>(px.Width & 0xFF));  // 256 is stored as 0
        out.push_back(static_cast<std::uint8_t>(px.Height & 0xFF));
        out.push_back(static_cast<std::uint8_t>(image.BitsPerPixel < 8 ? 1 << image.BitsPerPixel : 0));
        out.push_back(0);
        if (type == 2) {
            Put16(out, static_cast<unsigned>(hotX));
            Put16(out, static_cast<unsigned>(hotY));
        } else {
            Put16(out, 1);
            Put16(out, static_cast<unsigned>(image.BitsPerPixel));
        }
        Put32(out, static_cast<std::uint32_t>(resources.back().size()));
        Put32(out, offset);
        offset += static_cast<std::uint32_t>(resources.back().size());
    }
    for (const Bytes& r : resources) out.insert(out.end(), r.begin(), r.end());
    return out;
}

// Collects variable-width codes least significant bit first.
class BitWriter {
public:
    void Write(unsigned code, int width) {
        buffer_ |= static_cast<std::uint32_t>(code) << count_;
        count_ += width;
        while (count_ >= 8) {
            bytes_.push_back(static_cast<std::uint8_t>(buffer_ & 0xFF));
            buffer_ >>= 8;
            count_ -= 8;
        }
    }
    Bytes Finish() {
        if (count_ > 0) bytes_.push_back(static_cast<std::uint8_t>(buffer_ & 0xFF));
        buffer_ = 0;
        count_ = 0;
        return std::move(bytes_);
    }

private:
    Bytes bytes_;
    std::uint32_t buffer_ = 0;
    int count_ = 0;
};

}  // namespace

Bytes EncodeBmp24(const Pixmap& image) { return BmpFile(image, 24); }

Bytes EncodeBmp32(const Pixmap& image) { return BmpFile(image, 32); }

Bytes EncodeIcon(const std::vector<IconImage>& images) { return IconDirectory(images, 1, 0, 0); }

Bytes EncodeCursor(const IconImage& image, int hotX, int hotY) {
    if (hotX < 0 || hotY < 0 || hotX >= image.Pixels.Width || hotY >= image.Pixels.Height)
        throw std::invalid_argument("the hot spot must lie inside the cursor");
    return IconDirectory({image}, 2, hotX, hotY);
}

Bytes LzwCompress(const std::vector<std::uint8_t>& indices) {
    constexpr unsigned ClearCode = 256;
    constexpr unsigned EndCode = 257;
    constexpr unsigned FirstFree = 258;
    constexpr unsigned MaxCodes = 4096;

    BitWriter bits;
    std::unordered_map<std::uint32_t, unsigned> table;
    unsigned next = FirstFree;
    int width = 9;
    bits.Write(ClearCode, width);
    if (indices.empty()) {
        bits.Write(EndCode, width);
        return bits.Finish();
    }

    unsigned prefix = indices[0];
    for (std::size_t i = 1; i < indices.size(); ++i) {
        const std::uint32_t key = (prefix << 8) | indices[i];
        if (const auto found = table.find(key); found != table.end()) {
            prefix = found->second;
            continue;
        }
        bits.Write(prefix, width);
        table.emplace(key, next++);
        // A decoder adds its entries one code later than we do, so it needs
        // a wider code once `next` passes the current range.
        if (next > (1u << width) && width < 12) ++width;
        if (next == MaxCodes) {
            bits.Write(ClearCode, width);
            table.clear();
            next = FirstFree;
            width = 9;
        }
        prefix = indices[i];
    }
    bits.Write(prefix, width);
    // The decoder adds an entry for that last code too, which may widen it.
    if (next == (1u << width) && width < 12) ++width;
    bits.Write(EndCode, width);
    return bits.Finish();
}

Bytes EncodeGif(const Pixmap& image, Rgb8 transparentColor) {
    if (image.Width < 1 || image.Height < 1 || image.Width > 0xFFFF || image.Height > 0xFFFF)
        throw std::invalid_argument("GIF size out of range");
    std::vector<Rgb8> opaque;
    for (const Rgba8& p : image.Pixels)
        if (!IsTransparent(p)) opaque.push_back(RgbOf(p));
    Palette palette{transparentColor};
    const Palette adaptive = AdaptivePalette(opaque, 255);
    palette.insert(palette.end(), adaptive.begin(), adaptive.end());

    // Only search the adaptive part, so that an opaque pixel of the same
    // colour as the transparent entry does not vanish.
    std::vector<std::uint8_t> indices(image.Pixels.size(), 0);
    for (std::size_t i = 0; i < image.Pixels.size(); ++i)
        if (!IsTransparent(image.Pixels[i]))
            indices[i] = static_cast<std::uint8_t>(1 + NearestIndex(adaptive, RgbOf(image.Pixels[i])));

    Bytes out = {'G', 'I', 'F', '8', '9', 'a'};
    Put16(out, static_cast<unsigned>(image.Width));
    Put16(out, static_cast<unsigned>(image.Height));
    out.push_back(0xF7);  // global table of 256 entries, 8-bit colour resolution
    out.push_back(0);     // background colour index
    out.push_back(0);     // square pixels
    for (std::size_t i = 0; i < 256; ++i) {
        const Rgb8 c = i < palette.size() ? palette[i] : Rgb8{};
        out.insert(out.end(), {c.Red, c.Green, c.Blue});
    }
    // Graphic control extension: index 0 is transparent.
    out.insert(out.end(), {0x21, 0xF9, 0x04, 0x01, 0x00, 0x00, 0x00, 0x00});
    // Image descriptor covering the whole screen, no local table.
    out.push_back(0x2C);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, static_cast<unsigned>(image.Width));
    Put16(out, static_cast<unsigned>(image.Height));
    out.push_back(0);
    out.push_back(8);  // LZW minimum code size
    const Bytes data = LzwCompress(indices);
    for (std::size_t at = 0; at < data.size(); at += 255) {
        const std::size_t n = std::min<std::size_t>(255, data.size() - at);
        out.push_back(static_cast<std::uint8_t>(n));
        out.insert(out.end(), data.begin() + static_cast<long>(at), data.begin() + static_cast<long>(at + n));
    }
    out.push_back(0);     // block terminator
    out.push_back(0x3B);  // trailer
    return out;
}

}  // namespace art
