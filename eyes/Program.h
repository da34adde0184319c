#pragma once
// Everything the main program is made of, created once in WinMain: the registry and the settings on
// it, and the four forms, which reach each other through this object.

#include "EyesHost.h"
#include "Form1.h"
#include "Form2.h"
#include "Form3.h"
#include "Form6.h"
#include "SettingsStore.h"
#include "StartupRegistration.h"

namespace eyes {

struct Program {
    explicit Program(settings::Registry& registry) : registry(registry) {}
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    settings::Registry& registry;
    EyesHost host{*this};
    settings::SettingsStore settings{registry, host};
    settings::StartupRegistration startup{registry, host};

    Form1 form1{*this};
    Form6 form6{*this};
    menu::Form2 form2{*this};
    menu::Form3 form3;

    // The right-click on a pupil or on the overlay.
    void ShowEyesMenu(forms::Form& window) { form2.ShowEyesMenu(window); }
};

}  // namespace eyes
