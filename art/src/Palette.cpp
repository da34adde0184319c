#include "art/src/Palette.h"

#include <algorithm>
#include <array>
#include <map>
#include <stdexcept>

namespace art {

Palette standardPalette16() {
    return {{0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},  {0, 0, 128}, {128, 0, 128},
            {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},    {0, 255, 0}, {255, 255, 0},
            {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
}

Palette monochromePalette() { return {{0, 0, 0}, {255, 255, 255}}; }

namespace {

struct Counted {
    std::array<int, 3> rgb;
    long count;
};

int channelRange(const std::vector<Counted>& box, int channel) {
    int lo = 255, hi = 0;
    for (const Counted& c : box) {
        lo = std::min(lo, c.rgb[channel]);
        hi = std::max(hi, c.rgb[channel]);
    }
    return hi - lo;
}

Rgb8 weightedMean(const std::vector<Counted>& box) {
    std::array<long, 3> sum{};
    long total = 0;
    for (const Counted& c : box) {
        for (int ch = 0; ch < 3; ++ch) sum[ch] += c.rgb[ch] * c.count;
        total += c.count;
    }
    auto channel = [&](int ch) { return static_cast<std::uint8_t>((sum[ch] + total / 2) / total); };
    return {channel(0), channel(1), channel(2)};
}

}  // namespace

Palette adaptivePalette(const std::vector<Rgb8>& colours, std::size_t maxColours) {
    if (maxColours == 0) throw std::invalid_argument("palette needs at least one colour");
    std::map<std::array<int, 3>, long> histogram;
    for (const Rgb8& c : colours) ++histogram[{c.r, c.g, c.b}];
    if (histogram.empty()) return {};

    std::vector<std::vector<Counted>> boxes(1);
    for (const auto& [rgb, count] : histogram) boxes[0].push_back({rgb, count});

    while (boxes.size() < maxColours) {
        // Split the box with the widest spread in any channel.
        std::size_t pick = boxes.size();
        int widest = 0, widestChannel = 0;
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i].size() < 2) continue;
            for (int ch = 0; ch < 3; ++ch) {
                const int range = channelRange(boxes[i], ch);
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
            return a.rgb[widestChannel] < b.rgb[widestChannel];
        });
        long total = 0;
        for (const Counted& c : box) total += c.count;
        // Cut at the weighted median, keeping at least one colour per side.
        long running = 0;
        std::size_t cut = 1;
        for (std::size_t i = 0; i + 1 < box.size(); ++i) {
            running += box[i].count;
            cut = i + 1;
            if (running * 2 >= total) break;
        }
        std::vector<Counted> upper(box.begin() + static_cast<long>(cut), box.end());
        box.resize(cut);
        boxes.push_back(std::move(upper));
    }

    Palette palette;
    for (const auto& box : boxes) palette.push_back(weightedMean(box));
    std::sort(palette.begin(), palette.end(), [](const Rgb8& a, const Rgb8& b) {
        return std::array{a.r, a.g, a.b} < std::array{b.r, b.g, b.b};
    });
    palette.erase(std::unique(palette.begin(), palette.end()), palette.end());
    return palette;
}

std::size_t nearestIndex(const Palette& palette, Rgb8 colour) {
    if (palette.empty()) throw std::invalid_argument("empty palette");
    std::size_t best = 0;
    long bestDistance = -1;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const long dr = palette[i].r - colour.r;
        const long dg = palette[i].g - colour.g;
        const long db = palette[i].b - colour.b;
        const long distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

}  // namespace art
