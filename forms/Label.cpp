#include "forms/Label.h"

#include <ole2.h>
#include <oleacc.h>

#include <algorithm>
#include <cstdint>

namespace forms {

namespace {

// The columns where DrawTextA puts ink for `text` in `box` (left edge and one past the right edge), and
// the height of its line; an empty span when it draws nothing. The text is drawn black on white into a
// bitmap and the inked columns are read back: a font's reported widths (GetTextExtentPoint32,
// DT_CALCRECT) need not be the widths it draws. Wine's own Tahoma, for one, draws bold at 13 and 16
// pixels with the narrower glyphs of its regular face but reports the bold widths, so an underline or
// a hit area sized from those widths runs past the text by up to a tenth.
struct InkSpan {
    int Left = 0, Right = 0, LineHeight = 0;
};

InkSpan MeasureInk(HFONT font, const std::string& text, const RECT& box, UINT format) {
    unique_hdc dc(CreateCompatibleDC(nullptr));
    if (!dc) return {box.left, box.left, 0};
    unique_select_object selectedFont(dc.get(), font);
    SIZE extent{};
    GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
    // Room for the text however far it runs past either side of its box, overhangs included.
    const int margin = extent.cx + extent.cy;
    const int originX = box.left - margin;
    const int width = static_cast<int>(box.right - box.left) + 2 * margin;
    const int height = extent.cy + 2 * extent.cy;
    if (text.empty() || width <= 0 || height <= 0) return {box.left, box.left, extent.cy};

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    unique_hbitmap canvas(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!canvas || !bits) return {box.left, box.left + extent.cx, extent.cy};
    unique_select_object selectedCanvas(dc.get(), canvas.get());
    auto* pixels = static_cast<std::uint32_t*>(bits);
    std::fill(pixels, pixels + static_cast<std::size_t>(width) * height, 0x00FFFFFFu);

    // The text's line starts one line below the canvas' top.
    RECT place{box.left - originX, extent.cy, box.right - originX, extent.cy + (box.bottom - box.top)};
    SetBkMode(dc.get(), TRANSPARENT);
    SetTextColor(dc.get(), RGB(0, 0, 0));
    DrawTextA(dc.get(), text.c_str(), static_cast<int>(text.size()), &place, format);
    GdiFlush();

    int first = width, last = -1;
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* row = pixels + static_cast<std::size_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            if ((row[x] & 0x00FFFFFFu) == 0x00FFFFFFu) continue;
            first = std::min(first, x);
            last = std::max(last, x);
        }
    }
    if (last < 0) return {box.left, box.left, extent.cy};
    return {originX + first, originX + last + 1, extent.cy};
}

}  // namespace

Label::Label(Control& container, Bounds bounds, std::string caption, Font font, OleColor foreColor, Alignment alignment)
    : Caption(std::move(caption)),
      container_(container),
      bounds_(bounds),
      font_(font),
      foreColor_(foreColor),
      alignment_(alignment) {
    container.Adopt(this);
}

Accessibility Label::Describe() const {
    Accessibility said = Accessible;
    if (said.Name.empty()) said.Name = Caption;
    if (said.Role == 0) said.Role = Click ? ROLE_SYSTEM_LINK : ROLE_SYSTEM_STATICTEXT;
    if (said.DefaultAction.empty() && Click) said.DefaultAction = "Jump";
    return said;
}

void Label::Activate() {
    if (Click) Click();
}

void Label::SetFocused(bool focused) {
    TabStop::SetFocused(focused);
    const HWND window = container_.hWnd();
    if (!window) return;
    InvalidateRect(window, nullptr, FALSE);
    if (focused && GetFocus() == window)
        NotifyWinEvent(EVENT_OBJECT_FOCUS, window, OBJID_CLIENT, container_.AccessibleChildId(this));
}

COLORREF Label::TextColor() const {
    if (!container_.ContrastColors()) return ToColorRef(foreColor_);
    return GetSysColor(Click ? COLOR_HOTLIGHT : COLOR_WINDOWTEXT);
}

RECT Label::PixelRect() const { return container_.ToPixelRect(bounds_); }

void Label::DpiChanged() {
    hfont_.reset();
    plainFont_.reset();
    measured_ = false;
}

HFONT Label::FontHandle() {
    if (!hfont_) hfont_ = MakeFont(font_, container_.Dpi());
    return hfont_.get();
}

HFONT Label::PlainFontHandle() {
    if (!font_.Underline) return FontHandle();
    if (!plainFont_) {
        Font plain = font_;
        plain.Underline = false;
        plainFont_ = MakeFont(plain, container_.Dpi());
    }
    return plainFont_.get();
}

// One line each; a caption wider than its label runs on rather than being cut or wrapped, since the
// fonts the system substitutes can be wider than the ones the layout was made with.
UINT Label::Format() const {
    return DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX | (alignment_ == Alignment::Center ? DT_CENTER : DT_LEFT);
}

RECT Label::TextRect() {
    const RECT box = PixelRect();
    if (!measured_ || Caption != measuredCaption_ || !EqualRect(&box, &measuredBox_)) {
        // Measured without the underline, which would count as ink wherever the font draws it.
        const InkSpan ink = MeasureInk(PlainFontHandle(), Caption, box, Format());
        textRect_ = {ink.Left, box.top, ink.Right, box.top + ink.LineHeight};
        measuredCaption_ = Caption;
        measuredBox_ = box;
        measured_ = true;
    }
    return textRect_;
}

void Label::Draw(HDC dc) {
    RECT rect = PixelRect();
    const int saved = SaveDC(dc);
    if (font_.Underline) {
        // The font's underline spans the widths the font reports; it is cut at the ends of the text as
        // drawn (only the sides: the underline may lie below the line).
        const RECT text = TextRect();
        const int line = text.bottom - text.top;
        IntersectClipRect(dc, text.left, text.top - line, text.right, text.bottom + line);
    }
    SelectObject(dc, FontHandle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, TextColor());
    DrawTextA(dc, Caption.c_str(), static_cast<int>(Caption.size()), &rect, Format());
    RestoreDC(dc, saved);
    // The keyboard's focus: a dotted rectangle round the text, while its window has the focus and
    // the system shows focus rectangles in it.
    const HWND window = container_.hWnd();
    if (Focused() && GetFocus() == window &&
        !(SendMessageA(GetAncestor(window, GA_ROOT), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS)) {
        RECT focus = TextRect();
        InflateRect(&focus, 2, 1);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        DrawFocusRect(dc, &focus);
    }
}

}  // namespace forms
