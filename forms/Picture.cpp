#include "forms/Picture.h"

#include "forms/App.h"

#include <cmath>
#include <cstring>
#include <stdexcept>
#include <string>

namespace forms {

namespace {
constexpr double HimetricPerInch = 2540.0;

}  // namespace

std::shared_ptr<Picture> Picture::FromResource(int id) {
    auto picture = std::make_shared<Picture>();
    picture->bitmap_.reset(static_cast<HBITMAP>(
        LoadImageA(App.Instance(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!picture->bitmap_) throw std::runtime_error("Picture resource " + std::to_string(id) + " is missing.");
    BITMAP info{};
    GetObjectA(picture->bitmap_.get(), sizeof info, &info);
    picture->width_ = info.bmWidth;
    picture->height_ = std::abs(info.bmHeight);
    return picture;
}

std::shared_ptr<Picture> Picture::FromPixels(int width, int height, const std::vector<std::uint32_t>& argb) {
    if (width <= 0 || height <= 0 || argb.size() != static_cast<std::size_t>(width) * height)
        throw std::invalid_argument("A picture's pixels do not match its size.");
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    auto picture = std::make_shared<Picture>();
    picture->bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!picture->bitmap_ || !bits) throw std::runtime_error("A picture could not be made.");
    std::memcpy(bits, argb.data(), argb.size() * sizeof argb[0]);
    picture->width_ = width;
    picture->height_ = height;
    return picture;
}

long Picture::Width() const { return std::lround(width_ * HimetricPerInch / Screen.Dpi()); }
long Picture::Height() const { return std::lround(height_ * HimetricPerInch / Screen.Dpi()); }

int HimetricToPixelsX(long himetric) {
    return static_cast<int>(std::lround(himetric * Screen.Dpi() / HimetricPerInch));
}
int HimetricToPixelsY(long himetric) {
    return static_cast<int>(std::lround(himetric * Screen.Dpi() / HimetricPerInch));
}

PicturePtr ImageList::ListImages(std::size_t index) {
    if (index < 1 || index > sources_.size()) throw std::out_of_range("Index out of bounds");
    if (loaded_.size() < sources_.size()) loaded_.resize(sources_.size());
    auto& picture = loaded_[index - 1];
    if (!picture) picture = sources_[index - 1]();
    return picture;
}

void ImageList::Replace(std::vector<PictureSource> sources) {
    sources_ = std::move(sources);
    loaded_.clear();
}

}  // namespace forms
