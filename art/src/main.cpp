// make_art: writes every picture file of the product into a folder.
//   make_art <output folder>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "art/Colors.h"
#include "art/Skins.h"
#include "art/src/Artwork.h"
#include "art/src/Formats.h"

namespace {

using namespace art;

std::vector<IconImage> EyesIconSet(Gaze gaze, bool badge, const std::vector<std::pair<int, int>>& sizesAndDepths) {
    std::vector<IconImage> images;
    for (const auto& [size, bpp] : sizesAndDepths) {
        const Finish finish = bpp == 32 ? Finish::Full : Finish::Flat;
        images.push_back({DrawEyesIcon(size, gaze, finish, badge), bpp});
    }
    return images;
}

void Save(const std::filesystem::path& folder, const std::string& name, const Bytes& bytes) {
    std::ofstream file(folder / name, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file) throw std::runtime_error("cannot write " + (folder / name).string());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    try {
        const std::filesystem::path folder = argv[1];
        std::filesystem::create_directories(folder);

        Save(folder, "pupil.bmp", EncodeBmp24(DrawPupil()));
        Save(folder, "placeholder.bmp", EncodeBmp32(DrawPlaceholder()));
        for (const Skin& skin : Skins) Save(folder, skin.File, EncodeBmp32(Premultiplied(DrawSkin(skin.Design))));
        for (int blocks = 1; blocks <= 15; ++blocks) {
            char name[16];
            std::snprintf(name, sizeof name, "pgb%02d.bmp", blocks);
            Save(folder, name, EncodeBmp24(DrawProgressFrame(blocks)));
        }

        // The application looks sideways; the main window's icon looks up
        // and to the left; the About icon looks up, clear of its info badge.
        Save(folder, "app.ico",
             EncodeIcon(EyesIconSet(
                 {1.0, 0.1}, false,
                 {{48, 8}, {32, 8}, {128, 32}, {96, 32}, {72, 32}, {64, 32}, {48, 32}, {32, 32}, {24, 32}, {16, 32}})));
        Save(folder, "form1.ico",
             EncodeIcon(EyesIconSet({-0.72, -0.69}, false,
                                    {{32, 4}, {32, 1}, {48, 8}, {32, 8}, {16, 8}, {48, 32}, {32, 32}, {16, 32}})));
        Save(folder, "about.ico",
             EncodeIcon(
                 EyesIconSet({0.4, -0.9}, true,
                             {{16, 4}, {32, 4}, {48, 4}, {16, 8}, {32, 8}, {48, 8}, {16, 32}, {32, 32}, {48, 32}})));
        Save(folder, "hand.cur", EncodeCursor({DrawHandCursor(), 1}, HandHotX, HandHotY));
        // Viewers that ignore transparency show the badge's corners in the grey its edges are blended onto.
        Save(folder, "badge.gif", EncodeGif(DrawDonateBadge(), {WindowGrey.Red, WindowGrey.Green, WindowGrey.Blue}));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_art: %s\n", e.what());
        return 1;
    }
    return 0;
}
