#include "eyes/logic/Placement.h"

#include "settings/logic/NumberText.h"

namespace eyes {

Placement PlaceAtStart(const std::optional<std::string>& scres, const std::optional<std::string>& left,
                       const std::optional<std::string>& top, const std::string& currentResolution,
                       float screenWidthPixels, float screenHeightPixels) {
    if (scres && *scres == currentResolution) {
        auto x = left ? settings::TextToLong(*left) : std::nullopt;
        auto y = top ? settings::TextToLong(*top) : std::nullopt;
        // The stored position is used as it is, even off the screen.
        if (x && y) return {*x, *y, false};
        // A missing or unreadable position is treated like a changed screen, so that a damaged
        // setting is repaired instead of stopping every start.
    }
    return {static_cast<int>(settings::RoundHalfEven(screenWidthPixels / 2.0f)),
            static_cast<int>(settings::RoundHalfEven(screenHeightPixels / 4.0f)), true};
}

}  // namespace eyes
