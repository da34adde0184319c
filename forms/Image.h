#pragma once
// A picture drawn by its container at its own size from the top-left of its bounds: a GIF stored as a
// raw data resource, decoded by the system's picture loader on first paint, or, where the program
// draws the picture for the container's DPI (DrawnAt), that drawing, with its per-pixel alpha.

#include "forms/Control.h"
#include "forms/Handles.h"
#include "forms/Layout.h"
#include "forms/Picture.h"
#include "forms/Windowless.h"

#include <functional>

struct IPicture;

namespace forms {

class Image : public Windowless {
public:
    Image(Control& container, Bounds bounds, int gifResourceId);
    ~Image() override;  // where IPicture is complete

    RECT PixelRect() const override;
    void Draw(HDC dc) override;
    void DpiChanged() override { drawn_.reset(); }
    // A graphic, named in Accessible.Name.
    Accessibility Describe() const override;

    // The picture drawn for a DPI, or nothing where the GIF is to be shown (at 96 dpi).
    std::function<PicturePtr(int dpi)> DrawnAt;

private:
    void Decode();

    Control& container_;
    Bounds bounds_;
    int resourceId_;
    unique_com<IPicture> picture_;
    PicturePtr drawn_;
};

}  // namespace forms
