#pragma once
// A control that has no window of its own (a label, an image): its container draws it, finds it under
// the mouse, shows its cursor and tooltip, and runs its Click when the left button is pressed and
// released on it. Assistive technology reads it as a child of its container's client area.

#include "forms/Accessible.h"

#include <windows.h>

#include <functional>
#include <string>

namespace forms {

class Windowless {
public:
    Windowless() = default;
    Windowless(const Windowless&) = delete;
    Windowless& operator=(const Windowless&) = delete;
    virtual ~Windowless() = default;

    virtual void Draw(HDC dc) = 0;
    // Where it stands, in its container's client pixels.
    virtual RECT PixelRect() const = 0;
    // The container's DPI has changed: whatever was made for the old one (a font, a picture) goes.
    virtual void DpiChanged() {}
    // Where it answers the mouse (Click, cursor, tooltip), in its container's client pixels.
    virtual RECT HitRect() { return PixelRect(); }
    // What assistive technology is told of it: what is given in Accessible, and what it is.
    virtual Accessibility Describe() const { return Accessible; }

    Accessibility Accessible;
    std::function<void()> Click;
    HCURSOR MouseIcon = nullptr;  // shown while the pointer is over it
    std::string ToolTipText;
};

}  // namespace forms
