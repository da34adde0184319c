#include "forms/App.h"

#include "forms/Handles.h"

namespace forms {

AppObject App;
ScreenObject Screen;

std::wstring AppObject::ModuleFile() const {
    std::wstring file(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, file.data(), static_cast<DWORD>(file.size()));
        if (length < file.size()) {
            file.resize(length);
            return file;
        }
        file.resize(file.size() * 2);
    }
}

std::wstring AppObject::Path() const {
    std::wstring file = ModuleFile();
    std::wstring directory = file.substr(0, file.find_last_of(L'\\'));
    if (directory.size() == 2 && directory[1] == L':') directory += L'\\';  // a drive root keeps its "\"
    return directory;
}

std::wstring AppObject::SiblingPath(std::wstring_view fileName) const {
    std::wstring path = Path();
    if (path.back() != L'\\') path += L'\\';
    return path.append(fileName);
}

std::wstring AppObject::EXEName() const {
    std::wstring file = ModuleFile();
    std::wstring name = file.substr(file.find_last_of(L'\\') + 1);
    return name.substr(0, name.find_last_of(L'.'));
}

HWND AppObject::HiddenOwner() {
    if (!hiddenOwner_)
        hiddenOwner_.reset(
            CreateWindowExA(0, "STATIC", Title.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, Instance(), nullptr));
    return hiddenOwner_.get();
}

namespace {

// The system's DPI is fixed for the life of the process (a change of the main monitor's scale takes a
// new sign-in for it), so it is read once.
int ReadDpi() {
    unique_hdc_window screen(nullptr);
    const int dpi = GetDeviceCaps(screen.get(), LOGPIXELSX);
    return dpi > 0 ? dpi : DefaultDpi;
}
const int screenDpi = ReadDpi();
const float twipsPerPixel = TwipsPerPixelAt(screenDpi);
}  // namespace

int WindowDpi(HWND window) {
    static const auto dpiForWindow = User32Function<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    return dpiForWindow && window ? static_cast<int>(dpiForWindow(window)) : 0;
}

int SystemMetricAt(int index, int dpi) {
    static const auto metricForDpi = User32Function<int(WINAPI*)(int, UINT)>("GetSystemMetricsForDpi");
    return metricForDpi ? metricForDpi(index, static_cast<UINT>(dpi)) : GetSystemMetrics(index);
}

RECT FrameAroundAt(RECT client, DWORD style, DWORD exStyle, int dpi) {
    static const auto adjustAtDpi =
        User32Function<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    if (!adjustAtDpi || !adjustAtDpi(&client, style, FALSE, exStyle, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&client, style, FALSE, exStyle);
    return client;
}

int ScreenObject::Dpi() const { return screenDpi; }
float ScreenObject::TwipsPerPixelX() const { return twipsPerPixel; }
float ScreenObject::TwipsPerPixelY() const { return twipsPerPixel; }
float ScreenObject::Width() const { return static_cast<float>(GetSystemMetrics(SM_CXSCREEN)) * TwipsPerPixelX(); }
float ScreenObject::Height() const { return static_cast<float>(GetSystemMetrics(SM_CYSCREEN)) * TwipsPerPixelY(); }

}  // namespace forms
