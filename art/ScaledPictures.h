#pragma once
// The programs' pictures at the display scale of a DPI. At 96 dpi (100 %) each is the picture built
// into the program; at any other DPI it is drawn at start-up from its design at that scale (never
// resampled), so that it is as sharp at 200 % as at 100 %.

#include "forms/Handles.h"
#include "forms/Picture.h"

namespace art {

struct Skin;

// The eyes: a skin (premultiplied alpha), the pupil on the colour key, the see-through placeholder.
forms::PicturePtr SkinPicture(const Skin& skin, int dpi);
forms::PicturePtr PupilPicture(int dpi);
forms::PicturePtr PlaceholderPicture(int dpi);

// The relauncher's bar: frame `blocks` of 1..15.
forms::PicturePtr ProgressFramePicture(int blocks, int dpi);

// The About window's donation badge, with its alpha; nothing at 96 dpi, where the GIF is shown.
forms::PicturePtr DonateBadgePicture(int dpi);

// The links' pointing hand.
forms::unique_hicon HandCursor(int dpi);

}  // namespace art
