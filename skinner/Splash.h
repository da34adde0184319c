#pragma once
// skinner's one window: a small borderless "Please wait" splash whose bar fills in 15 steps, after
// which the main program is started again and skinner ends.

#include "forms/Form.h"
#include "forms/Label.h"
#include "forms/PictureBox.h"
#include "forms/Timer.h"

namespace skinner {

class Form1 : public forms::Form {
public:
    Form1();

    forms::Label Label1;        // "Please wait"
    forms::PictureBox img_pgb;  // the progress bar's frame on show
    forms::ImageList imgl_pgb;  // the 15 frames, empty to full
    forms::Timer tmr_pgb;       // one step of the bar every 50 ms
    forms::Timer tmr_launch;    // starts the main program a second after the bar is full

protected:
    void Form_Load() override;
    // The frames are drawn for the new scale; the bar keeps its place.
    void Form_DpiChanged() override;

private:
    int FrameOnShow();
    // Shows a frame of the bar, whose value screen readers then hear.
    void ShowFrame(int frame);
    void tmr_pgb_Timer();
    void tmr_launch_Timer();
};

inline constexpr char LaunchFailedText[] =
    "Unable to execute TavrinEyes.exe . Please click TavrinEyes Desktop icon to start manualy.";

}  // namespace skinner
