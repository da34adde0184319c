#include "forms/Form.h"

#include "forms/AccessSettings.h"
#include "forms/App.h"

#include <cmath>

namespace forms {

namespace {

DWORD StyleOf(BorderStyle border) {
    switch (border) {
    case BorderStyle::None:
        return WS_POPUP | WS_CLIPCHILDREN;
    case BorderStyle::FixedSingle:
        return WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    case BorderStyle::FixedToolWindow:
        return WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    }
    return WS_POPUP;
}

int Nearest(float value) { return static_cast<int>(std::nearbyint(value)); }

// The top-left of a window of that size in the middle of the main monitor.
POINT CentredOnScreen(int width, int height) {
    return {(GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2};
}

}  // namespace

Form::Form(FormLayout layout)
    : Control(layout.Scale, layout.BackColor),
      layout_(std::move(layout)),
      dpi_(Screen.Dpi()) {
    Accessible = layout_.Accessible;
}

// At the monitor's DPI times the text size the form follows, halves away from zero, as the pictures
// are scaled (art's ScaledSize): a borderless form and the picture it shows come out the same size at
// every scale.
SIZE Form::ClientSize(int dpi) const {
    const int scaled = (dpi * textScale_ + 50) / 100;
    const auto pixels = [scaled](float twips) { return static_cast<int>(std::lround(twips * scaled / 1440.0)); };
    return {pixels(layout_.Client.Width), pixels(layout_.Client.Height)};
}

SIZE Form::FrameSize(int dpi, DWORD style, DWORD exStyle) const {
    const SIZE client = ClientSize(dpi);
    const RECT frame = FrameAroundAt({0, 0, client.cx, client.cy}, style, exStyle, dpi);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

void Form::ApplyDpi(int dpi, const RECT& suggested) {
    if (dpi <= 0) return;
    dpi_ = dpi;
    if (hwnd_) {
        // The rectangle Windows suggests, as it is: one of another size or place can find its larger part
        // back on the monitor it came from, and the window would bounce between the two.
        SetWindowPos(hwnd_.get(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                     suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
        // Where the frame the system draws is not the one computed for the DPI (a system that keeps
        // frames at one scale), the window grows or shrinks by the difference: the client area is the
        // layout's. A borderless form is all client area, whatever its content makes it.
        if (layout_.Border != BorderStyle::None) {
            RECT window{}, client{};
            GetWindowRect(hwnd_.get(), &window);
            GetClientRect(hwnd_.get(), &client);
            const SIZE wanted = ClientSize(dpi_);
            const int dx = wanted.cx - client.right, dy = wanted.cy - client.bottom;
            if (dx != 0 || dy != 0)
                SetWindowPos(hwnd_.get(), nullptr, 0, 0, window.right - window.left + dx,
                             window.bottom - window.top + dy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    LoadIcons();
    LayOutChildrenAgain();
    Form_DpiChanged();
    Refresh();
}

void Form::TakeWindowDpi() {
    const int dpi = WindowDpi(hwnd_.get());
    if (dpi <= 0 || dpi == dpi_) return;
    // Where Windows would have put it: the top-left kept, the size at the new DPI.
    RECT window{};
    GetWindowRect(hwnd_.get(), &window);
    const SIZE size = FrameSize(dpi, static_cast<DWORD>(GetWindowLongA(hwnd_.get(), GWL_STYLE)),
                                static_cast<DWORD>(GetWindowLongA(hwnd_.get(), GWL_EXSTYLE)));
    ApplyDpi(dpi, {window.left, window.top, window.left + size.cx, window.top + size.cy});
    if (layout_.CenterScreen) {
        GetWindowRect(hwnd_.get(), &window);
        const POINT centred = CentredOnScreen(window.right - window.left, window.bottom - window.top);
        SetWindowPos(hwnd_.get(), nullptr, centred.x, centred.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void Form::TakeTextSize() {
    const int scale = TextScalePercent();
    if (!layout_.FollowsTextSize || scale == textScale_) return;
    textScale_ = scale;
    if (!hwnd_) return;
    RECT window{};
    GetWindowRect(hwnd_.get(), &window);
    ApplyDpi(dpi_, window);
}

// The title bar's icons at the form's DPI: a 16-pixel icon stretched to 32 at 200 % would blur.
void Form::LoadIcons() {
    if (layout_.IconId == 0 || !hwnd_) return;
    const auto load = [this](int width, int height) {
        return static_cast<HICON>(LoadImageA(App.Instance(), MAKEINTRESOURCEA(layout_.IconId), IMAGE_ICON,
                                             SystemMetricAt(width, dpi_), SystemMetricAt(height, dpi_), 0));
    };
    unique_hicon big(load(SM_CXICON, SM_CYICON)), small(load(SM_CXSMICON, SM_CYSMICON));
    SendMessageA(hwnd_.get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    SendMessageA(hwnd_.get(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    // The window has the new icons now: the old ones can go.
    bigIcon_ = std::move(big);
    smallIcon_ = std::move(small);
}

void Form::Load() {
    if (loaded_) return;
    loaded_ = true;
    Form_Initialize();
    if (layout_.FollowsTextSize) textScale_ = TextScalePercent();

    const float tppX = Screen.TwipsPerPixelX();
    const float tppY = Screen.TwipsPerPixelY();
    DWORD exStyle = 0;
    HWND owner = nullptr;
    if (layout_.Border == BorderStyle::FixedToolWindow) exStyle |= WS_EX_TOOLWINDOW;
    if (layout_.ShowInTaskbar) {
        exStyle |= WS_EX_APPWINDOW;
    } else if (!App.TaskVisible) {
        exStyle |= WS_EX_TOOLWINDOW;
    } else {
        owner = App.HiddenOwner();
    }
    const DWORD style = StyleOf(layout_.Border);

    // The client area's origin is the layout's; the frame around it goes out from there.
    const RECT frame = FrameAroundAt({0, 0, 0, 0}, style, exStyle, dpi_);
    const SIZE size = FrameSize(dpi_, style, exStyle);
    const int width = size.cx;
    const int height = size.cy;
    int x = Nearest(layout_.Client.Left / tppX) + frame.left;
    int y = Nearest(layout_.Client.Top / tppY) + frame.top;
    if (layout_.CenterScreen) {
        const POINT centred = CentredOnScreen(width, height);
        x = centred.x;
        y = centred.y;
    }
    left_ = static_cast<float>(x) * tppX;
    top_ = static_cast<float>(y) * tppY;
    pixel_ = {x, y};
    CreateWindowObject(exStyle, style, layout_.Caption.c_str(), x, y, width, height, owner);

    LoadIcons();
    // Created and placed: from here on at the DPI of the monitor the window stands on.
    TakeWindowDpi();
    CreateChildren();
    Form_Load();
}

void Form::Show() {
    Load();
    ShowWindow(hwnd_.get(), SW_SHOW);
    SetForegroundWindow(hwnd_.get());
}

void Form::SetLeft(float twips) {
    left_ = twips;
    MoveToPosition();
}

void Form::SetTop(float twips) {
    top_ = twips;
    MoveToPosition();
}

void Form::MoveToPosition() {
    const POINT target{Nearest(left_ / Screen.TwipsPerPixelX()), Nearest(top_ / Screen.TwipsPerPixelY())};
    if (!hwnd_ || (target.x == pixel_.x && target.y == pixel_.y)) return;
    SetWindowPos(hwnd_.get(), nullptr, target.x, target.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::Refresh() {
    if (hwnd_) RedrawWindow(hwnd_.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_WINDOWPOSCHANGED: {
        // Moved by someone else (SetWindowPos, the system): Left and Top follow the window; moved by
        // SetLeft/SetTop: they keep their fraction.
        const auto* position = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (!(position->flags & SWP_NOMOVE)) {
            pixel_ = {position->x, position->y};
            if (Nearest(left_ / Screen.TwipsPerPixelX()) != pixel_.x)
                left_ = static_cast<float>(pixel_.x) * Screen.TwipsPerPixelX();
            if (Nearest(top_ / Screen.TwipsPerPixelY()) != pixel_.y)
                top_ = static_cast<float>(pixel_.y) * Screen.TwipsPerPixelY();
        }
        return 0;
    }
    case WM_DPICHANGED:
        ApplyDpi(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) Form_Activate();
        break;
    case WM_CLOSE:
        Form_Close();
        return 0;
    case WM_SETTINGCHANGE:
        TakeTextSize();
        break;
    }
    return Control::HandleMessage(message, wParam, lParam);
}

}  // namespace forms
