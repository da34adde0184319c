// The settings store and the Run value on a registry: statuses, types, byte counts and delivered
// values. The same tests run on the in-memory registry natively and on the real registry under Wine.

#include "settings/logic/SettingsStore.h"
#include "settings/logic/StartupRegistration.h"
#include "tests/contract/RegistryUnderTest.h"
#include "tests/support/FakeReporter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace settings;

namespace {

struct Raw {
    Status Code = -1;
    std::uint32_t Type = 0;
    std::vector<std::uint8_t> Data;
};

class RegistryContract : public ::testing::Test {
protected:
    void SetUp() override { under->Clear(); }
    void TearDown() override { under->Clear(); }

    Registry& registry() { return under->Get(); }

    // A value as the registry reports it, read through a buffer larger than any the program uses.
    Raw Read(Key root, const char* path, const char* name) {
        Raw raw;
        OpenedKey key(registry());
        raw.Code = key.Open(root, path, Access::Read);
        if (raw.Code != Success) return raw;
        std::vector<std::uint8_t> buffer(1024);
        auto size = static_cast<std::uint32_t>(buffer.size());
        raw.Code = registry().QueryValue(key.get(), name, raw.Type, buffer.data(), size);
        if (raw.Code == Success) raw.Data.assign(buffer.begin(), buffer.begin() + size);
        return raw;
    }
    // The same through the Unicode query: text comes as UTF-16.
    Raw ReadW(Key root, const char* path, const char* name) {
        Raw raw;
        OpenedKey key(registry());
        raw.Code = key.Open(root, path, Access::Read);
        if (raw.Code != Success) return raw;
        std::vector<std::uint8_t> buffer(2048);
        auto size = static_cast<std::uint32_t>(buffer.size());
        raw.Code = registry().QueryValueW(key.get(), name, raw.Type, buffer.data(), size);
        if (raw.Code == Success) raw.Data.assign(buffer.begin(), buffer.begin() + size);
        return raw;
    }
    std::string ReadText(const char* name) {
        Raw raw = Read(CurrentUser, SettingsKey, name);
        return std::string(raw.Data.begin(), raw.Data.end());
    }

