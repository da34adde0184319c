#pragma once
// When the pupils' timers run. A tick of a pupil reads the cursor, the window's place and scale and its
// eye's geometry, and moves the pupil to where they put it; nothing else moves the pupils. Once every
// tick for about a second has read what that pupil's tick before it read, further ticks would move
// nothing, and the timers may sleep until something a tick reads may have changed: the eyes then cost
// nothing at rest. The gate decides from what the ticks read, never from where the pupils stand: it
// computes no position, so a sleeping pair of eyes stands exactly where ticking ones would.

#include "eyes/logic/PupilTracking.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace eyes {

// What one tick of a pupil reads.
struct TickInputs {
    long CursorX = 0, CursorY = 0;  // screen pixels
    WindowOrigin Window{};
    EyeArea Eye{};
    PupilSize Pupil{};
    // A mouse button held on the eyes: a drag or the menu is under way, and the eyes stay awake.
    bool ButtonHeld = false;
};

class TrackingGate {
public:
    // How long every tick must read what the one before it read before the timers sleep, milliseconds.
    static constexpr std::uint64_t StillMillis = 1000;

    // A tick of `pupil` (0 the left, 1 the right) has read `inputs` at `now` (milliseconds of a steady
    // clock). True when the timers should go to sleep now.
    bool Ticked(std::size_t pupil, const TickInputs& inputs, std::uint64_t now);

    // Whether a tick of `pupil` would read anything else now than its last tick read: asked once more
    // after the timers have stopped, and by the slow check while they sleep. True wakes them.
    bool Differs(std::size_t pupil, const TickInputs& now) const;

    bool Asleep() const { return asleep_; }
    void Sleep() { asleep_ = true; }
    // The timers run again from `now`, for at least another still spell.
    void Wake(std::uint64_t now);

private:
    std::array<std::optional<TickInputs>, 2> last_;
    std::uint64_t stillSince_ = 0;
    bool asleep_ = false;
};

}  // namespace eyes
