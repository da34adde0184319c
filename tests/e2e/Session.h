#pragma once
// One end-to-end scenario's world: a virtual X display of its own, a fresh Wine prefix cloned from
// the test template, the programs installed side by side in "C:\Program Files\Tavrin Eyes", and the
// driver program running in the same prefix to read windows and the registry. The destructor stops
// everything the session started (by prefix and by process id) and removes the prefix.

#include "product/Identity.h"
#include "settings/logic/Registry.h"
#include "settings/logic/SettingsStore.h"
#include "settings/logic/StartupRegistration.h"

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Millis = std::chrono::milliseconds;

struct Rect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
};

struct Child {
    std::string Hwnd;
    int X = 0, Y = 0, Width = 0, Height = 0;
    bool Visible = false;
};

struct RegValue {
    bool Present = false;
    unsigned Type = 0;
    unsigned Size = 0;
    std::vector<unsigned char> Data;
    std::string Text() const { return std::string(Data.begin(), Data.end()); }
};

inline constexpr char InstallDir[] = "C:\\Program Files\\Tavrin Eyes";

struct SessionOptions {
    int Width = 1024, Height = 768;
    bool Compositor = false;      // blend per-pixel alpha for screenshots
    std::string Background = "";  // a backdrop colour behind every window, rrggbb, e.g. "3a6ea5"
    // LC_ALL for Wine; "C.UTF-8" makes it take Unix file names and command lines as UTF-8 with the
    // Western ANSI code page 1252, so that a folder name can hold characters that code page lacks.
    std::string Locale = "";
    std::string InstallFolder = InstallDir;  // where Install puts the programs (UTF-8)
};

class Session {
public:
    explicit Session(SessionOptions options = {});
    ~Session();  // with TAVRIN_KEEP_SESSION set, its folder (prefix, logs) is kept for a look
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Copies the built programs into the installation folder (all three unless told otherwise).
    void Install(const std::vector<std::string>& programs = {product::EyesProgram, product::SkinnerProgram,
                                                             product::OpenerProgram});
    void Uninstall(const std::string& program);
    std::string UnixPath(const std::string& windowsPath) const;

    // Starts a program under Wine; the result is the Linux process id of the Windows process. Wine
    // joins the arguments with blanks into the command line, quoting those that hold a blank.
    pid_t Start(const std::string& windowsPath, const std::vector<std::string>& arguments = {});
    pid_t StartInstalled(const std::string& program) { return Start(options_.InstallFolder + "\\" + program); }
    bool Running(pid_t pid);
    void Kill(pid_t pid);
    // Waits for the process to end; its exit status, or nothing when it still runs after `timeout`.
    std::optional<int> WaitExit(pid_t pid, Millis timeout);

    // One command to the driver, one line back.
    std::string Ask(const std::string& command);
    // A top-level window by class ("-" for any) and caption, polled until it exists.
    std::string WaitWindow(const std::string& windowClass, const std::string& caption, Millis timeout = 8s);
    std::string FindWindow(const std::string& windowClass, const std::string& caption);
    // A message box of that caption, once it is shown: before that its buttons and icon are not
    // yet visible, so reading them would race the dialog's own set-up.
    std::string WaitMessageBox(const std::string& caption, Millis timeout = 8s);
    // Windows of that caption belonging to the given Windows process (Linux pid of the wine process).
    std::vector<std::string> WindowsOf(const std::string& caption);
    bool WaitGone(const std::string& windowClass, const std::string& caption, Millis timeout);
    Rect WindowRect(const std::string& hwnd);
    Rect ClientRect(const std::string& hwnd);  // the client area, on the screen
    std::vector<Child> Children(const std::string& hwnd);
    unsigned long Style(const std::string& hwnd);
    unsigned long ExStyle(const std::string& hwnd);
    bool Topmost(const std::string& hwnd);
    std::string Above(const std::string& hwnd);

    RegValue Query(const std::string& root, const std::string& path, const std::string& name);
    // The same through the Unicode query: text as UTF-16.
    RegValue QueryW(const std::string& root, const std::string& path, const std::string& name);
    bool KeyExists(const std::string& root, const std::string& path);
    void SetValue(const std::string& root, const std::string& path, const std::string& name, unsigned type,
                  const std::vector<unsigned char>& data);
    void SetText(const std::string& path, const std::string& name, const std::string& text);
    void SetDword(const std::string& path, const std::string& name, unsigned value);
    void DeleteValue(const std::string& root, const std::string& path, const std::string& name);

    // The real pointer on the virtual display.
    void MouseMove(int x, int y);
    void MouseDown(int button);
    void MouseUp(int button);
    void Click(int button);
    void Keys(const std::string& keys);  // xdotool key names, separated by blanks
    // A smooth left-button drag from one point to another.
    void Drag(int fromX, int fromY, int toX, int toY, int steps = 10);

    std::string Screenshot(const std::string& file);
    // The pages opened through the shell, one per line, in order.
    std::vector<std::string> OpenedUrls();
    void RemoveBrowser();  // ShellExecute of an address then finds no browser at all

    std::string Display() const { return display_; }
    const std::string& PrefixDir() const { return prefix_; }

    // Polls `condition` until it holds or `timeout` passes.
    template <typename Condition>
    static bool WaitFor(Condition condition, Millis timeout, Millis step = 50ms);

    // A restart of the prefix's Windows: every Windows process ends (the driver too, which then
    // starts again), and the file operations left for the next restart are done.
    void Restart();

private:
    pid_t Spawn(const std::vector<std::string>& argv, const std::string& logFile, int* stdinFd = nullptr,
                int* stdoutFd = nullptr);
    int Run(const std::vector<std::string>& argv);  // runs to its end, returns its exit status
    RegValue AskValue(const std::string& command);
    std::vector<std::string> Environment() const;

    SessionOptions options_;
    std::string root_;    // the session's own temporary folder
    std::string prefix_;  // its Wine prefix
    std::string display_;
    pid_t xvfb_ = -1, compositor_ = -1, driver_ = -1;
    int driverIn_ = -1, driverOut_ = -1;
    std::string driverBuffer_;
    std::vector<pid_t> started_;
};

template <typename Condition>
bool Session::WaitFor(Condition condition, Millis timeout, Millis step) {
    const auto end = Clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        if (Clock::now() >= end) return false;
        struct timespec pause {
            0, static_cast<long>(step.count()) * 1000000L
        };
        nanosleep(&pause, nullptr);
    }
}

// Where the built pieces are (set by the build).
std::string ProgramsDir();
std::string DriverExe();
std::string FormsTestsExe();  // the form layer's tests built for Windows
std::string TemplatePrefix();

}  // namespace e2e
