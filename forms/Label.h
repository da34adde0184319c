#pragma once
// A text label drawn by its container, on one line; with a cursor, a tooltip and a Click it serves as
// a link, which a form's tab order can give the keyboard focus (its container's window holds it, and
// the link draws the focus rectangle round its text). Positions are in the container's scale. In a
// container that follows the contrast theme, it takes the system's colours while the theme is on.

#include "forms/Color.h"
#include "forms/Control.h"
#include "forms/Font.h"
#include "forms/Layout.h"
#include "forms/TabOrder.h"
#include "forms/Windowless.h"

#include <string>

namespace forms {

enum class Alignment { Left, Center };

class Label : public Windowless, public TabStop {
public:
    Label(Control& container, Bounds bounds, std::string caption, Font font, OleColor foreColor,
          Alignment alignment = Alignment::Left);

    RECT PixelRect() const override;
    // The caption as drawn: from its first to its last inked column, over the height of its line. A
    // link answers the mouse there, not over the rest of its box.
    RECT HitRect() override { return TextRect(); }
    void Draw(HDC dc) override;
    void DpiChanged() override;
    // Static text, or a link (with a Click) whose value is given in Accessible.Value.
    Accessibility Describe() const override;

    HWND FocusWindow() const override { return container_.hWnd(); }
    void Activate() override;
    void SetFocused(bool focused) override;

    std::string Caption;

private:
    // Its colour now: the layout's, or the system's while its container is in contrast colours.
    COLORREF TextColor() const;
    HFONT FontHandle();
    HFONT PlainFontHandle();  // the font without its underline
    UINT Format() const;
    RECT TextRect();

    Control& container_;
    Bounds bounds_;
    Font font_;
    OleColor foreColor_;
    Alignment alignment_;
    unique_hfont hfont_;
    unique_hfont plainFont_;
    // The caption's place as last measured, and the caption and box it was measured for.
    RECT textRect_{};
    std::string measuredCaption_;
    RECT measuredBox_{};
    bool measured_ = false;
};

}  // namespace forms
