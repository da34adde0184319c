#include "skinner/Splash.h"

#include "product/Identity.h"

#include "art/Colors.h"
#include "art/ScaledPictures.h"
#include "art/resources.h"
#include "forms/App.h"
#include "forms/MsgBox.h"
#include "forms/Shell.h"
#include "skinner/logic/Progress.h"

#include <ole2.h>
#include <oleacc.h>

#include <string>

namespace skinner {

namespace {

constexpr forms::OleColor Grey = forms::Rgb(art::WindowGrey.Red, art::WindowGrey.Green, art::WindowGrey.Blue);

forms::FormLayout SplashLayout() {
    forms::FormLayout layout;
    layout.Caption = "Form1";
    layout.Border = forms::BorderStyle::None;
    layout.ShowInTaskbar = false;
    layout.CenterScreen = true;
    layout.Scale = forms::ScaleMode::Twips;
    layout.BackColor = Grey;
    layout.Client = {0, 0, 3900, 735};  // 260 x 49 pixels
    layout.IconId = IDI_APP;
    layout.Accessible = {product::Title, "Starting the eyes again with the new skin.", "", "", 0};
    return layout;
}

// The 15 frames at a DPI.
std::vector<forms::PictureSource> Frames(int dpi) {
    std::vector<forms::PictureSource> frames;
    for (int blocks = 1; blocks <= FrameCount; ++blocks)
        frames.push_back([blocks, dpi] { return art::ProgressFramePicture(blocks, dpi); });
    return frames;
}

}  // namespace

Form1::Form1()
    : Form(SplashLayout()),
      Label1(*this, {360, 250, 960, 195}, "Please wait", {"Verdana", 8.25f, false, false}, forms::Rgb(0, 0, 0)),
      // Shown at the frame's own size; where a frame is narrower the window's grey shows.
      img_pgb(*this, {{1560, 240, 1890, 255}, Grey, forms::ScaleMode::Twips, false, true}),
      imgl_pgb(Frames(Dpi())),
      tmr_pgb(*this, 50, [this] { tmr_pgb_Timer(); }),
      tmr_launch(*this, 1000, [this] { tmr_launch_Timer(); }) {
    // The bar is read as a progress bar named by the text beside it.
    img_pgb.Accessible.Name = Label1.Caption;
    img_pgb.Accessible.Role = ROLE_SYSTEM_PROGRESSBAR;
}

void Form1::Form_Load() {
    ShowFrame(1);
    tmr_pgb.SetEnabled(true);
}

void Form1::ShowFrame(int frame) {
    img_pgb.SetPicture(imgl_pgb.ListImages(static_cast<std::size_t>(frame)));
    img_pgb.SetAccessibleValue(std::to_string(ProgressPercent(frame)) + "%");
}

void Form1::Form_DpiChanged() {
    const int frame = FrameOnShow();
    imgl_pgb.Replace(Frames(Dpi()));
    img_pgb.SetPicture(imgl_pgb.ListImages(static_cast<std::size_t>(frame)));
}

// The frame on show, found by comparing with frames 1 to 14; 15 (the full bar) when none matches.
int Form1::FrameOnShow() {
    for (int frame = 1; frame < FrameCount; ++frame)
        if (img_pgb.Picture() == imgl_pgb.ListImages(static_cast<std::size_t>(frame))) return frame;
    return FrameCount;
}

void Form1::tmr_pgb_Timer() {
    const ProgressStep step = NextProgressStep(FrameOnShow());
    ShowFrame(step.Frame);
    if (step.BarFull) {
        tmr_launch.SetEnabled(true);
        tmr_pgb.SetEnabled(false);
    }
}

void Form1::tmr_launch_Timer() {
    const std::wstring command = forms::App.SiblingPath(product::Wide(product::EyesProgram));
    const bool started = forms::StartProgram(command);
    // Once only: no second tick may come while the message box below is open.
    tmr_launch.SetEnabled(false);
    if (!started) forms::MsgBox(LaunchFailedText, MB_ICONEXCLAMATION, forms::App.Title);
    forms::App.End();
}

}  // namespace skinner
