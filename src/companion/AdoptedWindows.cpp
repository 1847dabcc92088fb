#include "companion/ItemMatch.h"
#include "companion/Protocol.h"
#include "companion/Timer2Rest.h"
#include "core/DozedeR64Form.h"
#include "core/WindowHelpers.h"
#include "platform/Clock.h"
#include "platform/Module.h"
#include "platform/TaskbarList.h"
#include "platform/Text.h"
#include "platform/ui/Application.h"
#include "resources/Texts.h"

#include <psapi.h>

namespace orvane {

TKestrinItem* TDozedeR64Form::ItemAt(std::int32_t i) {
    if (i < 0 || i >= std::ssize(KestrinItem) || i >= std::ssize(NID)) return nullptr;
    return &KestrinItem[static_cast<size_t>(i)];
}

void TDozedeR64Form::DeleteItemTaskButton(HWND window) {
    try {
        DeleteTaskButton(window);
    } catch (const platform::TaskbarListError&) {
        ui::ShowMessage(texts::TaskButtonDeleteFailed);
    }
}

void TDozedeR64Form::GiveTaskButtonBack(HWND window) {
    try {
        AddTaskButton(window);
    } catch (const platform::TaskbarListError&) {
        ui::ShowMessage(texts::TaskButtonDeleteFailed);
    }
}

bool TDozedeR64Form::WMHookReport(HWND W, LPARAM lParam) {
    if (!IsWindowVisible(W) || W == Handle()) return true;
    const std::wstring title = WindowTitle(W);
    if (!IsAdoptableTitle(title)) return true;
    DWORD processId = 0;
    GetWindowThreadProcessId(W, &processId);
    std::vector<ItemIdentity> items;
    items.reserve(KestrinItem.size());
    for (const TKestrinItem& item : KestrinItem)
        items.push_back({item.PID, platform::Lowered(item.FileName)});
    const std::int32_t k = MatchReportedWindow(items, static_cast<std::int32_t>(processId),
                                               platform::Lowered(ProcessImagePath(processId)));
    if (k >= 0 && lParam == 0) AdoptWindow(k, W, processId, title);
    return false;
}

bool TDozedeR64Form::AdoptWindow(std::int32_t k, HWND W, DWORD processId,
                                 const std::wstring& title) {
    const Timer2Rest rest(*this);
    if (!ItemAt(k)) return false;
    // The icon comes first: until it is there the window keeps its taskbar button.
    const bool inUse = NID[static_cast<size_t>(k)].cbSize != 0;
    const HICON icon = ItemAppIcon(k);
    PrepareItemRecord(k, icon, title);
    SetRecordIcon(k, icon);
    if (!ShowItemRecord(k, inUse ? NIM_MODIFY : NIM_ADD)) {
        if (!inUse) NID[static_cast<size_t>(k)].cbSize = 0;
        TKestrinItem& item = *ItemAt(k);
        // A window adopted before gets its button back.
        const bool hadButtonTaken = item.IsRunning && item.WndHandle == W && !item.IsShowOnTaskBar;
        item.IsRunning = false;
        item.WndHandle = nullptr;
        item.PID = 0;
        if (hadButtonTaken) GiveTaskButtonBack(W);
        ui::ShowMessage(texts::TrayIconAddFailed);
        return false;
    }
    TKestrinItem& item = *ItemAt(k);
    item.WndHandle = W;
    item.PID = static_cast<std::int32_t>(processId);
    item.IsRunning = true;
    item.WndText = title;
    const std::wstring fileName = item.FileName;
    const bool claim = item.Bit == 0;
    item.Bit = 64;
    if (!item.IsShowOnTaskBar) DeleteItemTaskButton(W);
    // The adoption stands whether or not the companion hears of it.
    if (claim && ClaimItem(fileName)) SendToCompanion(protocol::Changed);
    return true;
}

void TDozedeR64Form::WMTaskbarCreated() {
    // The new shell needs a moment before it takes icons.
    ui::App().ProcessMessagesUntil(platform::Now(), 5000, [this] { return MyAppEnd; });
    for (std::int32_t i = 0; i < KestrinItemCount && !MyAppEnd; ++i) {
        if (!ItemAt(i) || ItemAt(i)->Bit != 64) continue;
        NID[static_cast<size_t>(i)].cbSize = 0;
        ShowItemIcon(i);
    }
}

std::wstring TDozedeR64Form::ProcessImagePath(DWORD ProcessID) {
    std::wstring result;
    if (IsVista || IsWin7 || IsWin8) return platform::ProcessImagePath(ProcessID).substr(0, 259);
    const platform::UniqueHandle process(
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, ProcessID));
    if (!process) return result;
    HMODULE modules[4096 / sizeof(HMODULE)] = {};
    DWORD needed = 0;
    wchar_t path[260] = {};
    if (EnumProcessModules(process.Get(), modules, sizeof modules, &needed) &&
        GetModuleFileNameExW(process.Get(), modules[0], path, 260)) {
        result = path;
        for (std::size_t at; (at = result.find(L"\\??\\")) != std::wstring::npos;)
            result.erase(at, 4);
    }
    return result;
}

