#pragma once
// The main program, made once in WinMain: the settings on the registry, the two eye windows, and the
// popup menu's holder with the About window. It is the one owner of the pair of eye windows: it moves
// them together, sets their z-order and knows the skin picture. The windows reach each other only
// through it, and the menu reaches the eyes only through menu::EyesControl, which it implements.

#include "eyes/Form1.h"
#include "eyes/Form6.h"
#include "eyes/logic/Drag.h"
#include "menu/EyesControl.h"
#include "menu/Form2.h"
#include "menu/Form3.h"
#include "settings/logic/SettingsStore.h"
#include "settings/logic/StartupRegistration.h"

#include <optional>
#include <string>

namespace eyes {

class Program final : public menu::EyesControl {
public:
    explicit Program(settings::Registry& registry);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Shows Form1, whose load is the program's start-up.
    void Start();

    settings::SettingsStore& Settings() { return settings_; }
    settings::StartupRegistration& Startup() { return startup_; }
    // The screen's resolution string now, e.g. 1024X768.
    std::string ScreenResolution() const;
    // Stores the place where Form1 stands, in whole screen pixels, as the eyes' place.
    void StorePosition();

    // One mouse move over `pointerIn` (a pupil, or the overlay itself) of a drag of either window: the
    // dragged window moves by the mouse's offset from its anchor, converted at `pointerIn`'s scale,
    // and the other one follows it to the same position. A window that reaches a monitor of another
    // scale changes scale from inside its move: it then stands where Windows puts it, the other one
    // joins it there once it has moved too, and the drag goes on by the pointer's travel.
    void DragBy(DragAnchor& anchor, const forms::Control& pointerIn, forms::Form& dragged, int Button, float X,
                float Y);
    // Form1's position (twips), where the overlay stands too.
    WindowPosition EyesPosition() const;
    // The skin picture: held by Form1's base_image, drawn by the overlay.
    forms::PicturePtr SkinPicture() const;
    // Shows the overlay with the skin picture; its load puts it beneath Form1.
    void ShowOverlay();
    // Either eye window has taken a new scale (Form1 with its pictures drawn anew): the overlay goes
    // back under Form1 and draws the skin at its scale, unless a drag is moving the windows, which
    // joins them once both have moved.
    void ScaleChanged();
    void BringPupilsToFront();
    // A message to either eye window that may mean something the pupils' ticks read has changed wakes
    // their timers: a move or a new size, a new scale, a new display, the session unlocked or the
    // system resumed, and the mouse's raw input, which the sleeping eyes listen to.
    void WakeOn(UINT message, WPARAM wParam, LPARAM lParam);
    // A press on the eyes: a drag or the menu follows.
    void WakeEyes() { form1_.Wake(); }
    // The right-click on a pupil or on the overlay (at the pointer), or the context menu asked for
    // from the keyboard (at `at`).
    void ShowEyesMenu(forms::Form& window, std::optional<POINT> at = std::nullopt);

    void Refresh() override;
    void SetZOrder(bool topmost) override;

    // The menu's holder, for tests that drive it in the real program.
    menu::Form2& Menu() { return form2_; }

private:
    // Message boxes titled with the application title, for the settings operations that report.
    class MessageBoxReporter : public settings::MessageReporter {
    public:
        void ShowMessage(std::string_view text, settings::MessageIcon icon) override;
    };

    MessageBoxReporter reporter_;
    bool moving_ = false;   // a drag is moving the two windows
    int scaleChanges_ = 0;  // changes of scale of either window, counted
    settings::SettingsStore settings_;
    settings::StartupRegistration startup_;
    Form1 form1_;
    Form6 form6_;
    menu::Form3 form3_;
    menu::Form2 form2_;
};

}  // namespace eyes
