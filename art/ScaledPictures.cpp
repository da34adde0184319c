#include "art/ScaledPictures.h"

#include "art/Skins.h"
#include "art/resources.h"
#include "art/src/Artwork.h"
#include "forms/App.h"

#include <stdexcept>

namespace art {

namespace {

std::uint32_t Argb(std::uint8_t alpha, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return (std::uint32_t{alpha} << 24) | (std::uint32_t{red} << 16) | (std::uint32_t{green} << 8) | blue;
}

std::uint8_t Premultiply(std::uint8_t channel, std::uint8_t alpha) {
    return static_cast<std::uint8_t>((channel * alpha + 127) / 255);
}

// Pixels whose colours are already premultiplied (a skin), as they are.
forms::PicturePtr FromPremultiplied(const Pixmap& pixels) {
    std::vector<std::uint32_t> argb;
    argb.reserve(pixels.Pixels.size());
    for (const Rgba8& p : pixels.Pixels) argb.push_back(Argb(p.Alpha, p.Red, p.Green, p.Blue));
    return forms::Picture::FromPixels(pixels.Width, pixels.Height, argb);
}

// Pixels of straight alpha, premultiplied: an opaque picture stays exactly as drawn.
forms::PicturePtr FromStraight(const Pixmap& pixels) {
    std::vector<std::uint32_t> argb;
    argb.reserve(pixels.Pixels.size());
    for (const Rgba8& p : pixels.Pixels)
        argb.push_back(
            Argb(p.Alpha, Premultiply(p.Red, p.Alpha), Premultiply(p.Green, p.Alpha), Premultiply(p.Blue, p.Alpha)));
    return forms::Picture::FromPixels(pixels.Width, pixels.Height, argb);
}

}  // namespace

forms::PicturePtr SkinPicture(const Skin& skin, int dpi) {
    const double scale = ScaleOfDpi(dpi);
    if (scale == 1.0) return forms::Picture::FromResource(skin.Resource);
    return FromPremultiplied(Premultiplied(DrawSkin(skin.Design, scale)));
}

forms::PicturePtr PupilPicture(int dpi) {
    const double scale = ScaleOfDpi(dpi);
    if (scale == 1.0) return forms::Picture::FromResource(IDB_PUPIL);
    return FromStraight(DrawPupil(scale));
}

forms::PicturePtr PlaceholderPicture(int dpi) {
    const double scale = ScaleOfDpi(dpi);
    if (scale == 1.0) return forms::Picture::FromResource(IDB_PLACEHOLDER);
    return FromStraight(DrawPlaceholder(scale));
}

forms::PicturePtr ProgressFramePicture(int blocks, int dpi) {
    const double scale = ScaleOfDpi(dpi);
    if (scale == 1.0) return forms::Picture::FromResource(IDB_PGB_FIRST + blocks - 1);
    return FromStraight(DrawProgressFrame(blocks, scale));
}

forms::PicturePtr DonateBadgePicture(int dpi) {
    const double scale = ScaleOfDpi(dpi);
    if (scale == 1.0) return nullptr;
    return FromStraight(DrawDonateBadge(scale));
}

forms::unique_hicon HandCursor(int dpi) {
    const double scale = ScaleOfDpi(dpi);
    if (scale == 1.0)
        return forms::unique_hicon(
            static_cast<HICON>(CopyIcon(LoadCursorA(forms::App.Instance(), MAKEINTRESOURCEA(IDC_HAND_LINK)))));
    const Pixmap hand = DrawHandCursor(scale);
    const HotSpot hot = HandHotSpot(scale);
    // A cursor's colour bitmap has straight alpha; its mask marks the see-through pixels for a system
    // that ignores the alpha.
    std::vector<std::uint32_t> argb;
    argb.reserve(hand.Pixels.size());
    const int maskStride = ((hand.Width + 15) / 16) * 2;  // rows of whole 16-bit words
    std::vector<std::uint8_t> mask(static_cast<std::size_t>(maskStride) * hand.Height, 0);
    for (int y = 0; y < hand.Height; ++y) {
        for (int x = 0; x < hand.Width; ++x) {
            const Rgba8& p = hand.At(x, y);
            argb.push_back(Argb(p.Alpha, p.Red, p.Green, p.Blue));
            if (p.Alpha < 128)
                mask[static_cast<std::size_t>(y) * maskStride + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
    }
    const forms::PicturePtr colour = forms::Picture::FromPixels(hand.Width, hand.Height, argb);
    forms::unique_hbitmap maskBitmap(CreateBitmap(hand.Width, hand.Height, 1, 1, mask.data()));
    ICONINFO info{};
    info.fIcon = FALSE;
    info.xHotspot = static_cast<DWORD>(hot.X);
    info.yHotspot = static_cast<DWORD>(hot.Y);
    info.hbmMask = maskBitmap.get();
    info.hbmColor = colour->Handle();
    forms::unique_hicon cursor(CreateIconIndirect(&info));
    if (!cursor) throw std::runtime_error("The link cursor could not be made.");
    return cursor;
}

}  // namespace art
