#include "art/src/Palette.h"

#include <algorithm>
#include <array>
#include <map>
#include <stdexcept>

namespace art {

Palette StandardPalette16() {
    return {{0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},  {0, 0, 128}, {128, 0, 128},
            {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},    {0, 255, 0}, {255, 255, 0},
            {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
}

Palette MonochromePalette() { return {{0, 0, 0}, {255, 255, 255}}; }

namespace {

struct Counted {
    std::array<int, 3> Rgb;
    long Count;
};

int ChannelRange(const std::vector<Counted>& box, int channel) {
    int lo = 255, hi = 0;
    for (const Counted& c : box) {
        lo = std::min(lo, c.Rgb[channel]);
        hi = std::max(hi, c.Rgb[channel]);
    }
    return hi - lo;
}

Rgb8 WeightedMean(const std::vector<Counted>& box) {
    std::array<long, 3> sum{};
    long total = 0;
    for (const Counted& c : box) {
        for (int ch = 0; ch < 3; ++ch) sum[ch] += c.Rgb[ch] * c.Count;
        total += c.Count;
    }
    auto channel = [&](int ch) { return static_cast<std::uint8_t>((sum[ch] + total / 2) / total); };
    return {channel(0), channel(1), channel(2)};
}

}  // namespace

Palette AdaptivePalette(const std::vector<Rgb8>& colors, std::size_t maxColors) {
    if (maxColors == 0) throw std::invalid_argument("palette needs at least one colour");
    std::map<std::array<int, 3>, long> histogram;
    for (const Rgb8& c : colors) ++histogram[{c.Red, c.Green, c.Blue}];
    if (histogram.empty()) return {};

    std::vector<std::vector<Counted>> boxes(1);
    for (const auto& [rgb, count] : histogram) boxes[0].push_back({rgb, count});

    while (boxes.size() < maxColors) {
        // Split the box with the widest spread in any channel.
        std::size_t pick = boxes.size();
        int widest = 0, widestChannel = 0;
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i].size() < 2) continue;
            for (int ch = 0; ch < 3; ++ch) {
                const int range = ChannelRange(boxes[i], ch);
                if (range > widest) {
                    widest = range;
                    widestChannel = ch;
                    pick = i;
                }
            }
        }
        if (pick == boxes.size()) break;  // every box holds a single colour

        std::vector<Counted>& box = boxes[pick];
        std::stable_sort(box.begin(), box.end(), [&](const Counted& a, const Counted& b) {
            return a.Rgb[widestChannel] < b.Rgb[widestChannel];
        });
        long total = 0;
        for (const Counted& c : box) total += c.Count;
        // Cut at the weighted median, keeping at least one colour per side.
        long running = 0;
        std::size_t cut = 1;
        for (std::size_t i = 0; i + 1 < box.size(); ++i) {
            running += box[i].Count;
            cut = i + 1;
            if (running * 2 >= total) break;
        }
        std::vector<Counted> upper(box.begin() + static_cast<long>(cut), box.end());
        box.resize(cut);
        boxes.push_back(std::move(upper));
    }

    Palette palette;
    for (const auto& box : boxes) palette.push_back(WeightedMean(box));
    std::sort(palette.begin(), palette.end(), [](const Rgb8& a, const Rgb8& b) {
        return std::array{a.Red, a.Green, a.Blue} < std::array{b.Red, b.Green, b.Blue};
    });
    palette.erase(std::unique(palette.begin(), palette.end()), palette.end());
    return palette;
}

std::size_t NearestIndex(const Palette& palette, Rgb8 color) {
    if (palette.empty()) throw std::invalid_argument("empty palette");
    std::size_t best = 0;
    long bestDistance = -1;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const long dr = palette[i].Red - color.Red;
        const long dg = palette[i].Green - color.Green;
        const long db = palette[i].Blue - color.Blue;
        const long distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

}  // namespace art
