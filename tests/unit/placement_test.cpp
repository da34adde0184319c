#include "eyes/logic/Placement.h"

#include <gtest/gtest.h>

#include <vector>

using eyes::EyesShape;
using eyes::MonitorRect;
using eyes::PlaceAtStart;

namespace {

const MonitorRect Main{0, 0, 1024, 768};
// The eye areas at 100 %; a quarter of one is 11.25 x 14.75 pixels.
const EyesShape Eyes{{12, 18, 45, 59}, {72, 18, 45, 59}};
const EyesShape Eyes200{{24, 36, 90, 118}, {144, 36, 90, 118}};

// A later start on the screen the position was stored on (1024 x 768): restored exactly while a
// quarter of an eye's width and height lies on a monitor, else re-centred at 512, 192 and stored.
struct Row {
    const char* Label;
    std::vector<MonitorRect> Monitors;
    EyesShape Shape;
    const char* Left;
    const char* Top;
    bool Restored;
};

const Row Rows[] = {
    {"inside", {Main}, Eyes, "479", "305", true},
    {"partly off the left edge", {Main}, Eyes, "-20", "40", true},
    {"12 columns of the right eye on screen", {Main}, Eyes, "-105", "0", true},
    {"11 columns of the right eye on screen", {Main}, Eyes, "-106", "0", false},
    {"only the see-through margin on screen", {Main}, Eyes, "-126", "0", false},
    {"right edge on the monitor's left edge", {Main}, Eyes, "-130", "0", false},
    {"15 rows of the eyes on screen above", {Main}, Eyes, "0", "-62", true},
    {"14 rows of the eyes on screen above", {Main}, Eyes, "0", "-63", false},
    {"only the margin under the eyes on screen", {Main}, Eyes, "0", "-82", false},
    {"bottom edge on the monitor's top edge", {Main}, Eyes, "0", "-88", false},
    {"12 columns of the left eye on the right edge", {Main}, Eyes, "1000", "0", true},
    {"11 columns of the left eye on the right edge", {Main}, Eyes, "1001", "0", false},
    {"15 rows of the eyes on the bottom edge", {Main}, Eyes, "479", "735", true},
    {"14 rows of the eyes on the bottom edge", {Main}, Eyes, "479", "736", false},
    {"4 pixels above the bottom", {Main}, Eyes, "479", "764", false},
    {"just right of the screen", {Main}, Eyes, "1024", "0", false},
    {"just below the screen", {Main}, Eyes, "0", "768", false},
    {"far below, left of the screen", {Main}, Eyes, "-50", "2000", false},
    {"on a second monitor on the left", {Main, {-1280, 0, 0, 1024}}, Eyes, "-1000", "900", true},
    {"in the corner that neither monitor covers", {Main, {-1280, 0, 0, 1024}}, Eyes, "500", "900", false},
    {"across both monitors", {Main, {-1280, 0, 0, 1024}}, Eyes, "-65", "700", true},
    {"on a second monitor above", {Main, {0, -1080, 1920, 0}}, Eyes, "1500", "-500", true},
    {"where an unplugged monitor was", {Main}, Eyes, "-1000", "300", false},
    {"no monitor known: the screen counts", {}, Eyes, "-20", "40", true},
    {"no monitor known, off the screen", {}, Eyes, "-50", "2000", false},
    // Twice the size, as at a display scale of 200 %: the eyes at the window's own scale decide.
    {"larger eyes reach the screen", {Main}, Eyes200, "-200", "-100", true},
    {"larger eyes still off the screen", {Main}, Eyes200, "-260", "0", false},
    // The ends of the 32-bit range: the far edge must not wrap round onto the screen.
    {"the largest position", {Main}, Eyes, "2147483647", "2147483647", false},
    {"the smallest position",
     {{-2147483647 - 1, -2147483647 - 1, 1024, 768}},
     Eyes,
     "-2147483648",
     "-2147483648",
     true},
    {"the largest position beside a monitor reaching it",
     {{2147483000, 0, 2147483647, 768}},
     Eyes,
     "2147483600",
     "5",
     true},
};

TEST(Placement, SameScreenRestoresWherePartOfAnEyeShowsOnSomeMonitorAndRecentresElsewhere) {
    for (const Row& row : Rows) {
        const auto place = PlaceAtStart("1024X768", row.Left, row.Top, "1024X768", 1024, 768, row.Monitors, row.Shape);
        if (row.Restored) {
            EXPECT_FALSE(place.StoreNewPosition) << row.Label;
            EXPECT_EQ(std::to_string(place.X), row.Left) << row.Label;
            EXPECT_EQ(std::to_string(place.Y), row.Top) << row.Label;
        } else {
            EXPECT_TRUE(place.StoreNewPosition) << row.Label;
            EXPECT_EQ(place.X, 512) << row.Label;
            EXPECT_EQ(place.Y, 192) << row.Label;
        }
    }
    // The texts are turned into whole numbers, halves to even.
    const auto place = PlaceAtStart("1024X768", "12.5", "13.5", "1024X768", 1024, 768, {Main}, Eyes);
    EXPECT_EQ(place.X, 12);
    EXPECT_EQ(place.Y, 14);
}

TEST(Placement, AnotherScreenRecentresAndStores) {
    auto place = PlaceAtStart("1024X768", "479", "305", "1280X1024", 1280, 1024, {{0, 0, 1280, 1024}}, Eyes);
    EXPECT_EQ(place.X, 640);
    EXPECT_EQ(place.Y, 256);
    EXPECT_TRUE(place.StoreNewPosition);

    // The comparison is exact text: a lower-case x is another screen, and so is one of the same width.
    EXPECT_TRUE(PlaceAtStart("1024x768", "1", "1", "1024X768", 1024, 768, {Main}, Eyes).StoreNewPosition);
    EXPECT_TRUE(PlaceAtStart("1024X600", "1", "1", "1024X768", 1024, 768, {Main}, Eyes).StoreNewPosition);
    // Halves to even: 1023 / 2 = 511.5 -> 512, 1025 / 2 = 512.5 -> 512, 770 / 4 = 192.5 -> 192.
    place = PlaceAtStart(std::nullopt, std::nullopt, std::nullopt, "1023X770", 1023, 770, {{0, 0, 1023, 770}}, Eyes);
    EXPECT_EQ(place.X, 512);
    EXPECT_EQ(place.Y, 192);
    EXPECT_EQ(PlaceAtStart(std::nullopt, "1", "1", "1025X768", 1025, 768, {{0, 0, 1025, 768}}, Eyes).X, 512);
    // A screen too small to show a quarter of an eye anywhere (40 x 30): the re-centred place stays,
    // stored once.
    place = PlaceAtStart("40X30", "20", "8", "40X30", 40, 30, {{0, 0, 40, 30}}, Eyes);
    EXPECT_FALSE(place.StoreNewPosition);
    EXPECT_EQ(place.X, 20);
    EXPECT_EQ(place.Y, 8);
    EXPECT_TRUE(PlaceAtStart("40X30", "20", "7", "40X30", 40, 30, {{0, 0, 40, 30}}, Eyes).StoreNewPosition);
}

TEST(Placement, MissingOrCorruptPositionOnTheSameScreenRecentres) {
    for (auto left : {std::optional<std::string>(), std::optional<std::string>("abc"),
                      std::optional<std::string>("1024X768"), std::optional<std::string>("")}) {
        auto place = PlaceAtStart("1024X768", left, "305", "1024X768", 1024, 768, {Main}, Eyes);
        EXPECT_TRUE(place.StoreNewPosition);
        EXPECT_EQ(place.X, 512);
        EXPECT_EQ(place.Y, 192);
    }
    EXPECT_TRUE(PlaceAtStart("1024X768", "479", std::nullopt, "1024X768", 1024, 768, {Main}, Eyes).StoreNewPosition);
    EXPECT_TRUE(PlaceAtStart("1024X768", "479", "99999999999", "1024X768", 1024, 768, {Main}, Eyes).StoreNewPosition);
}

}  // namespace
