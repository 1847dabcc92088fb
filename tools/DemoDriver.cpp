// The demo's hands: demodriver wait CLASS [TIMEOUT_MS] waits until a visible top-level
// window of the class exists; demodriver hover ENTRY puts the pointer on that cell of
// Orvane's board; demodriver away puts it in the screen's top-left corner, away from the
// board; demodriver close CLASS asks the visible window of the class to close; demodriver
// key VK... presses the virtual keys (hexadecimal) together; demodriver list PATH lists the
// application in Kestrin.ini, claimed and with its placeholder picture, as Kestrin leaves it.
// Exit code 0 when done, 1 when the window was not found in time or the list not written.
#include "board/Geometry.h"
#include "core/Profile.h"
#include "kestrin/BlueIcon.h"
#include "kestrin/KestrinList.h"
#include "platform/Module.h"
#include "resources/Texts.h"
#include "support/Pointer.h"

#include <windows.h>

#include <cwchar>
#include <string>
#include <vector>

namespace {

HWND FindVisible(const wchar_t* className, const wchar_t* title, DWORD timeout) {
    const DWORD start = GetTickCount();
    do {
        for (HWND window = FindWindowW(className, title); window;
             window = FindWindowExW(nullptr, window, className, title)) {
            if (IsWindowVisible(window)) return window;
        }
        Sleep(50);
    } while (GetTickCount() - start < timeout);
    return nullptr;
}

int Hover(int entry) {
    const HWND board = orvane::test::FindChildWindow(
        FindVisible(L"OrvaneForm", orvane::texts::AppTitle, 20000), L"OrvaneImage");
    if (!board) return 1;
    const orvane::Point corner = orvane::CellOrigin(entry, 64);
    POINT at{corner.X + 20, corner.Y + 20};
    ClientToScreen(board, &at);
    orvane::test::SendRecords({orvane::test::PointerMove(at)});
    return 0;
}

int List(const std::wstring& path) {
    using namespace orvane::kestrin;
    const std::wstring folder = orvane::platform::UserDataFolder();
    KestrinList list;
    list.KestrinBeforeStart = true;
    list.Items.push_back({path, L"", 64, false});
    try {
        KestrinFile(folder).Save(list);
    } catch (const orvane::ProfileWriteError&) {
        return 1;
    }
    const std::wstring picture = BlueIconPath(folder, 0);
    WriteBlueIcon(picture, path);
    return GetFileAttributesW(picture.c_str()) == INVALID_FILE_ATTRIBUTES ? 1 : 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc >= 3 && std::wcscmp(argv[1], L"wait") == 0) {
        const DWORD timeout =
            argc > 3 ? static_cast<DWORD>(std::wcstoul(argv[3], nullptr, 10)) : 20000;
        return FindVisible(argv[2], nullptr, timeout) ? 0 : 1;
    }
    if (argc >= 3 && std::wcscmp(argv[1], L"hover") == 0)
        return Hover(static_cast<int>(std::wcstol(argv[2], nullptr, 10)));
    if (argc >= 2 && std::wcscmp(argv[1], L"away") == 0) {
        orvane::test::SendRecords({orvane::test::PointerMove({0, 0})});
        return 0;
    }
    if (argc >= 3 && std::wcscmp(argv[1], L"key") == 0) {
        std::vector<INPUT> keys;
        for (int i = 2; i < argc; ++i) {
            INPUT key{};
            key.type = INPUT_KEYBOARD;
            key.ki.wVk = static_cast<WORD>(std::wcstoul(argv[i], nullptr, 16));
            keys.push_back(key);
        }
        for (int i = argc - 1; i >= 2; --i) {
            INPUT key = keys[static_cast<size_t>(i - 2)];
            key.ki.dwFlags = KEYEVENTF_KEYUP;
            keys.push_back(key);
        }
        SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
        return 0;
    }
    if (argc >= 3 && std::wcscmp(argv[1], L"close") == 0) {
        const HWND window = FindVisible(argv[2], nullptr, 5000);
        return window && PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    if (argc >= 3 && std::wcscmp(argv[1], L"list") == 0) return List(argv[2]);
    std::fwprintf(stderr, L"usage: demodriver wait CLASS [TIMEOUT_MS] | hover ENTRY | away | "
                          L"close CLASS | key VK... | list PATH\n");
    return 2;
}
