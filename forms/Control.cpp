#include "forms/Control.h"

#include "forms/AccessSettings.h"
#include "forms/App.h"
#include "forms/Failure.h"
#include "forms/TabOrder.h"
#include "product/Identity.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace forms {

namespace {

constexpr const char* ClassName = product::WindowClass;

// Asks a window to run the Click of a control it draws (wParam: the control's place in its parts),
// after the call that asked for it has returned: assistive technology asks from another process.
constexpr UINT ClickPartMessage = WM_APP + 1;

// The one window class of the form layer, registered once for the program.
class WindowClass {
public:
    explicit WindowClass(WNDPROC procedure) {
        WNDCLASSEXA description{};
        description.cbSize = sizeof description;
        description.lpfnWndProc = procedure;
        description.hInstance = App.Instance();
        description.hCursor = LoadCursor(nullptr, IDC_ARROW);
        description.lpszClassName = ClassName;
        atom_ = RegisterClassExA(&description);
    }
    ~WindowClass() { UnregisterClassA(ClassName, App.Instance()); }
    WindowClass(const WindowClass&) = delete;
    WindowClass& operator=(const WindowClass&) = delete;
    bool Registered() const { return atom_ != 0; }

private:
    ATOM atom_ = 0;
};

int ButtonsHeld(WPARAM keys) {
    return ((keys & MK_LBUTTON) ? LeftButton : 0) | ((keys & MK_RBUTTON) ? RightButton : 0) |
           ((keys & MK_MBUTTON) ? MiddleButton : 0);
}

int ShiftState(WPARAM keys) {
    return ((keys & MK_SHIFT) ? ShiftMask : 0) | ((keys & MK_CONTROL) ? CtrlMask : 0) |
           (GetKeyState(VK_MENU) < 0 ? AltMask : 0);
}

// The control that took the mouse at its last press, until it lets it go.
const Control* mouseHolder = nullptr;

}  // namespace

bool MouseHeld() { return mouseHolder != nullptr; }

int Control::ToPixelsX(float value) const { return static_cast<int>(std::nearbyint(value / UnitsPerPixelX())); }
int Control::ToPixelsY(float value) const { return static_cast<int>(std::nearbyint(value / UnitsPerPixelY())); }

RECT Control::ToPixelRect(const Bounds& bounds) const {
    const int left = ToPixelsX(bounds.Left);
    const int top = ToPixelsY(bounds.Top);
    return {left, top, left + ToPixelsX(bounds.Width), top + ToPixelsY(bounds.Height)};
}

void Control::Adopt(ChildWindow* child) {
    children_.push_back(child);
    parts_.push_back({child, nullptr});
}

void Control::Adopt(Windowless* item) {
    windowless_.push_back(item);
    parts_.push_back({nullptr, item});
}

Control* Control::FromWindow(HWND window) {
    char name[64] = {};
    if (!window || !GetClassNameA(window, name, sizeof name) || lstrcmpA(name, ClassName) != 0) return nullptr;
    return reinterpret_cast<Control*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

long Control::AccessibleChildId(const Windowless* item) const {
    for (std::size_t index = 0; index < parts_.size(); ++index)
        if (parts_[index].Item == item) return static_cast<long>(index) + 1;
    return CHILDID_SELF;
}

void Control::ClickLater(const Windowless* item) {
    const long id = AccessibleChildId(item);
    if (hwnd_ && id != CHILDID_SELF) PostMessageA(hwnd_.get(), ClickPartMessage, static_cast<WPARAM>(id - 1), 0);
}

void Control::SetAccessibleValue(std::string value) {
    if (value == Accessible.Value) return;
    Accessible.Value = std::move(value);
    if (hwnd_) NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, hwnd_.get(), OBJID_CLIENT, CHILDID_SELF);
}

bool Control::ContrastColors() const { return FollowsContrastTheme && ContrastColorsOn(); }

Control::~Control() {
    if (mouseHolder == this) mouseHolder = nullptr;
    // While the object is whole: the window's last messages still reach it. The tooltips go with their
    // owner, first.
    tooltip_.reset();
    hwnd_.reset();
}

