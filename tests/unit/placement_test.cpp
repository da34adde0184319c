#include "eyes/logic/Placement.h"

#include <gtest/gtest.h>

using eyes::PlaceAtStart;

namespace {

TEST(Placement, SameScreenRestoresTheStoredPositionEvenOffScreen) {
    auto place = PlaceAtStart("1024X768", "479", "305", "1024X768", 1024, 768);
    EXPECT_EQ(place.X, 479);
    EXPECT_EQ(place.Y, 305);
    EXPECT_FALSE(place.StoreNewPosition);

    place = PlaceAtStart("1024X768", "-20", "5000", "1024X768", 1024, 768);
    EXPECT_EQ(place.X, -20);
    EXPECT_EQ(place.Y, 5000);

    place = PlaceAtStart("1024X768", "12.5", "13.5", "1024X768", 1024, 768);  // halves to even
    EXPECT_EQ(place.X, 12);
    EXPECT_EQ(place.Y, 14);
}

TEST(Placement, AnotherScreenRecentresAndStores) {
    auto place = PlaceAtStart("1024X768", "479", "305", "1280X1024", 1280, 1024);
    EXPECT_EQ(place.X, 640);
    EXPECT_EQ(place.Y, 256);
    EXPECT_TRUE(place.StoreNewPosition);

    // The comparison is exact text: a lower-case x is another screen.
    EXPECT_TRUE(PlaceAtStart("1024x768", "1", "1", "1024X768", 1024, 768).StoreNewPosition);
    // Halves to even: 1023 / 2 = 511.5 -> 512, 1025 / 2 = 512.5 -> 512, 770 / 4 = 192.5 -> 192.
    place = PlaceAtStart(std::nullopt, std::nullopt, std::nullopt, "1023X770", 1023, 770);
    EXPECT_EQ(place.X, 512);
    EXPECT_EQ(place.Y, 192);
    EXPECT_EQ(PlaceAtStart(std::nullopt, "1", "1", "1025X768", 1025, 768).X, 512);
}

TEST(Placement, MissingOrCorruptPositionOnTheSameScreenRecentres) {
    for (auto left : {std::optional<std::string>(), std::optional<std::string>("abc"),
                      std::optional<std::string>("1024X768"), std::optional<std::string>("")}) {
        auto place = PlaceAtStart("1024X768", left, "305", "1024X768", 1024, 768);
        EXPECT_TRUE(place.StoreNewPosition);
        EXPECT_EQ(place.X, 512);
        EXPECT_EQ(place.Y, 192);
    }
    EXPECT_TRUE(PlaceAtStart("1024X768", "479", std::nullopt, "1024X768", 1024, 768).StoreNewPosition);
    EXPECT_TRUE(PlaceAtStart("1024X768", "479", "99999999999", "1024X768", 1024, 768).StoreNewPosition);
}

}  // namespace
