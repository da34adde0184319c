#include "forms/Failure.h"

#include "forms/App.h"
#include "forms/MsgBox.h"

#include <stdexcept>

namespace forms {

namespace {

FailureReporter reporter = nullptr;

std::string Describe(std::exception_ptr failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const std::exception& known) {
        return known.what();
    } catch (...) {
        return "Unexpected error.";
    }
}

}  // namespace

void ReportFailure(std::exception_ptr failure) noexcept {
    try {
        const std::string description = Describe(failure);
        if (reporter) {
            reporter(description.c_str());
            return;
        }
        MsgBox(description, MB_ICONEXCLAMATION, App.Title);
    } catch (...) {
        // Not even the report could be made: the program still ends.
    }
    App.End();
}

void SetFailureReporter(FailureReporter replacement) noexcept { reporter = replacement; }

}  // namespace forms
