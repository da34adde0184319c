#include "forms/PictureBox.h"

#include <cmath>

namespace forms {

PictureBox::PictureBox(Control& container, PictureBoxLayout layout)
    : Control(layout.Scale, layout.BackColor),
      container_(container),
      left_(layout.Position.Left),
      top_(layout.Position.Top),
      width_(layout.Position.Width),
      height_(layout.Position.Height),
      border_(layout.Border),
      visible_(layout.Visible) {
    container.Adopt(static_cast<ChildWindow*>(this));
}

void PictureBox::CreateAsChild(HWND parent) {
    pixel_ = {container_.ToPixelsX(left_), container_.ToPixelsY(top_)};
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | (visible_ ? WS_VISIBLE : 0);
    CreateWindowObject(border_ ? WS_EX_CLIENTEDGE : 0, style, "", pixel_.x, pixel_.y, container_.ToPixelsX(width_),
                       container_.ToPixelsY(height_), parent);
    CreateChildren();
}

void PictureBox::DpiChanged() {
    if (!hWnd()) return;
    pixel_ = {container_.ToPixelsX(left_), container_.ToPixelsY(top_)};
    SetWindowPos(hWnd(), nullptr, pixel_.x, pixel_.y, container_.ToPixelsX(width_), container_.ToPixelsY(height_),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    LayOutChildrenAgain();
}

void PictureBox::SetSize(float width, float height) {
    width_ = width;
    height_ = height;
    if (hWnd())
        SetWindowPos(hWnd(), nullptr, 0, 0, container_.ToPixelsX(width_), container_.ToPixelsY(height_),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PictureBox::Move(float left, double top) {
    left_ = left;
    top_ = static_cast<float>(top);
    const POINT target{container_.ToPixelsX(left_), container_.ToPixelsY(top_)};
    if (!hWnd() || (target.x == pixel_.x && target.y == pixel_.y)) return;
    pixel_ = target;
    SetWindowPos(hWnd(), nullptr, target.x, target.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PictureBox::SetVisible(bool visible) {
    visible_ = visible;
    if (hWnd()) ShowWindow(hWnd(), visible ? SW_SHOWNA : SW_HIDE);
}

void PictureBox::OnMouseMove(int button, int shift, float x, float y) {
    if (MouseMove) MouseMove(button, shift, x, y);
}
void PictureBox::OnMouseDown(int button, int shift, float x, float y) {
    if (MouseDown) MouseDown(button, shift, x, y);
}
void PictureBox::OnMouseUp(int button, int shift, float x, float y) {
    if (MouseUp) MouseUp(button, shift, x, y);
}

}  // namespace forms
