#include "eyes/logic/Geometry.h"
#include "eyes/logic/TrackingGate.h"

#include <gtest/gtest.h>

using namespace eyes;

namespace {

constexpr TickInputs Still{500, 400, {1500, 1500, 15, 15}, {12, 18, 45, 59}, {14, 14}, false};

TEST(TrackingGate, SleepsAfterASecondOfTicksThatReadWhatTheLastOneReadAndWakesOnAnyChange) {
    TrackingGate gate;
    for (std::uint64_t t = 0; t < 1000; t += 10)
        for (int pupil : {0, 1}) EXPECT_FALSE(gate.Ticked(pupil, Still, t)) << t;
    EXPECT_TRUE(gate.Ticked(0, Still, 1000));
    // What changes a tick's reading: the cursor, the window's place by a fraction of a twip, the
    // scale, the eye, the pupil; a button held on the eyes keeps them awake however still.
    TickInputs moved[6] = {Still, Still, Still, Still, Still, Still};
    moved[0].CursorY = 401, moved[1].Window.LeftTwips = 1500.5f, moved[2].Window.TwipsPerPixelX = 10;
    moved[3].Eye.Width = 67.5f, moved[4].Pupil.Height = 21, moved[5].ButtonHeld = true;
    for (const TickInputs& inputs : moved) {
        EXPECT_TRUE(gate.Differs(1, inputs));
        gate.Wake(2000);
        EXPECT_FALSE(gate.Ticked(1, inputs, 2990));
        EXPECT_EQ(gate.Ticked(1, inputs, 3990), !inputs.ButtonHeld);
        gate.Ticked(1, Still, 5000);
    }
    // Asleep, the final read and the slow check wake it only for a change.
    gate.Sleep();
    EXPECT_FALSE(gate.Differs(1, Still));
    EXPECT_TRUE(gate.Differs(1, moved[0]));
}

// A recorded spell of use replayed through eyes whose timers always tick and through eyes whose timers
// sleep: moves of the cursor (`Raw`: with the mouse's raw input, else seen only by the slow check),
// moves of the window and changes of scale, each followed by a still spell.
struct Event {
    std::uint64_t At;
    enum { Raw, Silent, Window, Scale } Kind;
    long X, Y;
};

struct World {
    long CursorX = 500, CursorY = 400;
    float Left = 1500, Top = 1500;
    int Dpi = 96;
};

struct Eyes {
    explicit Eyes(bool withGate) : sleeping(withGate) {}
    bool sleeping;  // the design with the gate
    TrackingGate gate;
    PupilSpot spots[2]{};
    std::uint64_t ticksFrom = 0, slowFrom = 0, ticks = 0;

    TickInputs Reads(const World& w, int pupil) const {
        const EyesGeometry g = GeometryAt(w.Dpi);
        return {w.CursorX, w.CursorY, {w.Left, w.Top, 15, 15}, pupil ? g.RightEye : g.LeftEye, {g.PupilBox, g.PupilBox},
                false};
    }
    void Tick(const World& w, int pupil, std::uint64_t t) {
        const EyesGeometry g = GeometryAt(w.Dpi);
        const TickInputs in = Reads(w, pupil);
        spots[pupil] = PupilPosition(in.Window, in.Eye, in.Pupil, pupil ? g.RightRest : g.LeftRest, in.CursorX,
                                     in.CursorY, g.NearRadius);
        ++ticks;
        if (sleeping && gate.Ticked(pupil, in, t)) {
            gate.Sleep();
            slowFrom = t;
            Check(w, t);  // the final read
        }
    }
    void Check(const World& w, std::uint64_t t) {
        if (gate.Differs(0, Reads(w, 0)) || gate.Differs(1, Reads(w, 1))) Wake(w, t);
    }
    void Wake(const World& w, std::uint64_t t) {
        if (!gate.Asleep()) return;
        gate.Wake(t);
        ticksFrom = t;
        Tick(w, 0, t), Tick(w, 1, t);
    }
    void Millisecond(const World& w, std::uint64_t t, bool heard) {
        if (heard) Wake(w, t);
        if (gate.Asleep()) {
            if (t > slowFrom && (t - slowFrom) % 100 == 0) Check(w, t);
            return;
        }
        if ((t - ticksFrom) % 10 == 0) Tick(w, 0, t);
        if (!gate.Asleep() && (t - ticksFrom) % 9 == 0) Tick(w, 1, t);
    }
};

TEST(TrackingGate, SleepingEyesStandWhereTickingOnesStandAfterEveryEvent) {
    const Event events[] = {{3000, Event::Raw, 520, 410},      {6000, Event::Silent, 340, 250},
                            {9000, Event::Window, 3, 0},       {12000, Event::Silent, 341, 250},
                            {15000, Event::Scale, 144, 0},     {18000, Event::Raw, 0, 0},
                            {18004, Event::Silent, 1023, 767}, {21000, Event::Window, -2, 1}};
    World world;
    Eyes ticking(false), sleeping(true);
    std::size_t next = 0;
    for (std::uint64_t t = 1; t <= 24000; ++t) {
        const bool event = next < std::size(events) && events[next].At == t;
        for (int pupil : {0, 1}) {
            if (!event && t < 24000) continue;
            EXPECT_EQ(sleeping.spots[pupil].Left, ticking.spots[pupil].Left) << "at " << t << ", " << pupil;
            EXPECT_EQ(sleeping.spots[pupil].Top, ticking.spots[pupil].Top) << "at " << t << ", " << pupil;
        }
        bool heard = false;
        if (event) {
            const Event& e = events[next++];
            if (e.Kind == Event::Window) world.Left += e.X * 7.5f, world.Top += e.Y * 7.5f;  // half pixels
            if (e.Kind == Event::Scale) world.Dpi = static_cast<int>(e.X);
            if (e.Kind == Event::Raw || e.Kind == Event::Silent) world.CursorX = e.X, world.CursorY = e.Y;
            heard = e.Kind != Event::Silent;
        }
        ticking.Millisecond(world, t, false);
        sleeping.Millisecond(world, t, heard);
    }
    // Awake for the first second and about a second after each of the 8 events: 9 of 24 seconds.
    EXPECT_LT(sleeping.ticks * 2, ticking.ticks);
}

}  // namespace
