#include "eyes/logic/Geometry.h"
#include "eyes/logic/PupilTracking.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace eyes;

namespace {

constexpr EyeArea CerLeft{12, 18, 45, 59};
constexpr EyeArea CerRight{72, 18, 45, 59};
constexpr PupilSize Pupil{14, 14};
constexpr RestPoint LeftRest{28, 39}, RightRest{88, 39};
constexpr WindowOrigin At100{1500, 1500, 15, 15};  // the window at screen pixel (100, 100)

struct Row {
    long X, Y;
    double Left, Top;
};

TEST(PupilTracking, LeftEyeFollowsTheWorkedExample) {
    // Left eye centre at (134.5, 147.5).
    const Row rows[] = {
        {134, 147, 27.5, 38.5},      // near, dist 0.707
        {144, 147, 37.5, 38.5},      // near, dist 9.513
        {150, 147, 43.5, 38.5},      // near, dist 15.508
        {151, 147, 42.993, 39.818},  // far, dist 16.508
        {500, 147, 43.0, 40.469},    // far, pointing right
        {134, 0, 27.447, 18.0},      // far, pointing up
        {0, 0, 17.056, 23.874},      // far, up and left
    };
    for (const Row& row : rows) {
        PupilSpot spot = PupilPosition(At100, CerLeft, Pupil, LeftRest, row.X, row.Y);
        EXPECT_NEAR(spot.Left, row.Left, 0.001) << row.X << "," << row.Y;
        EXPECT_NEAR(spot.Top, row.Top, 0.001) << row.X << "," << row.Y;
    }
}

TEST(PupilTracking, NearRadiusIncludesSixteenExactly) {
    // An eye area whose centre falls on a whole pixel: (135, 148) with the window at (100, 100).
    constexpr EyeArea whole{12, 18, 46, 60};
    PupilSpot at16 = PupilPosition(At100, whole, Pupil, LeftRest, 151, 148);  // dist exactly 16
    EXPECT_DOUBLE_EQ(at16.Left, 28.0 + 16.0);
    EXPECT_DOUBLE_EQ(at16.Top, 39.0);
    PupilSpot past16 = PupilPosition(At100, whole, Pupil, LeftRest, 152, 148);   // dist 17: far
    EXPECT_NEAR(past16.Left, 12 + 2 * 16.0, 1e-6);                               // Left + 2 Rx
    EXPECT_NEAR(past16.Top, 18 + 23.0, 1e-6);                                    // Top + Ry
    PupilSpot above16 = PupilPosition(At100, whole, Pupil, LeftRest, 135, 132);  // straight up, 16
    EXPECT_DOUBLE_EQ(above16.Top, 39.0 - 16.0);
}

TEST(PupilTracking, CursorOnTheCentreGivesTheRestPointOfEachEye) {
    constexpr EyeArea wholeLeft{12, 18, 46, 60};
    constexpr EyeArea wholeRight{72, 18, 46, 60};
    PupilSpot left = PupilPosition(At100, wholeLeft, Pupil, LeftRest, 135, 148);
    EXPECT_EQ(left.Left, 28.0f);
    EXPECT_EQ(left.Top, 39.0);
    PupilSpot right = PupilPosition(At100, wholeRight, Pupil, RightRest, 195, 148);
    EXPECT_EQ(right.Left, 88.0f);
    EXPECT_EQ(right.Top, 39.0);
}

TEST(PupilTracking, FarCasesReachTheEllipseExtremes) {
    PupilSpot right = PupilPosition(At100, CerLeft, Pupil, LeftRest, 100000, 147);
    EXPECT_NEAR(right.Left, 43.0, 1e-3);  // CerLeft.Left + 2 Rx
    PupilSpot up = PupilPosition(At100, CerLeft, Pupil, LeftRest, 134, -100000);
    EXPECT_NEAR(up.Left, 27.5, 1e-3);  // CerLeft.Left + Rx
    EXPECT_NEAR(up.Top, 18.0, 1e-3);   // CerLeft.Top
    PupilSpot down = PupilPosition(At100, CerLeft, Pupil, LeftRest, 134, 100000);
    EXPECT_NEAR(down.Top, 18.0 + 45.0, 1e-3);
}

TEST(PupilTracking, EyesLookAtTheCursorEachFromItsOwnCentre) {
    // Between the eyes (left centre x 134.5, right centre x 194.5): the pupils turn to each other.
    PupilSpot left = PupilPosition(At100, CerLeft, Pupil, LeftRest, 164, 147);
    PupilSpot right = PupilPosition(At100, CerRight, Pupil, RightRest, 164, 147);
    EXPECT_GT(left.Left, 12 + 15.5);
    EXPECT_LT(right.Left, 72 + 15.5);
    // The right eye's near case is offset from its own rest point.
    PupilSpot nearRight = PupilPosition(At100, CerRight, Pupil, RightRest, 200, 150);
    EXPECT_NEAR(nearRight.Left, 88 + 5.5, 1e-6);
    EXPECT_NEAR(nearRight.Top, 39 + 2.5, 1e-6);
}

TEST(PupilTracking, FollowsTheWindowWhereverItIs) {
    // The same cursor offset from the window gives the same pupil spot at any window position,
    // also off the screen's left and top edges.
    for (float x : {-3000.0f, 0.0f, 1500.0f, 45000.0f}) {
        WindowOrigin window{x, -1500, 15, 15};
        PupilSpot spot = PupilPosition(window, CerLeft, Pupil, LeftRest, static_cast<long>(x / 15) + 500, -100 + 47);
        EXPECT_NEAR(spot.Left, 43.0, 1e-3);
    }
}

}  // namespace

