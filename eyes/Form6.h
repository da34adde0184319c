#pragma once
// The skin window: borderless and layered with per-pixel alpha, drawn once from the skin picture
// and kept directly beneath Form1 at the same position. Where Form1 is see-through the mouse reaches
// it: a left drag moves both windows, a click brings Form1 back to the front, a right press opens the
// menu.

#include "eyes/logic/Drag.h"
#include "forms/App.h"
#include "forms/Form.h"

namespace eyes {

class Program;

class Form6 : public forms::Form {
public:
    explicit Form6(Program& program);

    // Draws the skin picture at its size at Form1's position: at load, and after a change of scale.
    void ShowSkin();

protected:
    void Form_Load() override;
    void Form_DpiChanged() override;
    // A close request to the skin ends the program too, as "Close Tavrin Eyes " does.
    void Form_Close() override { forms::App.End(); }
    void Form_MouseMove(int Button, int Shift, float X, float Y) override;
    void Form_MouseDown(int Button, int Shift, float X, float Y) override;
    void Form_MouseUp(int Button, int Shift, float X, float Y) override;
    void Form_Click() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Shift+F10 or the Menu key with the skin active: the menu, at the eyes.
    bool Form_ContextMenu(POINT at) override;

private:
    void UpdateAlphaImage();

    Program& program_;
    int imageWidth_ = 0;
    int imageHeight_ = 0;
    DragAnchor anchor_;
};

}  // namespace eyes
