#include "art/src/Formats.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <unordered_map>

namespace art {

namespace {

void put16(Bytes& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void put32(Bytes& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

std::size_t rowStride(int width, int bitsPerPixel) {
    return ((static_cast<std::size_t>(width) * bitsPerPixel + 31) / 32) * 4;
}

void putInfoHeader(Bytes& out, int width, int height, int bitsPerPixel, std::uint32_t imageSize,
                   std::uint32_t paletteSize) {
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height));
    put16(out, 1);
    put16(out, static_cast<unsigned>(bitsPerPixel));
    put32(out, 0);  // BI_RGB
    put32(out, imageSize);
    put32(out, 2835);  // 72 dpi
    put32(out, 2835);
    put32(out, paletteSize);
    put32(out, 0);
}

// Pixel rows bottom-up, each padded to a multiple of 4 bytes.
Bytes directRows(const Pixmap& image, int bitsPerPixel) {
    const std::size_t stride = rowStride(image.width, bitsPerPixel);
    Bytes rows;
    for (int y = image.height - 1; y >= 0; --y) {
        const std::size_t start = rows.size();
        for (int x = 0; x < image.width; ++x) {
            const Rgba8 p = image.at(x, y);
            rows.push_back(p.b);
            rows.push_back(p.g);
            rows.push_back(p.r);
            if (bitsPerPixel == 32) rows.push_back(p.a);
        }
        rows.resize(start + stride, 0);
    }
    return rows;
}

// Packs values of 1, 4 or 8 bits each, most significant bits first, into
// bottom-up padded rows.
Bytes packedRows(const std::vector<std::uint8_t>& values, int width, int height, int bits) {
    const std::size_t stride = rowStride(width, bits);
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

Bytes bmpFile(const Pixmap& image, int bitsPerPixel) {
    const Bytes rows = directRows(image, bitsPerPixel);
    Bytes out;
    out.push_back('B');
    out.push_back('M');
    put32(out, static_cast<std::uint32_t>(54 + rows.size()));
    put32(out, 0);
    put32(out, 54);
    putInfoHeader(out, image.width, image.height, bitsPerPixel, static_cast<std::uint32_t>(rows.size()), 0);
    out.insert(out.end(), rows.begin(), rows.end());
    return out;
}

bool isTransparent(const Rgba8& p) { return p.a < 128; }

Rgb8 rgbOf(const Rgba8& p) { return {p.r, p.g, p.b}; }

Palette paletteFor(const Pixmap& image, int bitsPerPixel) {
    switch (bitsPerPixel) {
    case 1:
        return monochromePalette();
    case 4:
        return standardPalette16();
    case 8: {
        // Index 0 stays black: transparent pixels need a black XOR value.
        std::vector<Rgb8> opaque;
        for (const Rgba8& p : image.pixels)
            if (!isTransparent(p)) opaque.push_back(rgbOf(p));
        Palette palette{{0, 0, 0}};
        const Palette adaptive = adaptivePalette(opaque, 255);
        palette.insert(palette.end(), adaptive.begin(), adaptive.end());
        return palette;
    }
    default:
        throw std::invalid_argument("unsupported palettized depth " + std::to_string(bitsPerPixel));
    }
}

// BITMAPINFOHEADER (double height), palette, XOR bitmap and AND mask.
Bytes iconResource(const IconImage& image) {
    const Pixmap& px = image.pixels;
    const int bpp = image.bitsPerPixel;
    std::vector<std::uint8_t> mask(px.pixels.size());
    for (std::size_t i = 0; i < px.pixels.size(); ++i) mask[i] = isTransparent(px.pixels[i]) ? 1 : 0;

    Bytes colourTable;
    Bytes xorRows;
    if (bpp == 32) {
        xorRows = directRows(px, 32);
    } else {
        const Palette palette = paletteFor(px, bpp);
        const std::size_t entries = std::size_t{1} << bpp;
        std::vector<std::uint8_t> indices(px.pixels.size(), 0);
        for (std::size_t i = 0; i < px.pixels.size(); ++i)
            if (!mask[i]) indices[i] = static_cast<std::uint8_t>(nearestIndex(palette, rgbOf(px.pixels[i])));
        for (std::size_t i = 0; i < entries; ++i) {
            const Rgb8 c = i < palette.size() ? palette[i] : Rgb8{};
            colourTable.insert(colourTable.end(), {c.b, c.g, c.r, 0});
        }
        xorRows = packedRows(indices, px.width, px.height, bpp);
    }
    const Bytes andRows = packedRows(mask, px.width, px.height, 1);

    Bytes out;
    putInfoHeader(out, px.width, px.height * 2, bpp, static_cast<std::uint32_t>(xorRows.size() + andRows.size()), 0);
    out.insert(out.end(), colourTable.begin(), colourTable.end());
    out.insert(out.end(), xorRows.begin(), xorRows.end());
    out.insert(out.end(), andRows.begin(), andRows.end());
    return out;
}

// ICONDIR, its ICONDIRENTRYs and the images. For cursors (type 2) the
// planes and bit-count fields of the entry carry the hot spot instead.
Bytes iconDirectory(const std::vector<IconImage>& images, unsigned type, int hotX, int hotY) {
    if (images.empty()) throw std::invalid_argument("an icon needs at least one image");
    Bytes out;
    put16(out, 0);
    put16(out, type);
    put16(out, static_cast<unsigned>(images.size()));
    std::vector<Bytes> resources;
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (const IconImage& image : images) {
        const Pixmap& px = image.pixels;
        if (px.width < 1 || px.width > 256 || px.height < 1 || px.height > 256)
            throw std::invalid_argument("icon images are 1 to 256 pixels wide and high");
        resources.push_back(iconResource(image));
        out.push_back(static_cast<std::uint8_t>(px.width & 0xFF));  // 256 is stored as 0
        out.push_back(static_cast<std::uint8_t>(px.height & 0xFF));
        out.push_back(static_cast<std::uint8_t>(image.bitsPerPixel < 8 ? 1 << image.bitsPerPixel : 0));
        out.push_back(0);
        if (type == 2) {
            put16(out, static_cast<unsigned>(hotX));
            put16(out, static_cast<unsigned>(hotY));
        } else {
            put16(out, 1);
            put16(out, static_cast<unsigned>(image.bitsPerPixel));
        }
        put32(out, static_cast<std::uint32_t>(resources.back().size()));
        put32(out, offset);
        offset += static_cast<std::uint32_t>(resources.back().size());
    }
    for (const Bytes& r : resources) out.insert(out.end(), r.begin(), r.end());
    return out;
}

// Collects variable-width codes least significant bit first.
class BitWriter {
public:
    void write(unsigned code, int width) {
        buffer_ |= static_cast<std::uint32_t>(code) << count_;
        count_ += width;
        while (count_ >= 8) {
            bytes_.push_back(static_cast<std::uint8_t>(buffer_ & 0xFF));
            buffer_ >>= 8;
            count_ -= 8;
        }
    }
    Bytes finish() {
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

Bytes encodeBmp24(const Pixmap& image) { return bmpFile(image, 24); }

Bytes encodeBmp32(const Pixmap& image) { return bmpFile(image, 32); }

Pixmap premultiplied(const Image& image) {
    Pixmap out(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const Colour c = image.at(x, y);
            const std::uint8_t a = toByte(c.a);
            out.at(x, y) = {std::min(toByte(c.r), a), std::min(toByte(c.g), a), std::min(toByte(c.b), a), a};
        }
    }
    return out;
}

Bytes encodeIcon(const std::vector<IconImage>& images) { return iconDirectory(images, 1, 0, 0); }

Bytes encodeCursor(const IconImage& image, int hotX, int hotY) {
    if (hotX < 0 || hotY < 0 || hotX >= image.pixels.width || hotY >= image.pixels.height)
        throw std::invalid_argument("the hot spot must lie inside the cursor");
    return iconDirectory({image}, 2, hotX, hotY);
}

Bytes lzwCompress(const std::vector<std::uint8_t>& indices) {
    constexpr unsigned clearCode = 256;
    constexpr unsigned endCode = 257;
    constexpr unsigned firstFree = 258;
    constexpr unsigned maxCodes = 4096;

    BitWriter bits;
    std::unordered_map<std::uint32_t, unsigned> table;
    unsigned next = firstFree;
    int width = 9;
    bits.write(clearCode, width);
    if (indices.empty()) {
        bits.write(endCode, width);
        return bits.finish();
    }

    unsigned prefix = indices[0];
    for (std::size_t i = 1; i < indices.size(); ++i) {
        const std::uint32_t key = (prefix << 8) | indices[i];
        if (const auto found = table.find(key); found != table.end()) {
            prefix = found->second;
            continue;
        }
        bits.write(prefix, width);
        table.emplace(key, next++);
        // A decoder adds its entries one code later than we do, so it needs
        // a wider code once `next` passes the current range.
        if (next > (1u << width) && width < 12) ++width;
        if (next == maxCodes) {
            bits.write(clearCode, width);
            table.clear();
            next = firstFree;
            width = 9;
        }
        prefix = indices[i];
    }
    bits.write(prefix, width);
    // The decoder adds an entry for that last code too, which may widen it.
    if (next == (1u << width) && width < 12) ++width;
    bits.write(endCode, width);
    return bits.finish();
}

Bytes encodeGif(const Pixmap& image, Rgb8 transparentColour) {
    if (image.width < 1 || image.height < 1 || image.width > 0xFFFF || image.height > 0xFFFF)
        throw std::invalid_argument("GIF size out of range");
    std::vector<Rgb8> opaque;
    for (const Rgba8& p : image.pixels)
        if (!isTransparent(p)) opaque.push_back(rgbOf(p));
    Palette palette{transparentColour};
    const Palette adaptive = adaptivePalette(opaque, 255);
    palette.insert(palette.end(), adaptive.begin(), adaptive.end());

    // Only search the adaptive part, so that an opaque pixel of the same
    // colour as the transparent entry does not vanish.
    std::vector<std::uint8_t> indices(image.pixels.size(), 0);
    for (std::size_t i = 0; i < image.pixels.size(); ++i)
        if (!isTransparent(image.pixels[i]))
            indices[i] = static_cast<std::uint8_t>(1 + nearestIndex(adaptive, rgbOf(image.pixels[i])));

    Bytes out = {'G', 'I', 'F', '8', '9', 'a'};
    put16(out, static_cast<unsigned>(image.width));
    put16(out, static_cast<unsigned>(image.height));
    out.push_back(0xF7);  // global table of 256 entries, 8-bit colour resolution
    out.push_back(0);     // background colour index
    out.push_back(0);     // square pixels
    for (std::size_t i = 0; i < 256; ++i) {
        const Rgb8 c = i < palette.size() ? palette[i] : Rgb8{};
        out.insert(out.end(), {c.r, c.g, c.b});
    }
    // Graphic control extension: index 0 is transparent.
    out.insert(out.end(), {0x21, 0xF9, 0x04, 0x01, 0x00, 0x00, 0x00, 0x00});
    // Image descriptor covering the whole screen, no local table.
    out.push_back(0x2C);
    put16(out, 0);
    put16(out, 0);
    put16(out, static_cast<unsigned>(image.width));
    put16(out, static_cast<unsigned>(image.height));
    out.push_back(0);
    out.push_back(8);  // LZW minimum code size
    const Bytes data = lzwCompress(indices);
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
