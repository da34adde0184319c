// The skin overlay under the pupils: its size and place, the z-order of the two windows, dragging by
// a pupil and by the overlay, and the eyes without a skin.

#include "tests/e2e/Eyes.h"

#include <unistd.h>

using namespace e2e;

namespace {

TEST(Skin, OverlayLiesUnderTheEyesAtTheSamePlaceAndBothAreTopmost) {
    Session session;
    session.Install();
    EyesWindows eyes = StartEyes(session);  // first run: on top

    Rect form1 = session.WindowRect(eyes.Form1);
    Rect form6 = session.WindowRect(eyes.Form6);
    EXPECT_EQ(form6.Left, form1.Left);
    EXPECT_EQ(form6.Top, form1.Top);
    EXPECT_EQ(form6.Width(), 130);
    EXPECT_EQ(form6.Height(), 90);
    EXPECT_TRUE(session.ExStyle(eyes.Form6) & 0x80000) << "layered";
    EXPECT_TRUE(session.ExStyle(eyes.Form6) & 0x80) << "no taskbar button";
    EXPECT_TRUE(session.Topmost(eyes.Form1));
    EXPECT_TRUE(session.Topmost(eyes.Form6));
    EXPECT_EQ(session.Above(eyes.Form6), eyes.Form1) << "the pupils directly above the skin";
}

TEST(Skin, NotOnTopLeavesBothWindowsInTheNormalBand) {
    Session session;
    session.Install();
    StoreLaterRun(session, 200, 150, 0, 2);
    EyesWindows eyes = StartEyes(session);
    EXPECT_FALSE(session.Topmost(eyes.Form1));
    EXPECT_FALSE(session.Topmost(eyes.Form6));
    EXPECT_EQ(session.Above(eyes.Form6), eyes.Form1);
    EXPECT_EQ(session.WindowRect(eyes.Form6).Width(), 130);
}

TEST(Skin, DraggingAPupilMovesBothWindowsAndStoresTheNewPlace) {
    Session session;
    session.Install();
    StoreLaterRun(session, 300, 200, 1, 1);
    EyesWindows eyes = StartEyes(session);

    // At the left eye's centre the pupil stands under the pointer.
    session.MouseMove(334, 247);
    Session::WaitFor([&] { return Pupils(session, eyes.Form1).first.X == 28; }, 2s);
    session.Drag(334, 247, 374, 277);

    Rect form1 = session.WindowRect(eyes.Form1);
    Rect form6 = session.WindowRect(eyes.Form6);
    EXPECT_EQ(form1.Left, 340);
    EXPECT_EQ(form1.Top, 230);
    EXPECT_EQ(form6.Left, form1.Left);
    EXPECT_EQ(form6.Top, form1.Top);
    EXPECT_EQ(session.Query("HKCU", settings::SettingsKey, "left").Text(), std::to_string(form1.Left));
    EXPECT_EQ(session.Query("HKCU", settings::SettingsKey, "top").Text(), std::to_string(form1.Top));

    // A plain click on a pupil stores the position again, unchanged.
    session.SetText(settings::SettingsKey, "left", "1");
    session.MouseMove(374, 277);
    usleep(300000);
    session.Click(1);
    EXPECT_TRUE(
        Session::WaitFor([&] { return session.Query("HKCU", settings::SettingsKey, "left").Text() == "340"; }, 2s));
}

TEST(Skin, MiddleButtonDragDoesNothing) {
    Session session;
    session.Install();
    StoreLaterRun(session, 300, 200, 1, 1);
    EyesWindows eyes = StartEyes(session);
    session.MouseMove(334, 247);
    usleep(300000);
    session.MouseDown(2);
    session.MouseMove(360, 260);
    session.MouseMove(380, 270);
    session.MouseUp(2);
    usleep(300000);
    EXPECT_EQ(session.WindowRect(eyes.Form1).Left, 300);
    EXPECT_EQ(session.Query("HKCU", settings::SettingsKey, "left").Text(), "300") << "no left button: nothing stored";
}

TEST(Skin, DraggingTheOverlayMovesBothAndStoresNothing) {
    Session session;
    session.Install();
    StoreLaterRun(session, 300, 200, 1, 1);
    EyesWindows eyes = StartEyes(session);

    // Opaque eye-white right of the left pupil's reach.
    session.Drag(358, 247, 398, 277);

    Rect form1 = session.WindowRect(eyes.Form1);
    Rect form6 = session.WindowRect(eyes.Form6);
    EXPECT_EQ(form6.Left, 340);
    EXPECT_EQ(form6.Top, 230);
    EXPECT_EQ(form1.Left, form6.Left);
    EXPECT_EQ(form1.Top, form6.Top);
    EXPECT_EQ(session.Query("HKCU", settings::SettingsKey, "left").Text(), "300");
    EXPECT_EQ(session.Query("HKCU", settings::SettingsKey, "top").Text(), "200");
    EXPECT_TRUE(Session::WaitFor([&] { return session.Above(eyes.Form6) == eyes.Form1; }, 2s))
        << "the click brings the pupils back in front";
}

TEST(Skin, AnUnknownSkinShowsOnlyThePupilsAndLetsTheMouseThrough) {
    Session session;
    session.Install();
    StoreLaterRun(session, 300, 200, 1, 3);
    EyesWindows eyes = StartEyes(session);

    Rect form6 = session.WindowRect(eyes.Form6);
    EXPECT_EQ(form6.Width(), 124) << "the transparent placeholder";
    EXPECT_EQ(form6.Height(), 81);

    // A right press where the eye-white would be reaches no window of the eyes: no menu opens.
    session.MouseMove(358, 247);
    usleep(200000);
    session.Click(3);
    usleep(500000);
    EXPECT_EQ(session.FindWindow("#32768", "-"), "0");

    // Only the pupils differ from the white desktop around them.
    // The share of white pixels in the eyes' area.
    const double whiteShare =
        MeasureScreen(session, "noskin", "-crop 130x90+300+200 +repage -fill black +opaque white -format %[fx:mean]");
    const double pupils = 2.0 * 13 * 13 * 0.85 / (130.0 * 90.0);
    EXPECT_GT(whiteShare, 1.0 - pupils - 0.01);
    EXPECT_LT(whiteShare, 1.0 - pupils * 0.5) << "the pupils do show";
}

}  // namespace
