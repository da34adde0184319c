// Start-up of the eyes on a virtual display: first run, restored and re-centred positions, damaged
// settings, pupils following the real pointer, and two copies side by side.

#include "eyes/logic/PupilTracking.h"
#include "tests/e2e/Eyes.h"

#include <cmath>

using namespace e2e;

namespace {

constexpr unsigned WS_EX_LAYERED = 0x80000, WS_EX_TOOLWINDOW = 0x80, WS_CAPTION = 0xC00000, WS_POPUP = 0x80000000u;

TEST(Startup, FirstRunWritesTheSettingsAndOpensAtTheLayoutPosition) {
    Session session;
    session.Install();
    ASSERT_FALSE(session.KeyExists("HKCU", settings::SettingsKey));
    EyesWindows eyes = StartEyes(session);
    ASSERT_NE(eyes.form1, "0");

    Rect form1 = session.WindowRect(eyes.form1);
    EXPECT_EQ(form1.left, 479);
    EXPECT_EQ(form1.top, 305);
    EXPECT_EQ(form1.width(), 130);
    EXPECT_EQ(form1.height(), 88);
    const unsigned long style = session.Style(eyes.form1);
    const unsigned long exStyle = session.ExStyle(eyes.form1);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & WS_CAPTION);
    EXPECT_TRUE(exStyle & WS_EX_LAYERED);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW) << "no taskbar button, not in the task list";
    EXPECT_EQ(session.Ask("colorkey " + eyes.form1), "230,230,230 255 3");

    RegValue onTop = session.Query("HKCU", settings::SettingsKey, "ontop");
    EXPECT_EQ(onTop.type, 4u);
    EXPECT_EQ(onTop.data, (std::vector<unsigned char>{1, 0, 0, 0}));
    RegValue skin = session.Query("HKCU", settings::SettingsKey, "skin");
    EXPECT_EQ(skin.type, 4u);
    EXPECT_EQ(skin.data, (std::vector<unsigned char>{1, 0, 0, 0}));
    RegValue scres = session.Query("HKCU", settings::SettingsKey, "scres");
    EXPECT_EQ(scres.type, 1u);
    EXPECT_EQ(scres.size, 8u);
    EXPECT_EQ(scres.text(), "1024X768");
    RegValue left = session.Query("HKCU", settings::SettingsKey, "left");
    EXPECT_EQ(left.size, 3u);
    EXPECT_EQ(left.text(), "479");
    EXPECT_EQ(session.Query("HKCU", settings::SettingsKey, "top").text(), "305");

    // Registered to start with Windows, the path quoted because it holds blanks.
    RegValue run = session.Query("HKLM", settings::RunKey, "Tavrin Eyes");
    EXPECT_EQ(run.type, 1u);
    EXPECT_EQ(run.text(), "\"C:\\Program Files\\Tavrin Eyes\\TavrinEyes.exe\"");
    EXPECT_EQ(run.size, run.text().size());

    // Two 14 x 14 pupils and the skin holder outside the client area.
    std::vector<Child> children = session.Children(eyes.form1);
    ASSERT_EQ(children.size(), 3u);
    int pupils = 0;
    for (const Child& child : children) {
        EXPECT_TRUE(child.visible);
        if (child.width == 14 && child.height == 14) ++pupils;
        if (child.width == 124) {
            EXPECT_EQ(child.x, 144);
            EXPECT_EQ(child.y, 112);
            EXPECT_EQ(child.height, 81);
        }
    }
    EXPECT_EQ(pupils, 2);
}

TEST(Startup, LaterStartRestoresTheStoredPositionEvenOffScreenAndWritesNothing) {
    Session session;
    session.Install();
    session.SetText(settings::SettingsKey, "scres", "1024X768");
    session.SetText(settings::SettingsKey, "left", "-20");
    session.SetText(settings::SettingsKey, "top", "12.5");  // halves to even: 12
    session.SetDword(settings::SettingsKey, "ontop", 0);
    EyesWindows eyes = StartEyes(session);

    Rect form1 = session.WindowRect(eyes.form1);
    EXPECT_EQ(form1.left, -20);
    EXPECT_EQ(form1.top, 12);
    EXPECT_EQ(session.Query("HKCU", settings::SettingsKey, "top").text(), "12.5");
    EXPECT_FALSE(session.Query("HKCU", settings::SettingsKey, "skin").present) << "a later run writes no skin";
    EXPECT_FALSE(session.Query("HKLM", settings::RunKey, "Tavrin Eyes").present) << "only the first run registers";
}

