// skinner: shows "Please wait" while the bar fills, then starts TavrinEyes.exe again and ends.

#include "App.h"
#include "Splash.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    forms::App.Title = "skinner";
    static skinner::Form1 splash;
    splash.Show();

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
