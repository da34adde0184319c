// skinner: shows "Please wait" while the bar fills, then starts TavrinEyes.exe again and ends.

#include "forms/App.h"
#include "forms/MessageLoop.h"
#include "product/Identity.h"
#include "skinner/Splash.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    forms::App.Title = product::Stem(product::SkinnerProgram);
    static skinner::Form1 splash;
    return forms::Run([] { splash.Show(); });
}
