#pragma once
// A picture box: a child window that shows a picture at its top-left on its back colour. Left and Top
// are in the container's scale and keep their fractional part; the window stands at the nearest
// whole pixel, and a move to where it already stands costs nothing.

#include "forms/ChildWindow.h"
#include "forms/Control.h"

namespace forms {

struct PictureBoxLayout {
    Bounds Position;  // in the container's scale
    OleColor BackColor = SystemColor(COLOR_BTNFACE);
    ScaleMode Scale = ScaleMode::Twips;
    bool Border = false;  // a framed panel
    bool Visible = true;
};

class PictureBox : public Control, public ChildWindow {
public:
    PictureBox(Control& container, PictureBoxLayout layout);

    void CreateAsChild(HWND parent) override;
    HWND ChildHandle() const override { return hWnd(); }
    void DpiChanged() override;
    int Dpi() const override { return container_.Dpi(); }

    float Left() const { return left_; }
    float Top() const { return top_; }
    float Width() const { return width_; }
    float Height() const { return height_; }
    void Move(float left, double top);
    // A new size, in the container's scale.
    void SetSize(float width, float height);
    void SetVisible(bool visible);
    // Clears run-time drawing. This layer offers none, so the picture and back colour just stay.
    void Cls() {}

    MouseHandler MouseMove, MouseDown, MouseUp;

private:
    void OnMouseMove(int button, int shift, float x, float y) override;
    void OnMouseDown(int button, int shift, float x, float y) override;
    void OnMouseUp(int button, int shift, float x, float y) override;

    Control& container_;
    float left_, top_, width_, height_;
    POINT pixel_{};
    bool border_;
    bool visible_;
};

}  // namespace forms
