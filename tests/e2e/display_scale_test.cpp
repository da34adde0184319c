// The programs at a display scale of 150 % (144 dpi): the eyes, their pictures, the pupils' formulas
// and the About window are all one and a half times their size at 100 %, drawn at that size.

#include "tests/e2e/Eyes.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
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

    // The About window: 4125 x 5865 twips make 412.5 x 586.5 pixels, 413 x 587 as the pictures round,
    // wholly on the screen.
    ASSERT_TRUE(OpenMenuAt(session, form1.Left + 52, form1.Top + 68));  // on the left pupil
    Choose(session, About);
    const std::string about = session.WaitWindow(FormClass, "About", 5s);
    ASSERT_NE(about, "0");
    const Rect client = session.ClientRect(about);
    const int x = client.Left, y = client.Top, width = client.Width(), height = client.Height();
    EXPECT_EQ(width, 413);
    EXPECT_EQ(height, 587);
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

// Two monitors side by side at two scales, as Windows presents them: the driver's emulation sends each
// of the eyes' windows WM_DPICHANGED from inside the move that takes its larger part across the
// boundary (Wine has one DPI for every monitor and never sends it). The eyes start on the left
// monitor, whose scale is the system's.
struct TwoScales {
    unsigned Left, Right;
};

class OtherMonitor : public ::testing::TestWithParam<TwoScales> {};

constexpr int Boundary = 600;  // screen x where the right monitor begins

// A point of the eyes, at 100 % from the top-left of Form1 (a pupil, on its eye's centre) or of the
// overlay (the white beside the left pupil's reach).
struct Grab {
    const char* Name;
    double X, Y;
    bool Pupil;
};
constexpr Grab LeftPupil{"the left pupil", 34.5, 47.5, true}, RightPupil{"the right pupil", 94.5, 47.5, true},
    White{"the white of an eye", 58, 47, false};

