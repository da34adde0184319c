#include "settings/logic/StartupApproved.h"

#include <array>
#include <exception>

namespace settings {

namespace {

constexpr std::uint8_t OffBit = 1;  // 2 and 6 are on, 3 and 7 off

bool TurnedOffIn(Registry& registry, Key root, std::string_view name) {
    OpenedKey key(registry);
    if (key.Open(root, StartupApprovedRunKey, Access::Read) != Success) return false;
    std::array<std::uint8_t, 64> data{};
    std::uint32_t size = data.size();
    std::uint32_t type = 0;
    if (registry.QueryValue(key.get(), name, type, data.data(), size) != Success) return false;
    return MarksTurnedOff(type, data.data(), size);
}

}  // namespace

bool MarksTurnedOff(std::uint32_t type, const std::uint8_t* data, std::uint32_t size) {
    if (type != TypeBinary || size < 1) return false;
    return data[0] == (2 | OffBit) || data[0] == (6 | OffBit);
}

bool TurnedOffByWindows(Registry& registry, std::string_view name) {
    try {
        return TurnedOffIn(registry, CurrentUser, name) || TurnedOffIn(registry, LocalMachine, name);
    } catch (const std::exception&) {
        return false;
    }
}

void ClearTurnedOff(Registry& registry, std::string_view name) {
    for (const Key root : {CurrentUser, LocalMachine}) {
        try {
            if (!TurnedOffIn(registry, root, name)) continue;
            OpenedKey key(registry);
            if (key.Open(root, StartupApprovedRunKey, Access::Write) != Success) continue;
            registry.DeleteValue(key.get(), name);
        } catch (const std::exception&) {
            // Silent, as every start-with-Windows operation: what stays off shows unchecked.
        }
    }
}

}  // namespace settings
