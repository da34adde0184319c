#pragma once
// Where the eyes window goes at a later start: back to the stored position when the screen is the
// one it was stored on and some part of the eyes shows there on a monitor, else to the middle of the
// screen's width and a quarter of its height.

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

// The eyes window's size, pixels.
struct EyesSize {
    int Width = 0, Height = 0;
};

// Whether any pixel of the eyes, with their top-left corner at x, y, lies on one of the monitors.
bool ShowsOnSomeMonitor(int x, int y, EyesSize eyes, const std::vector<MonitorRect>& monitors);

// scres, left and top are the stored texts (nothing when a read delivered nothing); the screen size
// is in pixels, as the twips / twips-per-pixel quotients. `monitors` are the desktop's monitors; with
// none known, the screen is the one monitor.
Placement PlaceAtStart(const std::optional<std::string>& scres, const std::optional<std::string>& left,
                       const std::optional<std::string>& top, const std::string& currentResolution,
                       float screenWidthPixels, float screenHeightPixels, const std::vector<MonitorRect>& monitors,
                       EyesSize eyes);

}  // namespace eyes
