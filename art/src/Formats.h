// Encoders for the picture files the program embeds: BMP, ICO/CUR and GIF.
#pragma once

#include <cstdint>
#include <vector>

#include "art/src/Palette.h"
#include "art/src/Raster.h"

namespace art {

using Bytes = std::vector<std::uint8_t>;

// Windows BMP with a 40-byte BITMAPINFOHEADER, BI_RGB, bottom-up rows.
Bytes EncodeBmp24(const Pixmap& image);  // alpha is ignored
Bytes EncodeBmp32(const Pixmap& image);  // BGRA stored exactly as given

// One image of an icon or cursor file. Pixels with alpha below 128 are
// transparent in the AND mask. At 32 bits per pixel the straight-alpha
// BGRA is stored as it is; at 1 and 4 bits the monochrome and standard
// 16-colour palettes are used; at 8 bits an adaptive palette of the image.
struct IconImage {
    Pixmap Pixels;
    int BitsPerPixel;
};

Bytes EncodeIcon(const std::vector<IconImage>& images);
Bytes EncodeCursor(const IconImage& image, int hotX, int hotY);

// GIF89a with one image and a global colour table. Pixels with alpha below
// 128 get a transparent index, shown as `transparentColor` by viewers that
// ignore transparency; at most 255 other colours (median cut if more).
Bytes EncodeGif(const Pixmap& image, Rgb8 transparentColor);

// GIF variable-width LZW of 8-bit indices (minimum code size 8), without
// the sub-block framing.
Bytes LzwCompress(const std::vector<std::uint8_t>& indices);

}  // namespace art
