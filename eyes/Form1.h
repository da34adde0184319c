#pragma once
// The eyes window: borderless, the two pupils on a background that is keyed out, so that only the
// pupils show (the skin lies beneath it in Form6). Its start-up is the program's start-up.

#include "Drag.h"
#include "Form.h"
#include "PictureBox.h"
#include "PupilTracking.h"
#include "Timer.h"

namespace eyes {

struct Program;

class Form1 : public forms::Form {
public:
    explicit Form1(Program& program);

    forms::PictureBox picballLeft;
    forms::PictureBox picballRight;
    forms::Shape CerLeft{12, 18, 45, 59};
    forms::Shape CerRight{72, 18, 45, 59};
    forms::PictureBox base_image;
    forms::ImageList imgl;
    forms::Timer Timer1;
    forms::Timer Timer2;
    forms::Timer Timer3;

    // The cursor position that each pupil tick reads first, screen pixels.
    long CursorX = 0;
    long CursorY = 0;

protected:
    void Form_Initialize() override;
    void Form_Load() override;

private:
    void LoadSettingsAndPlace();
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void TrackPupil(forms::PictureBox& pupil, const forms::Shape& eye, const RestPoint& rest);
    void picballLeft_MouseMove(int Button, int Shift, float X, float Y);
    void picballRight_MouseMove(int Button, int Shift, float X, float Y);
    void picballLeft_MouseUp(int Button, int Shift, float X, float Y);
    void picballRight_MouseUp(int Button, int Shift, float X, float Y);
    void picballLeft_MouseDown(int Button, int Shift, float X, float Y);
    void picballRight_MouseDown(int Button, int Shift, float X, float Y);
    void DragBy(DragAnchor& anchor, int Button, float X, float Y);
    void StorePositionAfter(int Button);

    Program& program_;
    DragAnchor picballLeftAnchor;
    DragAnchor picballRightAnchor;
};

}  // namespace eyes
