#include "forms/MessageLoop.h"

#include "forms/Failure.h"

#include <windows.h>

namespace forms {

int Run(const std::function<void()>& start) {
    try {
        start();
    } catch (...) {
        ReportFailure(std::current_exception());
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace forms