// Drags by a pupil and by the white of an eye across the boundary and back, with the real pointer in
// steps of 4 pixels like a hand, and one that stops just past the boundary and wiggles: each window
// changes scale once per crossing, the overlay stays at Form1's place and scale, the eyes come with
// the pointer and a pupil's release stores their place in whole pixels.
TEST_P(OtherMonitor, DragsCrossTheBoundaryWithOneChangeOfScalePerWindow) {
    const auto [leftDpi, rightDpi] = GetParam();
    Session session({.Width = 1280});
    session.Install();
    SetDpi(session, leftDpi);
    StoreLaterRun(session, 200, 150, 1, 1);
    session.SetText(settings::SettingsKey, "scres", "1280X768");
    EyesWindows eyes = StartEyes(session);
    ASSERT_NE(eyes.Form1, "0");
    ASSERT_EQ(session.Ask("monitors " + eyes.Form1 + " " + std::to_string(Boundary) + " " + std::to_string(leftDpi) +
                          " " + std::to_string(rightDpi)),
              "ok");
    // A window's scale as the emulation last set it (1 at 100 %) and the WM_DPICHANGED it has had.
    const auto scaleOf = [&](const std::string& window, int* changes = nullptr) {
        int dpi = 0, count = -1;
        std::istringstream(session.Ask("dpichanges " + window)) >> dpi >> count;
        if (changes) *changes = count;
        return dpi / 96.0;
    };
    ASSERT_EQ(scaleOf(eyes.Form6), leftDpi / 96.0);
    const auto round = [](double value) { return static_cast<int>(value + 0.5); };
    int x = 0, y = 0;  // the pointer
    // In steps of 4 pixels or less, one every 8 ms or so, as a mouse reports a hand's move.
    const auto moveBy = [&](int dx) {
        for (const int end = x + dx; x != end;) {
            x += std::clamp(end - x, -4, 4);
            session.MouseMove(x, y);
            usleep(8000);
        }
    };
    // Form1 still, the overlay at its place.
    const auto settled = [&] {
        Rect last;
        return Session::WaitFor(
            [&] {
                const Rect form1 = session.WindowRect(eyes.Form1), form6 = session.WindowRect(eyes.Form6);
                const bool still = form1.Left == last.Left && form1.Top == last.Top && form1.Right == last.Right;
                last = form1;
                return still && form6.Left == form1.Left && form6.Top == form1.Top;
            },
            3s, 100ms);
    };

    // Presses `grab`, drags towards the other monitor and stops at each of `stops` pixels beyond the
    // pointer's place at which Form1's middle reaches the boundary (wiggling there when told), then
    // releases.
    const auto drag = [&](const Grab& grab, std::vector<int> stops, bool wiggle) {
        int form1Before = 0, form6Before = 0;
        const double s = scaleOf(eyes.Form1, &form1Before);
        scaleOf(eyes.Form6, &form6Before);
        const Rect start = session.WindowRect(eyes.Form1);
        const int toward = start.Left + start.Width() / 2 < Boundary ? 1 : -1;
        const std::string what = grab.Name + std::string(toward > 0 ? " to the right" : " to the left");
        x = start.Left + static_cast<int>(grab.X * s), y = start.Top + static_cast<int>(grab.Y * s);
        session.MouseMove(x - toward, y);
        session.MouseMove(x, y);
        const int size = round(14 * s);
        if (grab.Pupil) {
            EXPECT_TRUE(Session::WaitFor(
                [&] {
                    const auto [left, right] = Pupils(session, eyes.Form1, size);
                    const Child& pupil = grab.X < 65 ? left : right;
                    const int inX = x - start.Left - pupil.X, inY = y - start.Top - pupil.Y;
                    return pupil.Width == size && inX >= 0 && inX < size && inY >= 0 && inY < size;
                },
                3s))
                << what << " under the pointer";
        }
        session.MouseDown(1);
        // The first move takes the grab (the pupil may have moved under the still pointer since the last
        // hover). From there, on the monitor it starts on, the eyes move by the pointer's travel: exactly
        // by the white of an eye; by a pupil within the pupil's reach in its eye (15.5 px at 100 %), as
        // the pupil follows the pointer while the window catches up.
        moveBy(4 * toward);
        Session::WaitFor([&] { return session.WindowRect(eyes.Form1).Left != start.Left; }, 3s);
        const Rect grabbed = session.WindowRect(eyes.Form1);
        int crossAt = x + Boundary - (grabbed.Left + grabbed.Width() / 2);
        moveBy(40 * toward);
        const int reach = grab.Pupil ? static_cast<int>(15.5 * s) : 0;
        EXPECT_TRUE(Session::WaitFor(
            [&] { return std::abs(session.WindowRect(eyes.Form1).Left - grabbed.Left - 40 * toward) <= reach; }, 3s))
            << what << ": Form1 at " << session.WindowRect(eyes.Form1).Left << ", moved from " << grabbed.Left;
        // To stop just past the boundary: the pointer's place where the eyes cross, 2 px at a time from
        // well before it until the emulation tells Form1 of the change.
        if (wiggle) {
            moveBy(crossAt - 40 * toward - x);
            int changes = form1Before;
            for (int step = 0; step < 60 && changes == form1Before; ++step) {
                moveBy(2 * toward);
                Session::WaitFor([&] { return scaleOf(eyes.Form1, &changes), changes != form1Before; }, 50ms, 10ms);
            }
            crossAt = x;
        }
        for (const int past : stops) {
            moveBy(crossAt + past * toward - x);
            for (const int dx : {3, -6, 6, -3})
                if (wiggle) moveBy(dx);
            EXPECT_TRUE(settled()) << what << ": the overlay at Form1's place, " << past << " px past";
            int form1Changes = 0, form6Changes = 0;
            const double now = scaleOf(eyes.Form1, &form1Changes), overlay = scaleOf(eyes.Form6, &form6Changes);
            EXPECT_EQ(form1Changes - form1Before, 1)
                << "Form1's changes of scale: " << what << ", " << past << " px past the boundary";
            EXPECT_EQ(form6Changes - form6Before, 1)
                << "Form6's changes of scale: " << what << ", " << past << " px past the boundary";
            EXPECT_EQ(overlay, now);
        }
        const double n = toward > 0 ? rightDpi / 96.0 : leftDpi / 96.0;
        EXPECT_EQ(scaleOf(eyes.Form1), n) << what << ": on the other monitor";
        const Rect form1 = session.WindowRect(eyes.Form1), form6 = session.WindowRect(eyes.Form6);
        EXPECT_EQ(form1.Width(), round(130 * n)) << what;
        EXPECT_EQ(form1.Height(), round(88 * n)) << what;
        EXPECT_EQ(form6.Width(), round(130 * n)) << what << ": the skin drawn at the new scale";
        EXPECT_EQ(form6.Height(), round(90 * n)) << what;
        // The eyes came with the pointer: the held point keeps its place in the eyes' own units, so it may
        // stand off the pointer by the change of scale times its offset from the top-left that Windows'
        // suggested rectangle keeps, by the shift (up to half the change of width) that puts the eyes'
        // larger part on the new monitor, and by how far the window trails a held pupil: the pupil's reach
        // in its eye and the rest point's offset from its middle (15.5 + 0.5 and 22.5 + 1.5 px at 100 %), at
        // the larger of the two scales, since the drag goes on by the pointer's travel after the change;
        // a drag that lost the eyes leaves them 240 px behind.
        const double change = std::abs(n - s), trail = grab.Pupil ? std::max(s, n) : 0;
        const double reachX = 16 * trail, reachY = 24 * trail;
        const Rect& held = grab.Pupil ? form1 : form6;
        EXPECT_NEAR(held.Left + grab.X * n, x, change * (grab.X + 65) + reachX + 1) << what;
        EXPECT_NEAR(held.Top + grab.Y * n, y, change * grab.Y + reachY + 1) << what;
        session.MouseUp(1);
        if (!grab.Pupil) return;
        std::pair<std::string, std::string> stored;
        EXPECT_TRUE(Session::WaitFor(
            [&] {
                stored = StoredPlace(session);
                return stored == Place{std::to_string(form1.Left), std::to_string(form1.Top)};
            },
            2s))
            << what << ": stored " << stored.first << ", " << stored.second << " for Form1 at " << form1.Left << ", "
            << form1.Top;
    };

    for (const Grab* grab : {&LeftPupil, &RightPupil}) {
        drag(*grab, {240}, false);
        drag(*grab, {240}, false);
    }
    // Stopping just past the boundary, where moving the window by the grab taken again at the new scale
    // would carry its larger part back, then going on to where the next drag starts.
    drag(LeftPupil, {4, 30, 60, 240}, true);
    drag(White, {240}, false);
    drag(White, {240}, false);
}

// A 200 % laptop left of a 100 % monitor, and a 100 % monitor left of a 200 % one.
INSTANTIATE_TEST_SUITE_P(Layouts, OtherMonitor, ::testing::Values(TwoScales{192, 96}, TwoScales{96, 192}),
                         [](const auto& info) {
                             return "Left" + std::to_string(info.param.Left) + "Right" +
                                    std::to_string(info.param.Right);
                         });

}  // namespace
