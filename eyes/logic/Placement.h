#pragma once
// Where the eyes window goes at a later start: back to the stored position when the screen is the
// one it was stored on, else to the middle of the screen's width and a quarter of its height.

#include <optional>
#include <string>

namespace eyes {

struct Placement {
    int X = 0, Y = 0;               // the window's top-left corner, screen pixels
    bool StoreNewPosition = false;  // re-centred: the resolution and position are stored anew
};

// scres, left and top are the stored texts (nothing when a read delivered nothing); the screen size
// is in pixels, as the twips / twips-per-pixel quotients.
Placement PlaceAtStart(const std::optional<std::string>& scres, const std::optional<std::string>& left,
                       const std::optional<std::string>& top, const std::string& currentResolution,
                       float screenWidthPixels, float screenHeightPixels);

}  // namespace eyes
