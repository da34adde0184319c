#pragma once
// Dragging a window by the mouse: where the mouse hovers with no button down is the anchor (in the
// control's own twips); with only the left button down every move shifts the window by the mouse's
// offset from that anchor. Any other combination of buttons does nothing.
//
// The anchor stays in the control's twips, which name the same point of the control at every scale
// (the layout is in twips), so a drag that reaches a monitor of another scale keeps its grab. The
// window's position is in screen twips, counted at the system's DPI: the offset converts to them at
// the control's own scale, `screenTwipsPerUnit` (its DPI over the system's; 1 at one scale).

#include <optional>

namespace eyes {

struct WindowPosition {  // twips, screen coordinates
    float Left, Top;
};

class DragAnchor {
public:
    // Button is the mask of the buttons held (1 left, 2 right, 4 middle); X, Y in twips relative to
    // the control. Gives the window's new position, or nothing when it stays where it is.
    std::optional<WindowPosition> MouseMove(int Button, float X, float Y, WindowPosition window,
                                            float screenTwipsPerUnit = 1.0f) {
        if (Button == 0) {
            AnchorX = X;
            AnchorY = Y;
            return std::nullopt;
        }
        if (Button != 1) return std::nullopt;
        // Single precision, added and subtracted in this order; times 1 exactly at one scale.
        const float k = screenTwipsPerUnit;
        const float left = window.Left + X * k - AnchorX * k;
        const float top = window.Top + Y * k - AnchorY * k;
        return WindowPosition{left, top};
    }

    float AnchorX = 0, AnchorY = 0;
};

}  // namespace eyes
