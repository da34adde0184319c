// The popup menu with the real mouse and keyboard: opening it, "On Top", "Run at Startup", the skin
// switch through skinner, closing, the home page, and the About window with its links.

#include "tests/e2e/Eyes.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <vector>

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

// A click on a pupil, which makes the eyes the active window: the keys go to them from then on.
bool ActivateEyes(Session& session, const EyesWindows& eyes) {
    session.MouseMove(PupilX, PupilY);
    usleep(250000);
    session.Click(1);
    return Session::WaitFor([&] { return session.Ask("foreground") == eyes.Form1; }, 3s);
}

TEST(Menu, RightPressOnThePupilsOrOverlayOrShiftF10OrTheMenuKeyOpensItAndEscapeClosesIt) {
    Session session;
    session.Install();
    EyesWindows eyes = StartAt300(session);

    // What a screen reader hears of either window: a graphic (40) named after the product, and how its
    // menu is reached.
    const std::string said =
        "40|Tavrin Eyes|-|Eyes that follow the mouse pointer. For their menu, right-click the "
        "eyes, or click them and press Shift+F10.|-|";
    for (const std::string& window : {eyes.Form1, eyes.Form6}) {
        EXPECT_EQ(session.Ask("acc " + window).substr(0, said.size()), said);
        EXPECT_EQ(session.Ask("accwindow " + window).substr(0, 14), "-|Tavrin Eyes|");
    }
    // From the keyboard once the eyes are active: at the middle of the eyes, 300 + 130 / 2, 200 + 88 / 2.
    ASSERT_TRUE(ActivateEyes(session, eyes));
    for (const char* key : {"shift+F10", "Menu"}) {
        session.Keys(key);
        ASSERT_TRUE(Session::WaitFor([&] { return MenuOpen(session); }, 3s)) << key;
        const Rect atEyes = session.WindowRect(session.FindWindow("#32768", "-"));
        EXPECT_EQ(atEyes.Left, 365) << key;
        EXPECT_EQ(atEyes.Top, 244) << key;
        session.Keys("Escape");
        EXPECT_TRUE(Session::WaitFor([&] { return !MenuOpen(session); }, 3s)) << key;
    }

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
              std::string("\"C:\\Program Files\\Tavrin Eyes\\TavrinEyes.exe\"") + '\0');
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
    // Once the skin is painted, its rim is dark.
    EXPECT_TRUE(Session::WaitFor(
        [&] {
            const int rim = RimRed(session, "tavrin");
            return rim >= 0 && rim < 60;
        },
        5s, 200ms));

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
    const std::string form6 = WaitNewOverlay(session, before.Form6);
    ASSERT_NE(form6, "0");
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

// The RGB pixels of a rectangle of the screen.
struct ScreenArea {
    Rect Area;
    std::vector<unsigned char> Rgb;
    // Text of the About window's links and lines (blue or dark grey) against its light face colour.
    bool Ink(int x, int y) const {
        const std::size_t at = 3 * (static_cast<std::size_t>(y - Area.Top) * Area.Width() + (x - Area.Left));
        return at + 2 < Rgb.size() && Rgb[at] + Rgb[at + 1] < 300;
    }
};

ScreenArea Grab(Session& session, Rect area) {
    const std::string command = "DISPLAY=" + session.Display() + " import -window root -crop " +
                                std::to_string(area.Width()) + "x" + std::to_string(area.Height()) + "+" +
                                std::to_string(area.Left) + "+" + std::to_string(area.Top) + " +repage -depth 8 rgb:-";
    ScreenArea grabbed{area, std::vector<unsigned char>(3 * static_cast<std::size_t>(area.Width()) * area.Height())};
    FILE* pipe = popen(command.c_str(), "r");
    const std::size_t read = pipe ? fread(grabbed.Rgb.data(), 1, grabbed.Rgb.size(), pipe) : 0;
    if (pipe) pclose(pipe);
    if (read != grabbed.Rgb.size()) grabbed.Rgb.clear();
    return grabbed;
}

