// The setup file under Wine, run silently: what it installs and registers, what its uninstaller
// ends and removes (and what it leaves alone), and installing again over an earlier installation.

#include "tests/e2e/Eyes.h"

#include <sys/stat.h>

#include <fstream>
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

// The cross build writes the setup next to the programs' folder.
std::string SetupFile() { return ProgramsDir() + "/../TavrinEyes-2.0-setup.exe"; }

std::string Installed(const std::string& name) { return std::string(InstallDir) + "\\" + name; }

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

void RunSetup(Session& session) {
    ASSERT_TRUE(Exists(SetupFile())) << SetupFile()
                                     << " is missing: the cross build makes it when makensis is installed";
    if (!Exists(session.UnixPath(SetupInPrefix))) WriteFile(session.UnixPath(SetupInPrefix), ReadFile(SetupFile()));
    std::optional<int> exit = RunCommand(session, "\"" + std::string(SetupInPrefix) + "\" /S");
    ASSERT_TRUE(exit.has_value()) << "the setup did not end";
    ASSERT_EQ(*exit, 0);
}

// The uninstaller as a script runs it: "_?=" makes it work in place and return only when it is done
// (its own file then stays for the caller to delete).
void RunUninstaller(Session& session) {
    std::optional<int> exit =
        RunCommand(session, "\"" + Installed("Uninstall.exe") + "\" /S _?=" + std::string(InstallDir));
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

TEST(Installer, SilentInstallThenUninstallRemovesEverythingOfThisInstallationOnly) {
    Session session;
    const auto started = Clock::now();
    ASSERT_NO_FATAL_FAILURE(RunSetup(session));

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

    // A silent setup neither starts the eyes nor opens the welcome page, and writes no settings.
    EXPECT_EQ(session.FindWindow(FormClass, "Form1"), "0");
    EXPECT_TRUE(session.OpenedUrls().empty());
    EXPECT_FALSE(session.KeyExists("HKCU", ProductKey));
    EXPECT_FALSE(session.Query("HKLM", settings::RunKey, "Tavrin Eyes").Present);

    // The installed eyes' first run writes the settings and the start-with-Windows value; a copy
    // from another folder runs beside them.
    pid_t eyes = 0;
    ASSERT_NE(StartEyes(session, &eyes).Form1, "0");
    ASSERT_TRUE(session.Query("HKLM", settings::RunKey, "Tavrin Eyes").Present);
    ASSERT_TRUE(session.KeyExists("HKCU", settings::SettingsKey));
    const pid_t other = StartCopyElsewhere(session);
    ASSERT_TRUE(Session::WaitFor([&] { return session.WindowsOf("Form6").size() == 2; }, 15s));

    // Uninstalling silently the way Add/Remove Programs does: its QuietUninstallString. The
    // uninstaller copies itself to the temporary folder and works from there, so the folder's
    // removal, its last step, tells when it is done.
    const std::optional<int> exit = RunCommand(session, text("QuietUninstallString"));
    ASSERT_TRUE(exit.has_value());
    ASSERT_EQ(*exit, 0);
    ASSERT_TRUE(Session::WaitFor([&] { return !Exists(session.UnixPath(InstallDir)); }, 30s))
        << "the installation folder is still there";

    EXPECT_TRUE(session.WaitExit(eyes, 5s).has_value()) << "the installed eyes still run";
    EXPECT_TRUE(session.Running(other)) << "a copy from another folder was ended";
    EXPECT_EQ(session.WindowsOf("Form6").size(), 1u);
    for (const char* program : Programs) EXPECT_FALSE(Exists(session.UnixPath(Installed(program)))) << program;
    EXPECT_FALSE(Exists(session.UnixPath(DesktopLink)));
    EXPECT_FALSE(Exists(session.UnixPath(StartMenuFolder)));
    EXPECT_FALSE(session.Query("HKLM", settings::RunKey, "Tavrin Eyes").Present);
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
    ASSERT_NE(StartEyes(session, &eyes).Form1, "0");
    // An older skinner in the folder.
    WriteFile(session.UnixPath(Installed("skinner.exe")), "an older skinner");

    ASSERT_NO_FATAL_FAILURE(RunSetup(session));

    EXPECT_TRUE(session.WaitExit(eyes, 5s).has_value()) << "the running eyes of that folder were not closed";
    for (const char* program : Programs)
        EXPECT_TRUE(ReadFile(session.UnixPath(Installed(program))) == ReadFile(ProgramsDir() + "/" + program))
            << program << " was not replaced";
    EXPECT_EQ(session.Query("HKCU", settings::SettingsKey, "scres").Text(), "1024X768");
    EXPECT_EQ(session.Query("HKCU", settings::SettingsKey, "left").Text(), "123");
    EXPECT_EQ(session.Query("HKCU", settings::SettingsKey, "top").Text(), "45");
    EXPECT_EQ(Dword(session.Query("HKCU", settings::SettingsKey, "ontop")), 0u);
    EXPECT_EQ(Dword(session.Query("HKCU", settings::SettingsKey, "skin")), 2u);
    EXPECT_EQ(Text(session.Query("HKLM", UninstallKey, "InstallLocation")), InstallDir);

    // The eyes come back where they were.
    EyesWindows again = StartEyes(session);
    ASSERT_NE(again.Form1, "0");
    EXPECT_EQ(session.WindowRect(again.Form1).Left, 123);
    EXPECT_EQ(session.WindowRect(again.Form1).Top, 45);
}

TEST(Installer, UninstallKeepsThePublishersKeyWhileAnotherProductUsesIt) {
    Session session;
    ASSERT_NO_FATAL_FAILURE(RunSetup(session));
    session.SetText(settings::SettingsKey, "left", "10");
    session.SetText(std::string(PublisherKey) + "\\Another Toy\\1.0", "name", "kept");
    session.SetText(ProductKey, "note", "a value beside the version key");

    ASSERT_NO_FATAL_FAILURE(RunUninstaller(session));

    EXPECT_FALSE(session.KeyExists("HKCU", settings::SettingsKey));
    EXPECT_EQ(session.Query("HKCU", ProductKey, "note").Text(), "a value beside the version key")
        << "the product key holds a value of its own, so it stays";
    EXPECT_EQ(session.Query("HKCU", std::string(PublisherKey) + "\\Another Toy\\1.0", "name").Text(), "kept");
    EXPECT_FALSE(session.KeyExists("HKLM", UninstallKey));
}

}  // namespace
