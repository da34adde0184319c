#pragma once
// A push button: a child window of its container, with a Click; a stop of a form's tab order.

#include "forms/ChildWindow.h"
#include "forms/Control.h"
#include "forms/Font.h"
#include "forms/Layout.h"
#include "forms/TabOrder.h"

#include <functional>
#include <string>

namespace forms {

class Button : public ChildWindow, public TabStop {
public:
    Button(Control& container, Bounds bounds, std::string caption, Font font);
    Button(const Button&) = delete;
    Button& operator=(const Button&) = delete;

    void CreateAsChild(HWND parent) override;
    void OnCommand(HWND from, int code) override;
    void DpiChanged() override;
    HWND hWnd() const { return hwnd_.get(); }
    HWND ChildHandle() const override { return hwnd_.get(); }
    HWND FocusWindow() const override { return hwnd_.get(); }
    void Activate() override;

    std::function<void()> Click;

private:
    Control& container_;
    Bounds bounds_;
    std::string caption_;
    Font font_;
    unique_hfont hfont_;
    unique_hwnd hwnd_;  // after the font: the button goes before the font it uses
};

}  // namespace forms
