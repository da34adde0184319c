#include "eyes/Form1.h"

#include "art/ScaledPictures.h"
#include "art/Skins.h"
#include "art/resources.h"
#include "art/src/Artwork.h"
#include "eyes/Modules.h"
#include "eyes/Program.h"
#include "eyes/logic/PupilTracking.h"
#include "eyes/logic/Startup.h"
#include "forms/App.h"
#include "forms/MsgBox.h"
#include "forms/RawMouse.h"
#include "product/Identity.h"

#include <commctrl.h>
#include <ole2.h>
#include <oleacc.h>
#include <wtsapi32.h>

namespace eyes {

namespace {

constexpr char PlatformMessage[] = "Operating System does not support. This program will run only on NT Platform.";
constexpr long PlatformNt = 2;  // VER_PLATFORM_WIN32_NT

forms::FormLayout Form1Layout() {
    forms::FormLayout layout;
    layout.Caption = "Form1";
    layout.Border = forms::BorderStyle::None;
    layout.ShowInTaskbar = false;
    layout.Scale = forms::ScaleMode::Pixels;
    layout.BackColor = ColorKey;
    layout.Client = {7185, 4575, 1950, 1320};  // 479, 305 and 130 x 88 pixels
    layout.IconId = IDI_FORM1;
    layout.Accessible = EyesAccessibility();
    return layout;
}

forms::PictureBoxLayout Pupil(float left, const EyesGeometry& geometry) {
    return {{left, geometry.PupilTop, geometry.PupilBox, geometry.PupilBox},
            forms::SystemColor(COLOR_WINDOW),
            forms::ScaleMode::Twips,
            false,
            false};
}

forms::PictureBoxLayout SkinHolder(const EyesGeometry& geometry) {
    // Wholly outside the client area: it only holds the skin picture.
    return {geometry.SkinHolder, forms::Rgb(0xC5, 0xC5, 0xC5), forms::ScaleMode::Twips, false, false};
}

// imgl's pictures at a DPI: the skins in art::Skins' order, the pupil third, as the layout has it
// (1 the "Tavrin" skin, 2 the "Classic" skin, 3 the pupil), any further skin after it.
constexpr std::size_t PupilImage = 3;
std::vector<forms::PictureSource> EyesPictures(int dpi) {
    std::vector<forms::PictureSource> pictures;
    for (const art::Skin& skin : art::Skins) pictures.push_back([&skin, dpi] { return art::SkinPicture(skin, dpi); });
    pictures.insert(pictures.begin() + PupilImage - 1, [dpi] { return art::PupilPicture(dpi); });
    return pictures;
}

std::size_t SkinImage(const art::Skin& skin) {
    const std::size_t row = static_cast<std::size_t>(&skin - art::Skins) + 1;
    return row < PupilImage ? row : row + 1;
}

}  // namespace

forms::Accessibility EyesAccessibility() {
    return {product::Title,
            "Eyes that follow the mouse pointer. For their menu, right-click the eyes, or click them and "
            "press Shift+F10.",
            "", "", ROLE_SYSTEM_GRAPHIC};
}

Form1::Form1(Program& program)
    : Form(Form1Layout()),
      picballLeft(*this, Pupil(GeometryAt(Dpi()).LeftPupilLeft, GeometryAt(Dpi()))),
      picballRight(*this, Pupil(GeometryAt(Dpi()).RightPupilLeft, GeometryAt(Dpi()))),
      base_image(*this, SkinHolder(GeometryAt(Dpi()))),
      imgl(EyesPictures(Dpi())),
      Timer1(*this, 10, [this] { Timer1_Timer(); }),
      Timer2(*this, 9, [this] { Timer2_Timer(); }),
      Timer3(*this, 2000, [this] { Timer3_Timer(); }),
      CursorCheck(
          *this, 100, [this] { CursorCheck_Timer(); }, 10),
      program_(program),
      geometry_(GeometryAt(Dpi())) {
    ApplyGeometry(geometry_);
    picballLeft.MouseMove = [this](int b, int s, float x, float y) { picballLeft_MouseMove(b, s, x, y); };
    picballRight.MouseMove = [this](int b, int s, float x, float y) { picballRight_MouseMove(b, s, x, y); };
    picballLeft.MouseUp = [this](int b, int s, float x, float y) { picballLeft_MouseUp(b, s, x, y); };
    picballRight.MouseUp = [this](int b, int s, float x, float y) { picballRight_MouseUp(b, s, x, y); };
    picballLeft.MouseDown = [this](int b, int s, float x, float y) { picballLeft_MouseDown(b, s, x, y); };
    picballRight.MouseDown = [this](int b, int s, float x, float y) { picballRight_MouseDown(b, s, x, y); };
}

void Form1::Form_Initialize() {
    InitCommonControls();
    forms::App.TaskVisible = false;
    if (GetPlatformId() < PlatformNt) {
        forms::MsgBox(PlatformMessage, MB_ICONSTOP, forms::App.Title);
        forms::App.End();
    }
    // Marks a running copy for other programs; nothing tests it, and a second copy runs normally.
    runningMutex_.reset(CreateMutexA(nullptr, FALSE, product::MutexName));
}

// A failure here (a missing picture resource, a window that cannot be made) is reported in a message
// box titled "Tavrin Eyes" and ends the program, as every failure that reaches Windows does.
void Form1::Form_Load() {
    // The layout picture of base_image: fully transparent, kept when no skin is chosen.
    base_image.SetPicture(ChosenSkinPicture());

    // Layered and keyed before it is first shown: never a grey box, not even once.
    SetWindowColorKey(*this, 255);
    const auto skin = LoadSettingsAndPlace().Skin;
    // Placed: the eyes restored on a monitor of another scale come up at that scale at once.
    TakeWindowDpi();
    if (art::FindSkin(skin)) {
        skin_ = *skin;
        base_image.SetPicture(ChosenSkinPicture());
    }

    picballLeft.SetPicture(imgl.ListImages(PupilImage));
    picballRight.SetPicture(imgl.ListImages(PupilImage));
    base_image.SetVisible(true);
    picballLeft.SetVisible(true);
    picballRight.SetVisible(true);

    Timer1.SetEnabled(true);
    Timer2.SetEnabled(true);
    Timer3.SetEnabled(true);

    program_.ShowOverlay();
    SetForegroundWindow(hWnd());
    // An unlocked session may find the pointer elsewhere while the eyes sleep.
    WTSRegisterSessionNotification(hWnd(), NOTIFY_FOR_THIS_SESSION);
}

// The start-up's decisions (eyes/logic/Startup.h) on this screen and this window, applied: a later
// run places the window at the decided place; a first run keeps the layout position.
StartDecision Form1::LoadSettingsAndPlace() {
    std::vector<MonitorRect> monitors;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR, HDC, RECT* area, LPARAM found) -> BOOL {
            reinterpret_cast<std::vector<MonitorRect>*>(found)->push_back(
                {area->left, area->top, area->right, area->bottom});
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&monitors));

    const float twipsX = forms::Screen.TwipsPerPixelX(), twipsY = forms::Screen.TwipsPerPixelY();
    const StartDecision start = StartEyes(
        program_.Settings(), program_.Startup(),
        {program_.ScreenResolution(), forms::Screen.Width() / twipsX, forms::Screen.Height() / twipsY, monitors},
        {Left() / twipsX, Top() / twipsY, {CerLeft, CerRight}});
    if (start.End) forms::App.End();
    // Placed only: the overlay's load sets the z-order of both windows and shows them, once this one has
    // the scale of the monitor it stands on.
    if (!start.FirstRun) SetWindowPos(hWnd(), nullptr, start.Place.X, start.Place.Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    return start;
}

