// The test driver: a console program that runs in the same Wine prefix as the programs under test
// and answers one line per command read from standard input. It reads windows (positions, styles,
// owners, z-order), message boxes, the registry and which process started a program, moves the
// cursor, can hold a file open as another program would, and emulates two monitors at two scales. It
// reads what assistive technology is told of a window, and sets the system's colours.
//
// Window handles are written and read as hexadecimal numbers; 0 means none.

#include <windows.h>
//
#include <ole2.h>
#include <oleacc.h>
#include <tlhelp32.h>

#include "tests/e2e/driver/TwoMonitors.h"

#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

HWND ToHwnd(const std::string& text) { return reinterpret_cast<HWND>(std::stoull(text, nullptr, 16)); }

std::string Hex(const void* handle) {
    char text[32];
    std::snprintf(text, sizeof text, "%llx", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(handle)));
    return text;
}

std::string Arg(std::istringstream& in) {
    std::string word;
    in >> word;
    return word == "-" ? std::string() : word;
}

// The rest of the line, for captions and registry paths with blanks.
std::string Rest(std::istringstream& in) {
    std::string rest;
    std::getline(in >> std::ws, rest);
    return rest;
}

// A value name, with its blanks written as %20 so that it stays one word on the line.
std::string NameArg(std::istringstream& in) {
    std::string name = Arg(in);
    for (std::size_t at = name.find("%20"); at != std::string::npos; at = name.find("%20", at + 1))
        name.replace(at, 3, " ");
    return name;
}

HKEY Root(const std::string& name) { return name == "HKLM" ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }

std::string WindowText(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ClassOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// Visible top-level windows from the top of the z-order down.
std::vector<HWND> VisibleTopLevel() {
    std::vector<HWND> windows;
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT))
        if (IsWindowVisible(window)) windows.push_back(window);
    return windows;
}

// A value as "type size hex-bytes", or "missing[-key] status". Through RegQueryValueExW (`wide`), text
// comes as UTF-16; the names here are ASCII.
std::string QueryValue(HKEY root, const std::string& path, const std::string& name, bool wide) {
    HKEY key = nullptr;
    LONG status = RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key);
    if (status != ERROR_SUCCESS) return "missing-key " + std::to_string(status);
    std::vector<BYTE> data(4096);
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(data.size());
    const std::wstring wideName(name.begin(), name.end());
    status = wide ? RegQueryValueExW(key, wideName.c_str(), nullptr, &type, data.data(), &size)
                  : RegQueryValueExA(key, name.c_str(), nullptr, &type, data.data(), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return "missing " + std::to_string(status);
    std::ostringstream out;
    out << type << " " << size << " ";
    for (DWORD i = 0; i < size; ++i) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02x", data[i]);
        out << hex;
    }
    return out.str();
}

// Gives a key a DACL: an empty one lets nobody open it (its owner can still change the DACL), none at
// all lets everybody. The result is the registry's status.
LONG SetKeyDacl(HKEY root, const std::string& path, bool locked) {
    HKEY key = nullptr;
    LONG status = RegOpenKeyExA(root, path.c_str(), 0, WRITE_DAC, &key);
    if (status != ERROR_SUCCESS) return status;
    SECURITY_DESCRIPTOR descriptor;
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    ACL empty;
    InitializeAcl(&empty, sizeof empty, ACL_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, locked ? &empty : nullptr, FALSE);
    status = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor);
    RegCloseKey(key);
    return status;
}

// Gives a key a DACL of one entry that lets everybody read it and nobody write it, as a standard
// user sees a machine-wide key. The result is the registry's status.
LONG SetKeyReadOnly(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    LONG status = RegOpenKeyExA(root, path.c_str(), 0, WRITE_DAC, &key);
    if (status != ERROR_SUCCESS) return status;
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
    std::vector<BYTE> aclBytes(sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + GetLengthSid(everyone));
    auto* acl = reinterpret_cast<ACL*>(aclBytes.data());
    InitializeAcl(acl, static_cast<DWORD>(aclBytes.size()), ACL_REVISION);
    AddAccessAllowedAce(acl, ACL_REVISION, KEY_READ, everyone);
    SECURITY_DESCRIPTOR descriptor;
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE);
    status = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor);
    RegCloseKey(key);
    FreeSid(everyone);
    return status;
}

