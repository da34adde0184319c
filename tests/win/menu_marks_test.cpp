// The popup menu's check marks and commands, in the real program's forms and Win32 menus under Wine,
// on the in-memory registry: the settings read at each opening reach the right items, and the
// commands act on the mark shown. The marks' decisions are unit tests (tests/unit/check_marks_test.cpp).

#include "eyes/Program.h"
#include "tests/support/MemoryRegistry.h"

#include <gtest/gtest.h>

using namespace settings;

namespace {

class MenuMarks : public ::testing::Test {
protected:
    void SetUp() override { registry.PutKey(CurrentUser, SettingsKey); }

    void Store(std::uint32_t onTop, std::uint32_t skin, bool registered) {
        registry.PutDword(CurrentUser, SettingsKey, OnTopValue, onTop);
        registry.PutDword(CurrentUser, SettingsKey, SkinValue, skin);
        if (registered)
            registry.PutText(LocalMachine, RunKey, RunValue, "C:\\TavrinEyes.exe");
        else
            Unregister();
    }

    // Removes the Run value as another tool would.
    void Unregister() {
        OpenedKey run(registry);
        run.Open(LocalMachine, RunKey, Access::Write);
        registry.DeleteValue(run.get(), RunValue);
    }

    // The four marks after the marking step: On Top, Run at Startup, Tavrin, Classic.
    std::string Marks() {
        menu::Form2& form2 = program.Menu();
        form2.SetCheckMarks();
        std::string marks;
        for (const forms::MenuItem* item : {&form2.ontop, &form2.stp, &form2.vw, &form2.blackwhite})
            marks += item->Checked() ? 'x' : '-';
        return marks;
    }

    MemoryRegistry registry;
    eyes::Program program{registry};
};

TEST_F(MenuMarks, FollowTheSettingsReadAtEachOpening) {
    Store(1, 1, true);
    EXPECT_EQ(Marks(), "xxx-");
    Store(0, 2, false);
    EXPECT_EQ(Marks(), "---x");
    // Another tool registers the eyes while they run.
    registry.PutText(LocalMachine, RunKey, RunValue, "C:\\TavrinEyes.exe");
    EXPECT_EQ(Marks(), "-x-x");
    EXPECT_EQ(registry.OpenHandles(), 0u);
}

TEST_F(MenuMarks, OnTopAndRunAtStartupSwitchFromTheMarkThatIsShown) {
    Store(1, 1, true);
    Marks();
    program.Menu().ontop.Click();
    EXPECT_EQ(registry.Value(CurrentUser, SettingsKey, OnTopValue)->Data, (std::vector<std::uint8_t>{0, 0, 0, 0}));
    EXPECT_TRUE(program.Menu().ontop.Checked()) << "the command leaves the mark to the next opening";
    program.Menu().stp.Click();
    EXPECT_FALSE(registry.Value(LocalMachine, RunKey, RunValue)) << "exactly one action: unregistered";

    EXPECT_EQ(Marks(), "--x-");
    program.Menu().ontop.Click();
    EXPECT_EQ(registry.Value(CurrentUser, SettingsKey, OnTopValue)->Data, (std::vector<std::uint8_t>{1, 0, 0, 0}));
    program.Menu().stp.Click();
    EXPECT_TRUE(registry.Value(LocalMachine, RunKey, RunValue)) << "exactly one action: registered";
}

TEST_F(MenuMarks, RunAtStartupTellsWhetherWindowsWillStartTheEyesAndGreysWhenItCannotChange) {
    const char approved[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
    Store(1, 1, true);
    // Turned off in Task Manager: the Run value is there, Windows will not start the eyes.
    registry.PutValue(CurrentUser, approved, RunValue, TypeBinary, {3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(Marks(), "x-x-");
    EXPECT_TRUE(program.Menu().stp.Enabled());
    // Turning it on here writes the value and clears Windows' mark: on is on.
    program.Menu().stp.Click();
    EXPECT_FALSE(registry.Value(CurrentUser, approved, RunValue));
    EXPECT_EQ(Marks(), "xxx-");

    // A Run key that only opens for reading: the item greyed (which marks, the unit tests say).
    registry.Refuse(LocalMachine, RunKey, Access::Write);
    Marks();
    EXPECT_FALSE(program.Menu().stp.Enabled());
}

}  // namespace