void Form1::ApplyGeometry(const EyesGeometry& geometry) {
    geometry_ = geometry;
    CerLeft = geometry.LeftEye;
    CerRight = geometry.RightEye;
    picballLeft.SetSize(geometry.PupilBox, geometry.PupilBox);
    picballRight.SetSize(geometry.PupilBox, geometry.PupilBox);
    base_image.Move(geometry.SkinHolder.Left, geometry.SkinHolder.Top);
    base_image.SetSize(geometry.SkinHolder.Width, geometry.SkinHolder.Height);
}

forms::PicturePtr Form1::ChosenSkinPicture() {
    if (const art::Skin* skin = art::FindSkin(skin_)) return imgl.ListImages(SkinImage(*skin));
    return art::PlaceholderPicture(Dpi());
}

void Form1::Form_DpiChanged() {
    ApplyGeometry(GeometryAt(Dpi()));
    imgl.Replace(EyesPictures(Dpi()));
    base_image.SetPicture(ChosenSkinPicture());
    picballLeft.SetPicture(imgl.ListImages(PupilImage));
    picballRight.SetPicture(imgl.ListImages(PupilImage));
    // The pupils take their places at the new scale on the next ticks.
    program_.ScaleChanged();
}

void Form1::Timer1_Timer() { TrackPupil(0, picballLeft, CerLeft, geometry_.LeftRest); }
void Form1::Timer2_Timer() { TrackPupil(1, picballRight, CerRight, geometry_.RightRest); }