// A desktop-coloured window under every other one, for screenshots over a coloured desktop. It has
// its own thread, which pumps its messages while the main thread waits for commands.
DWORD WINAPI BackdropThread(void* parameter) {
    const COLORREF color = static_cast<COLORREF>(reinterpret_cast<UINT_PTR>(parameter));
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = CreateSolidBrush(color);
    windowClass.lpszClassName = "TavrinTestBackdrop";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, windowClass.lpszClassName, "Backdrop", WS_POPUP,
                                  0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
    SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}

// Two monitors at two scales, emulated in the process of the programs (TwoMonitors.h): the layout and
// the watched windows in shared memory, and the hook that loads two_monitors.dll into that process.
//   monitors <hwnd> <boundary> <left dpi> <right dpi>: watches every top-level window of the thread
//     that owns the window, each at the scale of the monitor that holds its larger part now;
//   monitors off: ends the emulation;
//   dpichanges <hwnd>: "<the window's emulated dpi> <the WM_DPICHANGED it was sent>".
std::string TwoMonitors(const std::string& command, std::istringstream& in) {
    static two_monitors::Layout* layout = nullptr;
    static HHOOK hook = nullptr;
    const std::string first = Arg(in);
    if (command == "dpichanges") {
        for (LONG i = 0; layout && i < layout->Count; ++i)
            if (layout->Windows[i].Handle == ToHwnd(first))
                return std::to_string(layout->Windows[i].Dpi) + " " + std::to_string(layout->Windows[i].Changes);
        return "unwatched";
    }
    if (hook) UnhookWindowsHookEx(hook);
    hook = nullptr;
    if (layout) layout->Count = 0;
    if (first == "off") return "ok";
    if (!layout) {
        const HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                                  sizeof(two_monitors::Layout), two_monitors::SharedName);
        if (mapping)
            layout = static_cast<two_monitors::Layout*>(
                MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(two_monitors::Layout)));
        if (!layout) return "no-memory";
    }
    *layout = {0, 0, 0, 0, {}};
    in >> layout->Boundary >> layout->LeftDpi >> layout->RightDpi;
    const DWORD thread = GetWindowThreadProcessId(ToHwnd(first), nullptr);
    EnumThreadWindows(
        thread,
        [](HWND each, LPARAM found) -> BOOL {
            auto& watched = *reinterpret_cast<two_monitors::Layout*>(found);
            RECT rect{};
            GetWindowRect(each, &rect);
            const LONG dpi = two_monitors::DpiOn(watched, two_monitors::Side(watched, rect));
            watched.Windows[watched.Count++] = {each, dpi, 0, 0};
            return watched.Count < two_monitors::MaxWindows;
        },
        reinterpret_cast<LPARAM>(layout));
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dllPath = path;
    dllPath = dllPath.substr(0, dllPath.find_last_of(L"\\/") + 1) + L"two_monitors.dll";
    const HMODULE dll = LoadLibraryW(dllPath.c_str());
    const auto proc = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void (*)()>(dll ? GetProcAddress(dll, "TwoMonitorsHook") : nullptr));
    hook = proc ? SetWindowsHookExW(WH_CALLWNDPROCRET, proc, dll, thread) : nullptr;
    return hook ? "ok" : "no-hook " + std::to_string(GetLastError());
}

