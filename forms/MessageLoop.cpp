#include "forms/MessageLoop.h"

#include "forms/Failure.h"
#include "forms/TabOrder.h"

#include <windows.h>

#include <objbase.h>

namespace forms {

int Run(const std::function<void()>& start) {
    // The shell's handlers of an address may be COM objects: the thread that asks the shell to open
    // one is a single-threaded apartment, without the old OLE1 DDE.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    struct ComScope {
        bool Entered;
        ~ComScope() {
            if (Entered) CoUninitialize();
        }
    } scope{SUCCEEDED(com)};
    try {
        start();
    } catch (...) {
        ReportFailure(std::current_exception());
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        // Tab, Enter, Space and Esc in a form with a tab order are the form's, whichever of its
        // controls has the focus.
        if (HandleFormKey(message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace forms
