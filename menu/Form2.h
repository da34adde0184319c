#pragma once
// The holder of the eyes' popup menu: a window that is loaded on first use and never shown. Its menu
// tree `base` pops up at the pointer when the eyes are right-clicked; the check marks are set from the
// stored settings every time it opens.

#include "forms/Form.h"
#include "forms/Menu.h"
#include "menu/EyesControl.h"
#include "menu/Form3.h"
#include "menu/logic/CheckMarks.h"
#include "settings/logic/SettingsStore.h"
#include "settings/logic/StartupRegistration.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace menu {

class Form2 : public forms::Form {
public:
    Form2(EyesControl& eyes, settings::SettingsStore& settings, settings::StartupRegistration& startup, Form3& about);

    // Sets the check marks from the settings, then pops up base's submenu from `window`, at `at`
    // (screen pixels) or, where none is given, at the pointer.
    void ShowEyesMenu(forms::Form& window, std::optional<POINT> at = std::nullopt);
    // The marking step alone: "On Top", "Run at Startup" and the skins as the settings say now.
    void SetCheckMarks();

    // The captions with their access keys ("&" before the underlined letter): A, S, O, R, C, H, and
    // in the submenu each skin's first letter.
    forms::MenuItem about{"&About"};
    forms::MenuItem line{"-"};
    // One item per skin, in art::Skins' order, each with its caption.
    std::vector<std::unique_ptr<forms::MenuItem>> skinItems = SkinItems();
    forms::MenuItem& vw = *skinItems[0];          // "Tavrin"
    forms::MenuItem& blackwhite = *skinItems[1];  // "Classic"
    forms::MenuItem skin{"&Skin", Items(skinItems)};
    forms::MenuItem line4{"-"};
    forms::MenuItem ontop{"&On Top"};
    forms::MenuItem stp{"&Run at Startup"};
    forms::MenuItem line2{"-"};
    forms::MenuItem Exit{"&Close Tavrin Eyes "};
    forms::MenuItem line5{"-"};
    forms::MenuItem home{"Tavrin Eyes &Homepage"};
    forms::MenuItem base{"base", {&about, &line, &skin, &line4, &ontop, &stp, &line2, &Exit, &line5, &home}};

protected:
    void Form_Load() override;

private:
    static std::vector<std::unique_ptr<forms::MenuItem>> SkinItems();
    static std::vector<forms::MenuItem*> Items(const std::vector<std::unique_ptr<forms::MenuItem>>& items);
    void about_Click();
    void ontop_Click();
    void stp_Click();
    void Exit_Click();
    void home_Click();
    void SwitchSkin(std::int32_t skin);

    EyesControl& eyes_;
    settings::SettingsStore& settings_;
    settings::StartupRegistration& startup_;
    Form3& form3_;
    std::unique_ptr<forms::MenuTree> tree_;
    CheckMarks marks_;  // as the last opening set them
};

// What the user is told when the relauncher cannot be started after a skin change.
inline constexpr char SkinnerMissingText[] =
    "Unable to start skinner.exe. The new skin will be used the next time Tavrin Eyes starts.";

}  // namespace menu
