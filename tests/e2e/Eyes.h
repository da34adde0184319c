#pragma once
// Helpers for scenarios with the eyes running: finding their two windows and reading the pupils.

#include "Session.h"

#include <gtest/gtest.h>

namespace e2e {

inline constexpr char FormClass[] = "TavrinEyesForm";

struct EyesWindows {
    std::string form1, form6;
};

// Starts the installed eyes and waits until both windows stand (start-up is over).
inline EyesWindows StartEyes(Session& session, pid_t* pid = nullptr) {
    const pid_t started = session.StartInstalled("TavrinEyes.exe");
    if (pid) *pid = started;
    EyesWindows eyes;
    eyes.form6 = session.WaitWindow(FormClass, "Form6", 15s);
    eyes.form1 = session.WaitWindow(FormClass, "Form1", 5s);
    Session::WaitFor([&] { return session.Ask("visible " + eyes.form1) == "1" && session.Ask("visible " + eyes.form6) == "1"; }, 5s);
    return eyes;
}

// The pupils' child windows of Form1: left pupil, right pupil (base_image is the 124 x 81 one).
inline std::pair<Child, Child> Pupils(Session& session, const std::string& form1) {
    std::vector<Child> pupils;
    for (const Child& child : session.Children(form1))
        if (child.width == 14 && child.height == 14) pupils.push_back(child);
    if (pupils.size() != 2) return {};
    if (pupils[0].x > pupils[1].x) std::swap(pupils[0], pupils[1]);
    return {pupils[0], pupils[1]};
}

inline std::vector<unsigned char> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

}  // namespace e2e
