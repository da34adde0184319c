#pragma once
// Windows' own switch for programs that start with it. Task Manager (and Settings > Apps > Startup)
// turns a program off by a binary value of the same name as its Run value in the StartupApproved
// key of the user's or the machine's profile, and leaves the Run value in place: Windows then does
// not start the program. The value's first byte is 2 or 6 when the program is on, 3 or 7 when off;
// the rest is the time of the change. No value means on.

#include "settings/logic/Registry.h"

#include <cstdint>
#include <string_view>

namespace settings {

inline constexpr char StartupApprovedRunKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";

// Whether a StartupApproved value marks its program as turned off: binary, its first byte 3 or 7.
bool MarksTurnedOff(std::uint32_t type, const std::uint8_t* data, std::uint32_t size);

// Whether Windows has the value `name` turned off in the user's or the machine's StartupApproved
// key. A key or value that cannot be read counts as not turned off.
bool TurnedOffByWindows(Registry& registry, std::string_view name);

// Removes every "turned off" mark of `name` that it can (the user's key always, the machine's only
// with the rights to), so that a Run value written now really starts the program. Silent.
void ClearTurnedOff(Registry& registry, std::string_view name);

}  // namespace settings
