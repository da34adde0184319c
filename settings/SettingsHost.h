#pragma once
// What the settings store and the start-with-Windows registration need from the program around them:
// the screen and the main window's position (twips), the running program's file, message boxes and
// the end of the program. The real program answers from its forms; tests answer with plain numbers.

#include <string>
#include <string_view>

namespace settings {

enum class MessageIcon { Warning, Information };

class SettingsHost {
public:
    virtual ~SettingsHost() = default;

    virtual float ScreenWidthTwips() = 0;
    virtual float ScreenHeightTwips() = 0;
    virtual float TwipsPerPixelX() = 0;
    virtual float TwipsPerPixelY() = 0;
    virtual float MainLeftTwips() = 0;
    virtual float MainTopTwips() = 0;

    // The folder that holds the running program (no trailing "\" unless it is a drive root) and the
    // program's file name without its extension.
    virtual std::string ProgramDirectory() = 0;
    virtual std::string ProgramName() = 0;

    // A message box with an OK button and the application title as caption; returns when closed.
    virtual void ShowMessage(std::string_view text, MessageIcon icon) = 0;
    // Ends the program at once.
    virtual void End() = 0;
};

}  // namespace settings
