// The programs at a display scale of 150 % (144 dpi): the eyes, their pictures, the pupils' formulas
// and the About window are all one and a half times their size at 100 %, drawn at that size.

#include "tests/e2e/Eyes.h"

#include <unistd.h>

#include <sstream>

using namespace e2e;

namespace {

void SetDpi(Session& session, unsigned dpi) { session.SetDword("Control Panel\\Desktop", "LogPixels", dpi); }

// Waits until the left pupil stands at (x, y) in Form1's client area.
bool LeftPupilAt(Session& session, const std::string& form1, int x, int y) {
    return Session::WaitFor(
        [&] {
            const auto [left, right] = Pupils(session, form1, 21);
            return left.X == x && left.Y == y;
        },
        3s);
}

TEST(DisplayScale, At150PercentEverythingIsOneAndAHalfTimesItsSize) {
    Session session({.Width = 1024, .Height = 768, .Compositor = true, .Background = "3a6ea5"});
    session.Install();
    SetDpi(session, 144);
    EyesWindows eyes = StartEyes(session);
    ASSERT_NE(eyes.Form1, "0");

    // The first start's place, 7185 x 4575 twips at 10 twips per pixel, and its size in pixels of
    // that scale; the overlay at the same place with the skin drawn at 195 x 135.
    const Rect form1 = session.WindowRect(eyes.Form1);
    EXPECT_NEAR(form1.Left, 718, 1);
    EXPECT_NEAR(form1.Top, 458, 1);
    EXPECT_EQ(form1.Width(), 195);
    EXPECT_EQ(form1.Height(), 132);
    const Rect form6 = session.WindowRect(eyes.Form6);
    EXPECT_EQ(form6.Left, form1.Left);
    EXPECT_EQ(form6.Top, form1.Top);
    EXPECT_EQ(form6.Width(), 195);
    EXPECT_EQ(form6.Height(), 135);
    // Stored in screen pixels, as always.
    EXPECT_EQ(session.Query("HKCU", settings::SettingsKey, "left").Text(), std::to_string(form1.Left));
    EXPECT_EQ(session.Query("HKCU", settings::SettingsKey, "top").Text(), std::to_string(form1.Top));
    EXPECT_EQ(session.Query("HKCU", settings::SettingsKey, "scres").Text(), "1024X768");

    // Two pupils of 21 x 21; the skin holder at 144, 112 and 124 x 81 times 1.5.
    int pupils = 0;
    for (const Child& child : session.Children(eyes.Form1)) {
        if (child.Width == 21 && child.Height == 21) ++pupils;
        if (child.Width == 186) {
            EXPECT_EQ(child.X, 216);
            EXPECT_EQ(child.Y, 168);
        }
    }
    EXPECT_EQ(pupils, 2);

    // The pupils where the formulas put them at 1.5 times every length. The left eye's area is
    // 18, 27, 67.5 x 88.5, its centre at 51.75, 71.25 of the window; the pupil's range 23.25 x 33.75
    // either side.
    const double centreX = form1.Left + 51.75, centreY = form1.Top + 71.25;
    // Far above the eye: the pupil at the top of its range, in the middle (0.75 px of the centre
    // off the vertical gives 41.2).
    session.MouseMove(static_cast<int>(centreX), 0);
    EXPECT_TRUE(LeftPupilAt(session, eyes.Form1, 41, 27));
    // On the centre within a quarter pixel: one to one around the rest point 42, 58.5.
    session.MouseMove(static_cast<int>(centreX + 0.5), static_cast<int>(centreY));
    EXPECT_TRUE(LeftPupilAt(session, eyes.Form1, 42, 58));
    // 20 px to the right: inside the near radius of 24 (16 at 100 %), still one to one. With the
    // radius unscaled it would ride the rim at 64.5.
    session.MouseMove(static_cast<int>(centreX + 20.5), static_cast<int>(centreY));
    EXPECT_TRUE(LeftPupilAt(session, eyes.Form1, 62, 58));
    // Far to the left: the left end of the range, half way down (60.75).
    session.MouseMove(0, static_cast<int>(centreY));
    EXPECT_TRUE(LeftPupilAt(session, eyes.Form1, 18, 61));
    auto [left, right] = Pupils(session, eyes.Form1, 21);
    EXPECT_EQ(right.X, 108);

    // On the screen: each pupil is dark in its middle and stands in white, with no ring of the key
    // colour or of grey around it.
    session.MouseMove(static_cast<int>(centreX + 0.5), static_cast<int>(centreY));
    ASSERT_TRUE(LeftPupilAt(session, eyes.Form1, 42, 58));
    usleep(300000);
    const int px = form1.Left + 42, py = form1.Top + 58;
    const auto brightness = [&](int x, int y) {
        return MeasureScreen(
            session, "pixel",
            "-crop 1x1+" + std::to_string(x) + "+" + std::to_string(y) + " -format '%[fx:int(255*mean)]'");
    };
    const double middle = brightness(px + 10, py + 10);
    EXPECT_GE(middle, 0) << "measured";
    EXPECT_LT(middle, 80) << "the pupil's middle is dark";
    for (auto [dx, dy] : {std::pair{-3, 10}, {24, 10}, {10, -3}, {10, 24}, {-2, -2}, {22, 22}})
        EXPECT_GT(brightness(px + dx, py + dy), 235) << "white beside the pupil at " << dx << ", " << dy;
    // The right eye's white beyond 130 x 90: the skin is drawn at 195 x 135, not at its 100 % size.
    EXPECT_GT(brightness(form1.Left + 168, form1.Top + 71), 235);
    const double beyond = brightness(form1.Left + 200, form1.Top + 71);
    EXPECT_GE(beyond, 0) << "measured";
    EXPECT_LT(beyond, 200) << "the desktop beyond the overlay";

    // A window whose scale is not the system's when it is made (as on a second monitor) takes its own
    // before it shows: the form layer's test of that needs a system at another scale than 100 %.
    const pid_t forms = session.Start(FormsTestsExe(), {"--gtest_filter=DpiChange.AFormTakes*"});
    EXPECT_EQ(session.WaitExit(forms, 30s), 0) << "forms_tests_win.exe, in the session's programs.log";

    // The About window: 4125 x 5865 twips make 412 x 586 pixels, wholly on the screen.
    ASSERT_TRUE(OpenMenuAt(session, form1.Left + 52, form1.Top + 68));  // on the left pupil
    Choose(session, About);
    const std::string about = session.WaitWindow(FormClass, "About", 5s);
    ASSERT_NE(about, "0");
    const Rect client = session.ClientRect(about);
    const int x = client.Left, y = client.Top, width = client.Width(), height = client.Height();
    EXPECT_EQ(width, 412);
    EXPECT_EQ(height, 586);
    const Rect frame = session.WindowRect(about);
    EXPECT_GE(frame.Left, 0);
    EXPECT_GE(frame.Top, 0);
    EXPECT_LE(frame.Right, 1024);
    EXPECT_LE(frame.Bottom, 768);
    usleep(500000);
    // No text reaches the window's right or bottom edge, nor the framed panel's right edge (24, 24 and
    // 362 x 218 with a border of 2): each strip is of one colour.
    const auto bare = [&](int left, int top, int w, int h) {
        return MeasureScreen(session, "strip",
                             "-crop " + std::to_string(w) + "x" + std::to_string(h) + "+" + std::to_string(left) + "+" +
                                 std::to_string(top) + " -format '%k'");
    };
    EXPECT_EQ(bare(x + width - 4, y, 4, height), 1) << "the right edge";
    EXPECT_EQ(bare(x, y + height - 4, width, 4), 1) << "the bottom edge";
    EXPECT_EQ(bare(x + 24 + 362 - 2 - 4, y + 24 + 2, 4, 218 - 4), 1) << "the panel's right edge";
    // A link's hit area scales with it: "Feedback" at 1.5 times its place at 100 %.
    session.MouseMove(x + 82, y + 444);
    usleep(200000);
    session.Click(1);
    EXPECT_TRUE(Session::WaitFor([&] { return session.OpenedUrls().size() == 1; }, 10s));
    EXPECT_EQ(session.OpenedUrls(), std::vector<std::string>{"http://www.tavrineyes.example/feedback.php"});
    session.Ask("close " + about);

    // A skin switch: skinner's splash at 150 % (3900 x 735 twips, its bar's frames drawn at 189 x 26),
    // then the eyes again at the same place and scale.
    ASSERT_TRUE(OpenMenuAt(session, static_cast<int>(centreX), static_cast<int>(centreY)));
    Choose(session, Skin, "Right Down Return");
    // The splash is read while it shows, with its bar: it exists a moment before its bar, and the bar
    // goes a moment before it.
    Rect splash;
    std::vector<Child> bar;
    EXPECT_TRUE(Session::WaitFor(
        [&] {
            for (const std::string& window : session.WindowsOf("Form1")) {
                splash = session.WindowRect(window);
                if (splash.Width() != 390) continue;
                bar = session.Children(window);
                if (bar.size() == 1) return true;
            }
            return false;
        },
        8s, 20ms));
    EXPECT_EQ(splash.Height(), 74);
    ASSERT_EQ(bar.size(), 1u);
    EXPECT_EQ(bar[0].Width, 189);
    EXPECT_EQ(bar[0].Height, 26);
    const std::string again = WaitNewOverlay(session, eyes.Form6);
    ASSERT_NE(again, "0");
    EXPECT_EQ(session.WindowRect(again).Left, form1.Left);
    EXPECT_EQ(session.WindowRect(again).Width(), 195);
}

}  // namespace