// Who started a running program: "<parent's file name> shell" when the parent is the process of the
// desktop shell's window, "<parent's file name>" when not, "none" when no process runs that file.
std::string ParentOf(const std::string& exe) {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return "none";
    std::vector<PROCESSENTRY32> processes;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        processes.push_back(entry);
    CloseHandle(snapshot);
    HWND shell = GetShellWindow();
    if (!shell) shell = GetDesktopWindow();
    DWORD shellProcess = 0;
    GetWindowThreadProcessId(shell, &shellProcess);
    for (const PROCESSENTRY32& child : processes) {
        if (lstrcmpiA(child.szExeFile, exe.c_str()) != 0) continue;
        for (const PROCESSENTRY32& parent : processes)
            if (parent.th32ProcessID == child.th32ParentProcessID)
                return std::string(parent.szExeFile) + (parent.th32ProcessID == shellProcess ? " shell" : "");
        return "(ended)";
    }
    return "none";
}

// What assistive technology is told of a window's client area (OBJID_CLIENT) or of the window itself
// (OBJID_WINDOW), or of a child of it: "role|name|value|description|default action|state", "-" where
// nothing is said; "none <hresult>" when there is no object.
std::string Accessible(HWND window, LONG object, LONG child, const std::string& ask) {
    static const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    IAccessible* accessible = nullptr;
    const HRESULT found = AccessibleObjectFromWindow(window, static_cast<DWORD>(object), __uuidof(IAccessible),
                                                     reinterpret_cast<void**>(&accessible));
    if (!com || FAILED(found) || !accessible) return "none " + Hex(reinterpret_cast<void*>(found & 0xFFFFFFFF));
    VARIANT id;
    VariantInit(&id);
    id.vt = VT_I4;
    id.lVal = child;
    const auto text = [](HRESULT result, BSTR value) {
        std::string narrow = "-";
        if (SUCCEEDED(result) && value && SysStringLen(value) > 0) {
            char buffer[1024] = {};
            WideCharToMultiByte(CP_ACP, 0, value, -1, buffer, sizeof buffer - 1, nullptr, nullptr);
            narrow = buffer;
        }
        if (value) SysFreeString(value);
        return narrow;
    };
    std::ostringstream out;
    if (ask == "count") {
        long count = -1;
        accessible->get_accChildCount(&count);
        out << count;
    } else if (ask == "focus") {  // the child with the keyboard focus: its id (0 itself), or none
        VARIANT focus;
        VariantInit(&focus);
        accessible->get_accFocus(&focus);
        if (focus.vt == VT_I4)
            out << focus.lVal;
        else
            out << (focus.vt == VT_DISPATCH ? "object" : "none");
        VariantClear(&focus);
    } else if (ask == "do") {  // its default action
        out << Hex(reinterpret_cast<void*>(accessible->accDoDefaultAction(id) & 0xFFFFFFFF));
    } else {
        VARIANT role, state;
        VariantInit(&role);
        VariantInit(&state);
        accessible->get_accRole(id, &role);
        accessible->get_accState(id, &state);
        BSTR name = nullptr, value = nullptr, description = nullptr, action = nullptr;
        const HRESULT named = accessible->get_accName(id, &name);
        const HRESULT valued = accessible->get_accValue(id, &value);
        const HRESULT described = accessible->get_accDescription(id, &description);
        const HRESULT acted = accessible->get_accDefaultAction(id, &action);
        out << (role.vt == VT_I4 ? std::to_string(role.lVal) : "-") << "|" << text(named, name) << "|"
            << text(valued, value) << "|" << text(described, description) << "|" << text(acted, action) << "|"
            << std::hex << (state.vt == VT_I4 ? state.lVal : 0);
    }
    accessible->Release();
    return out.str();
}

