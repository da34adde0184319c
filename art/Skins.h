#pragma once
// The skins, one row each: the number the "skin" setting stores, the menu's caption, the design that
// draws it at any scale (DrawSkin), the bitmap built into the eyes for 100 % and its file in
// art/images, which make_art writes. A stored number that names no row shows only the pupils.

#include "art/resources.h"
#include "art/src/Artwork.h"

#include <cstdint>
#include <optional>

namespace art {

struct Skin {
    std::int16_t Number;
    const char* Caption;
    SkinStyle Design;
    int Resource;
    const char* File;
};

inline constexpr Skin Skins[] = {
    {1, "Tavrin", SkinStyle::Tavrin, IDB_SKIN_TAVRIN, "skin_tavrin.bmp"},
    {2, "Classic", SkinStyle::Classic, IDB_SKIN_CLASSIC, "skin_classic.bmp"},
};

// The skin a stored number names; nothing for any other number, or none stored.
constexpr const Skin* FindSkin(std::optional<std::int16_t> number) {
    for (const Skin& skin : Skins)
        if (number == skin.Number) return &skin;
    return nullptr;
}

}  // namespace art
