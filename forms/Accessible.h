#pragma once
// What assistive technology (a screen reader, or UI Automation through its bridge to these objects)
// is told of the form layer's windows. A window answers WM_GETOBJECT with the system's own object for
// it (oleacc's standard objects) and the program's name, description, role, value and default action
// over it where the program gives them; the parts a window draws itself (labels, links, a picture)
// are the children of its client area's object, in the order they were made.

#include <windows.h>

#include <string>

namespace forms {

class Control;

struct Accessibility {
    std::string Name;  // empty: the system's (a window's caption)
    std::string Description;
    std::string Value;
    std::string DefaultAction;
    long Role = 0;  // a ROLE_SYSTEM_* number; 0: the system's
};

// The answer to WM_GETOBJECT for a window of the form layer: an object for its client area or for
// the window itself, or 0 where the system's own object says all there is.
LRESULT AccessibleObjectFor(Control& control, WPARAM wParam, LPARAM lParam);

}  // namespace forms
