#include "tests/e2e/Session.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace e2e {

std::string ProgramsDir() { return TAVRIN_PROGRAMS_DIR; }
std::string DriverExe() { return TAVRIN_DRIVER_EXE; }
std::string FormsTestsExe() { return TAVRIN_FORMS_TESTS_EXE; }
std::string TemplatePrefix() { return TAVRIN_TEMPLATE_PREFIX; }

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

std::string NameWord(std::string name) {
    for (std::size_t at = name.find(' '); at != std::string::npos; at = name.find(' ', at)) name.replace(at, 1, "%20");
    return name;
}

std::string Hex(const std::vector<unsigned char>& data) {
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char byte : data) {
        hex += digits[byte >> 4];
        hex += digits[byte & 15];
    }
    return hex.empty() ? "-" : hex;
}

}  // namespace

Session::Session(SessionOptions options) : options_(std::move(options)) {
    char folder[] = "/tmp/tavrin-e2e-XXXXXX";
    if (!mkdtemp(folder)) throw std::runtime_error("no temporary folder");
    root_ = folder;
    prefix_ = root_ + "/prefix";

    // A clone of the template prefix, pointed at its own url log.
    if (Run({"cp", "-a", TemplatePrefix(), prefix_}) != 0) throw std::runtime_error("cannot clone the prefix");
    for (const char* file : {"/user.reg", "/url-logger.sh"}) {
        std::string text = ReadFile(prefix_ + file);
        ReplaceAll(text, TemplatePrefix(), prefix_);
        WriteFile(prefix_ + file, text);
    }
    std::remove((prefix_ + "/opened-urls.log").c_str());  // whatever the template may have logged

    // The virtual display: Xvfb picks a free display number and writes it into the pipe when ready.
    int ready[2];
    if (pipe(ready) != 0) throw std::runtime_error("no pipe");
    const std::string screen = std::to_string(options_.Width) + "x" + std::to_string(options_.Height) + "x24";
    xvfb_ = fork();
    if (xvfb_ == 0) {
        dup2(ready[1], 3);
        int devnull = open("/dev/null", O_RDWR);
        dup2(devnull, 1);
        dup2(devnull, 2);
        execlp("Xvfb", "Xvfb", "-displayfd", "3", "-screen", "0", screen.c_str(), "-nolisten", "tcp", "-wr",
               static_cast<char*>(nullptr));
        _exit(127);
    }
    close(ready[1]);
    std::string number;
    pollfd wait{ready[0], POLLIN, 0};
    char digit;
    while (poll(&wait, 1, 10000) > 0 && read(ready[0], &digit, 1) == 1 && digit != '\n') number += digit;
    close(ready[0]);
    if (number.empty()) throw std::runtime_error("Xvfb did not start");
    display_ = ":" + number;

    if (options_.Compositor) compositor_ = Spawn({"xcompmgr"}, root_ + "/xcompmgr.log");
    Run({"wineserver", "-p"});
    driver_ = Spawn({"wine", DriverExe()}, root_ + "/driver.log", &driverIn_, &driverOut_);
    if (Ask("ping") != "pong") throw std::runtime_error("the driver did not answer");
    if (!options_.Background.empty()) Ask("backdrop " + options_.Background);
}