namespace {

// Two monitors at two scales, as Windows presents them: the system's DPI is the main monitor's, and
// the eyes' windows are told by WM_DPICHANGED that they now stand on a monitor of another scale
// (Wine gives every monitor one DPI and never sends it, so the driver does).
struct TwoScales {
    unsigned System, Monitor;
};

class OtherMonitor : public ::testing::TestWithParam<TwoScales> {};

// A drag by the left pupil during which the eyes reach the other monitor, then one by the right pupil
// wholly on it: the eyes move by the pointer's travel, the overlay with them, and the release stores
// the place.
TEST_P(OtherMonitor, DraggingThePupilsMovesTheEyesByThePointersTravel) {
    const auto [system, monitor] = GetParam();
    Session session;
    session.Install();
    SetDpi(session, system);
    StoreLaterRun(session, 200, 150, 1, 1);
    EyesWindows eyes = StartEyes(session);
    ASSERT_NE(eyes.Form1, "0");
    const double s = system / 96.0, m = monitor / 96.0;  // the scales, 1 at 100 %
    const auto round = [](double value) { return static_cast<int>(value + 0.5); };
    // The pupil (0 left, 1 right) of that size stands under the point.
    const auto pupilHolds = [&](int which, int size, int x, int y) {
        return Session::WaitFor(
            [&] {
                const auto [left, right] = Pupils(session, eyes.Form1, size);
                const Child& pupil = which ? right : left;
                const Rect form1 = session.WindowRect(eyes.Form1);
                const int inX = x - form1.Left - pupil.X, inY = y - form1.Top - pupil.Y;
                return pupil.Width == size && inX >= 0 && inX < size && inY >= 0 && inY < size;
            },
            3s);
    };
    // Form1 at that top-left (Left and Top are two moves of it: both are waited for).
    const auto eyesAt = [&](int left, int top) {
        return Session::WaitFor(
            [&] { return session.WindowRect(eyes.Form1).Left == left && session.WindowRect(eyes.Form1).Top == top; },
            3s);
    };
    // The overlay at Form1's top-left, and that place stored.
    const auto settled = [&](const Rect& form1) {
        EXPECT_EQ(session.WindowRect(eyes.Form6).Left, form1.Left);
        EXPECT_EQ(session.WindowRect(eyes.Form6).Top, form1.Top);
        EXPECT_TRUE(Session::WaitFor(
            [&] {
                return StoredPlace(session) == Place{std::to_string(form1.Left), std::to_string(form1.Top)};
            },
            2s));
    };

    // On the left eye's centre (34.5, 47.5 at 100 %) the pupil stands under the pointer.
    int x = 200 + static_cast<int>(34.5 * s), y = 150 + static_cast<int>(47.5 * s);
    session.MouseMove(x, y);
    ASSERT_TRUE(pupilHolds(0, round(14 * s), x, y));
    session.MouseDown(1);
    session.MouseMove(x + 20, y + 12);
    session.MouseMove(x += 40, y += 24);
    ASSERT_TRUE(eyesAt(240, 174));

    // Halfway, the eyes reach the other monitor; the suggested rectangle keeps their top-left.
    const auto dpiChanged = [&](const std::string& window, int height) {
        return session.Ask("dpi " + window + " " + std::to_string(monitor) + " 240 174 " +
                           std::to_string(240 + round(130 * m)) + " " + std::to_string(174 + round(height * m)));
    };
    ASSERT_EQ(dpiChanged(eyes.Form6, 90), "ok");
    ASSERT_EQ(dpiChanged(eyes.Form1, 88), "ok");
    Rect form1 = session.WindowRect(eyes.Form1);
    EXPECT_EQ(form1.Left, 240);
    EXPECT_EQ(form1.Width(), round(130 * m));

    // The rest of the drag: the held pupil comes back under the pointer, and the eyes move by the
    // rest of the pointer's travel, give or take the pupil's reach in its eye (31 x 45 at 100 %).
    session.MouseMove(x + 20, y + 12);
    session.MouseMove(x += 40, y += 24);
    EXPECT_TRUE(pupilHolds(0, round(14 * m), x, y)) << "the held pupil under the pointer";
    session.MouseUp(1);
    form1 = session.WindowRect(eyes.Form1);
    EXPECT_NEAR(form1.Left, 240 + 40, 31 * m);
    EXPECT_NEAR(form1.Top, 174 + 24, 45 * m);
    EXPECT_EQ(session.WindowRect(eyes.Form6).Height(), round(90 * m)) << "the skin drawn at the monitor's scale";
    settled(form1);

    // On that monitor, by the right pupil (its eye's centre at 94.5, 47.5): exactly the travel of
    // 80, 48 pixels.
    x = form1.Left + static_cast<int>(94.5 * m), y = form1.Top + static_cast<int>(47.5 * m);
    session.MouseMove(x, y);
    ASSERT_TRUE(pupilHolds(1, round(14 * m), x, y));
    session.Drag(x, y, x + 80, y + 48, 2);
    EXPECT_TRUE(eyesAt(form1.Left + 80, form1.Top + 48));
    settled(session.WindowRect(eyes.Form1));  // released by the right pupil
}

// A 200 % laptop with the eyes on a 100 % monitor; a 100 % main monitor with the eyes at 150 %.
INSTANTIATE_TEST_SUITE_P(Scales, OtherMonitor, ::testing::Values(TwoScales{192, 96}, TwoScales{96, 144}),
                         [](const auto& info) {
                             return "System" + std::to_string(info.param.System) + "Monitor" +
                                    std::to_string(info.param.Monitor);
                         });

}  // namespace