float Control::UnitsPerPixelX() const { return scale_ == ScaleMode::Twips ? TwipsPerPixelAt(Dpi()) : 1.0f; }
float Control::UnitsPerPixelY() const { return UnitsPerPixelX(); }

// A DPI over a DPI, so that it is exactly 1 where the window's scale is the system's: one scale keeps
// the arithmetic it always had.
float Control::ScreenTwipsPerUnit() const {
    return scale_ == ScaleMode::Twips ? static_cast<float>(Dpi()) / static_cast<float>(Screen.Dpi())
                                      : Screen.TwipsPerPixelX();
}

void Control::SetPicture(PicturePtr picture) {
    picture_ = std::move(picture);
    if (hwnd_) InvalidateRect(hwnd_.get(), nullptr, FALSE);
}

void Control::CreateWindowObject(DWORD exStyle, DWORD style, const char* caption, int x, int y, int width, int height,
                                 HWND parent) {
    static const WindowClass windowClass(&Control::Procedure);
    if (!windowClass.Registered()) throw std::runtime_error("The window class could not be registered.");
    CreateWindowExA(exStyle, ClassName, caption, style, x, y, width, height, parent, nullptr, App.Instance(), this);
    if (!hwnd_) throw std::runtime_error("The window could not be created.");
}

