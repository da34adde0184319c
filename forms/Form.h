#pragma once
// A top-level form. Its Left and Top are twips in screen coordinates and keep their fractional part;
// the window itself stands at the nearest whole pixel. Its event procedures are virtual members that
// a form overrides.

#include "forms/Control.h"

#include <string>

namespace forms {

enum class BorderStyle {
    None,            // no caption, no border: the window is exactly its client area
    FixedSingle,     // caption with the close box only, fixed size
    FixedToolWindow  // small caption, fixed size
};

struct FormLayout {
    std::string Caption = "Form1";
    BorderStyle Border = BorderStyle::None;
    bool ShowInTaskbar = false;
    bool CenterScreen = false;
    ScaleMode Scale = ScaleMode::Twips;
    OleColor BackColor = SystemColor(COLOR_BTNFACE);
    Bounds Client;   // twips: the client area's origin on the screen and its size
    int IconId = 0;  // icon resource, 0 for none
    // What assistive technology is told of the window (Control::Accessible); the caption stays.
    Accessibility Accessible;
    // Its layout grows with Windows' text size ("Make text bigger"): the window, its controls, its
    // fonts and pictures, as at a display scale that much larger.
    bool FollowsTextSize = false;
};

class Form : public Control {
public:
    explicit Form(FormLayout layout);

    // Makes the window (hidden) and runs Form_Initialize and Form_Load, once.
    void Load();
    // Loads the form if needed, then shows and activates it.
    void Show();

    // The monitor's DPI, times Windows' text size for a form that follows it.
    int Dpi() const override { return (dpi_ * textScale_ + 50) / 100; }
    // The monitor's DPI alone: for what does not grow with the text (the pointer, the title bar).
    int MonitorDpi() const { return dpi_; }
    // The window is on a monitor of another DPI now (WM_DPICHANGED): it takes the suggested rectangle
    // (a form with a frame then gives its client area the layout's size at the new DPI), lays out its
    // controls again, runs Form_DpiChanged and redraws.
    void ApplyDpi(int dpi, const RECT& suggested);

    float Left() const { return left_; }
    float Top() const { return top_; }
    void SetLeft(float twips);
    void SetTop(float twips);
    // Repaints the whole form and its children now.
    void Refresh();

protected:
    virtual void Form_Initialize() {}
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_MouseMove(int, int, float, float) {}
    virtual void Form_MouseDown(int, int, float, float) {}
    virtual void Form_MouseUp(int, int, float, float) {}
    virtual void Form_Click() {}
    // The context menu asked for at a point of the screen (the mouse's, or the middle of the window
    // from the keyboard); true when the form showed one.
    virtual bool Form_ContextMenu(POINT) { return false; }
    // A request to close the window (its close box, Alt+F4, WM_CLOSE from another program): by default
    // the form hides and the program goes on; it ends only where its code ends it.
    virtual void Form_Close() { ShowWindow(hwnd_.get(), SW_HIDE); }
    // After the controls are laid out at a new DPI: what the form draws itself follows here.
    virtual void Form_DpiChanged() {}
    // Takes the DPI of the monitor the window stands on, once it is created and placed and before it is
    // shown (Windows sends WM_DPICHANGED only for later changes), keeping its top-left; a form centred
    // on the screen is centred again at its new size. Asked at that moment only: afterwards the DPI
    // follows WM_DPICHANGED.
    void TakeWindowDpi();

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnMouseMove(int button, int shift, float x, float y) override { Form_MouseMove(button, shift, x, y); }
    void OnMouseDown(int button, int shift, float x, float y) override { Form_MouseDown(button, shift, x, y); }
    void OnMouseUp(int button, int shift, float x, float y) override { Form_MouseUp(button, shift, x, y); }
    void OnClick() override { Form_Click(); }
    bool OnContextMenu(POINT at) override { return Form_ContextMenu(at); }
    // Windows' text size now, for a form that follows it: laid out again when it changed.
    void TakeTextSize();
    void MoveToPosition();
    // The title bar's icons at the form's DPI.
    void LoadIcons();
    // The layout's client area in pixels at the form's DPI, and the window's size around it.
    SIZE ClientSize(int dpi) const;
    SIZE FrameSize(int dpi, DWORD style, DWORD exStyle) const;

    FormLayout layout_;
    int dpi_;
    int textScale_ = 100;       // percent
    float left_ = 0, top_ = 0;  // twips
    POINT pixel_{};             // where the window stands
    bool loaded_ = false;
    unique_hicon bigIcon_, smallIcon_;
};

}  // namespace forms
