#include "eyes/logic/PupilTracking.h"

#include <cmath>

namespace eyes {

namespace {
constexpr float Half = 2.0f;
}

PupilSpot PupilPosition(const WindowOrigin& window, const EyeArea& eye, const PupilSize& pupil, const RestPoint& rest,
                        long cursorX, long cursorY, double nearRadius) {
    // The eye's centre in screen pixels.
    const float cx = window.LeftTwips / window.TwipsPerPixelX + eye.Left + eye.Width / Half;
    const float cy = window.TopTwips / window.TwipsPerPixelY + eye.Top + eye.Height / Half;

    // From the cursor towards the centre.
    const double dx = cx - static_cast<double>(cursorX);
    const double dy = cy - static_cast<double>(cursorY);
    const double dist = std::sqrt(dx * dx + dy * dy);

    if (dist > nearRadius) {
        const double ux = dx / dist;
        const double uy = dy / dist;
        const float rx = eye.Width / Half - pupil.Width / Half;
        const float ry = eye.Height / Half - pupil.Height / Half;
        const double offX = rx - rx * ux;
        const double offY = ry - ry * uy;
        return {static_cast<float>(eye.Left + offX), eye.Top + offY};
    }
    // Near the centre (also exactly on it, where there is no direction): one to one.
    const double offX = static_cast<double>(cursorX) - cx;
    const double offY = static_cast<double>(cursorY) - cy;
    return {static_cast<float>(offX + rest.Left), offY + rest.Top};
}

}  // namespace eyes
