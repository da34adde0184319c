#pragma once
// The main program's settings in the current user's registry: one small operation per setting and
// direction. Every operation opens the settings key, reads or writes one value and closes the key;
// nothing is cached, so every caller sees what is stored.
//
// A registry status other than 0 ends an operation quietly: a write writes nothing, a read delivers
// nothing. Any other failure (an exception) is reported in a message box by the reporting operations
// and skipped by the silent ones (SaveResolution, SaveLeft, SaveTop).

#include "Registry.h"
#include "SettingsHost.h"

#include <cstdint>
#include <optional>
#include <string>

namespace settings {

inline constexpr char ApplicationTitle[] = "Tavrin Eyes";
inline constexpr char SoftwareKey[] = "Software";
inline constexpr char SettingsBelowSoftware[] = "Brellik's Software\\Tavrin Eyes\\2.0";
inline constexpr char SettingsKey[] = "Software\\Brellik's Software\\Tavrin Eyes\\2.0";

inline constexpr char OnTopValue[] = "ontop";
inline constexpr char ResolutionValue[] = "scres";
inline constexpr char LeftValue[] = "left";
inline constexpr char TopValue[] = "top";
inline constexpr char SkinValue[] = "skin";

inline constexpr char CreateFailedText[] =
    "Unable to create the necessary Registry values. Program will be terminated.";

class SettingsStore {
public:
    SettingsStore(Registry& registry, SettingsHost& host) : registry_(registry), host_(host) {}

    // The status of opening the settings key for reading: 0 when it exists (later runs), else the
    // registry's error code (first run). Nothing when the check itself failed.
    std::optional<Status> CheckSettingsKey();
    void CreateSettingsKey();

    void SaveOnTopOn();
    void SaveOnTopOff();
    std::optional<std::int16_t> LoadOnTop();

    void SaveResolution();
    void SaveLeft();
    void SaveTop();
    std::optional<std::string> LoadResolution();
    std::optional<std::string> LoadLeft();
    std::optional<std::string> LoadTop();

    void SaveSkin(std::int32_t skin);
    std::optional<std::int16_t> LoadSkin();

    // The resolution string of the screen now, e.g. 1024X768.
    std::string CurrentResolution();

private:
    void SaveDword(const char* name, std::int32_t value, MessageIcon icon);
    std::optional<std::int16_t> LoadDword(const char* name, MessageIcon icon);
    void SaveText(const char* name, const std::string& text);
    std::optional<std::string> LoadText(const char* name);
    void Report(const std::exception& failure, MessageIcon icon);

    Registry& registry_;
    SettingsHost& host_;
};

}  // namespace settings
