#include "eyes/logic/Placement.h"

#include "settings/logic/NumberText.h"

#include <algorithm>

namespace eyes {

bool EyesShowOnSomeMonitor(int x, int y, const EyesShape& eyes, const std::vector<MonitorRect>& monitors) {
    for (const forms::Bounds& eye : {eyes.Left, eyes.Right}) {
        // In 64 bits and doubles: a stored position near the ends of the 32-bit range must not wrap.
        const double left = static_cast<double>(x) + eye.Left, top = static_cast<double>(y) + eye.Top;
        for (const MonitorRect& monitor : monitors) {
            const double shownWidth =
                std::min<double>(left + eye.Width, monitor.Right) - std::max<double>(left, monitor.Left);
            const double shownHeight =
                std::min<double>(top + eye.Height, monitor.Bottom) - std::max<double>(top, monitor.Top);
            if (shownWidth >= eye.Width / 4 && shownHeight >= eye.Height / 4) return true;
        }
    }
    return false;
}

Placement PlaceAtStart(const std::optional<std::string>& scres, const std::optional<std::string>& left,
                       const std::optional<std::string>& top, const std::string& currentResolution,
                       float screenWidthPixels, float screenHeightPixels, const std::vector<MonitorRect>& monitors,
                       const EyesShape& eyes) {
    const Placement centre{static_cast<int>(settings::RoundHalfEven(screenWidthPixels / 2.0f)),
                           static_cast<int>(settings::RoundHalfEven(screenHeightPixels / 4.0f)), true};
    if (scres && *scres == currentResolution) {
        auto x = left ? settings::TextToLong(*left) : std::nullopt;
        auto y = top ? settings::TextToLong(*top) : std::nullopt;
        const std::vector<MonitorRect> screen = {
            {0, 0, static_cast<int>(screenWidthPixels), static_cast<int>(screenHeightPixels)}};
        // The stored position is used as it is while part of an eye shows, partly off an edge or on
        // another monitor too. Where no monitor shows one (one was unplugged, or the position was
        // stored by hand), nothing else could bring them back: they are re-centred. A place that is the
        // re-centred one already stays, on a screen too small to show a quarter of an eye there too:
        // re-centring again would only write it again at every start.
        if (x && y) {
            const Placement stored{*x, *y, false};
            if (EyesShowOnSomeMonitor(stored.X, stored.Y, eyes, monitors.empty() ? screen : monitors) ||
                (stored.X == centre.X && stored.Y == centre.Y))
                return stored;
        }
        // A missing or unreadable position is treated like a changed screen, so that a damaged
        // setting is repaired instead of stopping every start.
    }
    return centre;
}

}  // namespace eyes
