#pragma once
// The eyes' start-up decisions, made once when the eyes window loads: a first run creates the settings
// and registers the start with Windows; a later run restores the stored place, or re-centres and
// stores the new one. The eyes window applies the result (places, shows the skin); the z-order is the overlay's to set
// when it loads.

#include "eyes/logic/Placement.h"
#include "settings/logic/SettingsStore.h"
#include "settings/logic/StartupRegistration.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace eyes {

// The screen at start: its resolution text (ResolutionText), its size in pixels and its monitors.
struct StartScreen {
    std::string Resolution;
    float WidthPixels = 0, HeightPixels = 0;
    std::vector<MonitorRect> Monitors;
};

// The eyes window before it is placed: its layout place (screen pixels, as a first run stores it)
// and its eye areas.
struct StartWindow {
    float Left = 0, Top = 0;
    EyesShape Eyes;
};

struct StartDecision {
    bool End = false;                  // the settings key could not be created: the program ends
    bool FirstRun = false;             // the window keeps its layout place
    Placement Place;                   // where the window stands; StoreNewPosition: a later run re-centred it
    std::optional<std::int16_t> Skin;  // the stored skin number
};

// Makes the start-up's reads and writes on the store and the registration, in the program's order.
StartDecision StartEyes(settings::SettingsStore& store, settings::StartupRegistration& startup,
                        const StartScreen& screen, const StartWindow& window);

}  // namespace eyes
