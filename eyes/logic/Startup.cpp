#include "eyes/logic/Startup.h"

namespace eyes {

StartDecision StartEyes(settings::SettingsStore& store, settings::StartupRegistration& startup,
                        const StartScreen& screen, const StartWindow& window) {
    StartDecision start;
    // Only a missing key means a first run. A key that exists but cannot be opened (access denied)
    // is a later start whose values cannot be read: it is re-centred, not on top and without a
    // skin, its writes fail quietly, and it leaves the Run value to the user's last choice.
    start.FirstRun = store.CheckSettingsKey() == settings::FileNotFound;
    if (start.FirstRun) {
        // Without its settings key the program cannot go on; the store has said why.
        if (!store.CreateSettingsKey()) {
            start.End = true;
            return start;
        }
        start.Place = {static_cast<int>(window.Left), static_cast<int>(window.Top), false};
        store.SaveOnTopOn();
        startup.RegisterStartup();
        store.SaveSkin(1);
        store.SaveResolution(screen.Resolution);
        store.SaveLeft(window.Left);
        store.SaveTop(window.Top);
    } else {
        const auto scres = store.LoadResolution();
        const auto left = store.LoadLeft();
        const auto top = store.LoadTop();
        start.Place = PlaceAtStart(scres, left, top, screen.Resolution, screen.WidthPixels, screen.HeightPixels,
                                   screen.Monitors, window.Eyes);
        if (start.Place.StoreNewPosition) {
            store.SaveResolution(screen.Resolution);
            store.SaveLeft(static_cast<float>(start.Place.X));
            store.SaveTop(static_cast<float>(start.Place.Y));
        }
    }
    start.Skin = store.LoadSkin();
    return start;
}

}  // namespace eyes