Session::~Session() {
    if (driverIn_ >= 0) {
        (void)!write(driverIn_, "quit\n", 5);
        close(driverIn_);
    }
    if (driverOut_ >= 0) close(driverOut_);
    Run({"wineserver", "-k"});
    started_.push_back(driver_);
    for (pid_t pid : started_) {
        if (pid <= 0) continue;
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    for (pid_t pid : {compositor_, xvfb_}) {
        if (pid <= 0) continue;
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
    if (!std::getenv("TAVRIN_KEEP_SESSION")) Run({"rm", "-rf", root_});
}

std::vector<std::string> Session::Environment() const {
    std::vector<std::string> environment;
    for (char** entry = environ; *entry; ++entry) {
        std::string variable = *entry;
        for (const char* name : {"WINEPREFIX=", "WINEDEBUG=", "WINEDLLOVERRIDES=", "DISPLAY="})
            if (variable.rfind(name, 0) == 0) variable.clear();
        if (!options_.Locale.empty() && variable.rfind("LC_ALL=", 0) == 0) variable.clear();
        if (!variable.empty()) environment.push_back(variable);
    }
    environment.push_back("WINEPREFIX=" + prefix_);
    environment.push_back("WINEDEBUG=-all");
    environment.push_back("WINEDLLOVERRIDES=winemenubuilder.exe=d;mscoree,mshtml=");
    if (!display_.empty()) environment.push_back("DISPLAY=" + display_);
    if (!options_.Locale.empty()) environment.push_back("LC_ALL=" + options_.Locale);
    return environment;
}

pid_t Session::Spawn(const std::vector<std::string>& argv, const std::string& logFile, int* stdinFd, int* stdoutFd) {
    int in[2] = {-1, -1}, out[2] = {-1, -1};
    if (stdinFd && (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0)) throw std::runtime_error("no pipe");
    std::vector<std::string> environment = Environment();
    const pid_t pid = fork();
    if (pid == 0) {
        // Output goes to a file, never to a pipe of ours: Wine's helper processes would keep it open.
        int log = open(logFile.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        int devnull = open("/dev/null", O_RDONLY);
        dup2(stdinFd ? in[0] : devnull, 0);
        dup2(stdoutFd ? out[1] : log, 1);
        dup2(log, 2);
        std::vector<char*> args;
        for (const auto& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
        args.push_back(nullptr);
        std::vector<char*> env;
        for (auto& variable : environment) env.push_back(variable.data());
        env.push_back(nullptr);
        execvpe(args[0], args.data(), env.data());
        _exit(127);
    }
    if (stdinFd) {
        close(in[0]);
        close(out[1]);
        *stdinFd = in[1];
        *stdoutFd = out[0];
    }
    return pid;
}

int Session::Run(const std::vector<std::string>& argv) {
    const pid_t pid = Spawn(argv, root_.empty() ? "/dev/null" : root_ + "/commands.log");
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void Session::Install(const std::vector<std::string>& programs) {
    const std::string folder = UnixPath(options_.InstallFolder);
    Run({"mkdir", "-p", folder});
    for (const auto& program : programs) Run({"cp", ProgramsDir() + "/" + program, folder + "/" + program});
}

void Session::Uninstall(const std::string& program) {
    Run({"rm", "-f", UnixPath(options_.InstallFolder) + "/" + program});
}

std::string Session::UnixPath(const std::string& windowsPath) const {
    std::string path = windowsPath;
    if (path.size() >= 2 && path[1] == ':') path = prefix_ + "/drive_c" + path.substr(2);
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

pid_t Session::Start(const std::string& windowsPath, const std::vector<std::string>& arguments) {
    std::vector<std::string> argv = {"wine", windowsPath};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    const pid_t pid = Spawn(argv, root_ + "/programs.log");
    started_.push_back(pid);
    return pid;
}

void Session::Kill(pid_t pid) {
    kill(pid, SIGKILL);
    WaitExit(pid, 5s);
}

bool Session::Running(pid_t pid) { return !WaitExit(pid, Millis(0)).has_value(); }

std::optional<int> Session::WaitExit(pid_t pid, Millis timeout) {
    std::optional<int> result;
    WaitFor(
        [&] {
            int status = 0;
            const pid_t done = waitpid(pid, &status, WNOHANG);
            if (done == pid) {
                result = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
                for (auto& each : started_)
                    if (each == pid) each = -1;
            } else if (done < 0) {
                result = -1;  // already collected
            }
            return result.has_value();
        },
        timeout);
    return result;
}

std::string Session::Ask(const std::string& command) {
    const std::string line = command + "\n";
    if (write(driverIn_, line.data(), line.size()) != static_cast<ssize_t>(line.size()))
        throw std::runtime_error("the driver is gone");
    for (;;) {
        const auto end = driverBuffer_.find('\n');
        if (end != std::string::npos) {
            std::string answer = driverBuffer_.substr(0, end);
            driverBuffer_.erase(0, end + 1);
            if (!answer.empty() && answer.back() == '\r') answer.pop_back();
            return answer;
        }
        pollfd wait{driverOut_, POLLIN, 0};
        if (poll(&wait, 1, 20000) <= 0) throw std::runtime_error("the driver did not answer: " + command);
        char chunk[4096];
        const ssize_t got = read(driverOut_, chunk, sizeof chunk);
        if (got <= 0) throw std::runtime_error("the driver ended");
        driverBuffer_.append(chunk, static_cast<std::size_t>(got));
    }
}

std::string Session::FindWindow(const std::string& windowClass, const std::string& caption) {
    return Ask("find " + (windowClass.empty() ? std::string("-") : windowClass) + " " + caption);
}

std::string Session::WaitWindow(const std::string& windowClass, const std::string& caption, Millis timeout) {
    std::string hwnd = "0";
    WaitFor(
        [&] {
            hwnd = FindWindow(windowClass, caption);
            return hwnd != "0";
        },
        timeout);
    return hwnd;
}

std::string Session::WaitMessageBox(const std::string& caption, Millis timeout) {
    std::string hwnd = "0";
    const bool shown = WaitFor(
        [&] {
            hwnd = FindWindow("#32770", caption);
            return hwnd != "0" && Ask("visible " + hwnd) == "1";
        },
        timeout);
    return shown ? hwnd : "0";
}

bool Session::WaitGone(const std::string& windowClass, const std::string& caption, Millis timeout) {
    return WaitFor([&] { return FindWindow(windowClass, caption) == "0"; }, timeout);
}

std::vector<std::string> Session::WindowsOf(const std::string& caption) {
    std::istringstream in(Ask("findpid " + caption));
    std::vector<std::string> windows;
    std::string entry;
    while (in >> entry) windows.push_back(entry.substr(0, entry.find(':')));
    return windows;
}

Rect Session::WindowRect(const std::string& hwnd) {
    Rect rect;
    std::istringstream(Ask("rect " + hwnd)) >> rect.Left >> rect.Top >> rect.Right >> rect.Bottom;
    return rect;
}

Rect Session::ClientRect(const std::string& hwnd) {
    Rect rect;
    int width = 0, height = 0;
    std::istringstream(Ask("client " + hwnd)) >> rect.Left >> rect.Top >> width >> height;
    rect.Right = rect.Left + width;
    rect.Bottom = rect.Top + height;
    return rect;
}

std::vector<Child> Session::Children(const std::string& hwnd) {
    std::istringstream in(Ask("children " + hwnd));
    std::vector<Child> children;
    std::string entry;
    while (in >> entry) {
        Child child;
        child.Hwnd = entry.substr(0, entry.find(':'));
        int visible = 0;
        std::sscanf(entry.c_str() + entry.find(':') + 1, "%d,%d,%d,%d,%d", &child.X, &child.Y, &child.Width,
                    &child.Height, &visible);
        child.Visible = visible != 0;
        children.push_back(child);
    }
    return children;
}

unsigned long Session::Style(const std::string& hwnd) {
    unsigned long style = 0, exStyle = 0;
    std::istringstream(Ask("style " + hwnd)) >> std::hex >> style >> exStyle;
    return style;
}

unsigned long Session::ExStyle(const std::string& hwnd) {
    unsigned long style = 0, exStyle = 0;
    std::istringstream(Ask("style " + hwnd)) >> std::hex >> style >> exStyle;
    return exStyle;
}

bool Session::Topmost(const std::string& hwnd) { return (ExStyle(hwnd) & 0x8) != 0; }  // WS_EX_TOPMOST

std::string Session::Above(const std::string& hwnd) { return Ask("above " + hwnd); }

RegValue Session::AskValue(const std::string& command) {
    std::istringstream in(Ask(command));
    RegValue value;
    std::string first;
    in >> first;
    if (first.rfind("missing", 0) == 0) return value;
    value.Present = true;
    value.Type = static_cast<unsigned>(std::stoul(first));
    std::string hex;
    in >> value.Size >> hex;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        value.Data.push_back(static_cast<unsigned char>(std::stoul(hex.substr(i, 2), nullptr, 16)));
    return value;
}

RegValue Session::Query(const std::string& root, const std::string& path, const std::string& name) {
    return AskValue("regq " + root + " " + NameWord(name) + " " + path);
}

RegValue Session::QueryW(const std::string& root, const std::string& path, const std::string& name) {
    return AskValue("regqw " + root + " " + NameWord(name) + " " + path);
}

bool Session::KeyExists(const std::string& root, const std::string& path) {
    return Ask("regkey " + root + " " + path) == "1";
}

void Session::SetValue(const std::string& root, const std::string& path, const std::string& name, unsigned type,
                       const std::vector<unsigned char>& data) {
    if (Ask("regset " + root + " " + NameWord(name) + " " + std::to_string(type) + " " + Hex(data) + " " + path) != "0")
        throw std::runtime_error("cannot set " + name);
}

void Session::SetText(const std::string& path, const std::string& name, const std::string& text) {
    SetValue("HKCU", path, name, 1, std::vector<unsigned char>(text.begin(), text.end()));
}

void Session::SetDword(const std::string& path, const std::string& name, unsigned value) {
    const settings::DwordData bytes = settings::DwordToBytes(value);
    SetValue("HKCU", path, name, settings::TypeDword, {bytes.begin(), bytes.end()});
}

void Session::DeleteValue(const std::string& root, const std::string& path, const std::string& name) {
    Ask("regdel " + root + " " + NameWord(name) + " " + path);
}

void Session::MouseMove(int x, int y) { Run({"xdotool", "mousemove", std::to_string(x), std::to_string(y)}); }
void Session::MouseDown(int button) { Run({"xdotool", "mousedown", std::to_string(button)}); }
void Session::MouseUp(int button) { Run({"xdotool", "mouseup", std::to_string(button)}); }
void Session::Click(int button) { Run({"xdotool", "click", std::to_string(button)}); }

void Session::Keys(const std::string& keys) {
    std::vector<std::string> argv{"xdotool", "key", "--delay", "60"};
    std::istringstream in(keys);
    std::string key;
    while (in >> key) argv.push_back(key);
    Run(argv);
}

void Session::Drag(int fromX, int fromY, int toX, int toY, int steps) {
    MouseMove(fromX, fromY);
    usleep(150000);
    MouseDown(1);
    for (int step = 1; step <= steps; ++step) {
        MouseMove(fromX + (toX - fromX) * step / steps, fromY + (toY - fromY) * step / steps);
        usleep(30000);
    }
    usleep(150000);
    MouseUp(1);
    usleep(200000);
}

std::string Session::Screenshot(const std::string& file) {
    Run({"import", "-window", "root", "-depth", "8", file});
    return file;
}

std::vector<std::string> Session::OpenedUrls() {
    std::istringstream in(ReadFile(prefix_ + "/opened-urls.log"));
    std::vector<std::string> urls;
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) urls.push_back(line);
    return urls;
}

void Session::RemoveBrowser() {
    const std::string none = "/nonexistent/browser";
    SetValue("HKCU", "Software\\Wine\\WineBrowser", "Browsers", 1,
             std::vector<unsigned char>(none.begin(), none.end()));
}

void Session::Restart() {
    (void)!write(driverIn_, "quit\n", 5);
    close(driverIn_);
    close(driverOut_);
    driverBuffer_.clear();
    Run({"wineserver", "-k"});
    Run({"wineserver", "-w"});
    started_.push_back(driver_);
    for (pid_t& pid : started_) {
        if (pid <= 0) continue;
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        pid = -1;
    }
    Run({"wineserver", "-p"});
    Run({"wine", "wineboot", "-r"});
    driver_ = Spawn({"wine", DriverExe()}, root_ + "/driver.log", &driverIn_, &driverOut_);
    if (Ask("ping") != "pong") throw std::runtime_error("the driver did not answer after the restart");
}

}  // namespace e2e
