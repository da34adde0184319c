#pragma once
// Windowless controls drawn by their container: text labels (also links, with a cursor of their own
// and a tooltip) and pictures from GIF resources. Positions are in the container's scale.

#include "Color.h"
#include "Control.h"
#include "Handles.h"
#include "Layout.h"

#include <functional>
#include <string>

struct IPicture;

namespace forms {

struct Font {
    const char* Name = "MS Sans Serif";
    float Size = 8.25f;  // points
    bool Bold = false;
    bool Underline = false;
};

enum class Alignment { Left, Center };

class Label {
public:
    Label(Control& container, Bounds bounds, std::string caption, Font font, OleColor foreColor,
          Alignment alignment = Alignment::Left);
    Label(const Label&) = delete;
    Label& operator=(const Label&) = delete;

    // The label's rectangle in its container's client pixels.
    RECT PixelRect() const;
    void Draw(HDC dc);
    HFONT FontHandle();

    std::string Caption;
    HCURSOR MouseIcon = nullptr;  // shown while the pointer is over the label
    std::string ToolTipText;
    std::function<void()> Click;

private:
    Control& container_;
    Bounds bounds_;
    Font font_;
    OleColor foreColor_;
    Alignment alignment_;
    unique_hfont hfont_;
};

// A font of the given point size at the screen's resolution.
unique_hfont MakeFont(const Font& font);

class Image {
public:
    // A GIF stored as a raw data resource, decoded by the system's picture loader.
    Image(Control& container, Bounds bounds, int gifResourceId);
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;
    ~Image();

    void Draw(HDC dc);

private:
    Control& container_;
    Bounds bounds_;
    int resourceId_;
    IPicture* picture_ = nullptr;
};

// A push button: a child window of its container.
class Button {
public:
    Button(Control& container, Bounds bounds, std::string caption, Font font);
    Button(const Button&) = delete;
    Button& operator=(const Button&) = delete;

    void Create(HWND parent);
    HWND hWnd() const { return hwnd_; }

    std::function<void()> Click;

private:
    Control& container_;
    Bounds bounds_;
    std::string caption_;
    Font font_;
    unique_hfont hfont_;
    HWND hwnd_ = nullptr;
};

}  // namespace forms
