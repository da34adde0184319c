#include "eyes/Form6.h"

#include "eyes/Program.h"
#include "forms/Handles.h"

namespace eyes {

namespace {

forms::FormLayout Form6Layout() {
    forms::FormLayout layout;
    layout.Caption = "Form6";
    layout.Border = forms::BorderStyle::None;
    layout.ShowInTaskbar = false;
    layout.Scale = forms::ScaleMode::Twips;
    layout.Client = {18225, 705, 2625, 915};  // replaced at load: Form1's position, the picture's size
    layout.Accessible = EyesAccessibility();
    return layout;
}

}  // namespace

Form6::Form6(Program& program) : Form(Form6Layout()), program_(program) {}

void Form6::Form_Load() {
    const LONG style = GetWindowLongA(hWnd(), GWL_EXSTYLE);
    SetWindowLongA(hWnd(), GWL_EXSTYLE, style | WS_EX_LAYERED);
    ShowSkin();
    // At Form1's place: at the scale of the monitor there, before the z-order shows it.
    TakeWindowDpi();

    program_.SetZOrder(program_.Settings().LoadOnTop() == 1);
}

void Form6::ShowSkin() {
    const WindowPosition eyes = program_.EyesPosition();
    SetLeft(eyes.Left);
    SetTop(eyes.Top);

    const forms::PicturePtr picture = program_.SkinPicture();
    imageWidth_ = forms::HimetricToPixelsX(picture->Width());
    imageHeight_ = forms::HimetricToPixelsY(picture->Height());
    UpdateAlphaImage();
}

// Form1 draws the skin picture anew at its own change of scale; the overlay goes back to Form1's
// position and size, whichever window had its change first.
void Form6::Form_DpiChanged() { program_.ScaleChanged(); }

// Puts the skin picture, premultiplied per-pixel alpha, on the layered window at its position, at the
// picture's size. The bitmap is borrowed for this one update; the screen's palette is the default's.
void Form6::UpdateAlphaImage() {
    forms::unique_hdc memory(CreateCompatibleDC(nullptr));
    forms::unique_select_object selected(memory.get(), program_.SkinPicture()->Handle());
    RECT window{};
    GetWindowRect(hWnd(), &window);
    POINT destination{window.left, window.top};
    SIZE size{imageWidth_, imageHeight_};
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    UpdateLayeredWindow(hWnd(), nullptr, &destination, &size, memory.get(), &source, 0, &blend, ULW_ALPHA);
}

void Form6::Form_MouseMove(int Button, int, float X, float Y) { program_.DragBy(anchor_, *this, *this, Button, X, Y); }

void Form6::Form_MouseDown(int Button, int, float, float) {
    program_.WakeEyes();
    if (Button == forms::RightButton) program_.ShowEyesMenu(*this);
}

LRESULT Form6::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = Form::HandleMessage(message, wParam, lParam);
    program_.WakeOn(message, wParam, lParam);
    return result;
}

void Form6::Form_MouseUp(int, int, float, float) { anchor_.Released(); }

void Form6::Form_Click() { program_.BringPupilsToFront(); }

bool Form6::Form_ContextMenu(POINT at) {
    program_.ShowEyesMenu(*this, at);
    return true;
}

}  // namespace eyes
