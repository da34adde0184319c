#pragma once
// The eyes' popup menu's check marks, decided from what the settings say each time it opens. What
// cannot be read keeps the mark it had: an unknown skin number leaves the skin marks, an unreadable
// Run key the last known registration.

#include <cstdint>
#include <optional>

namespace menu {

// The settings as the menu reads them when it opens.
struct MenuSettings {
    std::optional<std::int16_t> OnTop;       // the stored on-top state
    std::optional<std::int16_t> Registered;  // the Run value is there (1) or not (0); nothing: unreadable
    bool TurnedOffByWindows = false;         // Windows' own startup switch has the value off
    bool CanChange = false;                  // the Run key opens for writing
    std::optional<std::int16_t> Skin;        // the stored skin number
};

struct CheckMarks {
    bool OnTop = false;
    bool RunAtStartup = false;         // Windows will start the eyes
    bool RunAtStartupEnabled = false;  // greyed when the program cannot change the Run value
    std::int16_t Registered = 0;       // the last registration that could be read
    std::int16_t Skin = 0;             // the checked skin's number; 0: none
};

// The marks for `now`, where `shown` are the marks of the menu's last opening.
CheckMarks MarksFor(const MenuSettings& now, const CheckMarks& shown);

}  // namespace menu
