#pragma once
// Dragging a window by the mouse: where the mouse hovers with no button down is the anchor (in the
// control's own twips); with only the left button down every move shifts the window by the mouse's
// offset from that anchor. Any other combination of buttons does nothing.

#include <optional>

namespace eyes {

struct WindowPosition {  // twips, screen coordinates
    float Left, Top;
};

class DragAnchor {
public:
    // Button is the mask of the buttons held (1 left, 2 right, 4 middle); X, Y in twips relative to
    // the control. Gives the window's new position, or nothing when it stays where it is.
    std::optional<WindowPosition> MouseMove(int Button, float X, float Y, WindowPosition window) {
        if (Button == 0) {
            AnchorX = X;
            AnchorY = Y;
            return std::nullopt;
        }
        if (Button != 1) return std::nullopt;
        // Single precision, added and subtracted in this order.
        const float left = window.Left + X - AnchorX;
        const float top = window.Top + Y - AnchorY;
        return WindowPosition{left, top};
    }

    float AnchorX = 0, AnchorY = 0;
};

}  // namespace eyes