void Control::CreateChildren() {
    for (ChildWindow* child : children_) child->CreateAsChild(hwnd_.get());
    for (Windowless* item : windowless_) {
        if (item->ToolTipText.empty()) continue;
        if (!tooltip_)
            tooltip_.reset(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0,
                                           0, hwnd_.get(), nullptr, App.Instance(), nullptr));
        TOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = hwnd_.get();
        tool.uId = reinterpret_cast<UINT_PTR>(item);
        tool.rect = item->HitRect();
        tool.lpszText = item->ToolTipText.data();
        SendMessageA(tooltip_.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void Control::LayOutChildrenAgain() {
    for (ChildWindow* child : children_) child->DpiChanged();
    for (Windowless* item : windowless_) {
        item->DpiChanged();
        if (!tooltip_ || item->ToolTipText.empty()) continue;
        TOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = hwnd_.get();
        tool.uId = reinterpret_cast<UINT_PTR>(item);
        tool.rect = item->HitRect();
        SendMessageA(tooltip_.get(), TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    if (hwnd_) InvalidateRect(hwnd_.get(), nullptr, FALSE);
}

// The boundary between Windows and the program: nothing thrown may pass through Windows' own code, so
// a failure in any handler is reported here, once, and ends the program.
LRESULT CALLBACK Control::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Control*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd_.reset(hwnd);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Control*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->hwnd_.release();  // gone already: nothing left to destroy
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        ReportFailure(std::current_exception());
        return 0;
    }
}

LRESULT Control::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;  // the whole window is painted in WM_PAINT, without flicker
    case WM_PAINT: {
        unique_hdc_paint paint(hwnd_.get());
        Paint(paint.get(), paint.area());
        return 0;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        HandleMouse(message, wParam, lParam);
        return 0;
    case WM_CAPTURECHANGED:
        if (mouseHolder == this) mouseHolder = nullptr;
        break;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && SetLinkCursor()) return TRUE;
        break;
    case WM_COMMAND:
        if (lParam != 0) {
            for (ChildWindow* child : children_) child->OnCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
            return 0;
        }
        break;
    case WM_CONTEXTMENU: {
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (at.x == -1 && at.y == -1) {
            RECT window{};
            GetWindowRect(hwnd_.get(), &window);
            at = {(window.left + window.right) / 2, (window.top + window.bottom) / 2};
        }
        if (OnContextMenu(at)) return 0;
        break;
    }
    case WM_GETOBJECT:
        if (const LRESULT object = AccessibleObjectFor(*this, wParam, lParam)) return object;
        break;
    case ClickPartMessage:
        if (wParam < parts_.size() && parts_[wParam].Item && parts_[wParam].Item->Click) parts_[wParam].Item->Click();
        return 0;
    case WM_SHOWWINDOW:
        if (wParam && tabOrder_) tabOrder_->Reset();
        break;
    case WM_SETFOCUS:
        if (tabOrder_) tabOrder_->Restore();
        [[fallthrough]];
    case WM_KILLFOCUS:
        // A link drawn here shows or hides its focus rectangle.
        if (!windowless_.empty()) InvalidateRect(hwnd_.get(), nullptr, FALSE);
        break;
    case WM_UPDATEUISTATE: {
        const LRESULT result = DefWindowProcA(hwnd_.get(), message, wParam, lParam);
        if (!windowless_.empty()) InvalidateRect(hwnd_.get(), nullptr, FALSE);
        return result;
    }
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
    case WM_THEMECHANGED:
        // The system tells only top-level windows; their children are drawn anew with them.
        if (FollowsContrastTheme)
            RedrawWindow(hwnd_.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        break;
    }
    return DefWindowProcA(hwnd_.get(), message, wParam, lParam);
}

void Control::Paint(HDC dc, const RECT&) {
    RECT client;
    GetClientRect(hwnd_.get(), &client);
    if (picture_) {
        unique_hdc memory(CreateCompatibleDC(dc));
        unique_select_object selected(memory.get(), picture_->Handle());
        BitBlt(dc, 0, 0, picture_->PixelWidth(), picture_->PixelHeight(), memory.get(), 0, 0, SRCCOPY);
        ExcludeClipRect(dc, 0, 0, picture_->PixelWidth(), picture_->PixelHeight());
    }
    unique_hbrush back(CreateSolidBrush(ToColorRef(ContrastColors() ? SystemColor(COLOR_WINDOW) : BackColor)));
    FillRect(dc, &client, back.get());
    SelectClipRgn(dc, nullptr);
    DrawContent(dc);
}

void Control::DrawContent(HDC dc) {
    for (Windowless* item : windowless_) item->Draw(dc);
}

void Control::HandleMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    const float x = static_cast<float>(point.x) * UnitsPerPixelX();
    const float y = static_cast<float>(point.y) * UnitsPerPixelY();
    const int shift = ShiftState(wParam);

    int button = 0;
    switch (message) {
    case WM_MOUSEMOVE:
        OnMouseMove(ButtonsHeld(wParam), shift, x, y);
        return;
    case WM_LBUTTONDOWN:
        leftPressed_ = true;
        pressed_ = WindowlessAt(point);
        [[fallthrough]];
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        button = message == WM_LBUTTONDOWN ? LeftButton : message == WM_RBUTTONDOWN ? RightButton : MiddleButton;
        SetCapture(hwnd_.get());  // the pressed control keeps the mouse until the last button is up
        mouseHolder = this;
        OnMouseDown(button, shift, x, y);
        return;
    default:
        button = message == WM_LBUTTONUP ? LeftButton : message == WM_RBUTTONUP ? RightButton : MiddleButton;
        if (ButtonsHeld(wParam) == 0 && GetCapture() == hwnd_.get()) ReleaseCapture();
        OnMouseUp(button, shift, x, y);
        if (button == LeftButton && leftPressed_) {
            leftPressed_ = false;
            Windowless* item = WindowlessAt(point);
            if (item && item == pressed_ && item->Click) item->Click();
            pressed_ = nullptr;
            OnClick();
        }
    }
}

Windowless* Control::WindowlessAt(POINT point) const {
    for (Windowless* item : windowless_) {
        RECT rect = item->HitRect();
        if (PtInRect(&rect, point)) return item;
    }
    return nullptr;
}

bool Control::SetLinkCursor() {
    POINT point;
    GetCursorPos(&point);
    ScreenToClient(hwnd_.get(), &point);
    Windowless* item = WindowlessAt(point);
    if (!item || !item->MouseIcon) return false;
    SetCursor(item->MouseIcon);
    return true;
}

}  // namespace forms
