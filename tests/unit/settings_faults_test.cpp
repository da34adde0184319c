// The settings store's failure paths, which only the in-memory registry can produce on demand: a
// refused open, an unreachable registry, keys left open.

#include "settings/logic/SettingsStore.h"
#include "settings/logic/StartupRegistration.h"
#include "tests/support/FakeReporter.h"
#include "tests/support/MemoryRegistry.h"

#include <gtest/gtest.h>

using namespace settings;

namespace {

class SettingsFaults : public ::testing::Test {
protected:
    MemoryRegistry registry;
    tests::FakeReporter reporter;
    SettingsStore store{registry, reporter};
    StartupRegistration startup{registry, L"C:\\Program Files\\Tavrin Eyes\\TavrinEyes.exe"};
};

TEST_F(SettingsFaults, RefusedWritesChangeNothingAndShowNothing) {
    store.CreateSettingsKey();
    registry.PutText(CurrentUser, SettingsKey, LeftValue, "100");
    registry.PutDword(CurrentUser, SettingsKey, SkinValue, 1);
    registry.Refuse(CurrentUser, SettingsKey, Access::Write);

    store.SaveOnTopOn();
    store.SaveSkin(2);
    store.SaveResolution("1024X768");
    store.SaveLeft(479);
    store.SaveTop(305);

    EXPECT_EQ(registry.ValueCount(CurrentUser, SettingsKey), 2u);
    EXPECT_EQ(store.LoadLeft(), "100");
    EXPECT_EQ(store.LoadSkin(), std::optional<std::int16_t>(1));
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(registry.OpenHandles(), 0u);
}

TEST_F(SettingsFaults, RefusedReadDeliversNothingAndIsNoMissingKey) {
    store.CreateSettingsKey();
    store.SaveOnTopOn();
    registry.Refuse(CurrentUser, SettingsKey, Access::Read);

    EXPECT_EQ(store.CheckSettingsKey(), std::optional<Status>(AccessDenied));
    EXPECT_EQ(store.LoadOnTop(), std::nullopt);
    EXPECT_EQ(store.LoadResolution(), std::nullopt);
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(SettingsFaults, CreationRefusedBelowSoftwareGoesOnQuietly) {
    registry.Refuse(CurrentUser, SoftwareKey, Access::Write);
    EXPECT_TRUE(store.CreateSettingsKey());  // no error: the start-up goes on
    EXPECT_FALSE(registry.HasKey(CurrentUser, "Software\\Brellik's Software"));
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(registry.OpenHandles(), 0u);
}

TEST_F(SettingsFaults, UnreachableRegistryIsReportedWithEachOperationsIcon) {
    store.CreateSettingsKey();
    registry.SetUnreachable(true);

    EXPECT_EQ(store.CheckSettingsKey(), std::nullopt);
    EXPECT_EQ(store.LoadOnTop(), std::nullopt);
    EXPECT_EQ(store.LoadSkin(), std::nullopt);
    EXPECT_EQ(store.LoadLeft(), std::nullopt);
    store.SaveSkin(1);
    store.SaveOnTopOff();
    store.SaveLeft(479);               // silent
    store.SaveResolution("1024X768");  // silent

    ASSERT_EQ(reporter.messages.size(), 6u);
    const std::string description = "The registry cannot be reached.";
    const MessageIcon icons[] = {MessageIcon::Warning, MessageIcon::Information, MessageIcon::Information,
                                 MessageIcon::Warning, MessageIcon::Warning,     MessageIcon::Warning};
    for (std::size_t i = 0; i < reporter.messages.size(); ++i) {
        EXPECT_EQ(reporter.messages[i].Text, description);
        EXPECT_EQ(reporter.messages[i].Icon, icons[i]) << i;
    }
    EXPECT_EQ(registry.OpenHandles(), 0u);
}

TEST_F(SettingsFaults, FailedCreationReportsItsTextAndTellsTheStartUpToEnd) {
    registry.SetUnreachable(true);
    EXPECT_FALSE(store.CreateSettingsKey());
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].Text,
              "Unable to create the necessary Registry values. Program will be terminated."
              "The registry cannot be reached.");
    EXPECT_EQ(reporter.messages[0].Icon, MessageIcon::Warning);
}

TEST_F(SettingsFaults, StartupRegistrationIsSilentOnEveryFailure) {
    registry.Refuse(LocalMachine, RunKey, Access::Write);
    startup.RegisterStartup();
    EXPECT_FALSE(registry.Value(LocalMachine, RunKey, RunValue));
    registry.PutText(LocalMachine, RunKey, RunValue, "C:\\TavrinEyes.exe");
    startup.UnregisterStartup();
    EXPECT_TRUE(registry.Value(LocalMachine, RunKey, RunValue));

    registry.Refuse(LocalMachine, RunKey, Access::Read);
    EXPECT_EQ(startup.IsStartupRegistered(), std::nullopt);  // the caller's flag keeps its value

    registry.SetUnreachable(true);
    startup.RegisterStartup();
    startup.UnregisterStartup();
    EXPECT_EQ(startup.IsStartupRegistered(), std::nullopt);
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(registry.OpenHandles(), 0u);
}

TEST(ProgramPathTest, ComposesDirectoryNameAndLowerCaseExtension) {
    EXPECT_EQ(ProgramPath(L"C:\\Desk Toys", L"TavrinEyes"), L"C:\\Desk Toys\\TavrinEyes.exe");
    EXPECT_EQ(ProgramPath(L"D:\\", L"TavrinEyes"), L"D:\\TavrinEyes.exe");  // a drive root: one "\"
    EXPECT_EQ(ProgramPath(L"C:\\Apps", L"TAVRINEYES"), L"C:\\Apps\\TAVRINEYES.exe");
    EXPECT_EQ(RunCommand(L"C:\\Desk Toys\\TavrinEyes.exe"), L"\"C:\\Desk Toys\\TavrinEyes.exe\"");
    EXPECT_EQ(RunCommand(L"D:\\TavrinEyes.exe"), L"D:\\TavrinEyes.exe");
}

}  // namespace
