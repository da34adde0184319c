#include "forms/Button.h"

#include "forms/App.h"

namespace forms {

Button::Button(Control& container, Bounds bounds, std::string caption, Font font)
    : container_(container),
      bounds_(bounds),
      caption_(std::move(caption)),
      font_(font) {
    container.Adopt(static_cast<ChildWindow*>(this));
}

void Button::CreateAsChild(HWND parent) {
    const RECT rect = container_.ToPixelRect(bounds_);
    hwnd_.reset(CreateWindowExA(0, "BUTTON", caption_.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, parent, nullptr,
                                App.Instance(), nullptr));
    hfont_ = MakeFont(font_, container_.Dpi());
    SendMessageA(hwnd_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(hfont_.get()), TRUE);
}

void Button::DpiChanged() {
    if (!hwnd_) return;
    const RECT rect = container_.ToPixelRect(bounds_);
    SetWindowPos(hwnd_.get(), nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    unique_hfont font = MakeFont(font_, container_.Dpi());
    SendMessageA(hwnd_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    hfont_ = std::move(font);  // the old font goes once the button no longer uses it
}

void Button::Activate() {
    if (Click) Click();
}

void Button::OnCommand(HWND from, int code) {
    if (from == hwnd_.get() && code == BN_CLICKED && Click) Click();
}

}  // namespace forms