// A line of text as it shows on the screen: the columns of its letters and, when it is underlined, of
// its underline (the rows whose unbroken run of ink is far longer than any letter's). Right ends are
// the last inked column.
struct TextOnScreen {
    int TextLeft = 0, TextRight = -1;
    int LineLeft = 0, LineRight = -1;
};

TextOnScreen Inspect(const ScreenArea& area) {
    struct Run {
        int Left = 0, Right = -1;
        int Length() const { return Right - Left + 1; }
    };
    std::vector<Run> longest(area.Area.Height());
    int longestOfAll = 0;
    for (int y = area.Area.Top; y < area.Area.Bottom; ++y) {
        Run& best = longest[y - area.Area.Top];
        for (int x = area.Area.Left; x < area.Area.Right; ++x) {
            if (!area.Ink(x, y)) continue;
            int end = x;
            while (end + 1 < area.Area.Right && area.Ink(end + 1, y)) ++end;
            if (end - x + 1 > best.Length()) best = {x, end};
            x = end;
        }
        longestOfAll = std::max(longestOfAll, best.Length());
    }
    TextOnScreen text{area.Area.Right, -1, area.Area.Right, -1};
    for (int y = area.Area.Top; y < area.Area.Bottom; ++y) {
        const Run& run = longest[y - area.Area.Top];
        if (run.Length() >= 20 && run.Length() * 5 >= longestOfAll * 4) {
            text.LineLeft = std::min(text.LineLeft, run.Left);
            text.LineRight = std::max(text.LineRight, run.Right);
            continue;
        }
        for (int x = area.Area.Left; x < area.Area.Right; ++x) {
            if (!area.Ink(x, y)) continue;
            text.TextLeft = std::min(text.TextLeft, x);
            text.TextRight = std::max(text.TextRight, x);
        }
    }
    return text;
}

// Twips of the About window's layout in pixels at a display scale.
int Pixels(int twips, int dpi) { return (twips * dpi + 720) / 1440; }

struct AboutLink {
    const char* Name;
    int Left, Top, Width, Height;  // its box in twips, in the framed panel or in the window
    bool InPanel;
    const char* Address;
};

constexpr AboutLink AboutLinks[] = {
    {"the homepage link", 720, 1680, 2085, 240, true, "http://www.tavrineyes.example/"},
    {"Feedback", 600, 4320, 900, 240, false, "http://www.tavrineyes.example/feedback.php"},
    {"the article", 2400, 4320, 915, 195, false, "https://en.wikipedia.org/wiki/Eye"},
    {"the site's name", 840, 5040, 2880, 240, false, "http://www.tavrineyes.example/"},
};

std::string Tooltip(Session& session) {
    const std::string tip = session.FindWindow("tooltips_class32", "-");
    return tip != "0" && session.Ask("visible " + tip) == "1" ? tip : "";
}

