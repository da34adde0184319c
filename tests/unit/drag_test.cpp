#include "eyes/logic/Drag.h"

#include <gtest/gtest.h>

using eyes::DragAnchor;
using eyes::WindowPosition;

namespace {

TEST(Drag, HoverSetsTheAnchorAndALeftDragMovesByTheOffsetFromIt) {
    DragAnchor anchor;
    EXPECT_EQ(anchor.MouseMove(0, 105, 90, {7185, 4575}), std::nullopt);
    EXPECT_EQ(anchor.AnchorX, 105);
    EXPECT_EQ(anchor.AnchorY, 90);

    // The window follows the pointer: each move shifts it by X - AnchorX, Y - AnchorY.
    auto moved = anchor.MouseMove(1, 135, 60, {7185, 4575});
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->Left, 7215);
    EXPECT_EQ(moved->Top, 4545);
    // While the button is held the anchor stays.
    EXPECT_EQ(anchor.AnchorX, 105);
    moved = anchor.MouseMove(1, 105, 90, *moved);
    EXPECT_EQ(moved->Left, 7215);

    // Off the screen's left and top edges too.
    moved = anchor.MouseMove(1, -9000, -9000, {0, 0});
    EXPECT_EQ(moved->Left, -9105);
    EXPECT_EQ(moved->Top, -9090);
}

TEST(Drag, OtherButtonCombinationsDoNothing) {
    DragAnchor anchor;
    anchor.MouseMove(0, 15, 15, {0, 0});
    for (int button : {2, 3, 4, 5, 6, 7}) {
        EXPECT_EQ(anchor.MouseMove(button, 300, 300, {0, 0}), std::nullopt) << button;
        EXPECT_EQ(anchor.AnchorX, 15) << "no hover either, Button " << button;
    }
}

TEST(Drag, EachPupilKeepsItsOwnAnchor) {
    DragAnchor left, right;
    left.MouseMove(0, 30, 45, {0, 0});
    right.MouseMove(0, 150, 165, {0, 0});
    EXPECT_EQ(left.AnchorX, 30);
    EXPECT_EQ(right.AnchorX, 150);
    EXPECT_EQ(left.MouseMove(1, 45, 45, {1500, 1500})->Left, 1515);
    EXPECT_EQ(right.MouseMove(1, 165, 165, {1500, 1500})->Left, 1515);
}

// The pupil on a monitor of another scale than the system's: its twips convert to screen twips.
TEST(Drag, TheOffsetConvertsAtThePupilsOwnScale) {
    DragAnchor anchor;
    anchor.MouseMove(0, 90, 120, {1500, 1125});
    // System at 200 % (7.5 twips a pixel), pupil at 100 % (15): 10 px right is 150 of its twips and
    // 75 screen twips; 6 px up is -90 and -45.
    auto moved = anchor.MouseMove(1, 240, 30, {1500, 1125}, 0.5f);
    EXPECT_EQ(moved->Left, 1575);
    EXPECT_EQ(moved->Top, 1080);
    // System at 100 % (15), pupil at 150 % (10): 8 px right is 80 of its twips and 120 screen twips.
    moved = anchor.MouseMove(1, 170, 120, {1500, 1125}, 1.5f);
    EXPECT_EQ(moved->Left, 1620);
    EXPECT_EQ(moved->Top, 1125);
}

TEST(Drag, SinglePrecisionArithmeticKeepsFractions) {
    DragAnchor anchor;
    anchor.MouseMove(0, 7.5f, 0, {0, 0});
    EXPECT_FLOAT_EQ(anchor.MouseMove(1, 15, 0, {1000.25f, 0})->Left, 1007.75f);
}

}  // namespace
