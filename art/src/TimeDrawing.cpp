// time_art: how long drawing the pictures the programs show takes at a few
// display scales. Each time is the fastest of several runs, in milliseconds.
//   time_art [runs]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "art/src/Artwork.h"

namespace {

using namespace art;

double FastestMs(int runs, const std::function<void()>& draw) {
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        draw();
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::printf("%6s %10s %10s %8s %10s %8s %8s %8s\n", "scale", "Tavrin", "Classic", "pupil", "15 frames", "badge",
                "cursor", "total");
    for (double scale : {1.0, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0}) {
        const double tavrin = FastestMs(runs, [&] { DrawSkin(SkinStyle::Tavrin, scale); });
        const double classic = FastestMs(runs, [&] { DrawSkin(SkinStyle::Classic, scale); });
        const double pupil = FastestMs(runs, [&] { DrawPupil(scale); });
        const double frames = FastestMs(runs, [&] {
            for (int blocks = 1; blocks <= 15; ++blocks) DrawProgressFrame(blocks, scale);
        });
        const double badge = FastestMs(runs, [&] { DrawDonateBadge(scale); });
        const double cursor = FastestMs(runs, [&] { DrawHandCursor(scale); });
        std::printf("%6.2f %10.2f %10.2f %8.2f %10.2f %8.2f %8.2f %8.2f\n", scale, tavrin, classic, pupil, frames,
                    badge, cursor, tavrin + classic + pupil + frames + badge + cursor);
    }
    return 0;
}
