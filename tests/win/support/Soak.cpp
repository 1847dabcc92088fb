#include "support/Soak.h"

#include "platform/Handles.h"
#include "platform/ui/Application.h"

#include <psapi.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <stdexcept>
#include <vector>

namespace orvane::test {
namespace {

int ButtonCount(HWND toolbar) {
    return toolbar ? static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0)) : 0;
}

// Every button of the simulator: its notification area and its overflow window.
int TrayButtons(const SimulatorProcess& tray) {
    const HWND notify = FindWindowExW(tray.Taskbar(), nullptr, L"TrayNotifyWnd", nullptr);
    const HWND pager = FindWindowExW(notify, nullptr, L"SysPager", nullptr);
    const HWND overflow = FindProcessWindow(tray.Pid(), L"NotifyIconOverflowWindow");
    return ButtonCount(FindWindowExW(pager, nullptr, L"ToolbarWindow32", nullptr)) +
           ButtonCount(FindWindowExW(overflow, nullptr, L"ToolbarWindow32", nullptr));
}

// Commit charge: PrivateUsage, or PagefileUsage (the same figure on Windows) where only that
// is filled, as under Wine, which counts anonymous memory there.
SIZE_T PrivateBytes() {
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (!GetProcessMemoryInfo(GetCurrentProcess(),
                              reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory))
        return 0;
    return memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
}

struct HandleEntry {
    ULONG_PTR object, process, handle;
    ULONG access;
    USHORT creatorBackTrace, type;
    ULONG attributes, reserved;
};
struct HandleTable {
    ULONG_PTR count, reserved;
    HandleEntry entries[1];
};

// The system's table of open handles, counted for this process.
DWORD HandlesInSystemTable() {
    using Query = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);
    const FARPROC found =
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation");
    if (!found) return 0;
    const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(found));
    constexpr ULONG SystemExtendedHandleInformation = 64;
    constexpr LONG InfoLengthMismatch = static_cast<LONG>(0xC0000004);
    std::vector<ULONG_PTR> buffer(1 << 16);
    for (int attempt = 0; attempt < 8; ++attempt) {
        ULONG needed = 0;
        const ULONG bytes = static_cast<ULONG>(buffer.size() * sizeof(ULONG_PTR));
        const LONG status = query(SystemExtendedHandleInformation, buffer.data(), bytes, &needed);
        if (status == InfoLengthMismatch) {
            buffer.resize(std::max<size_t>(buffer.size() * 2, needed / sizeof(ULONG_PTR) + 1024));
            continue;
        }
        if (status < 0) return 0;
        const auto* table = reinterpret_cast<const HandleTable*>(buffer.data());
        const size_t room = (bytes - offsetof(HandleTable, entries)) / sizeof(HandleEntry);
        DWORD mine = 0;
        for (size_t i = 0; i < std::min<size_t>(table->count, room); ++i)
            mine += table->entries[i].process == GetCurrentProcessId();
        return mine;
    }
    return 0;
}

// GetProcessHandleCount, or where it answers 0 (Wine) the system's handle table.
DWORD HandleCount() {
    DWORD count = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &count) && count) return count;
    return HandlesInSystemTable();
}

SoakCheckpoint Read(int cycle) {
    SoakCheckpoint read;
    read.cycle = cycle;
    read.held = HeldNow();
    read.privateBytes = PrivateBytes();
    read.handles = HandleCount();
    read.gdiObjects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    read.userObjects = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    return read;
}

} // namespace

HeldResources HeldNow() {
    using namespace platform;
    return {UniqueIcon::Held(), UniqueBitmap::Held(),   UniqueFont::Held(), UniqueBrush::Held(),
            UniquePen::Held(),  UniqueMemoryDc::Held(), UniqueMenu::Held(), UniqueHandle::Held()};
}

void PrintTo(const HeldResources& h, std::ostream* out) {
    *out << h.icons << " icons, " << h.bitmaps << " bitmaps, " << h.fonts << " fonts, " << h.brushes
         << " brushes, " << h.pens << " pens, " << h.memoryDcs << " memory DCs, " << h.menus
         << " menus, " << h.kernelHandles << " handles";
}

std::vector<SoakCheckpoint> Soak(ProgramWindows& program, const SimulatorProcess& tray, int cycles,
                                 const std::vector<int>& readAfter) {
    TDozedeR64Form& form = program.main;
    const int buttons = TrayButtons(tray);
    if (buttons == 0) throw std::runtime_error("the simulated tray has no buttons");
    if (!form.Visible()) {
        form.SetWindowState(ui::WindowState::Minimized);
        form.Show();
    }
    form.SetWindowState(ui::WindowState::Minimized);
    ui::App().ProcessMessages();

    const auto wanted = [&](int cycle) {
        return std::find(readAfter.begin(), readAfter.end(), cycle) != readAfter.end();
    };
    std::vector<SoakCheckpoint> checkpoints;
    if (wanted(0)) checkpoints.push_back(Read(0));
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        form.SetWindowState(ui::WindowState::Normal);
        ui::App().ProcessMessages();
        if (form.GetWindowState() != ui::WindowState::Normal || form.FormMinimized)
            throw std::runtime_error("restore " + std::to_string(cycle) + " did not stay restored");
        if (form.TotalBtnCount != buttons) {
            throw std::runtime_error("restore " + std::to_string(cycle) + " showed " +
                                     std::to_string(form.TotalBtnCount) + " of " +
                                     std::to_string(buttons) + " buttons");
        }
        form.SetWindowState(ui::WindowState::Minimized);
        ui::App().ProcessMessages();
        if (wanted(cycle)) checkpoints.push_back(Read(cycle));
    }
    return checkpoints;
}

std::string SoakScenario(int icons) {
    std::string text = "layout win7\n";
    for (int i = 0; i < icons; ++i) {
        text += std::string("icon ") + (i % 5 == 4 ? "overflow" : "tray") +
                " id=" + std::to_string(i + 1) + " msg=0x8001 color=#" +
                (i % 2 ? "3080ff" : "ff8030") + " tip=Icon " + std::to_string(i) + "\n";
    }
    return text;
}

std::string Describe(const SoakCheckpoint& c) {
    const HeldResources& h = c.held;
    char line[512];
    std::snprintf(line, sizeof line,
                  "after %d cycles: private %.2f MB, %lu kernel handles; held: %ld icons, "
                  "%ld bitmaps, %ld fonts, %ld brushes, %ld pens, %ld memory DCs, %ld menus, "
                  "%ld handles",
                  c.cycle, static_cast<double>(c.privateBytes) / (1024.0 * 1024.0),
                  static_cast<unsigned long>(c.handles), h.icons, h.bitmaps, h.fonts, h.brushes,
                  h.pens, h.memoryDcs, h.menus, h.kernelHandles);
    std::string text = line;
    if (c.gdiObjects || c.userObjects) {
        std::snprintf(line, sizeof line, "; GDI objects %lu, USER objects %lu",
                      static_cast<unsigned long>(c.gdiObjects),
                      static_cast<unsigned long>(c.userObjects));
        text += line;
    }
    return text;
}

} // namespace orvane::test