void TDozedeR64Form::OwnTrayIconMessage(WPARAM wParam, LPARAM lParam) {
    if (wParam >= KestrinItem.size() || !ItemAt(static_cast<std::int32_t>(wParam))) return;
    const auto i = static_cast<std::int32_t>(wParam);
    if (lParam == WM_LBUTTONUP)
        OperateOwnIcon(i, true);
    else if (lParam == WM_RBUTTONUP)
        ShowItemMenu(i);
}

void TDozedeR64Form::OperateOwnIcon(std::int32_t i, bool showAfterRestore) {
    const HWND window = ItemAt(i)->WndHandle;
    if (IsIconic(window)) {
        SendBounded(window, WM_SYSCOMMAND, SC_RESTORE, 0);
        if (showAfterRestore) ShowWindowOf(window, SW_SHOW);
        ForceForeground(window);
        WindowPosTop(window);
    } else if (IsWindowVisible(window)) {
        ShowWindowOf(window, SW_SHOW);
        ForceForeground(window);
        WindowPosTop(window);
    } else if (!ItemAt(i)->IsRunning && !ItemAt(i)->WndHandle) {
        StartApp(i);
    }
    if (!ItemAt(i)) return;
    Timer2.SetEnabled(false);
    if (ItemAt(i)->IsRunning)
        SetRecordIcon(i, ItemAppIcon(i));
    else
        SetRecordIcon(i, PlaceholderIconCopy(i));
    ShowItemRecord(i, NIM_MODIFY);
    Timer2.SetEnabled(true);
}

void TDozedeR64Form::ShowItemMenu(std::int32_t i) {
    SelectedItemNo = i;
    if (!ItemAt(i)->IsRunning || !ItemAt(i)->WndHandle) return;
    POINT pointer{};
    GetCursorPos(&pointer);
    PopupMenu1.Popup(Handle(), pointer.x, pointer.y);
}

void TDozedeR64Form::AppliEnd(std::int32_t ItemNo) {
    if (!ItemAt(ItemNo)) return;
    bool placeholder = KestrinBeforeStart;
    if (placeholder) {
        const std::wstring tip = PlaceholderTip(ItemNo);
        try {
            SetRecordIcon(ItemNo, PlaceholderIconCopy(ItemNo));
            SetItemTip(ItemNo, tip);
            ShowItemRecord(ItemNo, NIM_MODIFY);
            ItemAt(ItemNo)->WndText = tip;
        } catch (const std::exception&) {
            // Without its picture the ended application's icon goes rather than stays.
            placeholder = false;
        }
    }
    if (!placeholder) {
        DeleteItemRecord(ItemNo);
        ItemAt(ItemNo)->WndText.clear();
    }
    ItemAt(ItemNo)->IsRunning = false;
    ItemAt(ItemNo)->WndHandle = nullptr;
    ItemAt(ItemNo)->PID = 0;
}

} // namespace orvane
