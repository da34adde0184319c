// The popup menu with the real mouse and keyboard: opening it, "On Top", "Run at Startup", the skin
// switch through skinner, closing, the home page, and the About window with its links.

#include "tests/e2e/Eyes.h"

#include <unistd.h>

#include <sstream>

using namespace e2e;

namespace {

// The eyes at 300, 200 (on top, skin "Tavrin"), with the Run value present.
EyesWindows StartAt300(Session& session, pid_t* pid = nullptr) {
    session.SetText(settings::SettingsKey, "scres", "1024X768");
    session.SetText(settings::SettingsKey, "left", "300");
    session.SetText(settings::SettingsKey, "top", "200");
    session.SetDword(settings::SettingsKey, "ontop", 1);
    session.SetDword(settings::SettingsKey, "skin", 1);
    const std::string path = "\"C:\\Program Files\\Tavrin Eyes\\TavrinEyes.exe\"";
    session.SetValue("HKLM", settings::RunKey, "Tavrin Eyes", 1, Bytes(path));
    return StartEyes(session, pid);
}

constexpr int PupilX = 334, PupilY = 247;      // the left eye's centre: the pupil stands there
constexpr int OverlayX = 358, OverlayY = 247;  // eye-white of the overlay, beside the pupil

TEST(Menu, RightPressOnAPupilOrOnTheOverlayOpensItAndEscapeClosesIt) {
    Session session;
    session.Install();
    EyesWindows eyes = StartAt300(session);

    ASSERT_TRUE(OpenMenuAt(session, PupilX, PupilY)) << "on a pupil";
    session.Keys("Escape");
    EXPECT_TRUE(Session::WaitFor([&] { return !MenuOpen(session); }, 3s));

    ASSERT_TRUE(OpenMenuAt(session, OverlayX, OverlayY)) << "on the overlay";
    const Rect menu = session.WindowRect(session.FindWindow("#32768", "-"));
    EXPECT_EQ(menu.Left, OverlayX) << "opens at the pointer, left-aligned";
    EXPECT_EQ(menu.Top, OverlayY);
    // Closes when the user clicks elsewhere.
    session.MouseMove(900, 700);
    session.Click(1);
    EXPECT_TRUE(Session::WaitFor([&] { return !MenuOpen(session); }, 3s));
}

TEST(Menu, OnTopSwitchesTheStoredValueAndBothWindowsTogether) {
    Session session;
    session.Install();
    EyesWindows eyes = StartAt300(session);
    ASSERT_TRUE(session.Topmost(eyes.Form1));

    ASSERT_TRUE(OpenMenuAt(session, PupilX, PupilY));
    Choose(session, OnTop);
    EXPECT_TRUE(
        Session::WaitFor([&] { return session.Query("HKCU", settings::SettingsKey, "ontop").Data[0] == 0; }, 3s));
    EXPECT_FALSE(session.Topmost(eyes.Form1));
    EXPECT_FALSE(session.Topmost(eyes.Form6));
    EXPECT_EQ(session.Above(eyes.Form6), eyes.Form1);

    ASSERT_TRUE(OpenMenuAt(session, OverlayX, OverlayY));
    Choose(session, OnTop);
    EXPECT_TRUE(
        Session::WaitFor([&] { return session.Query("HKCU", settings::SettingsKey, "ontop").Data[0] == 1; }, 3s));
    EXPECT_TRUE(session.Topmost(eyes.Form1));
    EXPECT_TRUE(session.Topmost(eyes.Form6));
    EXPECT_EQ(session.Above(eyes.Form6), eyes.Form1);
}

TEST(Menu, RunAtStartupRemovesAndRestoresTheRunValue) {
    Session session;
    session.Install();
    StartAt300(session);

    ASSERT_TRUE(OpenMenuAt(session, PupilX, PupilY));
    Choose(session, RunAtStartup);
    EXPECT_TRUE(Session::WaitFor([&] { return !session.Query("HKLM", settings::RunKey, "Tavrin Eyes").Present; }, 3s));

    ASSERT_TRUE(OpenMenuAt(session, PupilX, PupilY));
    Choose(session, RunAtStartup);
    ASSERT_TRUE(Session::WaitFor([&] { return session.Query("HKLM", settings::RunKey, "Tavrin Eyes").Present; }, 3s));
    EXPECT_EQ(session.Query("HKLM", settings::RunKey, "Tavrin Eyes").Text(),
              "\"C:\\Program Files\\Tavrin Eyes\\TavrinEyes.exe\"");
}

// The red level of the screen at a point of the left eye's rim (7, 47 in the skin): dark in the
// "Tavrin" skin, light grey in "Classic".
int RimRed(Session& session, const std::string& name) {
    return static_cast<int>(MeasureScreen(session, name, "-crop 1x1+307+247 -format '%[fx:int(255*r)]'"));
}

TEST(Menu, ASkinSwitchRestartsTheEyesThroughSkinnerWithTheNewSkin) {
    Session session;
    session.Install();
    pid_t first = 0;
    EyesWindows before = StartAt300(session, &first);
    const int tavrinRim = RimRed(session, "tavrin");
    EXPECT_GE(tavrinRim, 0);
    EXPECT_LT(tavrinRim, 60);

    ASSERT_TRUE(OpenMenuAt(session, PupilX, PupilY));
    Choose(session, Skin, "Right Down Return");  // the submenu: "Tavrin", then "Classic"

    EXPECT_TRUE(session.WaitExit(first, 5s).has_value()) << "the eyes end at once";
    EXPECT_EQ(session.Query("HKCU", settings::SettingsKey, "skin").Data[0], 2);
    // skinner's splash, then new eyes.
    EXPECT_TRUE(Session::WaitFor(
        [&] {
            for (const std::string& window : session.WindowsOf("Form1"))
                if (session.WindowRect(window).Width() == 260) return true;
            return false;
        },
        8s));
    std::string form6 = "0";
    ASSERT_TRUE(Session::WaitFor(
        [&] {
            form6 = session.FindWindow(FormClass, "Form6");
            return form6 != "0" && form6 != before.Form6 && session.Ask("visible " + form6) == "1";
        },
        15s));
    EXPECT_EQ(session.WindowRect(form6).Left, 300) << "back where they were";
    EXPECT_EQ(session.WindowRect(form6).Width(), 130);

    // The new process shows the "Classic" skin.
    EXPECT_TRUE(Session::WaitFor([&] { return RimRed(session, "classic") > 80; }, 5s, 500ms))
        << "not the dark rim of the Tavrin skin";
}

TEST(Menu, ASkinSwitchWithoutSkinnerSaysSoAndKeepsRunning) {
    Session session;
    session.Install({"TavrinEyes.exe"});
    pid_t pid = 0;
    StartAt300(session, &pid);

    ASSERT_TRUE(OpenMenuAt(session, PupilX, PupilY));
    Choose(session, Skin, "Right Down Return");
    const std::string box = session.WaitMessageBox("Tavrin Eyes", 5s);
    ASSERT_NE(box, "0");
    EXPECT_EQ(session.Ask("msgtext " + box),
              "Unable to start skinner.exe. The new skin will be used the next time Tavrin Eyes starts.");
    EXPECT_EQ(session.Query("HKCU", settings::SettingsKey, "skin").Data[0], 2) << "stored all the same";
    session.Ask("press " + box + " 1");
    EXPECT_TRUE(session.WaitGone("#32770", "Tavrin Eyes", 3s));
    usleep(500000);
    EXPECT_TRUE(session.Running(pid));
    EXPECT_NE(session.FindWindow(FormClass, "Form6"), "0");
}

TEST(Menu, CloseEndsTheProgramAndHomepageOpensTheSite) {
    Session session;
    session.Install();
    pid_t pid = 0;
    StartAt300(session, &pid);

    ASSERT_TRUE(OpenMenuAt(session, PupilX, PupilY));
    Choose(session, Homepage);
    EXPECT_TRUE(Session::WaitFor([&] { return !session.OpenedUrls().empty(); }, 8s));
    EXPECT_EQ(session.OpenedUrls(), std::vector<std::string>{"http://www.tavrineyes.example/"});
    EXPECT_TRUE(session.Running(pid));

    ASSERT_TRUE(OpenMenuAt(session, PupilX, PupilY));
    Choose(session, Close);
    const auto exit = session.WaitExit(pid, 5s);
    ASSERT_TRUE(exit.has_value());
    EXPECT_EQ(*exit, 0);
}

TEST(Menu, AboutShowsOneWindowWhoseLinksOpenTheirPages) {
    Session session;
    session.Install();
    pid_t pid = 0;
    StartAt300(session, &pid);

    ASSERT_TRUE(OpenMenuAt(session, PupilX, PupilY));
    Choose(session, About);
    const std::string about = session.WaitWindow(FormClass, "About", 5s);
    ASSERT_NE(about, "0");
    std::istringstream client(session.Ask("client " + about));
    int x = 0, y = 0, width = 0, height = 0;
    client >> x >> y >> width >> height;
    EXPECT_EQ(width, 275);
    EXPECT_EQ(height, 391);
    const Rect frame = session.WindowRect(about);
    EXPECT_NEAR(frame.Left + frame.Width() / 2, 512, 1) << "centred";
    EXPECT_TRUE(session.ExStyle(about) & 0x40000) << "shown in the taskbar";
    EXPECT_TRUE(Session::WaitFor([&] { return session.Topmost(about); }, 2s)) << "topmost when activated";
    EXPECT_FALSE(session.Style(about) & 0x30000) << "no minimise or maximise box";

    // The links, at their places in the window (pixels of the client area).
    const std::pair<int, int> links[] = {
        {16 + 2 + 48 + 30, 16 + 2 + 112 + 8},  // "Tavrin Eyes Homepage" in the framed panel
        {140, 244},                            // "Donate"
        {55, 296},                             // "Feedback"
        {175, 294},                            // the encyclopedia article
        {100, 344},                            // the site's address after "Visit"
    };
    for (auto [lx, ly] : links) {
        session.MouseMove(x + lx, y + ly);
        usleep(200000);
        session.Click(1);
        usleep(300000);
    }
    EXPECT_TRUE(Session::WaitFor([&] { return session.OpenedUrls().size() == 5; }, 10s));
    EXPECT_EQ(session.OpenedUrls(),
              (std::vector<std::string>{"http://www.tavrineyes.example/", "http://www.tavrineyes.example/donate.htm",
                                        "http://www.tavrineyes.example/feedback.php",
                                        "https://en.wikipedia.org/wiki/Eye", "http://www.tavrineyes.example/"}));
    EXPECT_EQ(session.Ask("visible " + about), "1") << "the window stays open";

    // "About" again brings back the same window.
    ASSERT_TRUE(OpenMenuAt(session, PupilX, PupilY));
    Choose(session, About);
    usleep(500000);
    int abouts = 0;
    for (const std::string& window : session.WindowsOf("About"))
        if (session.Ask("class " + window) == FormClass) ++abouts;
    EXPECT_EQ(abouts, 1);

    // Closing it leaves the eyes running, and a later "About" shows the same window again.
    session.Ask("close " + about);
    EXPECT_TRUE(Session::WaitFor([&] { return session.Ask("visible " + about) == "0"; }, 3s));
    usleep(300000);
    EXPECT_TRUE(session.Running(pid));
    ASSERT_TRUE(OpenMenuAt(session, PupilX, PupilY));
    Choose(session, About);
    EXPECT_TRUE(Session::WaitFor([&] { return session.Ask("visible " + about) == "1"; }, 3s));
}

TEST(Menu, ACloseRequestToEitherEyesWindowEndsTheProgramAsCloseDoes) {
    Session session;
    session.Install();
    // The skin's window, asked to close by another program.
    pid_t pid = 0;
    EyesWindows eyes = StartAt300(session, &pid);
    session.Ask("close " + eyes.Form6);
    EXPECT_EQ(session.WaitExit(pid, 5s), std::optional<int>(0));
    // Alt+F4 on the pupils.
    StartEyes(session, &pid);
    session.MouseMove(PupilX, PupilY);
    usleep(250000);
    session.Click(1);
    usleep(250000);
    session.Keys("alt+F4");
    EXPECT_EQ(session.WaitExit(pid, 5s), std::optional<int>(0));
    EXPECT_EQ(session.FindWindow(FormClass, "Form6"), "0") << "no skin left on the screen";
}

}  // namespace
