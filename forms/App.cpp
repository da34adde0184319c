#include "App.h"

namespace forms {

AppObject App;
ScreenObject Screen;

std::string AppObject::ModuleFile() const {
    std::string file(MAX_PATH, '\0');
    for (;;) {
        DWORD length = GetModuleFileNameA(nullptr, file.data(), static_cast<DWORD>(file.size()));
        if (length < file.size()) {
            file.resize(length);
            return file;
        }
        file.resize(file.size() * 2);
    }
}

std::string AppObject::Path() const {
    std::string file = ModuleFile();
    std::string directory = file.substr(0, file.find_last_of('\\'));
    if (directory.size() == 2 && directory[1] == ':') directory += '\\';  // a drive root keeps its "\"
    return directory;
}

std::string AppObject::EXEName() const {
    std::string file = ModuleFile();
    std::string name = file.substr(file.find_last_of('\\') + 1);
    return name.substr(0, name.find_last_of('.'));
}

HWND AppObject::HiddenOwner() {
    if (!hiddenOwner_)
        hiddenOwner_ =
            CreateWindowExA(0, "STATIC", Title.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, Instance(), nullptr);
    return hiddenOwner_;
}

namespace {
// The system's DPI is fixed for the life of a DPI-unaware process, so it is read once.
float TwipsPerPixel(int axis) {
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, axis);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? 1440.0f / static_cast<float>(dpi) : 15.0f;
}
const float twipsPerPixelX = TwipsPerPixel(LOGPIXELSX);
const float twipsPerPixelY = TwipsPerPixel(LOGPIXELSY);
}  // namespace

float ScreenObject::TwipsPerPixelX() const { return twipsPerPixelX; }
float ScreenObject::TwipsPerPixelY() const { return twipsPerPixelY; }
float ScreenObject::Width() const { return static_cast<float>(GetSystemMetrics(SM_CXSCREEN)) * TwipsPerPixelX(); }
float ScreenObject::Height() const { return static_cast<float>(GetSystemMetrics(SM_CYSCREEN)) * TwipsPerPixelY(); }

}  // namespace forms
