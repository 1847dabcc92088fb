#include "core/DozedeR64Form.h"
#include "platform/Handles.h"
#include "platform/ScopedFlag.h"
#include "platform/Shell.h"
#include "platform/ui/Application.h"
#include "resources/Texts.h"
#include "tray/ButtonBlock.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <utility>
#include <vector>

namespace orvane {
namespace {

static_assert(sizeof(TBBUTTONINFOW) == InfoRecordSize && TBIF_BYINDEX == 0x80000000u);
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

// Records this close together are copied in one piece.
constexpr std::uint64_t RunBytes = 4096;

// A shell that has stopped answering costs this much per toolbar, not a hang.
constexpr UINT ToolbarTimeout = 500;

bool Ask(HWND toolbar, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(toolbar, message, wParam, lParam, SMTO_ABORTIFHUNG, ToolbarTimeout,
                             &answer)) {
        return false;
    }
    result = static_cast<LRESULT>(answer);
    return true;
}

// The answers of one batch. The toolbar's thread answers the batch's questions one after the
// other without waiting for us in between; an answer that comes after its batch was given up
// finds another batch number and is dropped.
struct Answers {
    std::uint32_t batch;
    std::vector<bool> pending; // asked and not yet answered
    std::vector<bool>& answered;
    size_t waiting = 0;
};
thread_local Answers* openAnswers = nullptr;
thread_local std::uint32_t batches = 0;

void CALLBACK Answered(HWND, UINT, ULONG_PTR question, LRESULT result) {
    Answers* answers = openAnswers;
    const size_t slot = question & 0xFFFFFFFFu;
    if (!answers || question >> 32 != answers->batch || slot >= answers->pending.size() ||
        !answers->pending[slot]) {
        return;
    }
    answers->pending[slot] = false;
    answers->answered[slot] = result >= 0;
    --answers->waiting;
}

// Waits until every question is answered; false when the toolbar stopped answering for the
// time a single message may take.
bool Await(const Answers& answers) {
    DWORD lastAnswer = GetTickCount();
    size_t waiting = answers.waiting;
    while (answers.waiting > 0) {
        const DWORD waited = GetTickCount() - lastAnswer;
        if (waited >= ToolbarTimeout) return false;
        // Answers arrive as sent messages; looking at least every 10 ms does not depend on it.
        MsgWaitForMultipleObjectsEx(0, nullptr, std::min<DWORD>(ToolbarTimeout - waited, 10),
                                    QS_SENDMESSAGE, MWMO_INPUTAVAILABLE);
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        if (answers.waiting < waiting) {
            waiting = answers.waiting;
            lastAnswer = GetTickCount();
        }
    }
    return true;
}

// Sends TB_GETBUTTONINFOW for every slot at once: one round trip per batch, not per button.
// A slot is answered when the toolbar filled it in.
bool AskBatch(HWND toolbar, size_t first, size_t buttons, std::uintptr_t address,
              std::vector<bool>& answered) {
    Answers answers{++batches, std::vector<bool>(buttons, false), answered};
    const platform::ScopedValue<Answers*> open(openAnswers, &answers);
    for (size_t slot = 0; slot < buttons; ++slot) {
        const ULONG_PTR question = static_cast<ULONG_PTR>(answers.batch) << 32 | slot;
        // A toolbar of this thread answers within the call.
        answers.pending[slot] = true;
        ++answers.waiting;
        if (!SendMessageCallbackW(toolbar, TB_GETBUTTONINFOW, first + slot,
                                  static_cast<LPARAM>(address + InfoOffset(slot)), Answered,
                                  question)) {
            answers.pending[slot] = false;
            --answers.waiting;
        }
    }
    return Await(answers);
}

// One toolbar's buttons, read a batch at a time through one block in its process: one
// message per button, one copy of the block each way, one copy of each button's data.
struct ToolbarRead {
    HWND toolbar;
    HANDLE process;
    void* block;