    // Writes a value of any type and exact byte count into the settings key.
    void Write(const char* name, std::uint32_t type, const std::vector<std::uint8_t>& data) {
        store.CreateSettingsKey();
        OpenedKey key(registry());
        ASSERT_EQ(key.Open(CurrentUser, SettingsKey, Access::Write), Success);
        ASSERT_EQ(registry().SetValue(key.get(), name, type, data.data(), static_cast<std::uint32_t>(data.size())),
                  Success);
    }
    void WriteText(const char* name, const std::string& text) {
        Write(name, TypeSz, std::vector<std::uint8_t>(text.begin(), text.end()));
    }
    void WriteDword(const char* name, std::int32_t value) {
        const DwordData bytes = DwordToBytes(static_cast<std::uint32_t>(value));
        Write(name, TypeDword, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    }

    std::unique_ptr<tests::RegistryUnderTest> under = tests::MakeRegistryUnderTest();
    tests::FakeReporter reporter;
    SettingsStore store{registry(), reporter};
    StartupRegistration startup{registry(), ProgramPath(L"C:\\Program Files\\Tavrin Eyes", L"TavrinEyes")};
};

// UTF-16 little-endian bytes of a text, as the registry keeps it.
std::vector<std::uint8_t> Utf16(std::u16string_view text) {
    std::vector<std::uint8_t> bytes;
    for (char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

// The bytes with a UTF-16 terminator after them.
std::vector<std::uint8_t> Terminated(std::vector<std::uint8_t> bytes) {
    bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

// Writes the Run value through the ANSI or the Unicode set function, as another tool would.
void WriteRun(Registry& registry, const std::vector<std::uint8_t>& data, bool wide) {
    OpenedKey run(registry);
    ASSERT_EQ(run.Open(LocalMachine, RunKey, Access::Write), Success);
    const auto size = static_cast<std::uint32_t>(data.size());
    ASSERT_EQ(wide ? registry.SetValueW(run.get(), RunValue, TypeSz, data.data(), size)
                   : registry.SetValue(run.get(), RunValue, TypeSz, data.data(), size),
              Success);
}

TEST_F(RegistryContract, MissingKeyIsFirstRunAndCreationMakesEveryLevelEmpty) {
    EXPECT_EQ(store.CheckSettingsKey(), std::optional<Status>(FileNotFound));

    store.CreateSettingsKey();

    EXPECT_EQ(store.CheckSettingsKey(), std::optional<Status>(Success));
    for (const char* level : {"Software\\Brellik's Software", "Software\\Brellik's Software\\Tavrin Eyes"}) {
        OpenedKey key(registry());
        EXPECT_EQ(key.Open(CurrentUser, level, Access::Read), Success) << level;
    }
    for (const char* name : {OnTopValue, ResolutionValue, LeftValue, TopValue, SkinValue})
        EXPECT_EQ(Read(CurrentUser, SettingsKey, name).Code, FileNotFound) << name;
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(RegistryContract, TextsAreStoredWithoutTerminatorAndReadBackExactly) {
    store.CreateSettingsKey();
    store.SaveResolution("1024X768");
    store.SaveLeft(-300 / 15.0f);   // dragged partly off the left edge: -20 pixels
    store.SaveTop(187.5f / 15.0f);  // 12.5 pixels

    Raw scres = Read(CurrentUser, SettingsKey, ResolutionValue);
    EXPECT_EQ(scres.Type, TypeSz);
    EXPECT_EQ(scres.Data.size(), 8u);  // "1024X768", no NUL
    EXPECT_EQ(ReadText(ResolutionValue), "1024X768");
    EXPECT_EQ(ReadText(LeftValue), "-20");
    EXPECT_EQ(ReadText(TopValue), "12.5");

    EXPECT_EQ(store.LoadResolution(), "1024X768");
    EXPECT_EQ(store.LoadLeft(), "-20");
    EXPECT_EQ(store.LoadTop(), "12.5");
}

TEST_F(RegistryContract, DwordsAreFourLittleEndianBytes) {
    store.CreateSettingsKey();
    store.SaveOnTopOn();
    store.SaveSkin(2);

    Raw onTop = Read(CurrentUser, SettingsKey, OnTopValue);
    EXPECT_EQ(onTop.Type, TypeDword);
    EXPECT_EQ(onTop.Data, (std::vector<std::uint8_t>{1, 0, 0, 0}));
    EXPECT_EQ(Read(CurrentUser, SettingsKey, SkinValue).Data, (std::vector<std::uint8_t>{2, 0, 0, 0}));
    EXPECT_EQ(store.LoadOnTop(), std::optional<std::int16_t>(1));
    EXPECT_EQ(store.LoadSkin(), std::optional<std::int16_t>(2));

    store.SaveOnTopOff();
    EXPECT_EQ(store.LoadOnTop(), std::optional<std::int16_t>(0));
}

TEST_F(RegistryContract, DwordsAreDeliveredAsTheirFirstFourCharacters) {
    WriteDword(SkinValue, -5);
    EXPECT_EQ(store.LoadSkin(), std::optional<std::int16_t>(-5));
    WriteDword(SkinValue, -12345);  // "-12345" cut to "-123"
    EXPECT_EQ(store.LoadSkin(), std::optional<std::int16_t>(-123));
    WriteDword(OnTopValue, 99999);  // "99999" cut to "9999"
    EXPECT_EQ(store.LoadOnTop(), std::optional<std::int16_t>(9999));
}

TEST_F(RegistryContract, MissingOverlongAndOtherTypesDeliverWhatTheBuffersHold) {
    store.CreateSettingsKey();
    EXPECT_EQ(store.LoadLeft(), std::nullopt);
    EXPECT_EQ(store.LoadOnTop(), std::nullopt);

    WriteText(LeftValue, std::string(256, '7'));  // does not fit the 255-byte buffer
    EXPECT_EQ(Read(CurrentUser, SettingsKey, LeftValue).Data.size(), 256u);
    EXPECT_EQ(store.LoadLeft(), std::nullopt);
    WriteText(LeftValue, std::string(255, '7'));  // just fits
    EXPECT_EQ(store.LoadLeft(), std::string(255, '7'));

    WriteText(SkinValue, "12345");  // five bytes do not fit the 4-byte buffer
    EXPECT_EQ(store.LoadSkin(), std::nullopt);
    WriteText(SkinValue, "1");  // the byte '1' (49) read as a number, cut to one character
    EXPECT_EQ(store.LoadSkin(), std::optional<std::int16_t>(4));
    Write(OnTopValue, TypeBinary, {2});
    EXPECT_EQ(store.LoadOnTop(), std::optional<std::int16_t>(2));
    Write(OnTopValue, TypeDword, {});  // an empty value gives no number
    EXPECT_EQ(store.LoadOnTop(), std::nullopt);

    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(RegistryContract, TextWrittenWithItsTerminatorReadsUpToIt) {
    Write(LeftValue, TypeSz, {'4', '7', '9', 0});
    EXPECT_EQ(Read(CurrentUser, SettingsKey, LeftValue).Data.size(), 4u);
    EXPECT_EQ(store.LoadLeft(), "479");
}

TEST_F(RegistryContract, RunValueHoldsTheQuotedPathInUtf16AndOnlyItsPresenceCounts) {
    StartupRegistration deskToys{registry(), ProgramPath(L"C:\\Desk Toys", L"TavrinEyes")};
    deskToys.RegisterStartup();
    Raw run = ReadW(LocalMachine, RunKey, RunValue);
    ASSERT_EQ(run.Code, Success);
    EXPECT_EQ(run.Type, TypeSz);
    EXPECT_EQ(run.Data, Terminated(Utf16(u"\"C:\\Desk Toys\\TavrinEyes.exe\"")));
    EXPECT_EQ(run.Data.size(), 60u) << "29 characters and their terminator, two bytes each";
    // Through the ANSI query: the same text, one byte a character, and the terminator.
    const Raw ansi = Read(LocalMachine, RunKey, RunValue);
    EXPECT_EQ(std::string(ansi.Data.begin(), ansi.Data.end()), std::string("\"C:\\Desk Toys\\TavrinEyes.exe\"") + '\0');
    EXPECT_EQ(startup.IsStartupRegistered(), std::optional<std::int16_t>(1));

    // A folder that no Western code page can spell, with a character beyond U+FFFF: stored exactly.
    StartupRegistration{registry(), ProgramPath(L"C:\\桌面玩具\\Ωμέγα 𠀀", L"TavrinEyes")}.RegisterStartup();
    EXPECT_EQ(ReadW(LocalMachine, RunKey, RunValue).Data,
              Terminated(Utf16(u"\"C:\\桌面玩具\\Ωμέγα 𠀀\\TavrinEyes.exe\"")));

    // Register twice: one value, the last path, bare without blanks.
    StartupRegistration{registry(), ProgramPath(L"D:\\", L"TavrinEyes")}.RegisterStartup();
    EXPECT_EQ(ReadW(LocalMachine, RunKey, RunValue).Data, Terminated(Utf16(u"D:\\TavrinEyes.exe")));

    startup.UnregisterStartup();
    EXPECT_EQ(Read(LocalMachine, RunKey, RunValue).Code, FileNotFound);
    EXPECT_EQ(startup.IsStartupRegistered(), std::optional<std::int16_t>(0));
    startup.UnregisterStartup();  // nothing to remove: still nothing, nothing shown
    EXPECT_EQ(startup.IsStartupRegistered(), std::optional<std::int16_t>(0));
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(RegistryContract, RunValueOfMoreThan255CharactersCountsAsAbsentAndAnotherProgramCounts) {
    // Written by other tools through either kind of function: up to 255 characters fit.
    const std::string ansi255 = "C:\\" + std::string(248, 'x') + ".exe";
    WriteRun(registry(), std::vector<std::uint8_t>(ansi255.begin(), ansi255.end()), false);
    EXPECT_EQ(startup.IsStartupRegistered(), std::optional<std::int16_t>(1));
    const std::string ansi256 = ansi255 + "x";
    WriteRun(registry(), std::vector<std::uint8_t>(ansi256.begin(), ansi256.end()), false);
    EXPECT_EQ(startup.IsStartupRegistered(), std::optional<std::int16_t>(0));

    // The same with the terminator counted, as the eyes and the setup write it: the terminator takes
    // no character's place.
    const std::u16string wide255 = u"C:\\" + std::u16string(248, u'é') + u".exe";
    for (const bool terminated : {false, true}) {
        const auto bytes = [&](const std::u16string& text) {
            return terminated ? Terminated(Utf16(text)) : Utf16(text);
        };
        WriteRun(registry(), bytes(wide255), true);
        EXPECT_EQ(startup.IsStartupRegistered(), std::optional<std::int16_t>(1)) << "terminated: " << terminated;
        WriteRun(registry(), bytes(wide255 + u"x"), true);
        EXPECT_EQ(startup.IsStartupRegistered(), std::optional<std::int16_t>(0)) << "terminated: " << terminated;
    }

    const std::string other = "C:\\Elsewhere\\Other.exe";
    WriteRun(registry(), std::vector<std::uint8_t>(other.begin(), other.end()), false);
    EXPECT_EQ(startup.IsStartupRegistered(), std::optional<std::int16_t>(1));
    EXPECT_EQ(ReadW(LocalMachine, RunKey, RunValue).Data, Utf16(u"C:\\Elsewhere\\Other.exe"));
}

}  // namespace