// One tick of a pupil's timer: read the cursor, move the pupil towards it. Every tick starts from the
// window's position now, so the pupils keep tracking while the eyes are dragged.
void Form1::TrackPupil(std::size_t which, forms::PictureBox& pupil, const forms::Shape& eye, const RestPoint& rest) {
    // Where the cursor cannot be read, the pupils stay where they are rather than look at (0, 0), and
    // the tick reads what the last one read.
    const bool read = GetCursorXY(CursorX, CursorY);
    const TickInputs inputs = InputsFor(pupil, eye);
    if (read) {
        const PupilSpot spot =
            PupilPosition(inputs.Window, eye, inputs.Pupil, rest, CursorX, CursorY, geometry_.NearRadius);
        pupil.Move(spot.Left, spot.Top);
        pupil.Cls();
    }
    if (gate_.Ticked(which, inputs, GetTickCount64())) Sleep();
}

TickInputs Form1::InputsFor(const forms::PictureBox& pupil, const forms::Shape& eye) const {
    return {CursorX,
            CursorY,
            {Left(), Top(), forms::Screen.TwipsPerPixelX(), forms::Screen.TwipsPerPixelY()},
            eye,
            {pupil.Width(), pupil.Height()},
            forms::MouseHeld()};
}

// The timers stop, the watch starts, and the cursor is read once more: a move between the last tick
// and the start of the watch would otherwise go unseen until the next one.
void Form1::Sleep() {
    Timer1.SetEnabled(false);
    Timer2.SetEnabled(false);
    Timer3.SetEnabled(false);
    gate_.Sleep();
    forms::ListenToRawMouse(hWnd());
    CursorCheck.SetEnabled(true);
    CursorCheck_Timer();
}

// For what gives no raw mouse input: another program's SetCursorPos, pens and touch, remote sessions.
void Form1::CursorCheck_Timer() {
    GetCursorXY(CursorX, CursorY);
    if (gate_.Differs(0, InputsFor(picballLeft, CerLeft)) || gate_.Differs(1, InputsFor(picballRight, CerRight)))
        Wake();
}

void Form1::Wake() {
    if (!gate_.Asleep()) return;
    CursorCheck.SetEnabled(false);
    forms::StopRawMouse();
    gate_.Wake(GetTickCount64());
    Timer1.SetEnabled(true);
    Timer2.SetEnabled(true);
    Timer3.SetEnabled(true);
    Timer1_Timer();
    Timer2_Timer();
}

LRESULT Form1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = Form::HandleMessage(message, wParam, lParam);
    program_.WakeOn(message, wParam, lParam);
    return result;
}

void Form1::Timer3_Timer() { Refresh(); }

void Form1::StorePositionAfter(int Button) {
    picballLeftAnchor.Released();
    picballRightAnchor.Released();
    if (Button == forms::LeftButton) program_.StorePosition();
}

void Form1::picballLeft_MouseMove(int Button, int, float X, float Y) {
    program_.DragBy(picballLeftAnchor, picballLeft, *this, Button, X, Y);
}
void Form1::picballRight_MouseMove(int Button, int, float X, float Y) {
    program_.DragBy(picballRightAnchor, picballRight, *this, Button, X, Y);
}
void Form1::picballLeft_MouseUp(int Button, int, float, float) { StorePositionAfter(Button); }
void Form1::picballRight_MouseUp(int Button, int, float, float) { StorePositionAfter(Button); }

bool Form1::Form_ContextMenu(POINT at) {
    program_.ShowEyesMenu(*this, at);
    return true;
}

// A press wakes the eyes: a drag or the menu follows.
void Form1::picballLeft_MouseDown(int Button, int, float, float) {
    Wake();
    if (Button == forms::RightButton) program_.ShowEyesMenu(*this);
}
void Form1::picballRight_MouseDown(int Button, int, float, float) {
    Wake();
    if (Button == forms::RightButton) program_.ShowEyesMenu(*this);
}

}  // namespace eyes