namespace {

// At 150 % every length of the eyes is one and a half times its length at 100 %: the worked example
// above, with the window at (150, 150) and each cursor offset times 1.5 (to the nearest pixel), puts
// the pupil at 1.5 times each place, within the half pixel of the cursor's rounding.
TEST(PupilTracking, At150PercentTheWorkedExampleIsOneAndAHalfTimesAsLarge) {
    const EyesGeometry at150 = GeometryAt(144);
    EXPECT_EQ(at150.PupilBox, 21);
    EXPECT_FLOAT_EQ(at150.LeftEye.Left, 18);
    EXPECT_FLOAT_EQ(at150.LeftEye.Height, 88.5);
    EXPECT_DOUBLE_EQ(at150.NearRadius, 24);
    const WindowOrigin window{1500, 1500, 10, 10};
    const Row rows[] = {
        {134, 147, 27.5, 38.5},   {144, 147, 37.5, 38.5}, {150, 147, 43.5, 38.5}, {151, 147, 42.993, 39.818},
        {500, 147, 43.0, 40.469}, {134, 0, 27.447, 18.0}, {0, 0, 17.056, 23.874},
    };
    for (const Row& row : rows) {
        const long x = 150 + std::lround(1.5 * (row.X - 100)), y = 150 + std::lround(1.5 * (row.Y - 100));
        const PupilSpot spot = PupilPosition(window, at150.LeftEye, {at150.PupilBox, at150.PupilBox}, at150.LeftRest, x,
                                             y, at150.NearRadius);
        EXPECT_NEAR(spot.Left, 1.5 * row.Left, 0.76) << row.X << "," << row.Y;
        EXPECT_NEAR(spot.Top, 1.5 * row.Top, 0.76) << row.X << "," << row.Y;
    }
    // The pupils' boxes are whole pixels, halves rounded up as the pictures are; below 100 % (not a
    // Windows setting) they stay at their 100 % size.
    EXPECT_EQ(GeometryAt(96).PupilBox, 14);
    EXPECT_EQ(GeometryAt(120).PupilBox, 18);
    EXPECT_EQ(GeometryAt(168).PupilBox, 25);
    EXPECT_EQ(GeometryAt(192).PupilBox, 28);
    EXPECT_EQ(GeometryAt(72).PupilBox, 14);
}

}  // namespace
