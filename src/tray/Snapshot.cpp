#include "core/DozedeR64Form.h"
#include "platform/Handles.h"
#include "platform/ScopedFlag.h"
#include "platform/Shell.h"
#include "platform/ui/Application.h"
#include "resources/Texts.h"

#include <cwchar>

namespace orvane {
namespace {

static_assert(sizeof(TBBUTTON) == 32 && sizeof(TBBUTTONINFOW) == 48);

constexpr SIZE_T TextUnits = 1024;
// A toolbar of another process answers what it likes; no tray holds more buttons.
constexpr LRESULT MaxButtonsPerToolbar = 4096;

// A child lookup under a window that was not found finds nothing (a null parent would
// search the top-level windows instead).
HWND FindChild(HWND parent, const wchar_t* className, const wchar_t* title = nullptr) {
    return parent ? FindWindowExW(parent, nullptr, className, title) : nullptr;
}

template <class T> bool ReadRemote(HANDLE process, const void* address, T& into) {
    SIZE_T read = 0;
    return ReadProcessMemory(process, address, &into, sizeof into, &read) && read == sizeof into;
}

} // namespace

void TDozedeR64Form::Button1Click() {
    // A refresh asked for from the messages that a refresh processes would resize the arrays
    // under the running one; the running one takes a fresh snapshot again when it ends.
    if (Refreshing) {
        RefreshAgain = true;
        return;
    }
    const platform::ScopedFlag refreshing(Refreshing);
    do {
        RefreshAgain = false;
        RefreshBoard();
    } while (RefreshAgain && !MyAppEnd);
}

void TDozedeR64Form::RefreshBoard() {
    const HWND taskbar = platform::Use<platform::Shell>().FindTaskbar();
    HTrayNotifyWindow = FindChild(taskbar, L"TrayNotifyWnd");
    HTrayClockWindow = FindChild(HTrayNotifyWindow, L"TrayClockWClass");
    HWND showButton = nullptr;
    if (!IsWin7 && !IsWin8) showButton = FindChild(HTrayNotifyWindow, L"Button");
    if (IsWin8) HTrayInputIndicator = FindChild(HTrayNotifyWindow, L"TrayInputIndicatorWClass");
    const HWND mainToolbar =
        FindChild(FindChild(HTrayNotifyWindow, L"SysPager"), L"ToolbarWindow32");
    if (IsVista) {
        HVistaSystemIconTray = nullptr;
        if (HTrayNotifyWindow) {
            EnumChildWindows(
                HTrayNotifyWindow,
                [](HWND child, LPARAM self) {
                    return reinterpret_cast<TDozedeR64Form*>(self)->FindSystemIconTrayProc(child,
                                                                                           0);
                },
                reinterpret_cast<LPARAM>(this));
        }
    }
    HWND overflowToolbar = nullptr;
    if (IsWin7 || IsWin8) {
        HOverflowWindow = FindWindowW(L"NotifyIconOverflowWindow", nullptr);
        overflowToolbar = FindChild(HOverflowWindow, L"ToolbarWindow32");
    }

    TotalBtnCount = 0;
    if (!mainToolbar) {
        ui::ShowMessage(texts::TrayInfoFailed1);
        return;
    }
    GetTaskTrayInfo(mainToolbar);
    IconCountOnTaskTray = TotalBtnCount;
    if (TotalBtnCount == 0) {
        ui::ShowMessage(texts::TrayInfoFailed0);
        return;
    }
    ui::App().ProcessMessages();

    if (IsWin7 || IsWin8) {
        if (overflowToolbar) {
            GetTaskTrayInfo(overflowToolbar);
            IconCountOnOverflowWindow = TotalBtnCount - IconCountOnTaskTray;
        } else {
            ui::ShowMessage(texts::OverflowInfoFailed2);
        }
    }
    if (IsVista && IsWindow(HVistaSystemIconTray)) {
        GetTaskTrayInfo(HVistaSystemIconTray);
        IconCountOnSystemIconTray = TotalBtnCount - IconCountOnTaskTray;
    }
    ShowButtonExists =
        (IsWin7 || IsWin8) ? IconCountOnOverflowWindow > 0 : IsWindowVisible(showButton) != FALSE;
    ui::App().ProcessMessages();

    if (TotalBtnCount > 0 && GetWindowState() != ui::WindowState::Minimized) LayOutBoard();
}

void TDozedeR64Form::GetTaskTrayInfo(HWND hTaskTrayWnd) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hTaskTrayWnd, &pid);
    const platform::UniqueHandle process(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
    if (!process) {
        ui::ShowMessage(texts::TrayInfoFailed3);
        return;
    }
    const platform::RemoteMemory buttonBuffer(process.Get(), sizeof(TBBUTTON));
    const platform::RemoteMemory infoBuffer(process.Get(), sizeof(TBBUTTONINFOW));
    const platform::RemoteMemory textBuffer(process.Get(), TextUnits * sizeof(wchar_t));
    if (!buttonBuffer || !infoBuffer || !textBuffer) return;

    LRESULT count = SendMessageW(hTaskTrayWnd, TB_BUTTONCOUNT, 0, 0);
    ui::App().ProcessMessages();
    if (count <= 0) return;
    if (count > MaxButtonsPerToolbar) count = MaxButtonsPerToolbar;

    const size_t base = static_cast<size_t>(TotalBtnCount);
    const size_t total = base + static_cast<size_t>(count);
    // Slots of buttons that are skipped stay empty rather than keep an earlier icon.
    TrayNotify.resize(total);
    ToolTip.resize(total);
    std::fill(TrayNotify.begin() + static_cast<std::ptrdiff_t>(base), TrayNotify.end(),
              TTrayNotify{});
    std::fill(ToolTip.begin() + static_cast<std::ptrdiff_t>(base), ToolTip.end(), std::wstring());
    TotalBtnCount = static_cast<std::int32_t>(total);

    wchar_t text[TextUnits];
    for (size_t i = 0; i < static_cast<size_t>(count); ++i) {
        TBBUTTON button{};
        if (!SendMessageW(hTaskTrayWnd, TB_GETBUTTON, i,
                          reinterpret_cast<LPARAM>(buttonBuffer.Address())) ||
            !ReadRemote(process.Get(), buttonBuffer.Address(), button) || button.dwData == 0) {
            continue;
        }
        TBBUTTONINFOW info{};
        info.cbSize = sizeof info;
        info.dwMask = TBIF_TEXT | TBIF_LPARAM | TBIF_COMMAND;
        info.pszText = static_cast<LPWSTR>(textBuffer.Address());
        info.cchText = static_cast<int>(TextUnits);
        SIZE_T written = 0;
        if (!WriteProcessMemory(process.Get(), infoBuffer.Address(), &info, sizeof info,
                                &written)) {
            continue;
        }
        SendMessageW(hTaskTrayWnd, TB_GETBUTTONINFOW, static_cast<WPARAM>(button.idCommand),
                     reinterpret_cast<LPARAM>(infoBuffer.Address()));
        SIZE_T read = 0;
        if (!ReadRemote(process.Get(), infoBuffer.Address(), info) ||
            !ReadProcessMemory(process.Get(), textBuffer.Address(), text, sizeof text, &read) ||
            read != sizeof text) {
            continue;
        }
        TTrayNotify entry{};
        if (!ReadRemote(process.Get(), reinterpret_cast<const void*>(info.lParam), entry)) continue;
        TrayNotify[base + i] = entry;
        // Never past the buffer, whatever the toolbar wrote into it.
        ToolTip[base + i].assign(text, wcsnlen(text, TextUnits - 1));
    }
}

BOOL TDozedeR64Form::FindSystemIconTrayProc(HWND hWnd, LPARAM) {
    wchar_t className[260] = {};
    GetClassNameW(hWnd, className, 260);
    if (std::wcscmp(className, L"SysPager") == 0) {
        if (const HWND toolbar =
                FindWindowExW(hWnd, nullptr, L"ToolbarWindow32", texts::SystemIconToolbarTitle)) {
            HVistaSystemIconTray = toolbar;
            return FALSE;
        }
    }
    return -1;
}

} // namespace orvane
