#include "forms/Label.h"

namespace forms {

Label::Label(Control& container, Bounds bounds, std::string caption, Font font, OleColor foreColor, Alignment alignment)
    : Caption(std::move(caption)),
      container_(container),
      bounds_(bounds),
      font_(font),
      foreColor_(foreColor),
      alignment_(alignment) {
    container.Adopt(this);
}

RECT Label::PixelRect() const { return container_.ToPixelRect(bounds_); }

HFONT Label::FontHandle() {
    if (!hfont_) hfont_ = MakeFont(font_, container_.Dpi());
    return hfont_.get();
}

void Label::Draw(HDC dc) {
    RECT rect = PixelRect();
    unique_select_object font(dc, FontHandle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToColorRef(foreColor_));
    // One line each; a caption wider than its label runs on rather than being cut or wrapped, since
    // the fonts the system substitutes can be wider than the ones the layout was made with.
    const UINT format =
        DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX | (alignment_ == Alignment::Center ? DT_CENTER : DT_LEFT);
    DrawTextA(dc, Caption.c_str(), static_cast<int>(Caption.size()), &rect, format);
}

}  // namespace forms
