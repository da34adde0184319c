// Start-up of the eyes on a virtual display: first run, restored and re-centred positions (also one
// where no monitor shows the eyes), damaged settings, pupils following the real pointer, and two
// copies side by side.

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
    ASSERT_NE(eyes.Form1, "0");

    Rect form1 = session.WindowRect(eyes.Form1);
    EXPECT_EQ(form1.Left, 479);
    EXPECT_EQ(form1.Top, 305);
    EXPECT_EQ(form1.Width(), 130);
    EXPECT_EQ(form1.Height(), 88);
    const unsigned long style = session.Style(eyes.Form1);
    const unsigned long exStyle = session.ExStyle(eyes.Form1);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & WS_CAPTION);
    EXPECT_TRUE(exStyle & WS_EX_LAYERED);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW) << "no taskbar button, not in the task list";
    EXPECT_EQ(session.Ask("colorkey " + eyes.Form1), "230,230,230 255 3");

    RegValue onTop = session.Query("HKCU", settings::SettingsKey, "ontop");
    EXPECT_EQ(onTop.Type, 4u);
    EXPECT_EQ(onTop.Data, (std::vector<unsigned char>{1, 0, 0, 0}));
    RegValue skin = session.Query("HKCU", settings::SettingsKey, "skin");
    EXPECT_EQ(skin.Type, 4u);
    EXPECT_EQ(skin.Data, (std::vector<unsigned char>{1, 0, 0, 0}));
    RegValue scres = session.Query("HKCU", settings::SettingsKey, "scres");
    EXPECT_EQ(scres.Type, 1u);
    EXPECT_EQ(scres.Size, 8u);
    EXPECT_EQ(scres.Text(), "1024X768");
    RegValue left = session.Query("HKCU", settings::SettingsKey, "left");
    EXPECT_EQ(left.Size, 3u);
    EXPECT_EQ(left.Text(), "479");
    EXPECT_EQ(session.Query("HKCU", settings::SettingsKey, "top").Text(), "305");

    // Registered to start with Windows, the path quoted because it holds blanks, and its terminator
    // stored with it.
    RegValue run = session.Query("HKLM", settings::RunKey, "Tavrin Eyes");
    EXPECT_EQ(run.Type, 1u);
    EXPECT_EQ(run.Text(), std::string("\"C:\\Program Files\\Tavrin Eyes\\TavrinEyes.exe\"") + '\0');
    EXPECT_EQ(run.Size, run.Text().size());

    // Two 14 x 14 pupils and the skin holder outside the client area.
    std::vector<Child> children = session.Children(eyes.Form1);
    ASSERT_EQ(children.size(), 3u);
    int pupils = 0;
    for (const Child& child : children) {
        EXPECT_TRUE(child.Visible);
        if (child.Width == 14 && child.Height == 14) ++pupils;
        if (child.Width == 124) {
            EXPECT_EQ(child.X, 144);
            EXPECT_EQ(child.Y, 112);
            EXPECT_EQ(child.Height, 81);
        }
    }
    EXPECT_EQ(pupils, 2);
}

TEST(Startup, LaterStartRestoresTheStoredPositionPartlyOffScreenAndWritesNothing) {
    Session session;
    session.Install();
    session.SetText(settings::SettingsKey, "scres", "1024X768");
    session.SetText(settings::SettingsKey, "left", "-20");
    session.SetText(settings::SettingsKey, "top", "12.5");  // halves to even: 12
    session.SetDword(settings::SettingsKey, "ontop", 0);
    EyesWindows eyes = StartEyes(session);

    Rect form1 = session.WindowRect(eyes.Form1);
    EXPECT_EQ(form1.Left, -20);
    EXPECT_EQ(form1.Top, 12);
    EXPECT_EQ(session.Query("HKCU", settings::SettingsKey, "top").Text(), "12.5");
    EXPECT_FALSE(session.Query("HKCU", settings::SettingsKey, "skin").Present) << "a later run writes no skin";
    EXPECT_FALSE(session.Query("HKLM", settings::RunKey, "Tavrin Eyes").Present) << "only the first run registers";
}

