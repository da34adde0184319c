// The product's pictures, each drawn by code.
#pragma once

#include "art/Colors.h"
#include "art/src/Raster.h"

namespace art {

// Pixels of the pupil picture that show the window below: the window keys
// out exactly this colour.
inline constexpr Rgba8 PupilKeyColor{ColorKey.Red, ColorKey.Green, ColorKey.Blue, 255};

// The 13 x 13 pupil: a dark disc on the key colour, its rim blended to white.
Pixmap DrawPupil();

// Eye areas of the 130 x 90 skins, inside which the pupil travels.
inline constexpr Ellipse LeftEyeArea{34.5, 47.5, 22.5, 29.5};
inline constexpr Ellipse RightEyeArea{94.5, 47.5, 22.5, 29.5};

enum class SkinStyle { Tavrin, Classic };
// Premultiplied-alpha skin, 130 x 90.
Image DrawSkin(SkinStyle style);

// Fully transparent 124 x 81 picture used when no skin is chosen.
Pixmap DrawPlaceholder();

// One frame of the "Please wait" bar: `blocks` (1..15) green blocks.
Pixmap DrawProgressFrame(int blocks);

// Where the pupils of an icon look (x right, y down; length up to 1).
struct Gaze {
    double X, Y;
};
// Full: shading, gloss and a soft shadow, for 32-bit images.
// Flat: plain colours and no shadow, for palettized images with 1-bit masks.
enum class Finish { Full, Flat };
Pixmap DrawEyesIcon(int size, Gaze gaze, Finish finish, bool infoBadge);

// 32 x 32 pointing hand: black outline, white fill, the rest transparent.
Pixmap DrawHandCursor();
inline constexpr int HandHotX = 5;
inline constexpr int HandHotY = 0;

// 115 x 45 donation button with a row of payment cards.
Pixmap DrawDonateBadge();

}  // namespace art
