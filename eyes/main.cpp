// TavrinEyes: a pair of eyes whose pupils follow the mouse cursor.

#include "eyes/Program.h"
#include "forms/App.h"
#include "forms/MessageLoop.h"
#include "settings/Win32Registry.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    forms::App.Title = settings::ApplicationTitle;
    static settings::Win32Registry registry;
    static eyes::Program program(registry);
    return forms::Run([] { program.Start(); });
}