// A position stored by hand, or on a monitor since unplugged, where no monitor shows a part of an eye
// (at -126 only 4 columns of the window's see-through margin are on the screen): they come back as on
// another screen size. With a piece of an eye on the screen they stay where they were.
TEST(Startup, APositionThatNoMonitorShowsRecentresAndStoresTheNewPlace) {
    Session session;
    session.Install();
    session.SetText(settings::SettingsKey, "scres", "1024X768");
    session.SetText(settings::SettingsKey, "left", "-126");
    session.SetText(settings::SettingsKey, "top", "0");
    pid_t pid = 0;
    EyesWindows eyes = StartEyes(session, &pid);

    Rect form1 = session.WindowRect(eyes.Form1);
    EXPECT_EQ(form1.Left, 512);
    EXPECT_EQ(form1.Top, 192);
    EXPECT_EQ(session.Query("HKCU", settings::SettingsKey, "scres").Text(), "1024X768");
    EXPECT_EQ(StoredPlace(session), Place("512", "192"));
    session.Kill(pid);
    ASSERT_TRUE(session.WaitGone(FormClass, "Form6", 5s));

    session.SetText(settings::SettingsKey, "left", "-100");  // 17 columns of the right eye
    session.SetText(settings::SettingsKey, "top", "40");
    eyes = StartEyes(session);
    form1 = session.WindowRect(eyes.Form1);
    EXPECT_EQ(form1.Left, -100);
    EXPECT_EQ(form1.Top, 40);
    EXPECT_EQ(StoredPlace(session), Place("-100", "40")) << "nothing stored";
}

TEST(Startup, AnotherScreenSizeRecentresAndStoresTheNewPlace) {
    Session session({1280, 1024});
    session.Install();
    session.SetText(settings::SettingsKey, "scres", "1024X768");
    session.SetText(settings::SettingsKey, "left", "10");
    session.SetText(settings::SettingsKey, "top", "10");
    EyesWindows eyes = StartEyes(session);

    Rect form1 = session.WindowRect(eyes.Form1);
    EXPECT_EQ(form1.Left, 640);
    EXPECT_EQ(form1.Top, 256);
    EXPECT_EQ(session.Query("HKCU", settings::SettingsKey, "scres").Text(), "1280X1024");
    EXPECT_EQ(StoredPlace(session), Place("640", "256"));
}

TEST(Startup, DamagedPositionRecentresInsteadOfStoppingEveryStart) {
    Session session;
    session.Install();
    session.SetText(settings::SettingsKey, "scres", "1024X768");
    session.SetText(settings::SettingsKey, "left", "abc");
    session.SetText(settings::SettingsKey, "top", "100");
    pid_t pid = 0;
    EyesWindows eyes = StartEyes(session, &pid);

    Rect form1 = session.WindowRect(eyes.Form1);
    EXPECT_EQ(form1.Left, 512);
    EXPECT_EQ(form1.Top, 192);
    EXPECT_EQ(StoredPlace(session), Place("512", "192"));
    EXPECT_EQ(session.FindWindow("#32770", "Tavrin Eyes"), "0") << "no message box";
    EXPECT_TRUE(session.Running(pid));
}

