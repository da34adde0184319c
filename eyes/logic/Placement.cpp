#include "eyes/logic/Placement.h"

#include "settings/logic/NumberText.h"

namespace eyes {

bool ShowsOnSomeMonitor(int x, int y, EyesSize eyes, const std::vector<MonitorRect>& monitors) {
    // In 64 bits: a stored position near the ends of the 32-bit range plus the size must not wrap.
    const long long left = x, top = y, right = left + eyes.Width, bottom = top + eyes.Height;
    for (const MonitorRect& monitor : monitors)
        if (left < monitor.Right && right > monitor.Left && top < monitor.Bottom && bottom > monitor.Top) return true;
    return false;
}

Placement PlaceAtStart(const std::optional<std::string>& scres, const std::optional<std::string>& left,
                       const std::optional<std::string>& top, const std::string& currentResolution,
                       float screenWidthPixels, float screenHeightPixels, const std::vector<MonitorRect>& monitors,
                       EyesSize eyes) {
    if (scres && *scres == currentResolution) {
        auto x = left ? settings::TextToLong(*left) : std::nullopt;
        auto y = top ? settings::TextToLong(*top) : std::nullopt;
        const std::vector<MonitorRect> screen = {
            {0, 0, static_cast<int>(screenWidthPixels), static_cast<int>(screenHeightPixels)}};
        // The stored position is used as it is while any part of the eyes shows, partly off an edge
        // or on another monitor too. Where no monitor shows them (one was unplugged, or the position
        // was stored by hand), nothing else could bring them back: they are re-centred.
        if (x && y) {
            const Placement stored{*x, *y, false};
            if (ShowsOnSomeMonitor(stored.X, stored.Y, eyes, monitors.empty() ? screen : monitors)) return stored;
        }
        // A missing or unreadable position is treated like a changed screen, so that a damaged
        // setting is repaired instead of stopping every start.
    }
    return {static_cast<int>(settings::RoundHalfEven(screenWidthPixels / 2.0f)),
            static_cast<int>(settings::RoundHalfEven(screenHeightPixels / 4.0f)), true};
}

}  // namespace eyes
