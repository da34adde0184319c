#pragma once
// Positions and sizes of the layout, in the scale of the container they belong to, and the arithmetic of
// display scales. Portable: the drawing code and the eyes' logic count with it too.

namespace forms {

enum class ScaleMode { Twips, Pixels };

// The one rectangle type: a position and a size, in whatever unit its owner counts in.
struct Bounds {
    float Left = 0, Top = 0, Width = 0, Height = 0;
    constexpr Bounds Scaled(float by) const { return {Left * by, Top * by, Width * by, Height * by}; }
};

// A shape of the layout: geometry only, never drawn.
using Shape = Bounds;

// The dots per inch of a display at 100 %.
inline constexpr int DefaultDpi = 96;
// Twips per pixel at a DPI: 15 at 96, 10 at 144.
inline constexpr float TwipsPerPixelAt(int dpi) { return 1440.0f / static_cast<float>(dpi); }
// The display scale of a DPI: 1.0 at 96, 1.5 at 144.
inline constexpr double ScaleAt(int dpi) { return dpi / static_cast<double>(DefaultDpi); }

// Mouse buttons and shift keys as the mouse events report them.
inline constexpr int LeftButton = 1;
inline constexpr int RightButton = 2;
inline constexpr int MiddleButton = 4;
inline constexpr int ShiftMask = 1;
inline constexpr int CtrlMask = 2;
inline constexpr int AltMask = 4;

}  // namespace forms
