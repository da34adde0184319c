#pragma once
// The progress bar's stepping: one more block per tick until the bar is full.

namespace skinner {

inline constexpr int FrameCount = 15;

struct ProgressStep {
    int Frame;     // the frame to show after the tick
    bool BarFull;  // this tick filled the bar: the launch timer takes over
};

// `shown` is the frame on show (1..15): frames 1 to 13 step to the next, 14 to the full bar, and a
// tick on the full bar changes nothing.
constexpr ProgressStep NextProgressStep(int shown) {
    if (shown >= 1 && shown <= 13) return {shown + 1, false};
    if (shown == 14) return {15, true};
    return {shown, false};
}

// How full the bar is with `frame` on show, in whole percent, as a screen reader tells it.
constexpr int ProgressPercent(int frame) { return (frame * 100 + FrameCount / 2) / FrameCount; }

}  // namespace skinner
