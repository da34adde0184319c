#pragma once
// A settings host with plain numbers: a 1024 x 768 screen at 15 twips per pixel and the main window
// at its first-run position, recording the message boxes and the end of the program.

#include "SettingsHost.h"

#include <string>
#include <vector>

namespace tests {

struct ShownMessage {
    std::string text;
    settings::MessageIcon icon;
};

class FakeHost : public settings::SettingsHost {
public:
    float screenWidthTwips = 1024 * 15.0f;
    float screenHeightTwips = 768 * 15.0f;
    float twipsPerPixelX = 15.0f;
    float twipsPerPixelY = 15.0f;
    float mainLeftTwips = 7185.0f;
    float mainTopTwips = 4575.0f;
    std::string directory = "C:\\Program Files\\Tavrin Eyes";
    std::string name = "TavrinEyes";
    std::vector<ShownMessage> messages;
    int ends = 0;

    float ScreenWidthTwips() override { return screenWidthTwips; }
    float ScreenHeightTwips() override { return screenHeightTwips; }
    float TwipsPerPixelX() override { return twipsPerPixelX; }
    float TwipsPerPixelY() override { return twipsPerPixelY; }
    float MainLeftTwips() override { return mainLeftTwips; }
    float MainTopTwips() override { return mainTopTwips; }
    std::string ProgramDirectory() override { return directory; }
    std::string ProgramName() override { return name; }
    void ShowMessage(std::string_view text, settings::MessageIcon icon) override {
        messages.push_back({std::string(text), icon});
    }
    void End() override { ++ends; }
};

}  // namespace tests
