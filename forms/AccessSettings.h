#pragma once
// The user's settings for seeing the screen, as the forms that follow them read them.

namespace forms {

// Whether forms that follow the contrast theme draw in the system's colours now: a high-contrast
// theme is on, or the system's face colour is too dark for dark text (less than 4.5 : 1 against
// black), as in a dark colour scheme that is not called a contrast theme.
bool ContrastColorsOn();

// Windows' text size ("Make text bigger"), in percent: 100 to 225; 100 where it is not set.
int TextScalePercent();

}  // namespace forms
