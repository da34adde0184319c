#include "eyes/Form1.h"

#include "art/ScaledPictures.h"
#include "art/resources.h"
#include "art/src/Artwork.h"
#include "eyes/Modules.h"
#include "eyes/Program.h"
#include "eyes/logic/Placement.h"
#include "eyes/logic/PupilTracking.h"
#include "forms/App.h"
#include "forms/MsgBox.h"

#include <commctrl.h>

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

// imgl's pictures at a DPI: 1 the "Tavrin" skin, 2 the "Classic" skin, 3 the pupil.
std::vector<forms::PictureSource> EyesPictures(int dpi) {
    return {[dpi] { return art::SkinPicture(art::SkinStyle::Tavrin, dpi); },
            [dpi] { return art::SkinPicture(art::SkinStyle::Classic, dpi); }, [dpi] { return art::PupilPicture(dpi); }};
}

}  // namespace

Form1::Form1(Program& program)
    : Form(Form1Layout()),
      picballLeft(*this, Pupil(GeometryAt(Dpi()).LeftPupilLeft, GeometryAt(Dpi()))),
      picballRight(*this, Pupil(GeometryAt(Dpi()).RightPupilLeft, GeometryAt(Dpi()))),
      base_image(*this, SkinHolder(GeometryAt(Dpi()))),
      imgl(EyesPictures(Dpi())),
      Timer1(*this, 10, [this] { Timer1_Timer(); }),
      Timer2(*this, 9, [this] { Timer2_Timer(); }),
      Timer3(*this, 2000, [this] { Timer3_Timer(); }),
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
    runningMutex_.reset(CreateMutexA(nullptr, FALSE, "Tavrin_Eyes"));
}

// A failure here (a missing picture resource, a window that cannot be made) is reported in a message
// box titled "Tavrin Eyes" and ends the program, as every failure that reaches Windows does.
void Form1::Form_Load() {
    // The layout picture of base_image: fully transparent, kept when no skin is chosen.
    base_image.SetPicture(ChosenSkinPicture());

    // Layered and keyed before it is first shown: never a grey box, not even once.
    SetWindowColorKey(*this, 255);
    LoadSettingsAndPlace();
    // Placed: the eyes restored on a monitor of another scale come up at that scale at once.
    TakeWindowDpi();

    auto skin = program_.Settings().LoadSkin();
    if (skin == 1 || skin == 2) {
        skin_ = *skin;
        base_image.SetPicture(ChosenSkinPicture());
    }

    picballLeft.SetPicture(imgl.ListImages(3));
    picballRight.SetPicture(imgl.ListImages(3));
    base_image.SetVisible(true);
    picballLeft.SetVisible(true);
    picballRight.SetVisible(true);

    Timer1.SetEnabled(true);
    Timer2.SetEnabled(true);
    Timer3.SetEnabled(true);

    program_.ShowOverlay();
    SetForegroundWindow(hWnd());
}

// First run: create the settings and keep the layout position. Later runs: restore the stored
// position on the same screen while the eyes show on a monitor there, else re-centre and store the
// new position.
void Form1::LoadSettingsAndPlace() {
    settings::SettingsStore& store = program_.Settings();
    const std::string resolution = program_.ScreenResolution();
    // Only a missing key means a first run. A key that exists but cannot be opened (access denied)
    // is a later start whose values cannot be read: it is re-centred, not on top and without a
    // skin, its writes fail quietly, and it leaves the Run value to the user's last choice.
    if (store.CheckSettingsKey() == settings::FileNotFound) {
        // Without its settings key the program cannot go on; the store has said why.
        if (!store.CreateSettingsKey()) forms::App.End();
        store.SaveOnTopOn();
        program_.Startup().RegisterStartup();
        store.SaveSkin(1);
        store.SaveResolution(resolution);
        program_.StorePosition();
        return;
    }
    const auto scres = store.LoadResolution();
    const auto left = store.LoadLeft();
    const auto top = store.LoadTop();
    const HWND zOrder = store.LoadOnTop().value_or(0) == 1 ? HWND_TOPMOST : HWND_NOTOPMOST;

    std::vector<MonitorRect> monitors;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR, HDC, RECT* area, LPARAM found) -> BOOL {
            reinterpret_cast<std::vector<MonitorRect>*>(found)->push_back(
                {area->left, area->top, area->right, area->bottom});
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&monitors));
    RECT window{};
    GetWindowRect(hWnd(), &window);

    const Placement place =
        PlaceAtStart(scres, left, top, resolution, forms::Screen.Width() / forms::Screen.TwipsPerPixelX(),
                     forms::Screen.Height() / forms::Screen.TwipsPerPixelY(), monitors,
                     {window.right - window.left, window.bottom - window.top});
    // Shown with the overlay, once it has the scale of the monitor it stands on.
    SetWindowPos(hWnd(), zOrder, place.X, place.Y, 0, 0, SWP_NOSIZE);
    if (place.StoreNewPosition) {
        store.SaveResolution(resolution);
        program_.StorePosition();
    }
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
    if (skin_ == 1 || skin_ == 2) return imgl.ListImages(static_cast<std::size_t>(skin_));
    return art::PlaceholderPicture(Dpi());
}

void Form1::Form_DpiChanged() {
    ApplyGeometry(GeometryAt(Dpi()));
    imgl.Replace(EyesPictures(Dpi()));
    base_image.SetPicture(ChosenSkinPicture());
    picballLeft.SetPicture(imgl.ListImages(3));
    picballRight.SetPicture(imgl.ListImages(3));
    // The pupils take their places at the new scale on the next ticks.
    program_.OverlayFollowsEyes();
}

void Form1::Timer1_Timer() { TrackPupil(picballLeft, CerLeft, geometry_.LeftRest); }
void Form1::Timer2_Timer() { TrackPupil(picballRight, CerRight, geometry_.RightRest); }

// One tick of a pupil's timer: read the cursor, move the pupil towards it. Every tick starts from the
// window's position now, so the pupils keep tracking while the eyes are dragged.
void Form1::TrackPupil(forms::PictureBox& pupil, const forms::Shape& eye, const RestPoint& rest) {
    // Where the cursor cannot be read, the pupils stay where they are rather than look at (0, 0).
    if (!GetCursorXY(CursorX, CursorY)) return;
    const PupilSpot spot =
        PupilPosition({Left(), Top(), forms::Screen.TwipsPerPixelX(), forms::Screen.TwipsPerPixelY()}, eye,
                      {pupil.Width(), pupil.Height()}, rest, CursorX, CursorY, geometry_.NearRadius);
    pupil.Move(spot.Left, spot.Top);
    pupil.Cls();
}

void Form1::Timer3_Timer() { Refresh(); }

void Form1::StorePositionAfter(int Button) {
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

void Form1::picballLeft_MouseDown(int Button, int, float, float) {
    if (Button == forms::RightButton) program_.ShowEyesMenu(*this);
}
void Form1::picballRight_MouseDown(int Button, int, float, float) {
    if (Button == forms::RightButton) program_.ShowEyesMenu(*this);
}

}  // namespace eyes
