// The product's pictures, each drawn by code.
//
// Every picture that is shown on screen can be drawn at a display scale
// (`scale`, 1.0 = 100 %, see MinScale and MaxScale): its size is its size at
// 100 % times the scale, each side rounded by ScaledSize, and it is drawn
// from its design's geometry at that scale, never resampled. At 1.0 each
// picture is exactly the file in art/images.
#pragma once

#include "art/Colors.h"
#include "art/src/Raster.h"
#include "forms/Layout.h"

namespace art {

// Pixels of the pupil picture that show the window below: the window keys
// out exactly this colour.
inline constexpr Rgba8 PupilKeyColor{ColorKey.Red, ColorKey.Green, ColorKey.Blue, 255};
// No pixel of the pupil's disc comes within this many levels of the key in
// every channel: exactly the key is see-through, and a light grey that close
// to it would show as a ring of almost-key around the pupil.
inline constexpr int NearKeyLevels = 8;

// The pupil: a dark disc on the key colour, its rim blended to white. 13 x 13
// at 100 %; at other scales the disc fills the rounded size (20 x 20 at 1.5),
// which always fits inside the pupil's box of 14 x 14 at 100 % times the scale.
Pixmap DrawPupil(double scale = 1.0);

// The eyes' geometry at 100 %, in pixels of the skin and of the eyes' window
// above it, which scales it with the display: each eye's area, inside which
// its pupil travels, and the rest point where the pupil stands while the
// cursor is on the area's centre; the side of the pupil's box; the radius
// around an eye's centre within which its pupil follows the cursor one to one.
struct EyeDesign {
    forms::Bounds Area;
    double RestLeft, RestTop;
};
inline constexpr EyeDesign LeftEye{{12, 18, 45, 59}, 28, 39};
inline constexpr EyeDesign RightEye{{72, 18, 45, 59}, 88, 39};
inline constexpr int PupilBoxSide = 14;
inline constexpr double NearRadius = 16;

// The ellipse inscribed in an eye's area: the skins draw each eye around it.
constexpr Ellipse EllipseIn(const forms::Bounds& area) {
    return {area.Left + area.Width / 2.0, area.Top + area.Height / 2.0, area.Width / 2.0, area.Height / 2.0};
}
// At a scale: LeftEyeArea.Scaled(scale).
inline constexpr Ellipse LeftEyeArea = EllipseIn(LeftEye.Area);
inline constexpr Ellipse RightEyeArea = EllipseIn(RightEye.Area);

enum class SkinStyle { Tavrin, Classic };
// Premultiplied-alpha skin, 130 x 90 at 100 %.
Image DrawSkin(SkinStyle style, double scale = 1.0);

// Fully transparent picture used when no skin is chosen, 124 x 81 at 100 %.
Pixmap DrawPlaceholder(double scale = 1.0);

// One frame of the "Please wait" bar: `blocks` (1..15) green blocks. 126 x 17
// at 100 % (frame 15: 125 x 17). Its lines stay whole pixels at every scale.
Pixmap DrawProgressFrame(int blocks, double scale = 1.0);

// Where the pupils of an icon look (x right, y down; length up to 1).
struct Gaze {
    double X, Y;
};
// Full: shading, gloss and a soft shadow, for 32-bit images.
// Flat: plain colours and no shadow, for palettized images with 1-bit masks.
enum class Finish { Full, Flat };
Pixmap DrawEyesIcon(int size, Gaze gaze, Finish finish, bool infoBadge);

// Pointing hand: black outline, white fill, the rest transparent. 32 x 32 at
// 100 %, its hot spot on the fingertip.
Pixmap DrawHandCursor(double scale = 1.0);
inline constexpr int HandHotX = 5;
inline constexpr int HandHotY = 0;
struct HotSpot {
    int X, Y;
};
// The hand's hot spot in the picture DrawHandCursor(scale) draws.
HotSpot HandHotSpot(double scale);

// Donation button with a row of payment cards, 115 x 45 at 100 %.
Pixmap DrawDonateBadge(double scale = 1.0);

}  // namespace art
