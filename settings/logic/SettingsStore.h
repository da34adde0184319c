#pragma once
// The main program's settings in the current user's registry: one small operation per setting and
// direction. Every operation opens the settings key, reads or writes one value and closes the key;
// nothing is cached, so every caller sees what is stored.
//
// A registry status other than 0 ends an operation quietly: a write writes nothing, a read delivers
// nothing. Any other failure (an exception) is reported in a message box by the reporting operations
// and skipped by the silent ones (SaveResolution, SaveLeft, SaveTop).

#include "product/Identity.h"
#include "settings/logic/MessageReporter.h"
#include "settings/logic/Registry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace settings {

inline constexpr const char* ApplicationTitle = product::Title;
inline constexpr char SoftwareKey[] = "Software";
inline constexpr const char* SettingsKey = product::SettingsKey;
// The settings key's path below Software, where the first run creates it.
inline constexpr const char* SettingsBelowSoftware = product::SettingsKey + std::string_view(SoftwareKey).size() + 1;

inline constexpr char OnTopValue[] = "ontop";
inline constexpr char ResolutionValue[] = "scres";
inline constexpr char LeftValue[] = "left";
inline constexpr char TopValue[] = "top";
inline constexpr char SkinValue[] = "skin";

inline constexpr char CreateFailedText[] =
    "Unable to create the necessary Registry values. Program will be terminated.";

class SettingsStore {
public:
    SettingsStore(Registry& registry, MessageReporter& reporter) : registry_(registry), reporter_(reporter) {}

    // The status of opening the settings key for reading: 0 when it exists (later runs), else the
    // registry's error code (first run). Nothing when the check itself failed.
    std::optional<Status> CheckSettingsKey();
    // Creates the settings key below Software. False when it failed with an error, which has been
    // shown; the program cannot go on without its settings and ends. A refused open of Software
    // writes nothing and is no error.
    bool CreateSettingsKey();

    void SaveOnTopOn();
    void SaveOnTopOff();
    std::optional<std::int16_t> LoadOnTop();

    // The screen's resolution string (ResolutionText), and the eyes' top-left corner in screen
    // pixels, stored as the shortest text of the single-precision number.
    void SaveResolution(const std::string& resolution);
    void SaveLeft(float leftPixels);
    void SaveTop(float topPixels);
    std::optional<std::string> LoadResolution();
    std::optional<std::string> LoadLeft();
    std::optional<std::string> LoadTop();

    void SaveSkin(std::int32_t skin);
    std::optional<std::int16_t> LoadSkin();

private:
    void SaveDword(const char* name, std::int32_t value, MessageIcon icon);
    std::optional<std::int16_t> LoadDword(const char* name, MessageIcon icon);
    void SaveText(const char* name, const std::string& text);
    std::optional<std::string> LoadText(const char* name);
    void Report(const std::exception& failure, MessageIcon icon);

    Registry& registry_;
    MessageReporter& reporter_;
};

}  // namespace settings
