// skinner on its own: the splash, the bar, the start of the eyes, and a missing main program.

#include "tests/e2e/Eyes.h"

#include <unistd.h>

#include <iostream>

using namespace e2e;

namespace {

// skinner's splash: its "Form1" is 260 x 49, the eyes' one 130 x 88.
std::string Splash(Session& session) {
    for (const std::string& window : session.WindowsOf("Form1")) {
        const Rect rect = session.WindowRect(window);
        if (rect.Width() == 260 && rect.Height() == 49) return window;
    }
    return "0";
}

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

TEST(Skinner, ShowsItsSplashThenStartsTheEyesAndIsGone) {
    Session session;
    session.Install();
    const auto start = Clock::now();
    const pid_t skinner = session.StartInstalled("skinner.exe");

    std::string splash = "0";
    ASSERT_TRUE(Session::WaitFor([&] { return (splash = Splash(session)) != "0"; }, 10s));
    const auto shown = Clock::now();
    const Rect rect = session.WindowRect(splash);
    EXPECT_EQ(rect.Left, (1024 - 260) / 2);
    EXPECT_EQ(rect.Top, (768 - 49) / 2);
    EXPECT_FALSE(session.Style(splash) & 0xC00000) << "no title bar";
    EXPECT_NE(session.Ask("owner " + splash), "0") << "owned by a hidden window: no taskbar button";
    EXPECT_FALSE(session.ExStyle(splash) & 0x40000) << "not an app window";
    // What a screen reader hears: the splash by the product's name, its bar a progress bar (48) named
    // by its text, whose value is full for the last second.
    const std::string said = "10|Tavrin Eyes|-|Starting the eyes again with the new skin.|";
    EXPECT_EQ(session.Ask("acc " + splash).substr(0, said.size()), said);
    const std::string bar = session.Children(splash).at(0).Hwnd;
    EXPECT_TRUE(
        Session::WaitFor([&] { return session.Ask("acc " + bar).substr(0, 21) == "48|Please wait|100%|-"; }, 2s));

    const auto exit = session.WaitExit(skinner, 10s);
    ASSERT_TRUE(exit.has_value());
    EXPECT_EQ(*exit, 0);
    // 14 steps of the bar at 50 ms, then a second before the eyes are started: 1.7 s. Steps of 100 ms
    // would make it 2.4 s.
    const double splashSeconds = Seconds(shown);
    EXPECT_GT(splashSeconds, 1.5);
    EXPECT_LT(splashSeconds, 2.25);

    const std::string form6 = session.WaitWindow(FormClass, "Form6", 15s);
    ASSERT_NE(form6, "0") << "the eyes were started";
    const double toEyes = Seconds(start);
    std::cout << "splash shown " << std::chrono::duration<double>(shown - start).count() << " s after the start, "
              << "skinner ended " << splashSeconds << " s after the splash showed, the eyes' window stood " << toEyes
              << " s after skinner's start\n";
    EXPECT_EQ(Splash(session), "0");
}

TEST(Skinner, MissingMainProgramIsReportedOnceAfterTheBarIsFull) {
    Session session;
    session.Install({"skinner.exe"});
    const pid_t skinner = session.StartInstalled("skinner.exe");
    ASSERT_TRUE(Session::WaitFor([&] { return Splash(session) != "0"; }, 10s));
    const auto shown = Clock::now();

    const std::string box = session.WaitMessageBox("skinner", 10s);
    ASSERT_NE(box, "0");
    EXPECT_GT(Seconds(shown), 1.4) << "only after the bar has been full for a second";
    EXPECT_EQ(session.Ask("msgtext " + box),
              "Unable to execute TavrinEyes.exe . Please click TavrinEyes Desktop icon to start manualy.");
    EXPECT_EQ(session.Ask("msgbuttons " + box), "OK;");
    EXPECT_EQ(session.Ask("msgicon " + box), "1");

    // Waiting longer brings no second attempt or box.
    usleep(2500000);
    int boxes = 0;
    for (const std::string& window : session.WindowsOf("skinner"))
        if (session.Ask("class " + window) == "#32770") ++boxes;
    EXPECT_EQ(boxes, 1);
    EXPECT_TRUE(session.Running(skinner));

    session.Ask("press " + box + " 1");  // IDOK
    const auto exit = session.WaitExit(skinner, 5s);
    ASSERT_TRUE(exit.has_value()) << "OK ends skinner";
    EXPECT_EQ(session.FindWindow(FormClass, "Form6"), "0");
}

}  // namespace
