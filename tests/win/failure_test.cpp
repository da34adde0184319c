// Failures that reach Windows: whatever a window procedure, a timer or the start-up throws goes to
// the one reporter (in the programs: a message box titled with the application title, then the end).
// Here the reporter records the description and lets the test go on.

#include "forms/Failure.h"
#include "forms/Form.h"
#include "forms/MessageLoop.h"
#include "forms/Timer.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::vector<std::string> reported;

void Record(const char* description) {
    reported.emplace_back(description);
    if (reported.size() == 3) PostQuitMessage(0);
}

class Failing : public forms::Form {
public:
    Failing() : Form(forms::FormLayout{}) {}

protected:
    void Form_MouseDown(int, int, float, float) override { throw std::runtime_error("The press failed."); }
};

TEST(FailurePolicy, ThrowsFromAWindowTheStartAndATimerReachTheReporterOnce) {
    forms::SetFailureReporter(&Record);
    Failing form;
    forms::Timer timer(form, 10, [&timer] {
        timer.SetEnabled(false);
        throw std::logic_error("The tick failed.");
    });
    forms::Run([&] {
        form.Load();
        timer.SetEnabled(true);
        SendMessageA(form.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        throw std::runtime_error("The start failed.");
    });
    forms::SetFailureReporter(nullptr);

    EXPECT_EQ(reported, (std::vector<std::string>{"The press failed.", "The start failed.", "The tick failed."}));
    EXPECT_NE(form.hWnd(), nullptr) << "the window outlives a failure in its own procedure";
}

}  // namespace
