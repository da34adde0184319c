// The popup menu's check marks from the settings read at each opening.

#include "menu/logic/CheckMarks.h"

#include <gtest/gtest.h>

#include <string>

using menu::MenuSettings;

namespace {

// On Top, Run at Startup, greyed, skin 1, skin 2: "x" checked (or greyed), "-" not.
std::string Shown(const menu::CheckMarks& marks) {
    std::string shown;
    for (bool mark : {marks.OnTop, marks.RunAtStartup, !marks.RunAtStartupEnabled, marks.Skin == 1, marks.Skin == 2})
        shown += mark ? 'x' : '-';
    return shown;
}

TEST(CheckMarks, FollowEachStoredCombination) {
    EXPECT_EQ(Shown(menu::MarksFor({1, 1, false, true, 1}, {})), "xx-x-");
    EXPECT_EQ(Shown(menu::MarksFor({0, 0, false, true, 2}, {})), "----x");
    EXPECT_EQ(Shown(menu::MarksFor({1, 0, false, true, 2}, {})), "x---x");
    EXPECT_EQ(Shown(menu::MarksFor({5, 1, false, true, 1}, {})), "-x-x-") << "only 1 means on top";
    EXPECT_EQ(Shown(menu::MarksFor({std::nullopt, 1, false, true, 1}, {})), "-x-x-");
}

TEST(CheckMarks, UnknownOrMissingSkinLeavesTheSkinMarksAsTheyWere) {
    menu::CheckMarks marks = menu::MarksFor({1, 1, false, true, 3}, {});
    EXPECT_EQ(Shown(marks).substr(3), "--") << "first opening: neither skin checked";
    marks = menu::MarksFor({1, 1, false, true, 2}, marks);
    for (std::optional<std::int16_t> skin : {std::optional<std::int16_t>(3), std::optional<std::int16_t>(0),
                                             std::optional<std::int16_t>(-1), std::optional<std::int16_t>()})
        EXPECT_EQ(Shown(menu::MarksFor({1, 1, false, true, skin}, marks)).substr(3), "-x");
}

TEST(CheckMarks, UnreadableRunKeyKeepsTheLastStartupMark) {
    const menu::CheckMarks registered = menu::MarksFor({1, 1, false, true, 1}, {});
    EXPECT_EQ(Shown(menu::MarksFor({1, std::nullopt, false, true, 1}, registered)), "xx-x-");
    const menu::CheckMarks unregistered = menu::MarksFor({1, 0, false, true, 1}, registered);
    EXPECT_EQ(Shown(menu::MarksFor({1, std::nullopt, false, true, 1}, unregistered)), "x--x-");
    EXPECT_EQ(Shown(menu::MarksFor({1, std::nullopt, false, true, 1}, {})), "x--x-") << "never read: unchecked";
}

TEST(CheckMarks, RunAtStartupTellsWhetherWindowsWillStartTheEyesAndGreysWhenItCannotChange) {
    EXPECT_EQ(Shown(menu::MarksFor({1, 1, true, true, 1}, {})), "x--x-") << "turned off in Task Manager";
    EXPECT_EQ(Shown(menu::MarksFor({1, 0, false, false, 1}, {})), "x-xx-");
    EXPECT_EQ(Shown(menu::MarksFor({1, 1, false, false, 1}, {})), "xxxx-") << "greyed, its mark the truth";
    // A mark turned off by Windows stays off while the Run key is unreadable.
    const menu::CheckMarks registered = menu::MarksFor({1, 1, false, true, 1}, {});
    EXPECT_EQ(Shown(menu::MarksFor({1, std::nullopt, true, true, 1}, registered)), "x--x-");
}

}  // namespace
