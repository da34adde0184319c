#pragma once
// A picture drawn by its container at its own size from the top-left of its bounds: a GIF stored as a
// raw data resource, decoded by the system's picture loader on first paint.

#include "forms/Control.h"
#include "forms/Handles.h"
#include "forms/Layout.h"
#include "forms/Windowless.h"

struct IPicture;

namespace forms {

class Image : public Windowless {
public:
    Image(Control& container, Bounds bounds, int gifResourceId);
    ~Image() override;  // where IPicture is complete

    RECT PixelRect() const override;
    void Draw(HDC dc) override;

private:
    void Decode();

    Control& container_;
    Bounds bounds_;
    int resourceId_;
    unique_com<IPicture> picture_;
};

}  // namespace forms
