#pragma once
// Positions and sizes of the layout, in the scale of the container they belong to.

namespace forms {

enum class ScaleMode { Twips, Pixels };

struct Bounds {
    float Left = 0, Top = 0, Width = 0, Height = 0;
};

// A shape of the layout: geometry only, never drawn.
struct Shape {
    float Left, Top, Width, Height;
};

// Mouse buttons and shift keys as the mouse events report them.
inline constexpr int LeftButton = 1;
inline constexpr int RightButton = 2;
inline constexpr int MiddleButton = 4;
inline constexpr int ShiftMask = 1;
inline constexpr int CtrlMask = 2;
inline constexpr int AltMask = 4;

}  // namespace forms
