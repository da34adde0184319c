#pragma once
// The one way a failure ends a program: what escapes a window procedure, a timer or the start-up is
// shown in a message box with the application's title, and the program ends.

#include <exception>

namespace forms {

// Shows the failure's description (an exclamation box with an OK button) and ends the program.
void ReportFailure(std::exception_ptr failure) noexcept;

// Tests put their own reporter in place of the message box and the end; nullptr restores them.
using FailureReporter = void (*)(const char* description);
void SetFailureReporter(FailureReporter reporter) noexcept;

}  // namespace forms
