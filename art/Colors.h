#pragma once
// The colours that the pictures and the programs must agree on, in one place for the art code, the
// programs and their tests.

namespace art {

struct Rgb {
    int Red, Green, Blue;
};

// The eyes window's background and the pupil picture's corners: every pixel of exactly this colour is
// keyed out (see-through and click-through), so no picture may hold it anywhere else.
inline constexpr Rgb ColorKey{230, 230, 230};

// The background of the small grey windows (the relauncher's splash, the post-install window) and
// the matte that their pictures are drawn on.
inline constexpr Rgb WindowGrey{224, 224, 224};

}  // namespace art
