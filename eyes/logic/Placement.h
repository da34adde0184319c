#pragma once
// Where the eyes window goes at a later start: back to the stored position when the screen is the
// one it was stored on and part of an eye shows there on a monitor, else to the middle of the
// screen's width and a quarter of its height.

#include "forms/Layout.h"

#include <optional>
#include <string>
#include <vector>

namespace eyes {

struct Placement {
    int X = 0, Y = 0;               // the window's top-left corner, screen pixels
    bool StoreNewPosition = false;  // re-centred: the resolution and position are stored anew
};

// A monitor's rectangle on the desktop, screen pixels; Right and Bottom lie just outside it. A
// monitor left of or above the main one has negative coordinates.
struct MonitorRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// The two eye areas in the eyes window, pixels from its top-left at the window's scale.
struct EyesShape {
    forms::Bounds Left, Right;
};

// Whether part of an eye shows with the window's top-left at x, y: at least a quarter of an eye area's
// width and of its height on one monitor, a piece of the eye's white that can be seen and grabbed.
// The rest of the window (its margins, the corners around each oval) is see-through: eyes that show
// only that are lost to sight.
bool EyesShowOnSomeMonitor(int x, int y, const EyesShape& eyes, const std::vector<MonitorRect>& monitors);

// scres, left and top are the stored texts (nothing when a read delivered nothing); the screen size
// is in pixels, as the twips / twips-per-pixel quotients. `monitors` are the desktop's monitors; with
// none known, the screen is the one monitor.
Placement PlaceAtStart(const std::optional<std::string>& scres, const std::optional<std::string>& left,
                       const std::optional<std::string>& top, const std::string& currentResolution,
                       float screenWidthPixels, float screenHeightPixels, const std::vector<MonitorRect>& monitors,
                       const EyesShape& eyes);

}  // namespace eyes
