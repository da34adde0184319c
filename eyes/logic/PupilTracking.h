#pragma once
// Where a pupil goes for a cursor position: far from its eye it rides on an ellipse inside the eye
// area, at the point in the cursor's direction; within the near radius of the eye's centre it follows
// the cursor one to one around a fixed rest point.

namespace eyes {

struct EyeArea {  // an eye area's bounds, in the main window's pixels
    float Left, Top, Width, Height;
};

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

inline constexpr double NearRadius = 16.0;        // at 100 %
inline constexpr RestPoint LeftRest{28.0, 39.0};  // at 100 %
inline constexpr RestPoint RightRest{88.0, 39.0};

// `nearRadius` is NearRadius times the display scale.
PupilSpot PupilPosition(const WindowOrigin& window, const EyeArea& eye, const PupilSize& pupil, const RestPoint& rest,
                        long cursorX, long cursorY, double nearRadius = NearRadius);

}  // namespace eyes
