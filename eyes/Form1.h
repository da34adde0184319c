#pragma once
// The eyes window: borderless, the two pupils on a background that is keyed out, so that only the
// pupils show (the skin lies beneath it in Form6). Its start-up is the program's start-up.

#include "eyes/logic/Drag.h"
#include "eyes/logic/Geometry.h"
#include "eyes/logic/PupilTracking.h"
#include "eyes/logic/Startup.h"
#include "eyes/logic/TrackingGate.h"
#include "forms/App.h"
#include "forms/Form.h"
#include "forms/PictureBox.h"
#include "forms/Timer.h"

namespace eyes {

class Program;

// What a screen reader is told of the two eye windows (their captions stay "Form1" and "Form6"): a
// picture named after the product, and how its menu is reached.
forms::Accessibility EyesAccessibility();

class Form1 : public forms::Form {
public:
    explicit Form1(Program& program);

    forms::PictureBox picballLeft;   // the left pupil
    forms::PictureBox picballRight;  // the right pupil
    forms::Shape CerLeft;            // the left eye's area (pixels), where its pupil moves
    forms::Shape CerRight;           // the right eye's area
    forms::PictureBox base_image;    // holds the skin picture for the overlay; lies outside the window
    forms::ImageList imgl;           // 1 the "Tavrin" skin, 2 the "Classic" skin, 3 the pupil, more skins
    forms::Timer Timer1;             // moves the left pupil, every 10 ms
    forms::Timer Timer2;             // moves the right pupil, every 9 ms
    forms::Timer Timer3;             // repaints the window, every 2 s

    // While nothing a pupil's tick reads changes, Timer1, Timer2 and Timer3 sleep (eyes/logic/TrackingGate.h);
    // meanwhile the mouse's raw input and this slow check of the cursor, every 100 ms, watch for a change.
    forms::Timer CursorCheck;

    // The cursor position that each pupil tick reads first, screen pixels.
    long CursorX = 0;
    long CursorY = 0;

    // Something the ticks read may have changed: sleeping timers run again, starting with one tick of
    // each pupil. Running ones go on as they are.
    void Wake();

protected:
    void Form_Initialize() override;
    void Form_Load() override;
    // Alt+F4 on the pupils ends the program, as "Close Tavrin Eyes " does: hiding only them would
    // leave the skin on the screen and the program running with no visible way out.
    void Form_Close() override { forms::App.End(); }
    // On a monitor of another scale: the geometry and every picture follow it, and the overlay too.
    void Form_DpiChanged() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Shift+F10 or the Menu key with the eyes active: the menu, at the eyes.
    bool Form_ContextMenu(POINT at) override;

private:
    // The start-up: first run or later run, the place; gives the decision with the skin.
    StartDecision LoadSettingsAndPlace();
    // The eye areas, rest points, near radius and the pupils' and base_image's boxes at a scale.
    void ApplyGeometry(const EyesGeometry& geometry);
    // The picture base_image holds: the chosen skin, or the see-through placeholder.
    forms::PicturePtr ChosenSkinPicture();
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void TrackPupil(std::size_t which, forms::PictureBox& pupil, const forms::Shape& eye, const RestPoint& rest);
    // What a tick of that pupil reads, with the cursor as last read.
    TickInputs InputsFor(const forms::PictureBox& pupil, const forms::Shape& eye) const;
    void Sleep();
    void CursorCheck_Timer();
    void picballLeft_MouseMove(int Button, int Shift, float X, float Y);
    void picballRight_MouseMove(int Button, int Shift, float X, float Y);
    void picballLeft_MouseUp(int Button, int Shift, float X, float Y);
    void picballRight_MouseUp(int Button, int Shift, float X, float Y);
    void picballLeft_MouseDown(int Button, int Shift, float X, float Y);
    void picballRight_MouseDown(int Button, int Shift, float X, float Y);
    void StorePositionAfter(int Button);

    Program& program_;
    EyesGeometry geometry_;
    TrackingGate gate_;
    std::int16_t skin_ = 0;              // the number of the skin shown (art::Skins); 0 none (the placeholder)
    forms::unique_handle runningMutex_;  // product::MutexName, held while the program runs
    DragAnchor picballLeftAnchor;
    DragAnchor picballRightAnchor;
};

}  // namespace eyes
