#include "support/Board.h"

#include "board/Geometry.h"
#include "resources/Texts.h"
#include "support/Files.h"
#include "support/Pointer.h"

namespace orvane::test {

HWND ShownBoard(const ChildProcess& program) {
    HWND window = nullptr;
    const DWORD start = GetTickCount();
    while (!(window && IsWindowVisible(window)) && GetTickCount() - start < 20000) {
        window = program.WaitForWindow(L"OrvaneForm", 1000, texts::AppTitle);
        if (!window || !IsWindowVisible(window)) Sleep(10);
    }
    Sleep(500);
    return window && IsWindowVisible(window) ? window : nullptr;
}

void ClickCell(HWND window, int entry) {
    const HWND board = FindChildWindow(window, L"OrvaneImage");
    POINT cell{CellOrigin(entry, 64).X + 30, CellOrigin(entry, 64).Y + 30};
    ClientToScreen(board, &cell);
    SendRecords({PointerMove(cell)});
    Sleep(300);
    SendRecords({MouseButtons(MOUSEEVENTF_LEFTDOWN), MouseButtons(MOUSEEVENTF_LEFTUP)});
}

std::vector<traysim::OwnerMessage> LoggedOperations(const std::wstring& logPath) {
    std::vector<traysim::OwnerMessage> seen;
    for (const traysim::OwnerMessage& m : traysim::ParseOwnerLog(ReadBytes(logPath))
                                              .value_or(std::vector<traysim::OwnerMessage>{})) {
        // Version 4 carries the event in the low word.
        if ((m.lParam & 0xFFFF) != WM_MOUSEMOVE) seen.push_back(m);
    }
    return seen;
}

} // namespace orvane::test