// The settings key exists but nobody may open it (an empty DACL): not a first run, but a later start
// that can read nothing. It is re-centred, not on top and without a skin; its writes (the re-centred
// place, a drag) fail and show nothing, and it does not register itself to start with Windows.
TEST(Startup, ASettingsKeyThatCannotBeOpenedIsALaterStartThatReadsAndWritesNothing) {
    Session session;
    session.Install();
    session.SetText(settings::SettingsKey, "scres", "1024X768");
    session.SetText(settings::SettingsKey, "left", "300");
    session.SetText(settings::SettingsKey, "top", "200");
    session.SetDword(settings::SettingsKey, "ontop", 1);
    session.SetDword(settings::SettingsKey, "skin", 1);
    ASSERT_EQ(session.Ask(std::string("reglock HKCU ") + settings::SettingsKey), "0");
    ASSERT_FALSE(session.KeyExists("HKCU", settings::SettingsKey)) << "the key no longer opens";
    pid_t pid = 0;
    EyesWindows eyes = StartEyes(session, &pid);
    ASSERT_NE(eyes.Form1, "0");

    EXPECT_EQ(session.WindowRect(eyes.Form1).Left, 512);
    EXPECT_EQ(session.WindowRect(eyes.Form1).Top, 192);
    EXPECT_FALSE(session.Topmost(eyes.Form1));
    EXPECT_FALSE(session.Topmost(eyes.Form6));
    EXPECT_EQ(session.WindowRect(eyes.Form6).Width(), 124) << "no skin: the transparent placeholder";

    // A drag by a pupil, whose release stores the place (the left eye's centre is 34, 47 in).
    session.MouseMove(546, 239);
    Session::WaitFor([&] { return Pupils(session, eyes.Form1).first.X == 28; }, 2s);
    session.Drag(546, 239, 586, 269);
    EXPECT_EQ(session.WindowRect(eyes.Form1).Left, 552);

    EXPECT_EQ(session.FindWindow("#32770", "Tavrin Eyes"), "0") << "a message box";
    EXPECT_TRUE(session.Running(pid));
    EXPECT_FALSE(session.Query("HKLM", settings::RunKey, "Tavrin Eyes").Present) << "registered as on a first run";
    ASSERT_EQ(session.Ask(std::string("regunlock HKCU ") + settings::SettingsKey), "0");
    EXPECT_EQ(session.Query("HKCU", settings::SettingsKey, "scres").Text(), "1024X768");
    EXPECT_EQ(StoredPlace(session), Place("300", "200"));
    EXPECT_EQ(session.Query("HKCU", settings::SettingsKey, "ontop").Data, (std::vector<unsigned char>{1, 0, 0, 0}));
    EXPECT_EQ(session.Query("HKCU", settings::SettingsKey, "skin").Data, (std::vector<unsigned char>{1, 0, 0, 0}));
}

TEST(Startup, PupilsStandWhereTheFormulasPutThemForTheRealPointer) {
    Session session;
    session.Install();
    session.SetText(settings::SettingsKey, "scres", "1024X768");
    session.SetText(settings::SettingsKey, "left", "300");
    session.SetText(settings::SettingsKey, "top", "200");
    pid_t pid = 0;
    EyesWindows eyes = StartEyes(session, &pid);
    ASSERT_EQ(session.WindowRect(eyes.Form1).Left, 300);

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
    // Each point reached after a still spell, when the eyes' timers sleep.
    for (auto [x, y] : points) {
        EXPECT_TRUE(WaitAsleep(pid)) << "before " << x << "," << y;
        session.MouseMove(x, y);
        std::pair<Child, Child> pupils;
        eyes::PupilSpot left{}, right{};
        const eyes::WindowOrigin window{300 * 15.0f, 200 * 15.0f, 15, 15};
        left = eyes::PupilPosition(window, {12, 18, 45, 59}, {14, 14}, {28, 39}, x, y);
        right = eyes::PupilPosition(window, {72, 18, 45, 59}, {14, 14}, {88, 39}, x, y);
        const bool placed = Session::WaitFor(
            [&] {
                pupils = Pupils(session, eyes.Form1);
                return pupils.first.X == std::nearbyint(left.Left) && pupils.first.Y == std::nearbyint(left.Top) &&
                       pupils.second.X == std::nearbyint(right.Left) && pupils.second.Y == std::nearbyint(right.Top);
            },
            2s);
        EXPECT_TRUE(placed) << "cursor " << x << "," << y << ": left pupil at " << pupils.first.X << ","
                            << pupils.first.Y << " expected " << left.Left << "," << left.Top << "; right at "
                            << pupils.second.X << "," << pupils.second.Y << " expected " << right.Left << ","
                            << right.Top;
    }
    // Asleep, the eyes follow a pointer that another program puts on the left eye within the slow
    // check's 100 ms, and one moved by a mouse (raw input) at once, within 20 ms.
    ASSERT_TRUE(WaitAsleep(pid));
    const auto moved = [&](const std::string& how) {
        return std::stoi(session.Ask("follow " + Pupils(session, eyes.Form1).first.Hwnd + how));
    };
    const int put = moved(" cursor 334 247");
    EXPECT_TRUE(put >= 0 && put <= 120) << put << " ms";
    ASSERT_TRUE(WaitAsleep(pid));
    const int mouse = moved(" input 5 0");
    EXPECT_TRUE(mouse >= 0 && mouse <= 20) << mouse << " ms";
    std::printf("Asleep, the eyes followed in %d ms after SetCursorPos and %d ms after mouse input\n", put, mouse);
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
