#pragma once
// Where a pupil goes for a cursor position: far from its eye it rides on an ellipse inside the eye
// area, at the point in the cursor's direction; within the near radius of the eye's centre it follows
// the cursor one to one around a fixed rest point.

#include "art/src/Artwork.h"
#include "forms/Layout.h"

namespace eyes {

using EyeArea = forms::Bounds;  // an eye area's bounds, in the main window's pixels

struct PupilSize {  // the pupil box, in the main window's pixels
    float Width, Height;
};

struct RestPoint {  // where the pupil stands when the cursor is exactly at the eye's centre
    double Left, Top;
};

struct WindowOrigin {  // the main window's position (twips) and the screen's twips per pixel
    float LeftTwips, TopTwips, TwipsPerPixelX, TwipsPerPixelY;
};

struct PupilSpot {  // the pupil box's new Left (single) and Top (double), in window pixels
    float Left;
    double Top;
};

// `nearRadius` is the eyes' near radius times the display scale.
PupilSpot PupilPosition(const WindowOrigin& window, const EyeArea& eye, const PupilSize& pupil, const RestPoint& rest,
                        long cursorX, long cursorY, double nearRadius = art::NearRadius);

}  // namespace eyes
