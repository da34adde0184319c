#pragma once
// The programs' one message loop.

#include <functional>

namespace forms {

// Runs `start` (which shows the program's first form), then dispatches the thread's messages until
// WM_QUIT, the keys of a form's tab order to that form (forms/TabOrder.h). A failure of the start is
// reported like any other (ReportFailure).
int Run(const std::function<void()>& start);

}  // namespace forms
