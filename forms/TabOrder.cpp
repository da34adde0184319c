#include "forms/TabOrder.h"

#include "forms/Control.h"

#include <algorithm>

namespace forms {

TabOrder::TabOrder(Control& form, std::vector<TabStop*> stops) : form_(form), stops_(std::move(stops)) {
    form_.SetTabs(this);
}

TabOrder::~TabOrder() { form_.SetTabs(nullptr); }

void TabOrder::Reset() {
    if (stops_.empty()) return;
    stops_[current_]->SetFocused(false);
    current_ = 0;
    stops_[current_]->SetFocused(true);
    // As the last input asks: Windows shows the focus when the form was opened from the keyboard and
    // hides it when from the mouse, unless it is set to show keyboard cues always (as Wine is, which
    // keeps no such state: there the focus always shows).
    const HWND window = form_.hWnd();
    SendMessageA(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
    SendMessageA(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
}

void TabOrder::Restore() {
    if (stops_.empty()) return;
    TabStop* stop = stops_[current_];
    if (GetFocus() != stop->FocusWindow()) SetFocus(stop->FocusWindow());
    stop->SetFocused(true);
}

void TabOrder::FollowSystemFocus() {
    const HWND focus = GetFocus();
    if (stops_.empty() || stops_[current_]->FocusWindow() == focus) return;
    for (std::size_t index = 0; index < stops_.size(); ++index) {
        if (stops_[index]->FocusWindow() != focus) continue;
        stops_[current_]->SetFocused(false);
        current_ = index;
        stops_[current_]->SetFocused(true);
        return;
    }
}

void TabOrder::MoveTo(std::size_t index) {
    stops_[current_]->SetFocused(false);
    current_ = index;
    SetFocus(stops_[current_]->FocusWindow());
    stops_[current_]->SetFocused(true);
}

bool TabOrder::Key(const MSG& message) {
    if (message.message != WM_KEYDOWN || stops_.empty()) return false;
    // A key held down repeats: it moves the focus again, but activates once.
    const bool repeated = (message.lParam & (1L << 30)) != 0;
    FollowSystemFocus();
    switch (message.wParam) {
    case VK_TAB: {
        SendMessageA(form_.hWnd(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
        const std::size_t count = stops_.size();
        MoveTo(GetKeyState(VK_SHIFT) < 0 ? (current_ + count - 1) % count : (current_ + 1) % count);
        return true;
    }
    case VK_RETURN:
    case VK_SPACE:
        if (!repeated) stops_[current_]->Activate();
        return true;
    case VK_ESCAPE:
        SendMessageA(form_.hWnd(), WM_CLOSE, 0, 0);
        return true;
    }
    return false;
}

bool TabOrder::Contains(const TabStop* stop) const {
    return std::find(stops_.begin(), stops_.end(), stop) != stops_.end();
}

bool HandleFormKey(const MSG& message) {
    if (message.message != WM_KEYDOWN || !message.hwnd) return false;
    Control* form = Control::FromWindow(GetAncestor(message.hwnd, GA_ROOT));
    return form && form->Tabs() && form->Tabs()->Key(message);
}

}  // namespace forms
