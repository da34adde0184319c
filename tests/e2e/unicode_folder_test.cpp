// The programs in a folder whose name the ANSI code page cannot spell (Chinese and Greek under the
// Western code page 1252): the first start's Run value, the "Run at Startup" check mark, a skin
// change through skinner, and the setup into such a folder with its uninstaller.

#include "tests/e2e/Eyes.h"

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

using namespace e2e;

namespace {

constexpr char Folder[] = "C:\\桌面玩具\\Ωμέγα Eyes";
constexpr char16_t RunCommand[] = u"\"C:\\桌面玩具\\Ωμέγα Eyes\\TavrinEyes.exe\"";

SessionOptions InFolder() {
    SessionOptions options;
    options.Locale = "C.UTF-8";
    options.InstallFolder = Folder;
    return options;
}

std::vector<unsigned char> Utf16(std::u16string_view text) {
    std::vector<unsigned char> bytes;
    for (char16_t unit : text) {
        bytes.push_back(static_cast<unsigned char>(unit & 0xFF));
        bytes.push_back(static_cast<unsigned char>(unit >> 8));
    }
    return bytes;
}

// The Run value as the Unicode query sees it: type, size and every UTF-16 unit.
void ExpectRunValueNamesTheFolder(Session& session) {
    const RegValue run = session.QueryW("HKLM", settings::RunKey, "Tavrin Eyes");
    ASSERT_TRUE(run.Present);
    EXPECT_EQ(run.Type, 1u);
    std::vector<unsigned char> terminated = Utf16(RunCommand);
    terminated.insert(terminated.end(), {0, 0});
    EXPECT_EQ(run.Data, terminated);
    EXPECT_EQ(run.Size, run.Data.size());
}

// Dark pixels in the left margin of a menu row, where a check mark is drawn. The rows lie below the
// menu's 3-pixel border: "About" at 0, then a separator (9), "Skin", a separator, "On Top" and
// "Run at Startup" (17 each).
int MarginDarkPixels(Session& session, int rowTop, const std::string& name) {
    const Rect menu = session.WindowRect(session.FindWindow("#32768", "-"));
    const std::string crop =
        std::to_string(16) + "x17+" + std::to_string(menu.Left + 3) + "+" + std::to_string(menu.Top + 3 + rowTop);
    return static_cast<int>(MeasureScreen(
        session, name, "-crop " + crop + " +repage -colorspace Gray -threshold 50% -format '%[fx:(1-mean)*w*h]'"));
}
constexpr int AboutRow = 0, RunAtStartupRow = 17 + 9 + 17 + 9 + 17;

constexpr int PupilX = 479 + 34, PupilY = 305 + 47;  // the left eye's centre at the layout position

TEST(UnicodeFolder, FirstStartRegistersTheExactPathAndASkinChangeComesBack) {
    Session session(InFolder());
    session.Install();
    pid_t first = 0;
    const EyesWindows eyes = StartEyes(session, &first);
    ASSERT_NE(eyes.Form1, "0") << "the eyes did not start from " << Folder;
    ASSERT_EQ(session.WindowRect(eyes.Form1).Left, 479) << "a first run";

    ExpectRunValueNamesTheFolder(session);
    // The ANSI query shows what the code page cannot spell as "?": the folder is beyond it.
    EXPECT_NE(session.Query("HKLM", settings::RunKey, "Tavrin Eyes").Text().find('?'), std::string::npos);

    // "Run at Startup" carries the check mark ("About" never does) ...
    ASSERT_TRUE(OpenMenuAt(session, PupilX, PupilY));
    EXPECT_GT(MarginDarkPixels(session, RunAtStartupRow, "marked"), 8);
    EXPECT_EQ(MarginDarkPixels(session, AboutRow, "about"), 0);
    // ... so the command removes the value; chosen again it writes the exact path once more.
    Choose(session, RunAtStartup);
    EXPECT_TRUE(Session::WaitFor([&] { return !session.QueryW("HKLM", settings::RunKey, "Tavrin Eyes").Present; }, 3s));
    ASSERT_TRUE(OpenMenuAt(session, PupilX, PupilY));
    EXPECT_EQ(MarginDarkPixels(session, RunAtStartupRow, "unmarked"), 0);
    Choose(session, RunAtStartup);
    ASSERT_TRUE(Session::WaitFor([&] { return session.QueryW("HKLM", settings::RunKey, "Tavrin Eyes").Present; }, 3s));
    ExpectRunValueNamesTheFolder(session);

    // "Classic": the eyes start skinner from their folder and end; skinner starts them again.
    ASSERT_TRUE(OpenMenuAt(session, PupilX, PupilY));
    Choose(session, Skin, "Right Down Return");
    EXPECT_TRUE(session.WaitExit(first, 5s).has_value()) << "the eyes end at once";
    const std::string form6 = WaitNewOverlay(session, eyes.Form6);
    ASSERT_NE(form6, "0") << "no new eyes";
    EXPECT_EQ(session.FindWindow("#32770", "Tavrin Eyes"), "0") << "Unable to start skinner.exe";
    EXPECT_EQ(session.FindWindow("#32770", "skinner"), "0") << "Unable to execute TavrinEyes.exe";
    EXPECT_EQ(session.WindowRect(form6).Left, 479) << "back where they were";
    EXPECT_EQ(session.WindowRect(form6).Width(), 130);
    // The rim of the left eye (7, 47 in the skin) is light grey in "Classic", dark in "Tavrin".
    EXPECT_TRUE(Session::WaitFor(
        [&] { return MeasureScreen(session, "classic", "-crop 1x1+486+352 -format '%[fx:int(255*r)]'") > 80; }, 5s,
        500ms));
    ExpectRunValueNamesTheFolder(session);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool Exists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

TEST(UnicodeFolder, TheSetupInstallsIntoTheFolderAndItsUninstallerRemovesIt) {
    constexpr char Setup[] = "C:\\TavrinEyes-2.0-setup.exe";
    constexpr char UninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TavrinEyes";
    Session session(InFolder());
    const std::string setupFile = ProgramsDir() + "/../TavrinEyes-2.0-setup.exe";
    ASSERT_TRUE(Exists(setupFile)) << "the cross build makes the setup when makensis is installed";
    std::ofstream(session.UnixPath(Setup), std::ios::binary) << ReadFile(setupFile);

    // "/D=" takes the rest of the command line unquoted: its two words go as two arguments, which
    // Wine joins with the blank between them.
    const std::string folder = Folder;
    const std::size_t blank = folder.find(' ');
    const auto exit =
        session.WaitExit(session.Start(Setup, {"/S", "/D=" + folder.substr(0, blank), folder.substr(blank + 1)}), 60s);
    ASSERT_TRUE(exit.has_value()) << "the setup did not end";
    ASSERT_EQ(*exit, 0);

    for (const char* program : {"TavrinEyes.exe", "skinner.exe", "TavrinEyes_PIL.exe"})
        EXPECT_TRUE(ReadFile(session.UnixPath(folder + "\\" + program)) == ReadFile(ProgramsDir() + "/" + program))
            << program << " is not in " << folder;
    const RegValue location = session.QueryW("HKLM", UninstallKey, "InstallLocation");
    EXPECT_EQ(location.Data, Utf16(std::u16string(u"C:\\桌面玩具\\Ωμέγα Eyes") + u'\0'))
        << "with the setup's terminator";

    pid_t eyes = 0;
    ASSERT_NE(StartEyes(session, &eyes).Form1, "0");
    ExpectRunValueNamesTheFolder(session);

    // The uninstaller ends the eyes running from the folder and removes them, the folder and the
    // Run value. It works from a copy of itself, so the folder's removal tells when it is done.
    ASSERT_EQ(session.WaitExit(session.Start(folder + "\\Uninstall.exe", {"/S"}), 30s), std::optional<int>(0));
    EXPECT_TRUE(Session::WaitFor([&] { return !Exists(session.UnixPath(folder)); }, 30s)) << "the folder stays";
    EXPECT_TRUE(session.WaitExit(eyes, 5s).has_value()) << "the eyes still run";
    EXPECT_FALSE(session.QueryW("HKLM", settings::RunKey, "Tavrin Eyes").Present);
    EXPECT_FALSE(session.KeyExists("HKLM", UninstallKey));
}

}  // namespace
