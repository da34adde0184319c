// Reads the eyes from outside, for the soak run and the benchmark: a console program run under Wine
// in the eyes' own prefix. It finds the eyes by their window (class product::WindowClass, caption
// "Form1") and prints one line to standard output:
//   sampler stats   name=value fields: pid; handles (GetProcessHandleCount) and handles_list (the
//                   process's entries in the system's handle list); gdi and user (GetGuiResources);
//                   gdi_table (live entries of the process's GDI handle table, which its PEB points
//                   to); windows (top-level and child windows it owns); ws_kb and private_kb
//                   (GetProcessMemoryInfo). A call that fails prints its field as "fail:<code>".
//                   Two ways to each count, as some of the calls answer 0 under Wine.
//   sampler where   the eyes window's screen rectangle and each child window's, one per line
//   sampler menu    how many popup menus (class "#32768") stand visible on the desktop
// Exit status 0, or 2 when the eyes window does not exist, 1 for a bad argument.

#include "product/Identity.h"

#include <windows.h>
#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr const char* EyesClass = product::WindowClass;
constexpr char EyesCaption[] = "Form1";

std::string Field(const char* name, bool ok, unsigned long long value) {
    char text[64];
    if (ok)
        std::snprintf(text, sizeof text, " %s=%llu", name, value);
    else
        std::snprintf(text, sizeof text, " %s=fail:%lu", name, GetLastError());
    return text;
}

// Every window of the process: its top-level windows and all their descendants.
int CountWindows(DWORD pid) {
    struct Walk {
        DWORD pid;
        int count;
    } walk{pid, 0};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* walk = reinterpret_cast<Walk*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != walk->pid) return TRUE;
            ++walk->count;
            EnumChildWindows(
                window,
                [](HWND, LPARAM count) -> BOOL {
                    ++*reinterpret_cast<int*>(count);
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&walk->count));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&walk));
    return walk.count;
}

constexpr ULONG GdiHandleCount = 0x10000;   // entries of a GDI handle table
constexpr SIZE_T PebGdiTableOffset = 0xF8;  // PEB.GdiSharedHandleTable in a 64-bit process

// One entry of a GDI handle table; Type is 0 for a free entry.
struct GdiHandleEntry {
    ULONGLONG Object;
    USHORT ProcessId;
    USHORT Count;
    USHORT Unique;
    UCHAR Type;
    UCHAR Flags;
    ULONGLONG UserPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24);

// The process's entries in the system-wide handle list.
bool CountListedHandles(DWORD pid, unsigned long long& count) {
    std::vector<unsigned char> buffer(1 << 16);
    for (;;) {
        ULONG needed = 0;
        const NTSTATUS status = NtQuerySystemInformation(SystemHandleInformation, buffer.data(),
                                                         static_cast<ULONG>(buffer.size()), &needed);
        if (status == static_cast<NTSTATUS>(0xC0000004L)) {  // STATUS_INFO_LENGTH_MISMATCH
            buffer.resize(std::max<size_t>(buffer.size() * 2, needed + 4096));
            continue;
        }
        if (status != 0) {
            SetLastError(static_cast<DWORD>(status));
            return false;
        }
        break;
    }
    const auto* list = reinterpret_cast<const SYSTEM_HANDLE_INFORMATION*>(buffer.data());
    count = 0;
    for (ULONG i = 0; i < list->Count; ++i)
        if (list->Handle[i].OwnerPid == pid) ++count;
    return true;
}

// Live entries of the GDI handle table the process's PEB points to. Where the table is shared by all
// processes, only the entries owned by this one (or by no process) are counted.
bool CountGdiTable(HANDLE process, DWORD pid, unsigned long long& count) {
    PROCESS_BASIC_INFORMATION basic{};
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) return false;
    ULONGLONG table = 0;
    const auto* tableField = reinterpret_cast<const unsigned char*>(basic.PebBaseAddress) + PebGdiTableOffset;
    if (!ReadProcessMemory(process, tableField, &table, sizeof table, nullptr)) return false;
    if (table == 0) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return false;
    }
    std::vector<GdiHandleEntry> entries(GdiHandleCount);
    if (!ReadProcessMemory(process, reinterpret_cast<const void*>(table), entries.data(),
                           entries.size() * sizeof(GdiHandleEntry), nullptr))
        return false;
    count = 0;
    for (const GdiHandleEntry& entry : entries)
        if (entry.Type != 0 && (entry.ProcessId == 0 || entry.ProcessId == static_cast<USHORT>(pid))) ++count;
    return true;
}

int Stats(HWND eyes) {
    DWORD pid = 0;
    GetWindowThreadProcessId(eyes, &pid);
    std::string line = "pid=" + std::to_string(pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!process) {
        std::printf("%s open=fail:%lu\n", line.c_str(), GetLastError());
        return 0;
    }
    DWORD handles = 0;
    SetLastError(0);
    const bool handlesOk = GetProcessHandleCount(process, &handles) != 0;
    line += Field("handles", handlesOk, handles);
    unsigned long long listed = 0;
    const bool listedOk = CountListedHandles(pid, listed);
    line += Field("handles_list", listedOk, listed);
    // GetGuiResources gives 0 on failure; 0 objects is impossible for a process with windows, so a 0
    // is printed as it is and judged by the caller.
    SetLastError(0);
    line += Field("gdi", true, GetGuiResources(process, GR_GDIOBJECTS));
    line += Field("user", true, GetGuiResources(process, GR_USEROBJECTS));
    unsigned long long gdiTable = 0;
    const bool gdiTableOk = CountGdiTable(process, pid, gdiTable);
    line += Field("gdi_table", gdiTableOk, gdiTable);
    line += Field("windows", true, static_cast<unsigned>(CountWindows(pid)));
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    const bool memoryOk = GetProcessMemoryInfo(process, &memory, sizeof memory) != 0;
    line += Field("ws_kb", memoryOk, memory.WorkingSetSize / 1024);
    line += Field("private_kb", memoryOk, memory.PagefileUsage / 1024);
    CloseHandle(process);
    std::printf("%s\n", line.c_str());
    return 0;
}

void PrintRect(const char* name, HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    std::printf("%s %ld %ld %ld %ld %d\n", name, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                IsWindowVisible(window) ? 1 : 0);
}

int Where(HWND eyes) {
    PrintRect("form1", eyes);
    std::vector<HWND> children;
    EnumChildWindows(
        eyes,
        [](HWND child, LPARAM list) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    for (HWND child : children) PrintRect("child", child);
    return 0;
}

int Menus() {
    int visible = 0;
    EnumWindows(
        [](HWND window, LPARAM count) -> BOOL {
            char name[16] = {};
            GetClassNameA(window, name, sizeof name);
            if (std::strcmp(name, "#32768") == 0 && IsWindowVisible(window)) ++*reinterpret_cast<int*>(count);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&visible));
    std::printf("menu %d\n", visible);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: sampler stats|where|menu\n");
        return 1;
    }
    const std::string command = argv[1];
    if (command == "menu") return Menus();
    HWND eyes = FindWindowA(EyesClass, EyesCaption);
    if (command == "stats" || command == "where") {
        if (!eyes) {
            std::printf("none\n");
            return 2;
        }
        return command == "stats" ? Stats(eyes) : Where(eyes);
    }
    std::fprintf(stderr, "unknown command: %s\n", command.c_str());
    return 1;
}
