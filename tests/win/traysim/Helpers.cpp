#include "Helpers.h"

#include "platform/Dib.h"

#include <stdexcept>

namespace simtest {

using orvane::platform::RemoteMemory;
using orvane::platform::Selected;
using orvane::platform::UniqueBitmap;
using orvane::platform::UniqueHandle;
using orvane::platform::UniqueIcon;
using orvane::platform::UniqueMemoryDc;

static_assert(sizeof(TBBUTTON) == 32 && sizeof(TBBUTTONINFOW) == 48);

std::vector<ReadButton> ReadToolbar(HWND toolbar) {
    DWORD pid = 0;
    GetWindowThreadProcessId(toolbar, &pid);
    UniqueHandle process(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
    if (!process) throw std::runtime_error("OpenProcess failed");
    const RemoteMemory button(process.Get(), sizeof(TBBUTTON));
    const RemoteMemory info(process.Get(), sizeof(TBBUTTONINFOW));
    const RemoteMemory text(process.Get(), 2048);
    if (!button || !info || !text) throw std::runtime_error("VirtualAllocEx failed");

    std::vector<ReadButton> buttons;
    const auto count = static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TBBUTTON local{};
        SendMessageW(toolbar, TB_GETBUTTON, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(button.Address()));
        if (!ReadProcessMemory(process.Get(), button.Address(), &local, sizeof local, nullptr)) {
            throw std::runtime_error("ReadProcessMemory of TBBUTTON failed");
        }
        ReadButton read;
        read.command = local.idCommand;
        read.data = local.dwData;
        if (local.dwData != 0) {
            TBBUTTONINFOW query{};
            query.cbSize = sizeof query;
            query.dwMask = TBIF_TEXT | TBIF_LPARAM | TBIF_COMMAND;
            query.pszText = static_cast<wchar_t*>(text.Address());
            query.cchText = 1024;
            WriteProcessMemory(process.Get(), info.Address(), &query, sizeof query, nullptr);
            SendMessageW(toolbar, TB_GETBUTTONINFOW, static_cast<WPARAM>(local.idCommand),
                         reinterpret_cast<LPARAM>(info.Address()));
            TBBUTTONINFOW answer{};
            wchar_t tip[1024] = {};
            ReadProcessMemory(process.Get(), info.Address(), &answer, sizeof answer, nullptr);
            ReadProcessMemory(process.Get(), text.Address(), tip, sizeof tip, nullptr);
            read.recordRead =
                ReadProcessMemory(process.Get(), reinterpret_cast<void*>(answer.lParam),
                                  &read.record, sizeof read.record, nullptr) != FALSE;
            tip[1023] = L'\0';
            read.text = tip;
        }
        buttons.push_back(read);
    }
    return buttons;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[260] = {};
    GetClassNameW(window, name, 260);
    return name;
}

std::wstring TitleOf(HWND window) {
    wchar_t title[260] = {};
    GetWindowTextW(window, title, 260);
    return title;
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

std::wstring TempFile(const std::wstring& name) {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = folder + std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(GetTickCount()) + L"-" + name;
    DeleteFileW(path.c_str());
    return path;
}

COLORREF IconPixel(HICON icon, int side, int x, int y) {
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    void* bits = nullptr;
    UniqueBitmap bitmap = orvane::platform::TopDownDib(side, side, 32, &bits);
    const Selected selected(dc.Get(), bitmap.Get());
    auto* pixels = static_cast<std::uint32_t*>(bits);
    for (int i = 0; i < side * side; ++i) pixels[i] = 0xFF00FF;
    if (!DrawIconEx(dc.Get(), 0, 0, icon, side, side, 0, nullptr, DI_NORMAL)) return CLR_INVALID;
    GdiFlush();
    const std::uint32_t pixel = pixels[y * side + x];
    return RGB(pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF);
}


} // namespace simtest
