// UserStart.exe: the setup's way to start a program as the signed-in user at their normal level.
//
// The setup runs with administrator rights, and whatever it starts itself inherits them. So it asks
// the desktop shell that already runs for the user to start the program instead: the shell's
// desktop window is found through the shell windows collection (IShellWindows::FindWindowSW), its
// view's automation object (IShellFolderViewDual) hands out the shell's application object
// (IShellDispatch2), whose ShellExecute runs in the shell's own unelevated process. Where no shell
// answers (Explorer restarting, another shell, a remote application session), nothing is started:
// starting a shell of our own would give it, and what it starts, the setup's rights.
//
//   UserStart.exe --check          whether a desktop shell answers; starts nothing
//   UserStart.exe <program path>   has the shell start the program, in its own folder
// Exit codes: 0 done (or a shell answers), 2 no desktop shell answered (within 30 s), 3 the shell
// refused to start the program, 4 wrong arguments.

#include "forms/Handles.h"

#include <windows.h>
//
#include <exdisp.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>
#include <shobjidl.h>
// After the shell's interfaces: its ShellExecute macro would rename their method of that name.
#include <shellapi.h>
#undef ShellExecute

#include <string>

namespace {

constexpr int Started = 0;
constexpr int NoShell = 2;
constexpr int Refused = 3;
constexpr int Usage = 4;

// A VARIANT cleared on the way out.
class Variant {
public:
    Variant() { VariantInit(&value_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    ~Variant() { VariantClear(&value_); }
    VARIANT* get() { return &value_; }
    VARIANT& operator*() { return value_; }

private:
    VARIANT value_;
};

// A BSTR freed on the way out.
class Bstr {
public:
    explicit Bstr(const std::wstring& text) : text_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { SysFreeString(text_); }
    BSTR get() const { return text_; }

private:
    BSTR text_;
};

// COM for this thread, for as long as it lives.
class ComApartment {
public:
    ComApartment() : ready_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (ready_) CoUninitialize();
    }
    bool ready() const { return ready_; }

private:
    bool ready_;
};

// The shell's application object, reached through the desktop window of the shell that runs now;
// `shellProcess` is the process that owns that window. Empty when no desktop shell answers.
void DesktopShell(forms::unique_com<IShellDispatch2>& shell, DWORD& shellProcess) {
    forms::unique_com<IShellWindows> windows;
    if (FAILED(
            CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows, windows.put_void())))
        return;
    Variant desktopPlace;
    (*desktopPlace).vt = VT_I4;
    (*desktopPlace).lVal = CSIDL_DESKTOP;
    Variant noRoot;
    long desktopWindow = 0;
    forms::unique_com<IDispatch> desktop;
    if (windows->FindWindowSW(desktopPlace.get(), noRoot.get(), SWC_DESKTOP, &desktopWindow, SWFO_NEEDDISPATCH,
                              desktop.put()) != S_OK ||
        !desktop)
        return;
    forms::unique_com<IServiceProvider> services;
    forms::unique_com<IShellBrowser> browser;
    forms::unique_com<IShellView> view;
    forms::unique_com<IDispatch> background;
    forms::unique_com<IShellFolderViewDual> folderView;
    forms::unique_com<IDispatch> application;
    if (FAILED(desktop->QueryInterface(IID_IServiceProvider, services.put_void())) ||
        FAILED(services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.put_void())) ||
        FAILED(browser->QueryActiveShellView(view.put())) ||
        FAILED(view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, background.put_void())) ||
        FAILED(background->QueryInterface(IID_IShellFolderViewDual, folderView.put_void())) ||
        FAILED(folderView->get_Application(application.put())) ||
        FAILED(application->QueryInterface(IID_IShellDispatch2, reinterpret_cast<void**>(shell.put()))))
        return;
    shellProcess = 0;
    GetWindowThreadProcessId(reinterpret_cast<HWND>(static_cast<LONG_PTR>(desktopWindow)), &shellProcess);
}

// The folder of a program path: everything before its last backslash.
std::wstring FolderOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

int Run(int argc, wchar_t** argv) {
    if (argc != 2) return Usage;
    const std::wstring argument = argv[1];
    ComApartment com;
    if (!com.ready()) return NoShell;
    forms::unique_com<IShellDispatch2> shell;
    DWORD shellProcess = 0;
    DesktopShell(shell, shellProcess);
    if (!shell) return NoShell;
    if (argument == L"--check") return Started;

    // The program's window may come to the front: the shell starts it on our behalf.
    if (shellProcess != 0) AllowSetForegroundWindow(shellProcess);
    const Bstr file(argument);
    const Bstr folder(FolderOf(argument));
    Variant noArguments;
    (*noArguments).vt = VT_BSTR;
    (*noArguments).bstrVal = SysAllocString(L"");
    Variant directory;
    (*directory).vt = VT_BSTR;
    (*directory).bstrVal = SysAllocString(folder.get());
    Variant open;
    (*open).vt = VT_BSTR;
    (*open).bstrVal = SysAllocString(L"open");
    Variant normal;
    (*normal).vt = VT_I4;
    (*normal).lVal = SW_SHOWNORMAL;
    return SUCCEEDED(shell->ShellExecute(file.get(), *noArguments, *directory, *open, *normal)) ? Started : Refused;
}

// The setup waits for this program: a shell that hangs must not hold it for ever. The work runs on
// a thread of its own, and a shell that has not answered within ShellTimeoutMs counts as none.
constexpr DWORD ShellTimeoutMs = 30000;

DWORD WINAPI RunThread(void* result) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    *static_cast<int*>(result) = argv ? Run(argc, argv) : Usage;
    LocalFree(argv);
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    static int result = NoShell;
    const HANDLE worker = CreateThread(nullptr, 0, RunThread, &result, 0, nullptr);
    if (!worker) return NoShell;
    const DWORD waited = WaitForSingleObject(worker, ShellTimeoutMs);
    CloseHandle(worker);
    // A worker still waiting for the shell is inside a call to a hung Explorer, its state unknown:
    // TerminateProcess ends it without the DLL notifications ExitProcess would run on its behalf.
    TerminateProcess(GetCurrentProcess(), waited == WAIT_OBJECT_0 ? static_cast<UINT>(result) : NoShell);
    return NoShell;
}
