#include "eyes/Program.h"

#include "forms/App.h"
#include "forms/MsgBox.h"
#include "settings/logic/NumberText.h"

namespace eyes {

namespace {
constexpr UINT ZOrderFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW;
}

void Program::MessageBoxReporter::ShowMessage(std::string_view text, settings::MessageIcon icon) {
    forms::MsgBox(text, icon == settings::MessageIcon::Information ? MB_ICONINFORMATION : MB_ICONWARNING,
                  forms::App.Title);
}

Program::Program(settings::Registry& registry)
    : settings_(registry, reporter_),
      startup_(registry, settings::ProgramPath(forms::App.Path(), forms::App.EXEName())),
      form1_(*this),
      form6_(*this),
      form2_(*this, settings_, startup_, form3_) {}

void Program::Start() { form1_.Show(); }

std::string Program::ScreenResolution() const {
    return settings::ResolutionText(forms::Screen.Width() / forms::Screen.TwipsPerPixelX(),
                                    forms::Screen.Height() / forms::Screen.TwipsPerPixelY());
}

void Program::StorePosition() {
    // The window's own pixels: after a change of scale its Left and Top in twips may hold a fraction.
    RECT window{};
    GetWindowRect(form1_.hWnd(), &window);
    settings_.SaveLeft(static_cast<float>(window.left));
    settings_.SaveTop(static_cast<float>(window.top));
}

void Program::DragBy(DragAnchor& anchor, const forms::Control& pointerIn, forms::Form& dragged, int Button, float X,
                     float Y) {
    POINT cursor{};
    GetCursorPos(&cursor);
    const ScreenPoint pointer{cursor.x, cursor.y};
    const auto to = anchor.MouseMove(Button, X, Y, {dragged.Left(), dragged.Top()}, pointerIn.ScreenTwipsPerUnit(),
                                     pointer, forms::Screen.TwipsPerPixelX());
    if (!to) return;
    forms::Form& follower = &dragged == &form1_ ? static_cast<forms::Form&>(form6_) : form1_;
    const int changesBefore = scaleChanges_;
    moving_ = true;
    dragged.SetLeft(to->Left);
    // A change of scale inside the first move put the window where Windows suggests: it stays there.
    if (scaleChanges_ == changesBefore) dragged.SetTop(to->Top);
    follower.SetLeft(dragged.Left());
    follower.SetTop(dragged.Top());
    moving_ = false;
    if (scaleChanges_ == changesBefore) return;
    // Both windows where the dragged one stands, the skin drawn at Form1's scale; on from here by the
    // pointer's travel.
    follower.SetLeft(dragged.Left());
    follower.SetTop(dragged.Top());
    form6_.ShowSkin();
    anchor.ScaleChanged({dragged.Left(), dragged.Top()}, pointer);
}

WindowPosition Program::EyesPosition() const { return {form1_.Left(), form1_.Top()}; }

forms::PicturePtr Program::SkinPicture() const { return form1_.base_image.Picture(); }

void Program::ShowOverlay() {
    form6_.Show();
    form6_.SetPicture(SkinPicture());
}

void Program::ScaleChanged() {
    ++scaleChanges_;
    if (!moving_ && form6_.hWnd()) form6_.ShowSkin();
}

void Program::BringPupilsToFront() { SetForegroundWindow(form1_.hWnd()); }

void Program::WakeOn(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_WINDOWPOSCHANGED: {
        // Not a change of z-order or of showing alone.
        const UINT flags = reinterpret_cast<const WINDOWPOS*>(lParam)->flags;
        if ((flags & SWP_NOMOVE) && (flags & SWP_NOSIZE)) return;
        break;
    }
    case WM_POWERBROADCAST:
        if (wParam != PBT_APMRESUMEAUTOMATIC && wParam != PBT_APMRESUMESUSPEND) return;
        break;
    case WM_INPUT:
    case WM_DPICHANGED:
    case WM_DISPLAYCHANGE:
    case WM_WTSSESSION_CHANGE:
        break;
    default:
        return;
    }
    form1_.Wake();
}

void Program::ShowEyesMenu(forms::Form& window, std::optional<POINT> at) { form2_.ShowEyesMenu(window, at); }

void Program::Refresh() { form1_.Refresh(); }

// The overlay first and Form1 second, so that Form1 ends directly above the overlay.
void Program::SetZOrder(bool topmost) {
    const HWND insertAfter = topmost ? HWND_TOPMOST : HWND_NOTOPMOST;
    SetWindowPos(form6_.hWnd(), insertAfter, 0, 0, 0, 0, ZOrderFlags);
    SetWindowPos(form1_.hWnd(), insertAfter, 0, 0, 0, 0, ZOrderFlags);
}

}  // namespace eyes
