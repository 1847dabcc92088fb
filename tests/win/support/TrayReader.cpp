#include "support/TrayReader.h"

#include "platform/Handles.h"

namespace orvane::test {
namespace {

HWND NotificationToolbar(HWND taskbar) {
    const HWND notify = FindWindowExW(taskbar, nullptr, L"TrayNotifyWnd", nullptr);
    const HWND pager = FindWindowExW(notify, nullptr, L"SysPager", nullptr);
    return FindWindowExW(pager, nullptr, L"ToolbarWindow32", nullptr);
}

} // namespace

std::vector<TrayButton> ReadTrayButtons(HWND taskbar) {
    std::vector<TrayButton> buttons;
    const HWND toolbar = NotificationToolbar(taskbar);
    DWORD pid = 0;
    GetWindowThreadProcessId(toolbar, &pid);
    const platform::UniqueHandle process(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
    if (!toolbar || !process) return buttons;
    constexpr SIZE_T BlockSize = 4096;
    void* block = VirtualAllocEx(process.Get(), nullptr, BlockSize, MEM_COMMIT, PAGE_READWRITE);
    if (!block) return buttons;
    const auto count = static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TBBUTTON button{};
        if (!SendMessageW(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(block)) ||
            !ReadProcessMemory(process.Get(), block, &button, sizeof button, nullptr))
            continue;
        struct Record {
            HWND owner;
            UINT id;
            UINT callback;
            char unused[8];
            HICON icon;
        } record{};
        if (!ReadProcessMemory(process.Get(), reinterpret_cast<void*>(button.dwData), &record,
                               sizeof record, nullptr))
            continue;
        wchar_t tip[1024] = {};
        const LRESULT length = SendMessageW(toolbar, TB_GETBUTTONTEXTW, button.idCommand,
                                            reinterpret_cast<LPARAM>(block));
        if (length > 0 && length < 1024)
            ReadProcessMemory(process.Get(), block, tip, static_cast<SIZE_T>(length) * 2, nullptr);
        buttons.push_back({record.owner, record.id, tip});
    }
    VirtualFreeEx(process.Get(), block, 0, MEM_RELEASE);
    return buttons;
}

std::wstring TrayTip(HWND taskbar, HWND owner, UINT id) {
    for (const TrayButton& button : ReadTrayButtons(taskbar))
        if (button.owner == owner && button.id == id) return button.tip;
    return L"<none>";
}

int TrayButtonsOf(HWND taskbar, HWND owner) {
    int count = 0;
    for (const TrayButton& button : ReadTrayButtons(taskbar)) count += button.owner == owner;
    return count;
}

RECT ButtonRect(HWND toolbar, int command) {
    RECT button{};
    SendMessageW(toolbar, TB_GETRECT, static_cast<WPARAM>(command),
                 reinterpret_cast<LPARAM>(&button));
    MapWindowPoints(toolbar, nullptr, reinterpret_cast<POINT*>(&button), 2);
    return button;
}

} // namespace orvane::test