// The About window's links at the display's scale, on the screen: each underline runs under its text
// and ends where the text ends; each link answers the mouse (hand cursor, click, and the tooltip of
// "Feedback") on its text and not beside it. The last line fits in the window.
void CheckAboutText(Session& session, const std::string& about, int dpi) {
    SCOPED_TRACE("at " + std::to_string(dpi) + " dpi");
    std::istringstream client(session.Ask("client " + about));
    int clientX = 0, clientY = 0, clientWidth = 0, clientHeight = 0;
    client >> clientX >> clientY >> clientWidth >> clientHeight;
    int panelX = 0, panelY = 0;
    Session::WaitFor(
        [&] {
            for (const Child& child : session.Children(about))
                if (child.X == Pixels(240, dpi) && child.Y == Pixels(240, dpi))
                    std::istringstream(session.Ask("client " + child.Hwnd)) >> panelX >> panelY;
            return panelX != 0;
        },
        3s);
    ASSERT_NE(panelX, 0) << "the framed panel";

    // The arrow, over an empty corner of the window.
    session.MouseMove(clientX + 3, clientY + clientHeight - 3);
    usleep(300000);
    const std::string arrow = session.Ask("cursorshape");

    // Each link as it shows, and the mouse just past its text: there it is not a link.
    struct Place {
        int Beside, Middle, OnText;
    };
    std::vector<Place> places;
    const std::size_t opened = session.OpenedUrls().size();
    for (const AboutLink& link : AboutLinks) {
        SCOPED_TRACE(link.Name);
        const int x = (link.InPanel ? panelX : clientX) + Pixels(link.Left, dpi);
        const int y = (link.InPanel ? panelY : clientY) + Pixels(link.Top, dpi);
        const int height = Pixels(link.Height, dpi);
        // The box, with room beside it for an underline that runs on, once the window has painted it.
        ScreenArea area;
        TextOnScreen text;
        Session::WaitFor(
            [&] {
                area = Grab(session, {x - 4, y, x + Pixels(link.Width, dpi) + 20 * dpi / 96, y + height + 3});
                text = Inspect(area);
                return text.TextRight - text.TextLeft > 20;
            },
            3s, 200ms);
        ASSERT_FALSE(area.Rgb.empty());
        ASSERT_GT(text.TextRight - text.TextLeft, 20) << "the text shows";
        ASSERT_GE(text.LineRight - text.LineLeft, 20) << "it is underlined";
        EXPECT_LE(text.LineRight, text.TextRight + 1) << "the underline ends with the text";
        EXPECT_GE(text.LineLeft, text.TextLeft - 1) << "and starts with it";
        EXPECT_GE(text.LineRight - text.LineLeft, text.TextRight - text.TextLeft - 2) << "under all of it";

        const Place place{text.TextRight + 1 + 2 * dpi / 96, y + height / 2, (text.TextLeft + text.TextRight) / 2};
        places.push_back(place);
        session.MouseMove(place.Beside, place.Middle);
        usleep(400000);
        EXPECT_EQ(session.Ask("cursorshape"), arrow) << "the arrow just past the text";
        if (link.Name == std::string("Feedback")) {
            session.MouseMove(place.OnText, place.Middle);
            EXPECT_TRUE(Session::WaitFor([&] { return !Tooltip(session).empty(); }, 3s)) << "its tooltip";
            session.MouseMove(place.Beside, place.Middle);
            EXPECT_TRUE(Session::WaitFor([&] { return Tooltip(session).empty(); }, 2s)) << "gone past the text";
            usleep(1500000);
            EXPECT_EQ(Tooltip(session), "") << "and not shown there";
        }
        session.Click(1);
    }
    usleep(2000000);
    EXPECT_EQ(session.OpenedUrls().size(), opened) << "a click beside a link's text opens nothing";

    // On the text: the hand, and a click opens the page.
    for (std::size_t i = 0; i < places.size(); ++i) {
        SCOPED_TRACE(AboutLinks[i].Name);
        session.MouseMove(places[i].OnText, places[i].Middle);
        usleep(400000);
        EXPECT_NE(session.Ask("cursorshape"), arrow) << "the hand over the text";
        const std::size_t before = session.OpenedUrls().size();
        session.Click(1);
        EXPECT_TRUE(Session::WaitFor([&] { return session.OpenedUrls().size() > before; }, 8s));
        EXPECT_EQ(session.OpenedUrls().back(), AboutLinks[i].Address);
    }

    // The closing line, "to Download more utilities like this.", inside the window's right edge.
    const Rect lastLine{clientX, clientY + Pixels(5400, dpi), clientX + clientWidth, clientY + Pixels(5400 + 240, dpi)};
    const TextOnScreen closing = Inspect(Grab(session, lastLine));
    EXPECT_GT(closing.TextRight, clientX + clientWidth / 2) << "the closing line shows";
    EXPECT_LT(closing.TextRight, clientX + clientWidth - 2) << "and fits";
}

