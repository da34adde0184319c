#include "eyes/logic/TrackingGate.h"

namespace eyes {

namespace {

bool Same(const forms::Bounds& a, const forms::Bounds& b) {
    return a.Left == b.Left && a.Top == b.Top && a.Width == b.Width && a.Height == b.Height;
}

// Every number a tick reads, exactly: a move of a fraction of a twip is a move.
bool Same(const TickInputs& a, const TickInputs& b) {
    return a.CursorX == b.CursorX && a.CursorY == b.CursorY && a.Window.LeftTwips == b.Window.LeftTwips &&
           a.Window.TopTwips == b.Window.TopTwips && a.Window.TwipsPerPixelX == b.Window.TwipsPerPixelX &&
           a.Window.TwipsPerPixelY == b.Window.TwipsPerPixelY && Same(a.Eye, b.Eye) && a.Pupil.Width == b.Pupil.Width &&
           a.Pupil.Height == b.Pupil.Height && a.ButtonHeld == b.ButtonHeld;
}

}  // namespace

bool TrackingGate::Ticked(std::size_t pupil, const TickInputs& inputs, std::uint64_t now) {
    if (pupil >= last_.size()) return false;
    if (Differs(pupil, inputs) || inputs.ButtonHeld) stillSince_ = now;
    last_[pupil] = inputs;
    return now - stillSince_ >= StillMillis;
}

bool TrackingGate::Differs(std::size_t pupil, const TickInputs& now) const {
    return pupil >= last_.size() || !last_[pupil] || !Same(*last_[pupil], now);
}

void TrackingGate::Wake(std::uint64_t now) {
    asleep_ = false;
    stillSince_ = now;
}

}  // namespace eyes
