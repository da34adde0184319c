#include "forms/Image.h"

#include "forms/App.h"
#include "forms/Picture.h"

#include <ole2.h>
#include <oleacc.h>
#include <olectl.h>

#include <cstring>

namespace forms {

Image::Image(Control& container, Bounds bounds, int gifResourceId)
    : container_(container),
      bounds_(bounds),
      resourceId_(gifResourceId) {
    container.Adopt(this);
}

Image::~Image() = default;

Accessibility Image::Describe() const {
    Accessibility said = Accessible;
    if (said.Role == 0) said.Role = ROLE_SYSTEM_GRAPHIC;
    return said;
}

RECT Image::PixelRect() const { return container_.ToPixelRect(bounds_); }

// From the raw resource bytes, through a stream on a global copy that the stream frees.
void Image::Decode() {
    HRSRC found = FindResourceA(App.Instance(), MAKEINTRESOURCEA(resourceId_), RT_RCDATA);
    if (!found) return;
    const DWORD size = SizeofResource(App.Instance(), found);
    const void* bytes = LockResource(LoadResource(App.Instance(), found));
    if (!bytes) return;
    unique_hglobal copy(GlobalAlloc(GMEM_MOVEABLE, size));
    if (!copy) return;
    void* target = GlobalLock(copy.get());
    if (!target) return;
    std::memcpy(target, bytes, size);
    GlobalUnlock(copy.get());
    unique_com<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(copy.get(), TRUE, stream.put()))) return;
    copy.release();  // the stream owns it now
    OleLoadPicture(stream.get(), static_cast<LONG>(size), FALSE, IID_IPicture, picture_.put_void());
}

void Image::Draw(HDC dc) {
    if (!drawn_ && DrawnAt) drawn_ = DrawnAt(container_.Dpi());
    if (drawn_) {
        const RECT rect = PixelRect();
        unique_hdc memory(CreateCompatibleDC(dc));
        unique_select_object selected(memory.get(), drawn_->Handle());
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        GdiAlphaBlend(dc, rect.left, rect.top, drawn_->PixelWidth(), drawn_->PixelHeight(), memory.get(), 0, 0,
                      drawn_->PixelWidth(), drawn_->PixelHeight(), blend);
        return;
    }
    if (!picture_) Decode();
    if (!picture_) return;
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture_->get_Width(&width);
    picture_->get_Height(&height);
    const RECT rect = PixelRect();
    // Drawn at its own size from the top-left, as an image control shows a picture.
    picture_->Render(dc, rect.left, rect.top, HimetricToPixelsX(width), HimetricToPixelsY(height), 0, height, width,
                     -height, nullptr);
}

}  // namespace forms