// The About window, opened from the menu of eyes whose overlay stands at `overlay`.
std::string OpenAbout(Session& session, const Rect& overlay) {
    // The eye-white beside the left pupil, at any display scale.
    if (!OpenMenuAt(session, overlay.Left + overlay.Width() * 58 / 130, overlay.Top + overlay.Height() * 47 / 90))
        return "0";
    Choose(session, About);
    return session.WaitWindow(FormClass, "About", 5s);
}

TEST(Menu, AboutShowsOneWindowWhoseLinksOpenTheirPages) {
    Session session;
    session.Install();
    // Wine's own typefaces are there: the caption buttons' glyphs and the layout's Tahoma.
    EXPECT_EQ(session.Ask("face Marlett"), "Marlett");
    EXPECT_EQ(session.Ask("face Tahoma"), "Tahoma");
    pid_t pid = 0;
    EyesWindows eyes = StartAt300(session, &pid);

    const std::string about = OpenAbout(session, session.WindowRect(eyes.Form6));
    ASSERT_NE(about, "0");
    const Rect client = session.ClientRect(about);
    const int x = client.Left, y = client.Top, width = client.Width(), height = client.Height();
    EXPECT_EQ(width, 275);
    EXPECT_EQ(height, 391);
    const Rect frame = session.WindowRect(about);
    EXPECT_NEAR(frame.Left + frame.Width() / 2, 512, 1) << "centred";
    EXPECT_TRUE(session.ExStyle(about) & 0x40000) << "shown in the taskbar";
    EXPECT_TRUE(Session::WaitFor([&] { return session.Topmost(about); }, 2s)) << "topmost when activated";
    EXPECT_FALSE(session.Style(about) & 0x30000) << "no minimise or maximise box";

    // "Donate", then the links.
    session.MouseMove(x + 140, y + 244);
    usleep(200000);
    session.Click(1);
    EXPECT_TRUE(Session::WaitFor([&] { return session.OpenedUrls().size() == 1; }, 8s));
    CheckAboutText(session, about, 96);
    EXPECT_EQ(session.OpenedUrls(),
              (std::vector<std::string>{"http://www.tavrineyes.example/donate.htm", "http://www.tavrineyes.example/",
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

    // The same links at 150 % (144 dpi), which the programs read at their start.
    session.Kill(pid);
    ASSERT_TRUE(session.WaitGone(FormClass, "About", 5s));
    session.SetDword("Control Panel\\Desktop", "LogPixels", 144);
    eyes = StartAt300(session);
    const std::string scaled = OpenAbout(session, session.WindowRect(eyes.Form6));
    ASSERT_NE(scaled, "0");
    CheckAboutText(session, scaled, 144);
}

// The grey levels of the screen in a box of the About window's layout (twips, from a client or panel
// area at 100 %): the darkest and the lightest.
std::pair<int, int> GreyRange(Session& session, const Rect& origin, int left, int top, int width, int height) {
    const std::string crop = "-crop " + std::to_string(Pixels(width, 96)) + "x" + std::to_string(Pixels(height, 96)) +
                             "+" + std::to_string(origin.Left + Pixels(left, 96)) + "+" +
                             std::to_string(origin.Top + Pixels(top, 96)) + " +repage -colorspace Gray -format ";
    return {static_cast<int>(MeasureScreen(session, "dark", crop + "'%[fx:int(255*minima)]'")),
            static_cast<int>(MeasureScreen(session, "dark", crop + "'%[fx:int(255*maxima)]'"))};
}

// The keyboard alone, under a dark contrast theme: the menu from Shift+F10, the About window with the
// focus on "Donate", Tab through the links, Enter and Space, Esc; what a screen reader is told of
// its texts and links; its texts light on the theme's dark background; and a larger text size.
TEST(Menu, AboutServesTheKeyboardAndScreenReadersUnderADarkThemeAndLargerText) {
    Session session;
    session.Install();
    EXPECT_EQ(session.Ask("contrast dark"), "1 0") << "the colours set; Wine keeps no high-contrast flag";
    pid_t pid = 0;
    const EyesWindows eyes = StartAt300(session, &pid);
    ASSERT_TRUE(ActivateEyes(session, eyes));
    session.Keys("shift+F10");
    ASSERT_TRUE(Session::WaitFor([&] { return MenuOpen(session); }, 3s));
    Choose(session, About);
    const std::string about = session.WaitWindow(FormClass, "About", 5s);
    ASSERT_NE(about, "0");
    ASSERT_TRUE(Session::WaitFor([&] { return session.Ask("foreground") == about; }, 3s));

    // Space on "Donate", where the focus is; then each link by Tab and Enter, round to "Donate", and
    // back by Shift+Tab to the article.
    const auto opens = [&](const std::string& keys, const std::string& page) {
        const std::size_t before = session.OpenedUrls().size();
        session.Keys(keys);
        EXPECT_TRUE(Session::WaitFor([&] { return session.OpenedUrls().size() > before; }, 8s)) << keys;
        EXPECT_EQ(session.OpenedUrls().back(), page) << keys;
    };
    opens("space", "http://www.tavrineyes.example/donate.htm");
    opens("Tab Return", "http://www.tavrineyes.example/feedback.php");
    EXPECT_EQ(session.Ask("acc " + about + " focus"), "4") << "Feedback, the fourth part, has the focus";
    opens("Tab Return", "https://en.wikipedia.org/wiki/Eye");
    opens("Tab Return", "http://www.tavrineyes.example/");
    opens("Tab Return", "http://www.tavrineyes.example/");
    opens("Tab Return", "http://www.tavrineyes.example/donate.htm");
    opens("shift+Tab shift+Tab shift+Tab Return", "https://en.wikipedia.org/wiki/Eye");

    // Read in order: the panel, the badge, "Donate", Feedback, the article, "Visit", the site's name
    // and the closing line; links (30) with their page and "Jump", texts (41), a graphic (40). The
    // article has the focus now.
    EXPECT_EQ(session.Ask("acc " + about + " count"), "8");
    EXPECT_EQ(session.Ask("acc " + about + " 2").substr(0, 22), "40|Donation badge|-|-|");
    EXPECT_EQ(session.Ask("acc " + about + " 4"),
              "30|Feedback|http://www.tavrineyes.example/feedback.php|-|Jump|500000");
    EXPECT_EQ(session.Ask("acc " + about + " 5"), "30|Eye article|https://en.wikipedia.org/wiki/Eye|-|Jump|500004");
    EXPECT_EQ(session.Ask("acc " + about + " 6"), "41|Visit|-|-|-|40");
    std::string panel, donate;
    for (const Child& child : session.Children(about))
        (session.Ask("class " + child.Hwnd) == "Button" ? donate : panel) = child.Hwnd;
    EXPECT_EQ(session.Ask("acc " + panel + " count"), "5");
    EXPECT_EQ(session.Ask("acc " + panel + " 1"), "41|Tavrin Eyes 2.0|-|-|-|40");
    EXPECT_EQ(session.Ask("acc " + panel + " 5"),
              "30|Tavrin Eyes Homepage|http://www.tavrineyes.example|-|Jump|500000");
    EXPECT_EQ(session.Ask("acc " + donate).substr(0, 10), "10|Donate|") << "Wine's words for a push button";

    // The theme's colours: black behind the texts, the texts white and the links yellow (grey 237).
    const Rect window = session.ClientRect(about), inPanel = session.ClientRect(panel);
    for (const auto& [name, range] :
         {std::pair{"Freeware", GreyRange(session, inPanel, 240, 848, 1185, 195)},
          std::pair{"Brellik's Software", GreyRange(session, inPanel, 1380, 840, 1965, 210)},
          std::pair{"Enjoy the eyes!", GreyRange(session, inPanel, 960, 1200, 1605, 210)},
          std::pair{"Feedback", GreyRange(session, window, 600, 4320, 900, 240)},
          std::pair{"the closing line", GreyRange(session, window, 360, 5400, 3390, 240)}}) {
        EXPECT_LE(range.first, 10) << name;
        EXPECT_GE(range.second, 200) << name;
    }

    // Windows' text size at 150 %: the window's layout grows as at 144 dpi, 413 x 587 (412.5 x 586.5).
    session.SetDword("Software\\Microsoft\\Accessibility", "TextScaleFactor", 150);
    session.Ask("settingchange");
    EXPECT_TRUE(Session::WaitFor([&] { return session.ClientRect(about).Width() == 413; }, 3s));
    EXPECT_EQ(session.ClientRect(about).Height(), 587);

    session.Keys("Escape");
    EXPECT_TRUE(Session::WaitFor([&] { return session.Ask("visible " + about) == "0"; }, 3s)) << "Esc hides it";
    EXPECT_TRUE(session.Running(pid));
    EXPECT_EQ(session.Ask("visible " + eyes.Form6), "1");
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

// Where the eyes may not change the Run value (a standard user: the machine-wide key opens for
// reading only), "Run at Startup" is greyed, still checked when the value is there, and choosing it
// changes nothing and shows nothing.
TEST(Menu, RunAtStartupIsGreyedAndTruthfulWhereTheRunKeyIsReadOnly) {
    Session session;
    session.Install();
    pid_t pid = 0;
    StartAt300(session, &pid);
    const RegValue before = session.Query("HKLM", settings::RunKey, "Tavrin Eyes");
    ASSERT_TRUE(before.Present);
    ASSERT_EQ(session.Ask("regreadonly HKLM Software\\Microsoft\\Windows\\CurrentVersion\\Run"), "0");

    ASSERT_TRUE(OpenMenuAt(session, PupilX, PupilY));
    usleep(300000);
    // Rows below the menu's border of 3: "About" 17, a separator 9, "Skin" 17, a separator 9, "On Top"
    // 17, "Run at Startup" 17. The darkest pixel of a row's text: black when enabled, grey when not;
    // the check mark's margin is not bare.
    const Rect menu = session.WindowRect(session.FindWindow("#32768", "-"));
    const auto row = [&](int top, int left, int width, const std::string& format) {
        return MeasureScreen(session, "menu",
                             "-crop " + std::to_string(width) + "x17+" + std::to_string(menu.Left + 3 + left) + "+" +
                                 std::to_string(menu.Top + 3 + top) + " +repage -colorspace Gray -format '" + format +
                                 "'");
    };
    const int onTop = 17 + 9 + 17 + 9, runAtStartup = onTop + 17;
    EXPECT_LT(row(onTop, 20, 80, "%[fx:int(255*minima)]"), 60) << "On Top: black text";
    EXPECT_GT(row(runAtStartup, 20, 80, "%[fx:int(255*minima)]"), 80) << "Run at Startup: greyed";
    EXPECT_LT(row(runAtStartup, 0, 16, "%[fx:int(255*minima)]"), 200) << "and checked";

    // Choosing it does nothing: the menu stays until Escape, the value stays, no message.
    session.Keys("Down Down Down Down Return");
    usleep(500000);
    session.Keys("Escape");
    Session::WaitFor([&] { return !MenuOpen(session); }, 3s);
    const RegValue after = session.Query("HKLM", settings::RunKey, "Tavrin Eyes");
    EXPECT_TRUE(after.Present);
    EXPECT_EQ(after.Data, before.Data);
    EXPECT_EQ(session.FindWindow("#32770", "-"), "0") << "no message box";
    EXPECT_TRUE(session.Running(pid));
}

}  // namespace