TEST(Startup, AnotherScreenSizeRecentresAndStoresTheNewPlace) {
    Session session({1280, 1024});
    session.Install();
    session.SetText(settings::SettingsKey, "scres", "1024X768");
    session.SetText(settings::SettingsKey, "left", "10");
    session.SetText(settings::SettingsKey, "top", "10");
    EyesWindows eyes = StartEyes(session);

    Rect form1 = session.WindowRect(eyes.form1);
    EXPECT_EQ(form1.left, 640);
    EXPECT_EQ(form1.top, 256);
    EXPECT_EQ(session.Query("HKCU", settings::SettingsKey, "scres").text(), "1280X1024");
    EXPECT_EQ(session.Query("HKCU", settings::SettingsKey, "left").text(), "640");
    EXPECT_EQ(session.Query("HKCU", settings::SettingsKey, "top").text(), "256");
}

TEST(Startup, DamagedPositionRecentresInsteadOfStoppingEveryStart) {
    Session session;
    session.Install();
    session.SetText(settings::SettingsKey, "scres", "1024X768");
    session.SetText(settings::SettingsKey, "left", "abc");
    session.SetText(settings::SettingsKey, "top", "100");
    pid_t pid = 0;
    EyesWindows eyes = StartEyes(session, &pid);

    Rect form1 = session.WindowRect(eyes.form1);
    EXPECT_EQ(form1.left, 512);
    EXPECT_EQ(form1.top, 192);
    EXPECT_EQ(session.Query("HKCU", settings::SettingsKey, "left").text(), "512");
    EXPECT_EQ(session.Query("HKCU", settings::SettingsKey, "top").text(), "192");
    EXPECT_EQ(session.FindWindow("#32770", "Tavrin Eyes"), "0") << "no message box";
    EXPECT_TRUE(session.Running(pid));
}

TEST(Startup, PupilsStandWhereTheFormulasPutThemForTheRealPointer) {
    Session session;
    session.Install();
    session.SetText(settings::SettingsKey, "scres", "1024X768");
    session.SetText(settings::SettingsKey, "left", "300");
    session.SetText(settings::SettingsKey, "top", "200");
    EyesWindows eyes = StartEyes(session);
    ASSERT_EQ(session.WindowRect(eyes.form1).left, 300);

    // Left eye centre (334.5, 247.5), right eye centre (394.5, 247.5).
    const std::pair<int, int> points[] = {
        {340, 250},  // near the left eye: one to one
        {350, 247},  // left eye: 15.5 away, near; right eye: far
        {351, 247},  // 16.5 away: far
        {700, 600},  // far down right
        {0, 0},      // far up left
        {364, 120},  // between the eyes, above
        {394, 263},  // right eye: straight below, 15.5 away
    };
    for (auto [x, y] : points) {
        session.MouseMove(x, y);
        std::pair<Child, Child> pupils;
        eyes::PupilSpot left{}, right{};
        const eyes::WindowOrigin window{300 * 15.0f, 200 * 15.0f, 15, 15};
        left = eyes::PupilPosition(window, {12, 18, 45, 59}, {14, 14}, eyes::LeftRest, x, y);
        right = eyes::PupilPosition(window, {72, 18, 45, 59}, {14, 14}, eyes::RightRest, x, y);
        const bool placed = Session::WaitFor(
            [&] {
                pupils = Pupils(session, eyes.form1);
                return pupils.first.x == std::nearbyint(left.Left) && pupils.first.y == std::nearbyint(left.Top) &&
                       pupils.second.x == std::nearbyint(right.Left) && pupils.second.y == std::nearbyint(right.Top);
            },
            2s);
        EXPECT_TRUE(placed) << "cursor " << x << "," << y << ": left pupil at " << pupils.first.x << ","
                            << pupils.first.y << " expected " << left.Left << "," << left.Top << "; right at "
                            << pupils.second.x << "," << pupils.second.y << " expected " << right.Left << ","
                            << right.Top;
    }
}

TEST(Startup, TwoCopiesRunSideBySide) {
    Session session;
    session.Install();
    pid_t first = 0;
    StartEyes(session, &first);
    const pid_t second = session.StartInstalled("TavrinEyes.exe");
    const bool two = Session::WaitFor([&] { return session.WindowsOf("Form6").size() == 2; }, 15s);
    EXPECT_TRUE(two);
    EXPECT_EQ(session.WindowsOf("Form1").size(), 2u);
    EXPECT_TRUE(session.Running(first));
    EXPECT_TRUE(session.Running(second));
}

}  // namespace
