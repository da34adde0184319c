// The setup file under Wine: what it installs and registers, what its uninstaller ends and removes
// (and what it leaves alone), installing again over an earlier installation or into another folder,
// closing running copies through their windows, starting the eyes through the desktop shell rather
// than itself, and replacing or removing programs that a running copy it cannot close still holds.

#include "tests/e2e/Eyes.h"

#include <sys/stat.h>

#include <fstream>
#include <functional>
#include <sstream>

using namespace e2e;

namespace {

constexpr char SetupInPrefix[] = "C:\\TavrinEyes-2.0-setup.exe";
constexpr char UninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TavrinEyes";
constexpr char PublisherKey[] = "Software\\Brellik's Software";
constexpr char ProductKey[] = "Software\\Brellik's Software\\Tavrin Eyes";
// Where Wine keeps the all-users desktop and Start menu.
constexpr char DesktopLink[] = "C:\\users\\Public\\Desktop\\TavrinEyes.lnk";
constexpr char StartMenuFolder[] = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Tavrin Eyes";
const char* const Programs[] = {"TavrinEyes.exe", "skinner.exe", "TavrinEyes_PIL.exe"};
// The start-with-Windows value, spelt out here rather than taken from the programs' constants.
constexpr char RunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char StartupApprovedKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
constexpr char RunValue[] = "Tavrin Eyes";
// Where Windows keeps the file operations left for the next restart.
constexpr char SessionManagerKey[] = "System\\CurrentControlSet\\Control\\Session Manager";

// The cross build writes the setup next to the programs' folder.
std::string SetupFile() { return ProgramsDir() + "/../TavrinEyes-2.0-setup.exe"; }

std::string Installed(const std::string& name, const std::string& folder = InstallDir) { return folder + "\\" + name; }

bool Exists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// A REG_SZ value's text without the terminating NUL that the setup stores with it.
std::string Text(const RegValue& value) {
    if (!value.Present || value.Type != 1) return "(not a text value)";
    std::string text = value.Text();
    if (!text.empty() && text.back() == '\0') text.pop_back();
    return text;
}

unsigned Dword(const RegValue& value) {
    if (value.Data.size() != 4) return ~0u;
    return settings::DwordFromBytes(value.Data.data());
}

// Session::Start runs a program without arguments, so a command line with arguments goes into a
// batch file, which cmd runs; the batch file ends with the command's exit code.
std::optional<int> RunCommand(Session& session, const std::string& commandLine, Millis timeout = 60s) {
    static int count = 0;
    const std::string batch = "C:\\tavrin-command-" + std::to_string(++count) + ".bat";
    WriteFile(session.UnixPath(batch), "@" + commandLine + "\r\n@exit /b %errorlevel%\r\n");
    return session.WaitExit(session.Start(batch), timeout);
}

// A silent setup; `folder` chooses the installation folder (/D=, always the last argument). With
// `whileRunning`, that is done while the setup runs.
void RunSetup(Session& session, const std::string& folder = "", const std::function<void()>& whileRunning = {}) {
    ASSERT_TRUE(Exists(SetupFile())) << SetupFile()
                                     << " is missing: the cross build makes it when makensis is installed";
    if (!Exists(session.UnixPath(SetupInPrefix))) WriteFile(session.UnixPath(SetupInPrefix), ReadFile(SetupFile()));
    const std::string batch = "C:\\tavrin-setup.bat";
    WriteFile(session.UnixPath(batch), "@\"" + std::string(SetupInPrefix) + "\" /S" +
                                           (folder.empty() ? "" : " /D=" + folder) + "\r\n@exit /b %errorlevel%\r\n");
    const pid_t setup = session.Start(batch);
    if (whileRunning) whileRunning();
    std::optional<int> exit = session.WaitExit(setup, 60s);
    ASSERT_TRUE(exit.has_value()) << "the setup did not end";
    ASSERT_EQ(*exit, 0);
}

// The About window opened from the eyes' menu and closed: hidden, it stands above the eyes' windows
// (it made itself topmost), where a close request to it would only hide it again.
void OpenAndCloseAbout(Session& session, const EyesWindows& eyes) {
    const Rect form1 = session.WindowRect(eyes.Form1);
    ASSERT_TRUE(OpenMenuAt(session, form1.Left + 34, form1.Top + 47));
    Choose(session, About);
    const std::string about = session.WaitWindow(FormClass, "About", 5s);
    session.Ask("close " + about);
    ASSERT_TRUE(Session::WaitFor([&] { return session.Ask("visible " + about) == "0"; }, 3s));
}

// The uninstaller as a script runs it: "_?=" makes it work in place and return only when it is done
// (its own file then stays for the caller to delete).
void RunUninstaller(Session& session, const std::string& folder = InstallDir) {
    std::optional<int> exit = RunCommand(session, "\"" + Installed("Uninstall.exe", folder) + "\" /S _?=" + folder);
    ASSERT_TRUE(exit.has_value()) << "the uninstaller did not end";
    ASSERT_EQ(*exit, 0);
}

// A copy of the eyes in a folder whose name begins with the installation folder's name.
pid_t StartCopyElsewhere(Session& session) {
    const std::string folder = std::string(InstallDir) + " Old";
    mkdir(session.UnixPath(folder).c_str(), 0755);
    WriteFile(session.UnixPath(folder + "\\TavrinEyes.exe"), ReadFile(ProgramsDir() + "/TavrinEyes.exe"));
    return session.Start(folder + "\\TavrinEyes.exe");
}

// Starts an installed program on a desktop of its own, as another user's copy runs: the setup's
// search for running copies sees only its own desktop, so it cannot close this one.
void StartOnAnotherDesktop(Session& session, const std::string& program) {
    const std::string batch = "C:\\tavrin-other-desktop.bat";
    WriteFile(session.UnixPath(batch), "@explorer /desktop=Other,640x480 \"" + program + "\"\r\n");
    session.Start(batch);
}

// The file operations left for the next restart (the multi-string's parts joined by "|").
std::string WaitingForRestart(Session& session) {
    std::string text = session.Query("HKLM", SessionManagerKey, "PendingFileRenameOperations").Text();
    for (char& c : text)
        if (c == '\0') c = '|';
    return text;
}

// Whether the wizard shows a button with that text (a page's Next / Install / Finish). Only buttons
// are read: a page's other texts run over several lines, which the driver's one-line answers do not
// carry.
bool ShowsButton(Session& session, const std::string& wizard, const std::string& text) {
    for (const Child& child : session.Children(wizard))
        if (child.Visible && session.Ask("class " + child.Hwnd) == "Button" &&
            session.Ask("caption " + child.Hwnd) == text)
            return true;
    return false;
}

// Waits for the wizard's page with that text and presses its Next / Install / Finish button.
bool PressOn(Session& session, const std::string& wizard, const std::string& text) {
    if (!Session::WaitFor([&] { return ShowsButton(session, wizard, text); }, 30s)) return false;
    session.Ask("press " + wizard + " 1");
    return true;
}

TEST(Installer, SilentInstallThenUninstallRemovesEverythingOfThisInstallationOnly) {
    Session session;
    const auto started = Clock::now();
    // Turned off in Task Manager, for the machine and for this user, by an earlier installation: a first
    // installation starts with Windows all the same.
    const std::vector<unsigned char> off{3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    session.SetValue("HKLM", StartupApprovedKey, RunValue, 3, off);
    session.SetValue("HKCU", StartupApprovedKey, RunValue, 3, off);
    ASSERT_NO_FATAL_FAILURE(RunSetup(session));
    EXPECT_FALSE(session.Query("HKLM", StartupApprovedKey, RunValue).Present);
    EXPECT_FALSE(session.Query("HKCU", StartupApprovedKey, RunValue).Present);

    // The three programs side by side, as built, with the uninstaller.
    for (const char* program : Programs) {
        const std::string path = session.UnixPath(Installed(program));
        ASSERT_TRUE(Exists(path)) << program;
        EXPECT_TRUE(ReadFile(path) == ReadFile(ProgramsDir() + "/" + program)) << program << " differs from the build";
    }
    EXPECT_TRUE(Exists(session.UnixPath(Installed("Uninstall.exe"))));
    EXPECT_TRUE(Exists(session.UnixPath(DesktopLink)));
    EXPECT_TRUE(Exists(session.UnixPath(std::string(StartMenuFolder) + "\\Tavrin Eyes.lnk")));
    EXPECT_TRUE(Exists(session.UnixPath(std::string(StartMenuFolder) + "\\Uninstall Tavrin Eyes.lnk")));

    // Add/Remove Programs.
    const auto text = [&](const char* name) { return Text(session.Query("HKLM", UninstallKey, name)); };
    EXPECT_EQ(text("DisplayName"), "Tavrin Eyes 2.0");
    EXPECT_EQ(text("DisplayVersion"), "2.0");
    EXPECT_EQ(text("Publisher"), "Brellik's Software");
    EXPECT_EQ(text("UninstallString"), "\"C:\\Program Files\\Tavrin Eyes\\Uninstall.exe\"");
    EXPECT_EQ(text("QuietUninstallString"), "\"C:\\Program Files\\Tavrin Eyes\\Uninstall.exe\" /S");
    EXPECT_EQ(text("DisplayIcon"), "C:\\Program Files\\Tavrin Eyes\\TavrinEyes.exe,0");
    EXPECT_EQ(text("InstallLocation"), InstallDir);
    EXPECT_EQ(Dword(session.Query("HKLM", UninstallKey, "NoModify")), 1u);
    EXPECT_EQ(Dword(session.Query("HKLM", UninstallKey, "NoRepair")), 1u);
    std::size_t programBytes = 0;
    for (const char* program : Programs) programBytes += ReadFile(ProgramsDir() + "/" + program).size();
    const unsigned estimatedKb = Dword(session.Query("HKLM", UninstallKey, "EstimatedSize"));
    EXPECT_GE(estimatedKb, programBytes / 1024);
    EXPECT_LE(estimatedKb, programBytes / 1024 + 512) << "the programs and the uninstaller, in KB";

    // A silent setup neither starts the eyes nor opens the welcome page, and writes no settings;
    // the start-with-Windows value is there before any program ran, as the eyes write it.
    EXPECT_EQ(session.FindWindow(FormClass, "Form1"), "0");
    EXPECT_TRUE(session.OpenedUrls().empty());
    EXPECT_FALSE(session.KeyExists("HKCU", ProductKey));
    const std::string runText = "\"C:\\Program Files\\Tavrin Eyes\\TavrinEyes.exe\"";
    EXPECT_EQ(Text(session.Query("HKLM", RunKey, RunValue)), runText);
    EXPECT_EQ(session.QueryW("HKLM", RunKey, RunValue).Size, 92u) << "45 characters and their terminator, 2 bytes each";

    // The installed eyes' first run writes the settings, and the same start-with-Windows value, its
    // terminator counted too; a copy from another folder runs beside them.
    pid_t eyes = 0;
    session.DeleteValue("HKLM", RunKey, RunValue);
    const EyesWindows running = StartEyes(session, &eyes);
    ASSERT_NE(running.Form1, "0");
    ASSERT_TRUE(session.KeyExists("HKCU", settings::SettingsKey));
    EXPECT_EQ(Text(session.Query("HKLM", RunKey, RunValue)), runText);
    EXPECT_EQ(session.QueryW("HKLM", RunKey, RunValue).Size, 92u);
    // "On Top" off, and the About window opened and closed.
    const Rect form1 = session.WindowRect(running.Form1);
    ASSERT_TRUE(OpenMenuAt(session, form1.Left + 34, form1.Top + 47));
    Choose(session, OnTop);
    ASSERT_NO_FATAL_FAILURE(OpenAndCloseAbout(session, running));
    const pid_t other = StartCopyElsewhere(session);
    // The value names this installation's program also without quotes, in other letters and without
    // a terminator.
    session.SetValue("HKLM", RunKey, RunValue, 1, Bytes("c:\\program files\\tavrin eyes\\TAVRINEYES.EXE"));
    // Turned off in Task Manager again.
    session.SetValue("HKLM", StartupApprovedKey, RunValue, 3, off);
    session.SetValue("HKCU", StartupApprovedKey, RunValue, 3, off);
    ASSERT_TRUE(Session::WaitFor([&] { return session.WindowsOf("Form6").size() == 2; }, 15s));

    // Uninstalling silently the way Add/Remove Programs does: its QuietUninstallString. The
    // uninstaller copies itself to the temporary folder and works from there, so the folder's
    // removal, its last step, tells when it is done.
    const std::optional<int> exit = RunCommand(session, text("QuietUninstallString"));
    ASSERT_TRUE(exit.has_value());
    ASSERT_EQ(*exit, 0);
    // Closed through their shown windows, as their menu's Close ends them (ended by force, they give 1).
    EXPECT_EQ(session.WaitExit(eyes, 3s), std::optional<int>(0)) << "the installed eyes were not closed";
    ASSERT_TRUE(Session::WaitFor([&] { return !Exists(session.UnixPath(InstallDir)); }, 30s))
        << "the installation folder is still there";

    EXPECT_TRUE(session.Running(other)) << "a copy from another folder was ended";
    EXPECT_EQ(session.WindowsOf("Form6").size(), 1u);
    for (const char* program : Programs) EXPECT_FALSE(Exists(session.UnixPath(Installed(program)))) << program;
    EXPECT_FALSE(Exists(session.UnixPath(DesktopLink)));
    EXPECT_FALSE(Exists(session.UnixPath(StartMenuFolder)));
    EXPECT_FALSE(session.Query("HKLM", RunKey, RunValue).Present);
    EXPECT_FALSE(session.Query("HKLM", StartupApprovedKey, RunValue).Present) << "Windows' own mark goes too";
    EXPECT_FALSE(session.Query("HKCU", StartupApprovedKey, RunValue).Present);
    EXPECT_FALSE(session.KeyExists("HKCU", settings::SettingsKey));
    EXPECT_FALSE(session.KeyExists("HKCU", ProductKey)) << "left empty, so removed";
    EXPECT_FALSE(session.KeyExists("HKCU", PublisherKey)) << "left empty, so removed";
    EXPECT_FALSE(session.KeyExists("HKLM", UninstallKey));

    const double seconds = std::chrono::duration<double>(Clock::now() - started).count();
    RecordProperty("install_uninstall_seconds", std::to_string(seconds));
    std::printf("Install, first start and uninstall: %.1f s; setup file %zu bytes\n", seconds,
                ReadFile(SetupFile()).size());
}

TEST(Installer, InstallingAgainReplacesTheFilesAndKeepsTheSettings) {
    Session session;
    ASSERT_NO_FATAL_FAILURE(RunSetup(session));
    session.SetText(settings::SettingsKey, "scres", "1024X768");
    session.SetText(settings::SettingsKey, "left", "123");
    session.SetText(settings::SettingsKey, "top", "45");
    session.SetDword(settings::SettingsKey, "ontop", 0);
    session.SetDword(settings::SettingsKey, "skin", 2);
    pid_t eyes = 0;
    const EyesWindows running = StartEyes(session, &eyes);
    ASSERT_NE(running.Form1, "0");
    ASSERT_NO_FATAL_FAILURE(OpenAndCloseAbout(session, running));
    // An older skinner in the folder; "Run at Startup" turned off.
    WriteFile(session.UnixPath(Installed("skinner.exe")), "an older skinner");
    session.DeleteValue("HKLM", RunKey, RunValue);

    // Closed through their shown windows, as their menu's Close ends them (ended by force after the
    // setup's wait of 5 s, they give 1).
    ASSERT_NO_FATAL_FAILURE(RunSetup(session, "", [&] {
        EXPECT_EQ(session.WaitExit(eyes, 3s), std::optional<int>(0))
            << "the running eyes of that folder were not closed";
    }));
    for (const char* program : Programs)
        EXPECT_TRUE(ReadFile(session.UnixPath(Installed(program))) == ReadFile(ProgramsDir() + "/" + program))
            << program << " was not replaced";
    EXPECT_EQ(session.Query("HKCU", settings::SettingsKey, "scres").Text(), "1024X768");
    EXPECT_EQ(session.Query("HKCU", settings::SettingsKey, "left").Text(), "123");
    EXPECT_EQ(session.Query("HKCU", settings::SettingsKey, "top").Text(), "45");
    EXPECT_EQ(Dword(session.Query("HKCU", settings::SettingsKey, "ontop")), 0u);
    EXPECT_EQ(Dword(session.Query("HKCU", settings::SettingsKey, "skin")), 2u);
    EXPECT_EQ(Text(session.Query("HKLM", UninstallKey, "InstallLocation")), InstallDir);
    EXPECT_FALSE(session.Query("HKLM", RunKey, RunValue).Present) << "the user's choice is kept";

    // The eyes come back where they were.
    EyesWindows again = StartEyes(session);
    ASSERT_NE(again.Form1, "0");
    EXPECT_EQ(session.WindowRect(again.Form1).Left, 123);
    EXPECT_EQ(session.WindowRect(again.Form1).Top, 45);
}

// Contains `text` as it stands or in UTF-16 (a shortcut file holds its target both ways).
bool FileHolds(const std::string& path, const std::string& text) {
    const std::string content = ReadFile(path);
    std::string wide;
    for (char c : text) wide += std::string{c, '\0'};
    return content.find(text) != std::string::npos || content.find(wide) != std::string::npos;
}

TEST(Installer, AnInstallationStaysInItsFolderAndMovesWholeIntoAnother) {
    Session session;
    const std::string custom = "C:\\Desk Toys\\Eyes";
    ASSERT_NO_FATAL_FAILURE(RunSetup(session, custom));
    for (const char* program : Programs) ASSERT_TRUE(Exists(session.UnixPath(Installed(program, custom)))) << program;
    EXPECT_FALSE(Exists(session.UnixPath(InstallDir)));
    EXPECT_EQ(Text(session.Query("HKLM", RunKey, RunValue)), "\"C:\\Desk Toys\\Eyes\\TavrinEyes.exe\"");
    session.SetText(settings::SettingsKey, "scres", "1024X768");
    session.SetText(settings::SettingsKey, "left", "123");
    session.SetText(settings::SettingsKey, "top", "45");
    WriteFile(session.UnixPath(Installed("skinner.exe", custom)), "an older skinner");

    // Installing again, through the pages, over the eyes running from the installation's folder, and
    // taking the folder the folder page offers: that one. Leaving the folder page asks to close
    // them; the setup closes them through their window. The finish page has the desktop shell
    // start the eyes from there, and the opener show the welcome page: one pair of eyes runs, and
    // neither program is the setup's child.
    const pid_t running = session.Start(Installed("TavrinEyes.exe", custom));
    ASSERT_NE(session.WaitWindow(FormClass, "Form6", 15s), "0");
    const pid_t setup = session.Start(SetupInPrefix);
    const std::string wizard = session.WaitWindow("#32770", "Tavrin Eyes 2.0 Setup", 30s);
    ASSERT_NE(wizard, "0");
    ASSERT_TRUE(PressOn(session, wizard, "&Next >"));
    ASSERT_TRUE(Session::WaitFor([&] { return ShowsButton(session, wizard, "&Install"); }, 30s));
    session.Ask("postpress " + wizard + " 1");  // its question is modal: a sent click would wait for it
    std::string question = "0";
    ASSERT_TRUE(Session::WaitFor(
        [&] {
            question = session.FindWindow("#32770", "Tavrin Eyes 2.0 Setup");
            return question != wizard && question != "0" && session.Ask("visible " + question) == "1";
        },
        15s))
        << "the folder page did not say that it closes the running eyes";
    EXPECT_EQ(session.Ask("msgbuttons " + question), "OK;Cancel;");
    session.Ask("press " + question + " 1");
    EXPECT_EQ(session.WaitExit(running, 30s), std::optional<int>(0)) << "not closed as their menu's Close does";
    ASSERT_TRUE(PressOn(session, wizard, "&Finish"));
    // The opener ends 3 s after it starts: who started it is read while it runs.
    std::string opener = "none";
    EXPECT_TRUE(Session::WaitFor([&] { return (opener = session.Ask("parent TavrinEyes_PIL.exe")) != "none"; }, 30s));
    EXPECT_EQ(opener, "explorer.exe shell");
    const std::optional<int> exit = session.WaitExit(setup, 30s);
    ASSERT_TRUE(exit.has_value());
    EXPECT_EQ(*exit, 0);
    // The eyes' Form6 (the opener's window is a "Form1" too), where the settings put the eyes.
    const std::string form6 = session.WaitWindow(FormClass, "Form6", 15s);
    ASSERT_NE(form6, "0") << "the finish page did not start the eyes";
    Session::WaitFor([&] { return session.Ask("visible " + form6) == "1"; }, 5s);
    EXPECT_EQ(session.WindowRect(form6).Left, 123);
    EXPECT_EQ(session.WindowRect(form6).Top, 45);
    EXPECT_EQ(session.WindowsOf("Form6").size(), 1u) << "one pair of eyes";
    // Wine's desktop answers the shell's automation request: the desktop's own process started the
    // eyes and the opener.
    EXPECT_EQ(session.Ask("parent TavrinEyes.exe"), "explorer.exe shell");
    ASSERT_TRUE(Session::WaitFor([&] { return !session.OpenedUrls().empty(); }, 15s));
    EXPECT_EQ(session.OpenedUrls().front(), "http://www.tavrineyes.example/TavrinEyes_PIl.htm");

    for (const char* program : Programs)
        EXPECT_TRUE(ReadFile(session.UnixPath(Installed(program, custom))) == ReadFile(ProgramsDir() + "/" + program))
            << program << " was not replaced";
    EXPECT_FALSE(Exists(session.UnixPath(InstallDir))) << "installing again went into the default folder";
    EXPECT_EQ(Text(session.Query("HKLM", UninstallKey, "InstallLocation")), custom);

    // Installing into another folder, with the eyes running from the first and a file of the user's
    // beside them: one installation, in the new folder.
    WriteFile(session.UnixPath(custom + "\\notes.txt"), "mine");
    ASSERT_NO_FATAL_FAILURE(RunSetup(session, InstallDir));
    EXPECT_TRUE(session.WaitGone(FormClass, "Form6", 5s)) << "the eyes of the earlier folder still run";
    for (const char* program : Programs) {
        EXPECT_TRUE(ReadFile(session.UnixPath(Installed(program))) == ReadFile(ProgramsDir() + "/" + program))
            << program;
        EXPECT_FALSE(Exists(session.UnixPath(Installed(program, custom)))) << program << " left in " << custom;
    }
    EXPECT_FALSE(Exists(session.UnixPath(Installed("Uninstall.exe", custom))));
    EXPECT_EQ(ReadFile(session.UnixPath(custom + "\\notes.txt")), "mine");
    const std::string eyesPath = "C:\\Program Files\\Tavrin Eyes\\TavrinEyes.exe";
    for (const std::string& link : {std::string(DesktopLink), std::string(StartMenuFolder) + "\\Tavrin Eyes.lnk"}) {
        EXPECT_TRUE(FileHolds(session.UnixPath(link), eyesPath)) << link;
        EXPECT_FALSE(FileHolds(session.UnixPath(link), "Desk Toys")) << link;
    }
    EXPECT_EQ(Text(session.Query("HKLM", UninstallKey, "InstallLocation")), InstallDir);
    EXPECT_EQ(Text(session.Query("HKLM", UninstallKey, "UninstallString")),
              "\"C:\\Program Files\\Tavrin Eyes\\Uninstall.exe\"");
    EXPECT_EQ(Text(session.Query("HKLM", UninstallKey, "DisplayIcon")), eyesPath + ",0");
    EXPECT_EQ(Text(session.Query("HKLM", RunKey, RunValue)), "\"" + eyesPath + "\"");
    EXPECT_EQ(session.Query("HKCU", settings::SettingsKey, "left").Text(), "123");

    // Its uninstaller leaves nothing of the eyes in either folder.
    ASSERT_NO_FATAL_FAILURE(RunUninstaller(session));
    for (const char* program : Programs) EXPECT_FALSE(Exists(session.UnixPath(Installed(program)))) << program;
    EXPECT_FALSE(session.KeyExists("HKLM", UninstallKey));
    EXPECT_FALSE(Exists(session.UnixPath(DesktopLink)));
    EXPECT_FALSE(session.Query("HKLM", RunKey, RunValue).Present);
    EXPECT_EQ(ReadFile(session.UnixPath(custom + "\\notes.txt")), "mine");
}

TEST(Installer, ProgramsInUseAreReplacedAndRemovedByTheNextRestart) {
    Session session;
    ASSERT_NO_FATAL_FAILURE(RunSetup(session));
    const std::string build = ProgramsDir() + "/";
    const std::string eyes = session.UnixPath(Installed("TavrinEyes.exe"));
    const std::string skinner = session.UnixPath(Installed("skinner.exe"));
    const std::string opener = session.UnixPath(Installed("TavrinEyes_PIL.exe"));
    // An older build of the eyes (the same program with a few bytes after it) runs where the setup
    // cannot close it; another program holds the older skinner open without letting it be renamed.
    const std::string olderEyes = ReadFile(eyes) + "older";
    WriteFile(eyes, olderEyes);
    WriteFile(skinner, "an older skinner");
    StartOnAnotherDesktop(session, Installed("TavrinEyes.exe"));
    ASSERT_TRUE(Session::WaitFor([&] { return session.KeyExists("HKCU", settings::SettingsKey); }, 20s))
        << "the eyes did not start on the other desktop";
    ASSERT_EQ(session.Ask("hold " + Installed("skinner.exe")), "ok");

    // The upgrade succeeds: the running program is moved aside and replaced, the held one is
    // replaced at the next restart.
    ASSERT_NO_FATAL_FAILURE(RunSetup(session));
    EXPECT_TRUE(ReadFile(eyes) == ReadFile(build + "TavrinEyes.exe"));
    EXPECT_TRUE(ReadFile(eyes + ".1.old") == olderEyes) << "the running eyes were not moved aside";
    EXPECT_EQ(ReadFile(skinner), "an older skinner");
    EXPECT_TRUE(ReadFile(skinner + ".new") == ReadFile(build + "skinner.exe"));
    EXPECT_TRUE(ReadFile(opener) == ReadFile(build + "TavrinEyes_PIL.exe"));
    const std::string waiting = WaitingForRestart(session);
    EXPECT_NE(waiting.find("Tavrin Eyes\\TavrinEyes.exe.1.old||"), std::string::npos) << waiting;
    EXPECT_NE(waiting.find("Tavrin Eyes\\skinner.exe.new|!\\??\\C:\\Program Files\\Tavrin Eyes\\skinner.exe"),
              std::string::npos)
        << waiting;

    session.Restart();
    for (const char* program : Programs)
        EXPECT_TRUE(ReadFile(session.UnixPath(Installed(program))) == ReadFile(build + program)) << program;
    EXPECT_FALSE(Exists(eyes + ".1.old"));
    EXPECT_FALSE(Exists(skinner + ".new"));

    // The same for an uninstall: the running eyes (a first start again, so that it shows) and the
    // held opener go at the next restart, and the folder with them.
    ASSERT_EQ(RunCommand(session, "reg delete \"HKCU\\" + std::string(settings::SettingsKey) + "\" /f"), 0);
    StartOnAnotherDesktop(session, Installed("TavrinEyes.exe"));
    ASSERT_TRUE(Session::WaitFor([&] { return session.KeyExists("HKCU", settings::SettingsKey); }, 20s));
    ASSERT_EQ(session.Ask("hold " + Installed("TavrinEyes_PIL.exe")), "ok");
    ASSERT_NO_FATAL_FAILURE(RunUninstaller(session));
    EXPECT_FALSE(Exists(eyes));
    EXPECT_TRUE(Exists(eyes + ".1.old"));
    EXPECT_FALSE(Exists(skinner));
    EXPECT_TRUE(Exists(opener));
    EXPECT_FALSE(session.KeyExists("HKLM", UninstallKey));
    EXPECT_FALSE(session.Query("HKLM", RunKey, RunValue).Present);
    EXPECT_FALSE(Exists(session.UnixPath(DesktopLink)));

    std::remove(session.UnixPath(Installed("Uninstall.exe")).c_str());  // left to the caller by "_?="
    session.Restart();
    EXPECT_FALSE(Exists(session.UnixPath(InstallDir)));
}

TEST(Installer, UninstallKeepsWhatOthersUse) {
    Session session;
    ASSERT_NO_FATAL_FAILURE(RunSetup(session));
    session.SetText(settings::SettingsKey, "left", "10");
    session.SetText(std::string(PublisherKey) + "\\Another Toy\\1.0", "name", "kept");
    session.SetText(ProductKey, "note", "a value beside the version key");
    // A copy of the eyes elsewhere registered itself since; its folder's name begins with ours.
    const std::string otherRunText = "\"C:\\Program Files\\Tavrin Eyes Old\\TavrinEyes.exe\"";
    session.SetValue("HKLM", RunKey, RunValue, 1, Bytes(otherRunText));

    ASSERT_NO_FATAL_FAILURE(RunUninstaller(session));

    EXPECT_EQ(Text(session.Query("HKLM", RunKey, RunValue)), otherRunText);

    EXPECT_FALSE(session.KeyExists("HKCU", settings::SettingsKey));
    EXPECT_EQ(session.Query("HKCU", ProductKey, "note").Text(), "a value beside the version key")
        << "the product key holds a value of its own, so it stays";
    EXPECT_EQ(session.Query("HKCU", std::string(PublisherKey) + "\\Another Toy\\1.0", "name").Text(), "kept");
    EXPECT_FALSE(session.KeyExists("HKLM", UninstallKey));
}

}  // namespace
