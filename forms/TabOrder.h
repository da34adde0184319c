#pragma once
// Keyboard access to a form, as a dialog gives it: when the form is shown the focus is on its first
// control; Tab and Shift+Tab move it through the controls in order, round and round; Enter and Space
// do what a click on the focused control does; Esc closes the form as its close box does. A push
// button takes the focus itself; a link drawn by its container holds it through the container's
// window and draws the focus rectangle itself. The focus rectangle shows as Windows decides for
// dialogs (its UI state): once the keyboard is used, so that a mouse user sees the form as before.

#include <windows.h>

#include <cstddef>
#include <vector>

namespace forms {

class Control;

class TabStop {
public:
    virtual ~TabStop() = default;
    // The window that has the keyboard focus while this stop has it: its own, or its container's.
    virtual HWND FocusWindow() const = 0;
    // Enter or Space on it: what a click on it does.
    virtual void Activate() = 0;
    // Whether it is its form's stop that has the focus; told when that changes.
    bool Focused() const { return focused_; }
    virtual void SetFocused(bool focused) { focused_ = focused; }

private:
    bool focused_ = false;
};

class TabOrder {
public:
    // The stops in their order; the first has the focus when the form is shown.
    TabOrder(Control& form, std::vector<TabStop*> stops);
    ~TabOrder();
    TabOrder(const TabOrder&) = delete;
    TabOrder& operator=(const TabOrder&) = delete;

    // The form is being shown: the focus goes back to the first stop, its mark hidden unless the
    // window was opened from the keyboard.
    void Reset();
    // The form's window got the focus (it was activated): the stop that has the focus takes it.
    void Restore();
    // A key pressed in the form: true when it was one of the keys above, and is done with.
    bool Key(const MSG& message);
    bool Contains(const TabStop* stop) const;

private:
    void MoveTo(std::size_t index);
    // The stop the system's focus is on, where the mouse put it elsewhere (a click on a button).
    void FollowSystemFocus();

    Control& form_;
    std::vector<TabStop*> stops_;
    std::size_t current_ = 0;
};

// For the message loop: a key for a form with a tab order is that form's to handle; true when it
// handled it (the message is then not dispatched).
bool HandleFormKey(const MSG& message);

}  // namespace forms