// A dark contrast theme's colours (white text on black, yellow links) or the light ones Wine starts
// with, and the high-contrast flag (which Wine does not keep). Programs started afterwards read them.
std::string SetContrast(bool dark) {
    const int elements[] = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_HOTLIGHT, COLOR_BTNFACE, COLOR_BTNTEXT};
    const COLORREF darkColors[] = {RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 255, 0), RGB(0, 0, 0),
                                   RGB(255, 255, 255)};
    const COLORREF lightColors[] = {RGB(255, 255, 255), RGB(0, 0, 0), RGB(0, 0, 255), RGB(240, 240, 240), RGB(0, 0, 0)};
    const BOOL set = SetSysColors(5, elements, dark ? darkColors : lightColors);
    HIGHCONTRASTA contrast{};
    contrast.cbSize = sizeof contrast;
    contrast.dwFlags = dark ? HCF_HIGHCONTRASTON : 0;
    const BOOL flagged = SystemParametersInfoA(SPI_SETHIGHCONTRAST, sizeof contrast, &contrast, SPIF_SENDCHANGE);
    return std::to_string(set) + " " + std::to_string(flagged);
}

std::string Answer(const std::string& line) {
    std::istringstream in(line);
    std::string command;
    in >> command;
    std::ostringstream out;

    if (command == "find") {  // find <class|-> <caption...>
        std::string windowClass = Arg(in);
        std::string caption = Rest(in);
        if (caption == "-") caption.clear();
        out << Hex(FindWindowA(windowClass.empty() ? nullptr : windowClass.c_str(),
                               caption.empty() ? nullptr : caption.c_str()));
    } else if (command == "findpid") {  // findpid <caption> : windows of that caption with their owner process ids
        std::string caption = Rest(in);
        for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
            if (WindowText(window) != caption) continue;
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            out << Hex(window) << ":" << pid << " ";
        }
    } else if (command == "rect") {
        RECT rect{};
        GetWindowRect(ToHwnd(Arg(in)), &rect);
        out << rect.left << " " << rect.top << " " << rect.right << " " << rect.bottom;
    } else if (command == "client") {  // the client area's origin on the screen and its size
        HWND window = ToHwnd(Arg(in));
        RECT rect{};
        GetClientRect(window, &rect);
        POINT origin{0, 0};
        ClientToScreen(window, &origin);
        out << origin.x << " " << origin.y << " " << rect.right << " " << rect.bottom;
    } else if (command == "children") {  // child windows: handle, rectangle in the parent's client area, visible
        HWND parent = ToHwnd(Arg(in));
        for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            RECT rect{};
            GetWindowRect(child, &rect);
            MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
            out << Hex(child) << ":" << rect.left << "," << rect.top << "," << rect.right - rect.left << ","
                << rect.bottom - rect.top << "," << (IsWindowVisible(child) ? 1 : 0) << " ";
        }
    } else if (command == "style") {
        HWND window = ToHwnd(Arg(in));
        out << std::hex << GetWindowLongA(window, GWL_STYLE) << " " << GetWindowLongA(window, GWL_EXSTYLE);
    } else if (command == "owner") {
        out << Hex(GetWindow(ToHwnd(Arg(in)), GW_OWNER));
    } else if (command == "visible") {
        out << (IsWindowVisible(ToHwnd(Arg(in))) ? 1 : 0);
    } else if (command == "foreground") {
        out << Hex(GetForegroundWindow());
    } else if (command == "above") {  // the visible top-level window directly above this one
        HWND window = ToHwnd(Arg(in));
        HWND above = nullptr;
        for (HWND each : VisibleTopLevel()) {
            if (each == window) break;
            above = each;
        }
        out << Hex(above);
    } else if (command == "caption") {
        out << WindowText(ToHwnd(Arg(in)));
    } else if (command == "class") {
        out << ClassOf(ToHwnd(Arg(in)));
    } else if (command == "colorkey") {  // the colour key and alpha of a layered window
        COLORREF key = 0;
        BYTE alpha = 0;
        DWORD flags = 0;
        if (GetLayeredWindowAttributes(ToHwnd(Arg(in)), &key, &alpha, &flags))
            out << int(GetRValue(key)) << "," << int(GetGValue(key)) << "," << int(GetBValue(key)) << " " << int(alpha)
                << " " << flags;
        else
            out << "none";
    } else if (command == "cursor") {
        int x = std::stoi(Arg(in));
        int y = std::stoi(Arg(in));
        SetCursorPos(x, y);
        out << "ok";
    } else if (command == "getcursor") {
        POINT point{};
        GetCursorPos(&point);
        out << point.x << " " << point.y;
    } else if (command == "cursorshape") {  // the cursor now shown on the screen, whichever program set it
        CURSORINFO info{};
        info.cbSize = sizeof info;
        GetCursorInfo(&info);
        out << Hex(info.hCursor);
    } else if (command == "face") {  // face <name>: the typeface a font of that name gets (a stand-in if missing)
        const std::string name = Rest(in);
        HFONT font = CreateFontA(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, name.c_str());
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ previous = SelectObject(dc, font);
        char face[LF_FACESIZE] = {};
        GetTextFaceA(dc, sizeof face, face);
        SelectObject(dc, previous);
        DeleteDC(dc);
        DeleteObject(font);
        out << face;
    } else if (command == "msgtext") {  // the text of a message box
        HWND box = ToHwnd(Arg(in));
        out << WindowText(GetDlgItem(box, 0xFFFF));
    } else if (command == "msgicon") {  // whether the message box shows an icon
        HWND box = ToHwnd(Arg(in));
        int icons = 0;
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (ClassOf(child) == "Static" && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
                IsWindowVisible(child))
                ++icons;
        out << icons;
    } else if (command == "msgbuttons") {  // the captions of its buttons
        HWND box = ToHwnd(Arg(in));
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (ClassOf(child) == "Button" && IsWindowVisible(child)) out << WindowText(child) << ";";
    } else if (command == "press") {  // press a dialog's button by id
        HWND box = ToHwnd(Arg(in));
        int id = std::stoi(Arg(in));
        SendMessageA(GetDlgItem(box, id), BM_CLICK, 0, 0);
        out << "ok";
    } else if (command == "postpress") {  // postpress <hwnd> <id>: the same, not waiting for what it opens
        HWND box = ToHwnd(Arg(in));
        int id = std::stoi(Arg(in));
        PostMessageA(GetDlgItem(box, id), BM_CLICK, 0, 0);
        out << "ok";
    } else if (command == "key") {  // key <hwnd> <virtual key> : a key press posted to a window
        HWND window = ToHwnd(Arg(in));
        WPARAM key = std::stoul(Arg(in), nullptr, 0);
        PostMessageA(window, WM_KEYDOWN, key, 0);
        PostMessageA(window, WM_KEYUP, key, 0xC0000000);
        out << "ok";
    } else if (command == "follow") {  // follow <window> <cursor x y | input dx dy> : ms until the window moves
        // The pointer put there by SetCursorPos, or moved by SendInput (raw input, as a real mouse gives).
        HWND window = ToHwnd(Arg(in));
        const std::string how = Arg(in);
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = MOUSEEVENTF_MOVE;
        in >> input.mi.dx >> input.mi.dy;
        RECT before{}, now{};
        GetWindowRect(window, &before);
        LARGE_INTEGER frequency, start, end;
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&start);
        how == "cursor" ? SetCursorPos(input.mi.dx, input.mi.dy) : SendInput(1, &input, sizeof input);
        do {
            Sleep(1);
            GetWindowRect(window, &now);
            QueryPerformanceCounter(&end);
        } while (EqualRect(&before, &now) && end.QuadPart - start.QuadPart < 2 * frequency.QuadPart);
        out << (EqualRect(&before, &now) ? -1 : (end.QuadPart - start.QuadPart) * 1000 / frequency.QuadPart);
    } else if (command == "monitors" || command == "dpichanges") {
        out << TwoMonitors(command, in);
    } else if (command == "close") {
        PostMessageA(ToHwnd(Arg(in)), WM_CLOSE, 0, 0);
        out << "ok";
    } else if (command == "regq" || command == "regqw") {  // regq[w] <HKCU|HKLM> <value> <path...>
        HKEY root = Root(Arg(in));
        std::string name = NameArg(in);
        return QueryValue(root, Rest(in), name, command == "regqw");
    } else if (command == "regkey") {  // whether a key exists
        HKEY root = Root(Arg(in));
        std::string path = Rest(in);
        HKEY key = nullptr;
        LONG status = RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key);
        if (status == ERROR_SUCCESS) RegCloseKey(key);
        out << (status == ERROR_SUCCESS ? 1 : 0);
    } else if (command == "regset") {  // regset <HKCU|HKLM> <value> <type> <hex-bytes|-> <path...>
        HKEY root = Root(Arg(in));
        std::string name = NameArg(in);
        DWORD type = std::stoul(Arg(in));
        std::string hex = Arg(in);
        std::string path = Rest(in);
        std::vector<BYTE> data;
        for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
            data.push_back(static_cast<BYTE>(std::stoul(hex.substr(i, 2), nullptr, 16)));
        HKEY key = nullptr;
        RegCreateKeyA(root, path.c_str(), &key);
        // A guard byte after the data keeps the stored byte count exact for string types.
        std::vector<BYTE> copy = data;
        copy.push_back(0xFF);
        LONG status = RegSetValueExA(key, name.c_str(), 0, type, copy.data(), static_cast<DWORD>(data.size()));
        RegCloseKey(key);
        out << status;
    } else if (command == "regdel") {  // regdel <HKCU|HKLM> <value> <path...>
        HKEY root = Root(Arg(in));
        std::string name = NameArg(in);
        std::string path = Rest(in);
        out << RegDeleteKeyValueA(root, path.c_str(), name.c_str());
    } else if (command == "reglock" || command == "regunlock") {  // reglock <HKCU|HKLM> <path...>
        HKEY root = Root(Arg(in));
        out << SetKeyDacl(root, Rest(in), command == "reglock");
    } else if (command == "regreadonly") {  // regreadonly <HKCU|HKLM> <path...>
        HKEY root = Root(Arg(in));
        out << SetKeyReadOnly(root, Rest(in));
    } else if (command == "backdrop") {  // backdrop <rrggbb>
        const unsigned long rgb = std::stoul(Arg(in), nullptr, 16);
        const COLORREF color = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
        CreateThread(nullptr, 0, BackdropThread, reinterpret_cast<void*>(static_cast<UINT_PTR>(color)), 0, nullptr);
        Sleep(300);
        out << "ok";
    } else if (command == "hold") {  // hold <path...> : opens a file, shared for reading only, until the driver ends
        const HANDLE file =
            CreateFileA(Rest(in).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        out << (file != INVALID_HANDLE_VALUE ? "ok" : "failed " + std::to_string(GetLastError()));
    } else if (command == "parent") {  // parent <file name of a program> : who started it (ParentOf)
        out << ParentOf(Rest(in));
    } else if (command == "acc" || command == "accwindow") {  // acc[window] <hwnd> [child id|count|focus|do]
        const HWND window = ToHwnd(Arg(in));
        const std::string ask = Arg(in);
        const bool number = !ask.empty() && ask.find_first_not_of("0123456789") == std::string::npos;
        out << Accessible(window, command == "acc" ? OBJID_CLIENT : OBJID_WINDOW, number ? std::stol(ask) : 0,
                          number ? std::string() : ask);
    } else if (command == "contrast") {  // contrast dark|light
        out << SetContrast(Arg(in) == "dark");
    } else if (command == "settingchange") {  // tells every window that a setting changed
        DWORD_PTR result = 0;
        SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
        out << "ok";
    } else if (command == "ping") {
        out << "pong";
    } else {
        out << "unknown command";
    }
    return out.str();
}

}  // namespace

int main() {
    std::ios::sync_with_stdio(false);
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line == "quit") break;
        std::cout << Answer(line) << "\n" << std::flush;
    }
    return 0;
}
