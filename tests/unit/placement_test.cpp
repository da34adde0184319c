#include "eyes/logic/Placement.h"

#include <gtest/gtest.h>

#include <vector>

using eyes::EyesSize;
using eyes::MonitorRect;
using eyes::PlaceAtStart;

namespace {

const MonitorRect Main{0, 0, 1024, 768};
const EyesSize Eyes{130, 88};

// A later start on the screen the position was stored on (1024 x 768): restored exactly while any
// pixel of the eyes lies on a monitor, else re-centred at 512, 192 and stored.
struct Row {
    const char* Label;
    std::vector<MonitorRect> Monitors;
    EyesSize Size;
    const char* Left;
    const char* Top;
    bool Restored;
};

const Row Rows[] = {
    {"inside", {Main}, Eyes, "479", "305", true},
    {"partly off the left edge", {Main}, Eyes, "-20", "40", true},
    {"one column left on screen", {Main}, Eyes, "-129", "0", true},
    {"right edge on the monitor's left edge", {Main}, Eyes, "-130", "0", false},
    {"one row left on screen above", {Main}, Eyes, "0", "-87", true},
    {"bottom edge on the monitor's top edge", {Main}, Eyes, "0", "-88", false},
    {"top-left on the last pixel", {Main}, Eyes, "1023", "767", true},
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
    // Twice the size, as at a display scale of 200 %: the window's own size decides.
    {"larger eyes reach the screen", {Main}, {260, 176}, "-200", "-100", true},
    {"larger eyes still off the screen", {Main}, {260, 176}, "-260", "0", false},
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

TEST(Placement, SameScreenRestoresWhereTheEyesShowOnSomeMonitorAndRecentresElsewhere) {
    for (const Row& row : Rows) {
        const auto place = PlaceAtStart("1024X768", row.Left, row.Top, "1024X768", 1024, 768, row.Monitors, row.Size);
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

    // The comparison is exact text: a lower-case x is another screen.
    EXPECT_TRUE(PlaceAtStart("1024x768", "1", "1", "1024X768", 1024, 768, {Main}, Eyes).StoreNewPosition);
    // Halves to even: 1023 / 2 = 511.5 -> 512, 1025 / 2 = 512.5 -> 512, 770 / 4 = 192.5 -> 192.
    place = PlaceAtStart(std::nullopt, std::nullopt, std::nullopt, "1023X770", 1023, 770, {{0, 0, 1023, 770}}, Eyes);
    EXPECT_EQ(place.X, 512);
    EXPECT_EQ(place.Y, 192);
    EXPECT_EQ(PlaceAtStart(std::nullopt, "1", "1", "1025X768", 1025, 768, {{0, 0, 1025, 768}}, Eyes).X, 512);
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
