#include "EyesHost.h"

#include "App.h"
#include "MsgBox.h"
#include "Program.h"

namespace eyes {

float EyesHost::ScreenWidthTwips() { return forms::Screen.Width(); }
float EyesHost::ScreenHeightTwips() { return forms::Screen.Height(); }
float EyesHost::TwipsPerPixelX() { return forms::Screen.TwipsPerPixelX(); }
float EyesHost::TwipsPerPixelY() { return forms::Screen.TwipsPerPixelY(); }
float EyesHost::MainLeftTwips() { return program_.form1.Left(); }
float EyesHost::MainTopTwips() { return program_.form1.Top(); }
std::string EyesHost::ProgramDirectory() { return forms::App.Path(); }
std::string EyesHost::ProgramName() { return forms::App.EXEName(); }

void EyesHost::ShowMessage(std::string_view text, settings::MessageIcon icon) {
    forms::MsgBox(text, icon == settings::MessageIcon::Information ? MB_ICONINFORMATION : MB_ICONWARNING,
                  forms::App.Title);
}

void EyesHost::End() { forms::App.End(); }

}  // namespace eyes