    // False when the toolbar stopped answering; slots that could not be read stay as they are.
    bool Batch(size_t first, size_t buttons, TTrayNotify* entries, std::wstring* tips) const {
        const auto address = reinterpret_cast<std::uintptr_t>(block);
        std::vector<std::uint8_t> bytes = NewButtonBlock(address, buttons);
        SIZE_T moved = 0;
        const bool written =
            WriteProcessMemory(process, block, bytes.data(), bytes.size(), &moved) &&
            moved == bytes.size();
        std::vector<bool> answered(buttons, false);
        if (written && !AskBatch(toolbar, first, buttons, address, answered)) return false;
        if (!written || !ReadProcessMemory(process, block, bytes.data(), bytes.size(), &moved) ||
            moved != bytes.size()) {
            return true;
        }
        std::vector<std::pair<std::uint64_t, size_t>> records; // data address, slot
        std::vector<ButtonRead> read(buttons);
        for (size_t slot = 0; slot < buttons; ++slot) {
            if (!answered[slot]) continue;
            read[slot] = DecodeButton(bytes, buttons, slot);
            if (read[slot].data != 0) records.emplace_back(read[slot].data, slot);
        }
        // The shell's records mostly lie close together: one copy for each run of them.
        std::sort(records.begin(), records.end());
        for (size_t first = 0; first < records.size();) {
            size_t last = first;
            while (last + 1 < records.size() &&
                   records[last + 1].first - records[first].first < RunBytes) {
                ++last;
            }
            const std::uint64_t start = records[first].first;
            std::vector<std::uint8_t> run(records[last].first - start + sizeof(TTrayNotify));
            const bool whole = ReadProcessMemory(process, reinterpret_cast<const void*>(start),
                                                 run.data(), run.size(), &moved) &&
                               moved == run.size();
            for (size_t i = first; i <= last; ++i) {
                TTrayNotify entry{};
                if (whole) {
                    std::memcpy(&entry, run.data() + (records[i].first - start), sizeof entry);
                } else if (!ReadRemote(process, reinterpret_cast<const void*>(records[i].first),
                                       entry)) {
                    continue;
                }
                entries[records[i].second] = entry;
                tips[records[i].second] = std::move(read[records[i].second].tip);
            }
            first = last + 1;
        }
        return true;
    }
};

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
    TrayIconVersion.clear();
    // The toolbar where the shell has one, unless the user wants the collector.
    if (IconCollector && (TrayRoad == TrayRoadCollector || !ShellHasTrayToolbar())) {
        TakeCollectedIcons();
        if (GetWindowState() != ui::WindowState::Minimized) LayOutBoard();
        return;
    }
    CollectedPictures.clear();
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
    platform::RemoteMemory block(process.Get(), BlockSize(ButtonsPerBlock));
    if (!block) return;

    LRESULT count = 0;
    if (!Ask(hTaskTrayWnd, TB_BUTTONCOUNT, 0, 0, count)) count = 0;
    ui::App().ProcessMessages();
    if (count <= 0) return;
    if (count > MaxButtonsPerToolbar) count = MaxButtonsPerToolbar;

    const size_t base = static_cast<size_t>(TotalBtnCount);
    const size_t buttons = static_cast<size_t>(count);
    // Slots of buttons that are skipped stay empty rather than keep an earlier icon.
    TrayNotify.resize(base);
    TrayNotify.resize(base + buttons);
    ToolTip.resize(base);
    ToolTip.resize(base + buttons);
    TotalBtnCount = static_cast<std::int32_t>(base + buttons);

    const ToolbarRead read{hTaskTrayWnd, process.Get(), block.Address()};
    for (size_t first = 0; first < buttons; first += ButtonsPerBlock) {
        const size_t batch = std::min(ButtonsPerBlock, buttons - first);
        if (!read.Batch(first, batch, TrayNotify.data() + base + first,
                        ToolTip.data() + base + first)) {
            // Its late answer still writes into the block, which therefore stays.
            block.Abandon();
            TrayNotify.resize(base);
            ToolTip.resize(base);
            TotalBtnCount = static_cast<std::int32_t>(base);
            return;
        }
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
