#pragma once
// Pictures loaded from the program's resources, shared by the controls that show them, and the image
// list that hands them out by number.

#include "forms/Handles.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace forms {

class Picture {
public:
    // A bitmap resource, loaded as a DIB section so that a 32-bit picture keeps its alpha bytes.
    static std::shared_ptr<Picture> FromResource(int id);
    // A 32-bit picture from pixels drawn at run time: `width` x `height` values 0xAARRGGBB, row by row
    // from the top, the colours premultiplied by their alpha.
    static std::shared_ptr<Picture> FromPixels(int width, int height, const std::vector<std::uint32_t>& argb);

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

using PictureSource = std::function<PicturePtr()>;

class ImageList {
public:
    explicit ImageList(std::vector<PictureSource> sources) : sources_(std::move(sources)) {}
    // Image `index`, counted from 1; made on first use and shared from then on.
    PicturePtr ListImages(std::size_t index);
    // New sources (the same pictures drawn at another scale); the pictures made so far are let go.
    void Replace(std::vector<PictureSource> sources);

private:
    std::vector<PictureSource> sources_;
    std::vector<PicturePtr> loaded_;
};

}  // namespace forms
