// A later start of the eyes with one kind of bad content in the stored settings: values missing, of
// the wrong type, over-long, stored with their terminating NUL, or garbage. Every row starts the real
// program once in a fresh session, the other values valid (scres "1024X768", left "300", top "200",
// ontop 1, skin 1), and checks where the eyes go, what the start rewrote, whether the eyes are on top
// and skinned, that no message box stops the start and that the program keeps running.
//
// A bad position value (scres, left or top) is shown by a re-centred window; a bad ontop or skin value
// by the z-order and the overlay's size. Those are independent, so a row may spoil one position value
// and ontop or skin together. Values that still place the window may share a row: if one of them
// were unusable, the window would be re-centred.

#include "tests/e2e/Eyes.h"

#include <optional>
#include <ostream>

using namespace e2e;

namespace {

constexpr unsigned Sz = 1, ExpandSz = 2, Binary = 3, Dword = 4, MultiSz = 7;
constexpr unsigned long WS_EX_TOPMOST = 0x8;

struct Stored {
    unsigned Type;
    std::vector<unsigned char> Data;
};

Stored Text(const std::string& text, unsigned type = Sz) { return {type, Bytes(text)}; }
// The text and its terminating NUL, counted in the byte count.
Stored TextWithNul(const std::string& text, unsigned type = Sz) { return Text(text + std::string(1, '\0'), type); }
Stored Number(unsigned value, unsigned type = Dword) {
    const settings::DwordData bytes = settings::DwordToBytes(value);
    return {type, {bytes.begin(), bytes.end()}};
}
// 300 bytes: the text followed by blanks, which a number or a resolution may not hold here only
// because of the length.
Stored OverLong(const std::string& text) { return Text(text + std::string(300 - text.size(), ' ')); }
// A REG_DWORD of 300 bytes that starts with the number.
Stored OverLong(unsigned value) {
    Stored stored = Number(value);
    stored.Data.resize(300);
    return stored;
}

struct Change {
    const char* Name;
    std::optional<Stored> Value;  // nothing: the value is missing
};

struct Row {
    const char* Label;            // the test's name
    std::vector<Change> Changes;  // from the valid settings
    bool Restored;                // at 300,200; else re-centred at 512,192 and the new place stored
    bool Topmost;
    bool Skinned;  // a skin picture: the overlay is 130 x 90, else 124 x 81
};

// What the row expects, shown after the test's name.
void PrintTo(const Row& row, std::ostream* out) {
    *out << (row.Restored ? "restored" : "re-centred") << (row.Topmost ? ", on top" : ", not on top")
         << (row.Skinned ? ", skinned" : ", no skin");
}

const std::vector<Change> Valid = {{"scres", Text("1024X768")},
                                   {"left", Text("300")},
                                   {"top", Text("200")},
                                   {"ontop", Number(1)},
                                   {"skin", Number(1)}};

const Row Rows[] = {
    // Missing values.
    {"MissingScresAndOnTop", {{"scres", std::nullopt}, {"ontop", std::nullopt}}, false, false, true},
    {"MissingLeftAndSkin", {{"left", std::nullopt}, {"skin", std::nullopt}}, false, true, false},
    {"MissingTop", {{"top", std::nullopt}}, false, true, true},
    // The wrong type: what the bytes say counts, not the type. A number as REG_DWORD has no text; a
    // digit as text is read as the number of its character code ("1" is 49, read as 4).
    {"ScresAsDwordOnTopAsText", {{"scres", Number(1024)}, {"ontop", Text("1")}}, false, false, true},
    {"LeftAsDwordSkinAsText", {{"left", Number(300)}, {"skin", Text("2")}}, false, true, false},
    {"TopAsDword", {{"top", Number(200)}}, false, true, true},
    {"OtherTypesHoldingTheRightBytes",
     {{"scres", Text("1024X768", Binary)},
      {"left", Text("300", ExpandSz)},
      {"top", TextWithNul("200", MultiSz)},
      {"ontop", Number(1, Binary)},
      {"skin", Number(2, Binary)}},
     true,
     true,
     true},
    // Over-long: 300 bytes do not fit the 255-byte text buffer or the 4-byte number.
    {"OverLongScresAndOnTop", {{"scres", OverLong("1024X768")}, {"ontop", OverLong(1u)}}, false, false, true},
    {"OverLongLeftAndSkin", {{"left", OverLong("300")}, {"skin", OverLong(1u)}}, false, true, false},
    {"OverLongTop", {{"top", OverLong("200")}}, false, true, true},
    // Texts stored with their terminating NUL: the text ends at the NUL. A number stored as text with
    // its NUL reads as the character code ("1" is 49).
    {"TextsWithTheirNul",
     {{"scres", TextWithNul("1024X768")},
      {"left", TextWithNul("300")},
      {"top", TextWithNul("200")},
      {"ontop", TextWithNul("1")},
      {"skin", TextWithNul("1")}},
     true,
     false,
     false},
    // Garbage.
    {"GarbageScresAndOnTop", {{"scres", Text("1024x768")}, {"ontop", Number(2)}}, false, false, true},
    {"GarbageLeftAndSkin", {{"left", Text("1,5")}, {"skin", Number(3)}}, false, true, false},
    {"GarbageTopAndHugeNumbers",
     {{"top", Text("abc")}, {"ontop", Number(0xFFFFFFFF)}, {"skin", Number(65537)}},
     false,
     false,
     false},
};

std::optional<Stored> StoredBefore(const Row& row, const std::string& name) {
    std::optional<Stored> value;
    for (const auto& each : Valid)
        if (name == each.Name) value = each.Value;
    for (const auto& change : row.Changes)
        if (name == change.Name) value = change.Value;
    return value;
}

std::string Describe(const RegValue& value) {
    if (!value.Present) return "missing";
    std::string text = "type " + std::to_string(value.Type) + ", " + std::to_string(value.Size) + " bytes";
    if (value.Size <= 16) text += " \"" + value.Text() + "\"";
    return text;
}

class BadSettings : public ::testing::TestWithParam<Row> {};

TEST_P(BadSettings, LaterStart) {
    const Row& row = GetParam();
    Session session;
    session.Install();
    for (const char* name : {"scres", "left", "top", "ontop", "skin"}) {
        const auto value = StoredBefore(row, name);
        if (value) session.SetValue("HKCU", settings::SettingsKey, name, value->Type, value->Data);
    }
    ASSERT_TRUE(session.KeyExists("HKCU", settings::SettingsKey));

    pid_t pid = 0;
    const EyesWindows eyes = StartEyes(session, &pid);
    ASSERT_NE(eyes.Form1, "0");
    ASSERT_NE(eyes.Form6, "0");

    // Where the eyes went; the overlay lies under them.
    const Rect form1 = session.WindowRect(eyes.Form1);
    const int left = row.Restored ? 300 : 512, top = row.Restored ? 200 : 192;
    EXPECT_EQ(form1.Left, left);
    EXPECT_EQ(form1.Top, top);
    EXPECT_EQ(form1.Width(), 130);
    EXPECT_EQ(form1.Height(), 88);
    const Rect form6 = session.WindowRect(eyes.Form6);
    EXPECT_EQ(form6.Left, left);
    EXPECT_EQ(form6.Top, top);
    EXPECT_EQ(form6.Width(), row.Skinned ? 130 : 124);
    EXPECT_EQ(form6.Height(), row.Skinned ? 90 : 81);

    EXPECT_EQ((session.ExStyle(eyes.Form1) & WS_EX_TOPMOST) != 0, row.Topmost);
    EXPECT_EQ((session.ExStyle(eyes.Form6) & WS_EX_TOPMOST) != 0, row.Topmost);

    // A re-centred start stores the new place as text; nothing else is written, bad values stay.
    for (const char* name : {"scres", "left", "top", "ontop", "skin"}) {
        std::optional<Stored> expected = StoredBefore(row, name);
        if (!row.Restored && std::string(name) == "scres") expected = Text("1024X768");
        if (!row.Restored && std::string(name) == "left") expected = Text("512");
        if (!row.Restored && std::string(name) == "top") expected = Text("192");
        const RegValue now = session.Query("HKCU", settings::SettingsKey, name);
        const bool same =
            expected ? now.Present && now.Type == expected->Type && now.Data == expected->Data : !now.Present;
        EXPECT_TRUE(same) << name << " is now " << Describe(now);
    }
    EXPECT_FALSE(session.Query("HKLM", settings::RunKey, "Tavrin Eyes").Present) << "only a first run registers";

    EXPECT_EQ(session.FindWindow("#32770", "Tavrin Eyes"), "0") << "a message box holds up the start";
    EXPECT_TRUE(session.Running(pid));
}

INSTANTIATE_TEST_SUITE_P(Rows, BadSettings, ::testing::ValuesIn(Rows),
                         [](const ::testing::TestParamInfo<Row>& info) { return std::string(info.param.Label); });

}  // namespace
