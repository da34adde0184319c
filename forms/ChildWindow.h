#pragma once
// A control that is a child window of its container (a picture box, a push button): the container
// makes it once its own window exists and passes on the notifications that it sends.

#include <windows.h>

namespace forms {

class ChildWindow {
public:
    virtual ~ChildWindow() = default;
    virtual void CreateAsChild(HWND parent) = 0;
    // Its window, once made.
    virtual HWND ChildHandle() const = 0;
    // A WM_COMMAND notification from the child window `from` to the container.
    virtual void OnCommand(HWND, int) {}
    // The container's DPI has changed: stand, size and draw at the new one.
    virtual void DpiChanged() {}
};

}  // namespace forms
