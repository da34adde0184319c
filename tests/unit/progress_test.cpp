#include "skinner/logic/Progress.h"

#include <gtest/gtest.h>

using skinner::NextProgressStep;
using skinner::ProgressPercent;

TEST(Progress, FillsOneBlockPerTickAndHandsOverOnTheFourteenth) {
    int frame = 1;  // shown at load
    int ticks = 0;
    bool full = false;
    while (!full) {
        auto step = NextProgressStep(frame);
        ASSERT_EQ(step.Frame, frame + 1);
        frame = step.Frame;
        full = step.BarFull;
        ++ticks;
    }
    EXPECT_EQ(ticks, 14);
    EXPECT_EQ(frame, 15);
}

TEST(Progress, TellsHowFullTheBarIsInWholePercent) {
    EXPECT_EQ(ProgressPercent(1), 7);   // 6.67
    EXPECT_EQ(ProgressPercent(8), 53);  // 53.3
    EXPECT_EQ(ProgressPercent(15), 100);
}

TEST(Progress, ATickOnTheFullBarChangesNothing) {
    auto step = NextProgressStep(15);
    EXPECT_EQ(step.Frame, 15);
    EXPECT_FALSE(step.BarFull);
}
