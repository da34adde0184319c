#pragma once
// The settings store's view of the running program: the screen, Form1's position, the program file,
// message boxes titled "Tavrin Eyes" and the end of the program.

#include "SettingsHost.h"

namespace eyes {

struct Program;

class EyesHost : public settings::SettingsHost {
public:
    explicit EyesHost(Program& program) : program_(program) {}

    float ScreenWidthTwips() override;
    float ScreenHeightTwips() override;
    float TwipsPerPixelX() override;
    float TwipsPerPixelY() override;
    float MainLeftTwips() override;
    float MainTopTwips() override;
    std::string ProgramDirectory() override;
    std::string ProgramName() override;
    void ShowMessage(std::string_view text, settings::MessageIcon icon) override;
    void End() override;

private:
    Program& program_;
};

}  // namespace eyes
