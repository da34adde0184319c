#include "forms/Picture.h"

#include "forms/App.h"

#include <cmath>
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

long Picture::Width() const { return std::lround(width_ * HimetricPerInch / Screen.Dpi()); }
long Picture::Height() const { return std::lround(height_ * HimetricPerInch / Screen.Dpi()); }

int HimetricToPixelsX(long himetric) {
    return static_cast<int>(std::lround(himetric * Screen.Dpi() / HimetricPerInch));
}
int HimetricToPixelsY(long himetric) {
    return static_cast<int>(std::lround(himetric * Screen.Dpi() / HimetricPerInch));
}

PicturePtr ImageList::ListImages(std::size_t index) {
    if (index < 1 || index > ids_.size()) throw std::out_of_range("Index out of bounds");
    if (loaded_.size() < ids_.size()) loaded_.resize(ids_.size());
    auto& picture = loaded_[index - 1];
    if (!picture) picture = Picture::FromResource(ids_[index - 1]);
    return picture;
}

}  // namespace forms
