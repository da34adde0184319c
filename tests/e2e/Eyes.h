#pragma once
// Helpers for scenarios with the eyes running: finding their two windows and reading the pupils.

#include "tests/e2e/Session.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace e2e {

inline constexpr const char* FormClass = product::WindowClass;

struct EyesWindows {
    std::string Form1, Form6;
};

// Starts the installed eyes and waits until both windows stand, the pupils' directly above the skin's
// (start-up is over: the skin's window is shown, and so activated, before the pupils' is brought back
// to the front).
inline EyesWindows StartEyes(Session& session, pid_t* pid = nullptr) {
    const pid_t started = session.StartInstalled(product::EyesProgram);
    if (pid) *pid = started;
    EyesWindows eyes;
    eyes.Form6 = session.WaitWindow(FormClass, "Form6", 15s);
    eyes.Form1 = session.WaitWindow(FormClass, "Form1", 5s);
    Session::WaitFor(
        [&] {
            return session.Ask("visible " + eyes.Form1) == "1" && session.Ask("visible " + eyes.Form6) == "1" &&
                   session.Above(eyes.Form6) == eyes.Form1;
        },
        5s);
    return eyes;
}

// After a restart (a skin switch through skinner): the skin window of the new eyes, once shown, or
// "0" when none came within the time.
inline std::string WaitNewOverlay(Session& session, const std::string& oldForm6, Millis timeout = 15s) {
    std::string form6 = "0";
    const bool shown = Session::WaitFor(
        [&] {
            form6 = session.FindWindow(FormClass, "Form6");
            return form6 != "0" && form6 != oldForm6 && session.Ask("visible " + form6) == "1";
        },
        timeout);
    return shown ? form6 : "0";
}

// The settings of a later run on a 1024 x 768 screen.
inline void StoreLaterRun(Session& session, int left, int top, unsigned onTop, unsigned skin) {
    session.SetText(settings::SettingsKey, "scres", "1024X768");
    session.SetText(settings::SettingsKey, "left", std::to_string(left));
    session.SetText(settings::SettingsKey, "top", std::to_string(top));
    session.SetDword(settings::SettingsKey, "ontop", onTop);
    session.SetDword(settings::SettingsKey, "skin", skin);
}

// The stored place of the eyes, "left" and "top" as their texts stand.
inline std::pair<std::string, std::string> StoredPlace(Session& session) {
    return {session.Query("HKCU", settings::SettingsKey, "left").Text(),
            session.Query("HKCU", settings::SettingsKey, "top").Text()};
}
using Place = std::pair<std::string, std::string>;

// The pupils' child windows of Form1: left pupil, right pupil (base_image is the 124 x 81 one); `side`
// is the pupils' size, 14 at 100 %.
inline std::pair<Child, Child> Pupils(Session& session, const std::string& form1, int side = 14) {
    std::vector<Child> pupils;
    for (const Child& child : session.Children(form1))
        if (child.Width == side && child.Height == side) pupils.push_back(child);
    if (pupils.size() != 2) return {};
    if (pupils[0].X > pupils[1].X) std::swap(pupils[0], pupils[1]);
    return {pupils[0], pupils[1]};
}

// A number measured on a screenshot of the whole display with ImageMagick's fx expressions, e.g.
// "-crop 1x1+307+247 -format %[fx:int(255*r)]"; -1 when it could not be measured.
inline double MeasureScreen(Session& session, const std::string& name, const std::string& operations) {
    const std::string shot = session.Screenshot(session.PrefixDir() + "/" + name + ".png");
    const std::string command = "convert '" + shot + "' " + operations + " info:";
    FILE* pipe = popen(command.c_str(), "r");
    char value[64] = {};
    const bool read = pipe && fgets(value, sizeof value, pipe);
    if (pipe) pclose(pipe);
    return read ? std::stod(value) : -1;
}

// The CPU time a Linux process has run, all threads, in milliseconds.
inline double CpuMillis(pid_t pid) {
    double total = 0;
    for (const auto& task : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task")) {
        std::ifstream stat(task.path() / "schedstat");
        double nanoseconds = 0;
        if (stat >> nanoseconds) total += nanoseconds / 1e6;
    }
    return total;
}

// The eyes' timers sleep: in 300 ms they run for under 3 ms (awake, about 9 under Wine; asleep,
// under 1).
inline bool WaitAsleep(pid_t eyes, Millis timeout = 5s) {
    return Session::WaitFor(
        [&] {
            const double before = CpuMillis(eyes);
            usleep(300000);
            return CpuMillis(eyes) - before < 3;
        },
        timeout, 0ms);
}

inline bool MenuOpen(Session& session) {
    const std::string menu = session.FindWindow("#32768", "-");
    return menu != "0" && session.Ask("visible " + menu) == "1";
}

// Right-click at a point and wait for the menu.
inline bool OpenMenuAt(Session& session, int x, int y) {
    session.MouseMove(x, y);
    usleep(250000);
    session.Click(3);
    return Session::WaitFor([&] { return MenuOpen(session); }, 3s);
}

// The menu's commands, by the number of Down presses from the top (separators are skipped).
enum Item { About = 1, Skin = 2, OnTop = 3, RunAtStartup = 4, Close = 5, Homepage = 6 };

inline void Choose(Session& session, int downs, const std::string& then = "Return") {
    std::string keys;
    for (int i = 0; i < downs; ++i) keys += "Down ";
    session.Keys(keys + then);
    Session::WaitFor([&] { return !MenuOpen(session); }, 3s);
}

inline std::vector<unsigned char> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

}  // namespace e2e
