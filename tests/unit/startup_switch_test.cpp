// Windows' own startup switch: Task Manager turns a program off by a binary value in StartupApproved
// (the user's or the machine's) and leaves its Run value in place. The program reads that switch for
// its check mark and clears a "turned off" it finds whenever it changes the Run value.

#include "settings/logic/StartupRegistration.h"
#include "tests/support/MemoryRegistry.h"

#include <gtest/gtest.h>

using namespace settings;

namespace {

constexpr char Approved[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";

std::vector<std::uint8_t> Mark(std::uint8_t first) {
    return {first, 0, 0, 0, 0x10, 0x2f, 0x6c, 0x1b, 0x8e, 0x5a, 0xda, 0x01};
}

TEST(StartupSwitch, OnlyAThreeOrSevenFromEitherProfileTurnsTheProgramOff) {
    MemoryRegistry registry;
    StartupRegistration startup(registry, L"C:\\Desk Toys\\TavrinEyes.exe");
    EXPECT_FALSE(startup.TurnedOffByWindows()) << "no StartupApproved key at all";
    const struct {
        Key Root;
        std::uint32_t Type;
        std::vector<std::uint8_t> Data;
        bool Off;
    } cases[] = {
        {CurrentUser, TypeBinary, Mark(2), false}, {CurrentUser, TypeBinary, Mark(6), false},
        {CurrentUser, TypeBinary, Mark(3), true},  {CurrentUser, TypeBinary, Mark(7), true},
        {LocalMachine, TypeBinary, Mark(3), true}, {LocalMachine, TypeBinary, Mark(6), false},
        {CurrentUser, TypeBinary, {}, false},      {CurrentUser, TypeDword, {3, 0, 0, 0}, false},
        {CurrentUser, TypeBinary, {7}, true},
    };
    for (const auto& c : cases) {
        registry.RemoveKey(CurrentUser, Approved);
        registry.RemoveKey(LocalMachine, Approved);
        registry.PutValue(c.Root, Approved, "Tavrin Eyes", c.Type, c.Data);
        EXPECT_EQ(startup.TurnedOffByWindows(), c.Off) << (c.Root == CurrentUser ? "HKCU " : "HKLM ") << int(c.Type);
    }
    // Another program's mark is not this one's.
    registry.RemoveKey(CurrentUser, Approved);
    registry.RemoveKey(LocalMachine, Approved);
    registry.PutValue(CurrentUser, Approved, "Other Toy", TypeBinary, Mark(3));
    EXPECT_FALSE(startup.TurnedOffByWindows());
}

TEST(StartupSwitch, AChangeClearsTheOffMarksItMayAndCanChangeFollowsTheRunKeysRights) {
    MemoryRegistry registry;
    StartupRegistration startup(registry, L"C:\\Desk Toys\\TavrinEyes.exe");
    registry.PutValue(CurrentUser, Approved, "Tavrin Eyes", TypeBinary, Mark(3));
    registry.PutValue(LocalMachine, Approved, "Tavrin Eyes", TypeBinary, Mark(7));
    registry.PutValue(LocalMachine, Approved, "Other Toy", TypeBinary, Mark(3));
    EXPECT_TRUE(startup.CanChange());
    startup.RegisterStartup();
    EXPECT_EQ(startup.IsStartupRegistered(), std::optional<std::int16_t>(1));
    EXPECT_FALSE(registry.Value(CurrentUser, Approved, "Tavrin Eyes").has_value());
    EXPECT_FALSE(registry.Value(LocalMachine, Approved, "Tavrin Eyes").has_value());
    EXPECT_TRUE(registry.Value(LocalMachine, Approved, "Other Toy").has_value()) << "not ours";
    EXPECT_FALSE(startup.TurnedOffByWindows());

    // The machine's mark cannot be written without the rights: the user's goes, the machine's stays,
    // and the program still tells the truth.
    registry.PutValue(CurrentUser, Approved, "Tavrin Eyes", TypeBinary, Mark(3));
    registry.PutValue(LocalMachine, Approved, "Tavrin Eyes", TypeBinary, Mark(3));
    registry.Refuse(LocalMachine, Approved, Access::Write);
    startup.UnregisterStartup();
    EXPECT_EQ(startup.IsStartupRegistered(), std::optional<std::int16_t>(0));
    EXPECT_FALSE(registry.Value(CurrentUser, Approved, "Tavrin Eyes").has_value());
    EXPECT_TRUE(startup.TurnedOffByWindows());

    // A Run key that opens for reading only, as for a standard user: nothing can change.
    registry.Refuse(LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", Access::Write);
    EXPECT_FALSE(startup.CanChange());
    startup.RegisterStartup();
    EXPECT_EQ(startup.IsStartupRegistered(), std::optional<std::int16_t>(0));
}

}  // namespace
