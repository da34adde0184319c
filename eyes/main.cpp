// TavrinEyes: a pair of eyes whose pupils follow the mouse cursor.

#include "App.h"
#include "Program.h"
#include "Win32Registry.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    forms::App.Title = settings::ApplicationTitle;
    static settings::Win32Registry registry;
    static eyes::Program program(registry);
    program.form1.Show();

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
