#pragma once
// Dragging a window by the mouse: where the mouse hovers with no button down is the anchor (in the
// control's own twips); with only the left button down every move shifts the window by the mouse's
// offset from that anchor. Any other combination of buttons does nothing.
//
// The anchor stays in the control's twips. The window's position is in screen twips, counted at the
// system's DPI: the offset converts to them at the control's own scale, `screenTwipsPerUnit` (its DPI
// over the system's; 1 at one scale).
//
// A window that reaches a monitor of another scale during a drag changes its scale from inside the
// move, and stands where Windows suggests. Taking the grab again at the new scale would shift it by
// (scale - 1) times the grab's offset, which just past the boundary can carry it back onto the monitor
// it came from, and over again at every move. So from that change on to the release it moves by the
// pointer's travel since the change, in screen pixels: stable, one change of scale per crossing.

#include <optional>

namespace eyes {

struct WindowPosition {  // twips, screen coordinates
    float Left, Top;
};

struct ScreenPoint {  // screen pixels
    long X = 0, Y = 0;
};

class DragAnchor {
public:
    // Button is the mask of the buttons held (1 left, 2 right, 4 middle); X, Y in twips relative to
    // the control; `pointer` is where the pointer stands on the screen and `screenTwipsPerPixel` the
    // system's twips per pixel, used after a change of scale. Gives the window's new position, or
    // nothing when it stays where it is.
    std::optional<WindowPosition> MouseMove(int Button, float X, float Y, WindowPosition window,
                                            float screenTwipsPerUnit = 1.0f, ScreenPoint pointer = {},
                                            float screenTwipsPerPixel = 15.0f) {
        if (Button == 0) {
            AnchorX = X;
            AnchorY = Y;
            travelFrom_.reset();
            return std::nullopt;
        }
        if (Button != 1) return std::nullopt;
        if (travelFrom_) {
            const auto& [from, at] = *travelFrom_;
            return WindowPosition{from.Left + static_cast<float>(pointer.X - at.X) * screenTwipsPerPixel,
                                  from.Top + static_cast<float>(pointer.Y - at.Y) * screenTwipsPerPixel};
        }
        // Single precision, added and subtracted in this order; times 1 exactly at one scale.
        const float k = screenTwipsPerUnit;
        const float left = window.Left + X * k - AnchorX * k;
        const float top = window.Top + Y * k - AnchorY * k;
        return WindowPosition{left, top};
    }

    // The window changed scale during the drag and stands at `window`, the pointer at `pointer`.
    void ScaleChanged(WindowPosition window, ScreenPoint pointer) { travelFrom_ = {window, pointer}; }
    // The button is up: the next drag grabs anew.
    void Released() { travelFrom_.reset(); }

    float AnchorX = 0, AnchorY = 0;

private:
    struct Travel {
        WindowPosition From;
        ScreenPoint At;
    };
    std::optional<Travel> travelFrom_;
};

}  // namespace eyes
