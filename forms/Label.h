#pragma once
// A text label drawn by its container, on one line; with a cursor, a tooltip and a Click it serves as
// a link. Positions are in the container's scale.

#include "forms/Color.h"
#include "forms/Control.h"
#include "forms/Font.h"
#include "forms/Layout.h"
#include "forms/Windowless.h"

#include <string>

namespace forms {

enum class Alignment { Left, Center };

class Label : public Windowless {
public:
    Label(Control& container, Bounds bounds, std::string caption, Font font, OleColor foreColor,
          Alignment alignment = Alignment::Left);

    RECT PixelRect() const override;
    void Draw(HDC dc) override;
    void DpiChanged() override { hfont_.reset(); }

    std::string Caption;

private:
    HFONT FontHandle();

    Control& container_;
    Bounds bounds_;
    Font font_;
    OleColor foreColor_;
    Alignment alignment_;
    unique_hfont hfont_;
};

}  // namespace forms
