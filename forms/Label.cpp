#include "Label.h"

#include "App.h"

#include <ole2.h>
#include <olectl.h>

#include <cmath>

namespace forms {

namespace {

RECT ToPixelRect(ScaleMode scale, const Bounds& bounds) {
    const int left = ToPixelsX(scale, bounds.Left);
    const int top = ToPixelsY(scale, bounds.Top);
    return {left, top, left + ToPixelsX(scale, bounds.Width), top + ToPixelsY(scale, bounds.Height)};
}

}  // namespace

unique_hfont MakeFont(const Font& font) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    const int height = -static_cast<int>(std::lround(font.Size * static_cast<float>(dpi) / 72.0f));
    return unique_hfont(CreateFontA(height, 0, 0, 0, font.Bold ? FW_BOLD : FW_NORMAL, FALSE, font.Underline, FALSE,
                                    DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                    DEFAULT_PITCH | FF_DONTCARE, font.Name));
}

Label::Label(Control& container, Bounds bounds, std::string caption, Font font, OleColor foreColor, Alignment alignment)
    : Caption(std::move(caption)),
      container_(container),
      bounds_(bounds),
      font_(font),
      foreColor_(foreColor),
      alignment_(alignment) {
    container.Adopt(this);
}

RECT Label::PixelRect() const { return ToPixelRect(container_.Scale(), bounds_); }

HFONT Label::FontHandle() {
    if (!hfont_) hfont_ = MakeFont(font_);
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

Image::Image(Control& container, Bounds bounds, int gifResourceId)
    : container_(container),
      bounds_(bounds),
      resourceId_(gifResourceId) {
    container.Adopt(this);
}

Image::~Image() {
    if (picture_) picture_->Release();
}

void Image::Draw(HDC dc) {
    if (!picture_) {
        // Decoded on first paint from the raw resource bytes, through a stream on a global copy.
        HRSRC found = FindResourceA(App.Instance(), MAKEINTRESOURCEA(resourceId_), MAKEINTRESOURCEA(10));  // RT_RCDATA
        if (!found) return;
        const DWORD size = SizeofResource(App.Instance(), found);
        const void* bytes = LockResource(LoadResource(App.Instance(), found));
        HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
        if (!copy || !bytes) return;
        memcpy(GlobalLock(copy), bytes, size);
        GlobalUnlock(copy);
        IStream* stream = nullptr;
        if (FAILED(CreateStreamOnHGlobal(copy, TRUE, &stream))) {
            GlobalFree(copy);
            return;
        }
        OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture, reinterpret_cast<void**>(&picture_));
        stream->Release();
        if (!picture_) return;
    }
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture_->get_Width(&width);
    picture_->get_Height(&height);
    const RECT rect = ToPixelRect(container_.Scale(), bounds_);
    // Drawn at its own size from the top-left, as an image control shows a picture.
    picture_->Render(dc, rect.left, rect.top, HimetricToPixelsX(width), HimetricToPixelsY(height), 0, height, width,
                     -height, nullptr);
}

Button::Button(Control& container, Bounds bounds, std::string caption, Font font)
    : container_(container),
      bounds_(bounds),
      caption_(std::move(caption)),
      font_(font) {
    container.Adopt(this);
}

void Button::Create(HWND parent) {
    const RECT rect = ToPixelRect(container_.Scale(), bounds_);
    hwnd_ = CreateWindowExA(0, "BUTTON", caption_.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                            rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, parent, nullptr,
                            App.Instance(), nullptr);
    hfont_ = MakeFont(font_);
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(hfont_.get()), TRUE);
}

}  // namespace forms
