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
    settings_.SaveLeft(form1_.Left() / forms::Screen.TwipsPerPixelX());
    settings_.SaveTop(form1_.Top() / forms::Screen.TwipsPerPixelY());
}

void Program::DragBy(DragAnchor& anchor, const forms::Control& pointerIn, forms::Form& dragged, int Button, float X,
                     float Y) {
    const auto to = anchor.MouseMove(Button, X, Y, {dragged.Left(), dragged.Top()}, pointerIn.ScreenTwipsPerUnit());
    if (!to) return;
    forms::Form& follower = &dragged == &form1_ ? static_cast<forms::Form&>(form6_) : form1_;
    dragged.SetLeft(to->Left);
    dragged.SetTop(to->Top);
    follower.SetLeft(dragged.Left());
    follower.SetTop(dragged.Top());
}

WindowPosition Program::EyesPosition() const { return {form1_.Left(), form1_.Top()}; }

forms::PicturePtr Program::SkinPicture() const { return form1_.base_image.Picture(); }

void Program::ShowOverlay() {
    form6_.Show();
    form6_.SetPicture(SkinPicture());
}

void Program::OverlayFollowsEyes() {
    if (form6_.hWnd()) form6_.ShowSkin();
}

void Program::BringPupilsToFront() { SetForegroundWindow(form1_.hWnd()); }

void Program::ShowEyesMenu(forms::Form& window, std::optional<POINT> at) { form2_.ShowEyesMenu(window, at); }

void Program::Refresh() { form1_.Refresh(); }

// The overlay first and Form1 second, so that Form1 ends directly above the overlay.
void Program::SetZOrder(bool topmost) {
    const HWND insertAfter = topmost ? HWND_TOPMOST : HWND_NOTOPMOST;
    SetWindowPos(form6_.hWnd(), insertAfter, 0, 0, 0, 0, ZOrderFlags);
    SetWindowPos(form1_.hWnd(), insertAfter, 0, 0, 0, 0, ZOrderFlags);
}

}  // namespace eyes
