#pragma once
// The base of every window of the form layer: a Win32 window bound to its C++ object, with a scale
// for positions and mouse coordinates, the windowless labels and images it draws, and the child
// controls it creates. It delivers the mouse events in its own scale and keeps the mouse (capture)
// for itself from a button press until the last button is released. It tells assistive technology
// what it is and what it draws (forms/Accessible.h), and asks for its context menu from the mouse or
// the keyboard.

#include "forms/Accessible.h"
#include "forms/ChildWindow.h"
#include "forms/Color.h"
#include "forms/Handles.h"
#include "forms/Layout.h"
#include "forms/Picture.h"
#include "forms/Windowless.h"

#include <windows.h>

#include <functional>
#include <vector>

namespace forms {

class TabOrder;

using MouseHandler = std::function<void(int Button, int Shift, float X, float Y)>;

// Whether a control of the program holds the mouse: from a press on it to the release of the last
// button, or until something else (a popup menu) takes the mouse. Kept by the controls themselves, so
// asking costs no call to the system.
bool MouseHeld();

class Control {
public:
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control();

    HWND hWnd() const { return hwnd_.get(); }
    ScaleMode Scale() const { return scale_; }
    // The dots per inch this control is laid out and drawn at: its window's monitor's (96 at 100 %).
    virtual int Dpi() const = 0;
    // Units of this control's scale per pixel (1 for pixels, 15 for twips at 96 dpi, 10 at 144).
    float UnitsPerPixelX() const;
    float UnitsPerPixelY() const;
    // Screen twips (the unit of a form's Left and Top, counted at the system's DPI) per unit of this
    // control's scale: a mouse offset times this moves a window by the pointer's travel on a monitor
    // of any scale. 1 for twips at the system's scale, 0.5 for twips at 96 dpi on a 192 dpi system.
    float ScreenTwipsPerUnit() const;
    // A length or position of this control's scale in its client pixels, to the nearest pixel.
    int ToPixelsX(float value) const;
    int ToPixelsY(float value) const;

    OleColor BackColor;

    // A rectangle of this control's scale in its client pixels.
    RECT ToPixelRect(const Bounds& bounds) const;

    PicturePtr Picture() const { return picture_; }
    // The picture is drawn at the top-left; it is shared, not copied.
    void SetPicture(PicturePtr picture);

    // Called by the controls inside this one when they are made.
    void Adopt(ChildWindow* child);
    void Adopt(Windowless* item);

    // The object bound to a window of the form layer's class, or nothing for any other window.
    static Control* FromWindow(HWND window);

    // What assistive technology is told of this window's client area, over the system's own words.
    Accessibility Accessible;
    // A control inside: a child window or one drawn by this window.
    struct Part {
        ChildWindow* Window = nullptr;
        Windowless* Item = nullptr;
    };
    // The controls inside, in the order they were made: the order they are read in.
    const std::vector<Part>& Parts() const { return parts_; }
    // A control drawn by this window: its number among the children of the client area's object.
    long AccessibleChildId(const Windowless* item) const;
    // Runs the Click of a control drawn here once the present message is done (asked by assistive
    // technology, from another process, whose call must return first).
    void ClickLater(const Windowless* item);
    // Its value changed (a progress bar's): assistive technology is told.
    void SetAccessibleValue(std::string value);

    // While a contrast theme is on, this control draws its background, texts and links in the
    // system's colours (window, window text, hot-track) and repaints when they change.
    bool FollowsContrastTheme = false;
    bool ContrastColors() const;

    // The keyboard order of a form that has one (forms/TabOrder.h), set by it.
    TabOrder* Tabs() const { return tabOrder_; }
    void SetTabs(TabOrder* tabs) { tabOrder_ = tabs; }

protected:
    Control(ScaleMode scale, OleColor backColor) : BackColor(backColor), scale_(scale) {}

    // Makes the window; the object is bound to it from WM_NCCREATE on. Throws when it cannot be made.
    void CreateWindowObject(DWORD exStyle, DWORD style, const char* caption, int x, int y, int width, int height,
                            HWND parent);
    // Makes the child controls once this window exists.
    void CreateChildren();
    // Lays the controls inside out again at this control's DPI now: positions, sizes, fonts, pictures.
    void LayOutChildrenAgain();

    // Every message of the window. What it throws is reported at the window procedure, once.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Paints the background, the picture and the windowless controls.
    virtual void Paint(HDC dc, const RECT& area);

    virtual void OnMouseMove(int, int, float, float) {}
    virtual void OnMouseDown(int, int, float, float) {}
    virtual void OnMouseUp(int, int, float, float) {}
    virtual void OnClick() {}
    // The context menu is asked for, at a point of the screen: where the mouse is, or the middle of
    // the window when from the keyboard (Shift+F10, the Menu key). True when it was shown.
    virtual bool OnContextMenu(POINT) { return false; }

    void DrawContent(HDC dc);

    unique_hwnd hwnd_;  // bound from WM_NCCREATE, let go at WM_NCDESTROY

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    void HandleMouse(UINT message, WPARAM wParam, LPARAM lParam);
    Windowless* WindowlessAt(POINT point) const;
    bool SetLinkCursor();

    ScaleMode scale_;
    std::vector<ChildWindow*> children_;
    std::vector<Windowless*> windowless_;
    std::vector<Part> parts_;
    TabOrder* tabOrder_ = nullptr;
    bool leftPressed_ = false;
    Windowless* pressed_ = nullptr;
    PicturePtr picture_;
    unique_hwnd tooltip_;
};

}  // namespace forms
