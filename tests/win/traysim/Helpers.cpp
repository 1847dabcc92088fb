#include "Helpers.h"

#include "platform/Dib.h"

#include <stdexcept>

namespace simtest {

using orvane::platform::RemoteMemory;

std::vector<ReadButton> ReadToolbar(HWND toolbar) {
    DWORD pid = 0;
    GetWindowThreadProcessId(toolbar, &pid);
    const orvane::platform::UniqueHandle process(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
    if (!process) throw std::runtime_error("OpenProcess failed");
    const RemoteMemory button(process.Get(), sizeof(TBBUTTON));
    const RemoteMemory info(process.Get(), sizeof(TBBUTTONINFOW));
    const RemoteMemory text(process.Get(), 2048);
    if (!button || !info || !text) throw std::runtime_error("VirtualAllocEx failed");
    const auto read = [&](const void* from, void* to, std::size_t size) {
        return ReadProcessMemory(process.Get(), from, to, size, nullptr) != FALSE;
    };

    std::vector<ReadButton> buttons;
    const auto count = static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TBBUTTON local{};
        SendMessageW(toolbar, TB_GETBUTTON, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(button.Address()));
        if (!read(button.Address(), &local, sizeof local)) throw std::runtime_error("no TBBUTTON");
        ReadButton& entry = buttons.emplace_back();
        entry.command = local.idCommand;
        entry.data = local.dwData;
        if (local.dwData == 0) continue;
        TBBUTTONINFOW query{};
        query.cbSize = sizeof query;
        query.dwMask = TBIF_TEXT | TBIF_LPARAM | TBIF_COMMAND;
        query.pszText = static_cast<wchar_t*>(text.Address());
        query.cchText = 1024;
        WriteProcessMemory(process.Get(), info.Address(), &query, sizeof query, nullptr);
        SendMessageW(toolbar, TB_GETBUTTONINFOW, static_cast<WPARAM>(local.idCommand),
                     reinterpret_cast<LPARAM>(info.Address()));
        wchar_t tip[1024] = {};
        read(info.Address(), &query, sizeof query);
        read(text.Address(), tip, sizeof tip);
        entry.recordRead = read(reinterpret_cast<void*>(query.lParam), &entry.record, 32);
        tip[1023] = L'\0';
        entry.text = tip;
    }
    return buttons;
}

HWND MainToolbarOf(HWND taskbar) {
    const HWND notify = FindWindowExW(taskbar, nullptr, L"TrayNotifyWnd", nullptr);
    const HWND pager = FindWindowExW(notify, nullptr, L"SysPager", nullptr);
    return FindWindowExW(pager, nullptr, L"ToolbarWindow32", nullptr);
}

void PumpMessages(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (milliseconds) Sleep(5);
    } while (GetTickCount() - start < milliseconds);
}

COLORREF IconPixel(HICON icon, int side, int x, int y) {
    const orvane::platform::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    void* bits = nullptr;
    const auto bitmap = orvane::platform::TopDownDib(side, side, 32, &bits);
    const orvane::platform::Selected selected(dc.Get(), bitmap.Get());
    auto* pixels = static_cast<std::uint32_t*>(bits);
    for (int i = 0; i < side * side; ++i) pixels[i] = 0xFF00FF;
    if (!DrawIconEx(dc.Get(), 0, 0, icon, side, side, 0, nullptr, DI_NORMAL)) return CLR_INVALID;
    GdiFlush();
    const std::uint32_t pixel = pixels[y * side + x];
    return RGB(pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF);
}

} // namespace simtest
