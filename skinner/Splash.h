#pragma once
// skinner's one window: a small borderless "Please wait" splash whose bar fills in 15 steps, after
// which the main program is started again and skinner ends.

#include "Form.h"
#include "Label.h"
#include "PictureBox.h"
#include "Timer.h"

namespace skinner {

class Form1 : public forms::Form {
public:
    Form1();

    forms::Label Label1;
    forms::PictureBox img_pgb;
    forms::ImageList imgl_pgb;
    forms::Timer tmr_pgb;
    forms::Timer tmr_launch;

protected:
    void Form_Load() override;

private:
    int FrameOnShow();
    void tmr_pgb_Timer();
    void tmr_launch_Timer();
};

inline constexpr char LaunchFailedText[] =
    "Unable to execute TavrinEyes.exe . Please click TavrinEyes Desktop icon to start manualy.";

}  // namespace skinner
