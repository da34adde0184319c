#pragma once
// Pictures loaded from the program's resources, shared by the controls that show them, and the image
// list that hands them out by number.

#include "forms/Handles.h"

#include <memory>
#include <vector>

namespace forms {

class Picture {
public:
    // A bitmap resource, loaded as a DIB section so that a 32-bit picture keeps its alpha bytes.
    static std::shared_ptr<Picture> FromResource(int id);

    HBITMAP Handle() const { return bitmap_.get(); }
    int PixelWidth() const { return width_; }
    int PixelHeight() const { return height_; }
    // The picture's size in HiMetric units (0.01 mm), as picture objects report it.
    long Width() const;
    long Height() const;

private:
    unique_hbitmap bitmap_;
    int width_ = 0, height_ = 0;
};

using PicturePtr = std::shared_ptr<Picture>;

// HiMetric to screen pixels, rounded to the nearest whole pixel.
int HimetricToPixelsX(long himetric);
int HimetricToPixelsY(long himetric);

class ImageList {
public:
    explicit ImageList(std::vector<int> resourceIds) : ids_(std::move(resourceIds)) {}
    // Image `index`, counted from 1; loaded on first use and shared from then on.
    PicturePtr ListImages(std::size_t index);

private:
    std::vector<int> ids_;
    std::vector<PicturePtr> loaded_;
};

}  // namespace forms
