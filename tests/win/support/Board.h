#pragma once
// The real program's board, driven from another process as a user would.
#include "support/Process.h"
#include "traysim/OwnerLog.h"

#include <string>
#include <vector>

namespace orvane::test {

// The program's main window once it is shown, restored, drawn and placed; null when it does
// not come up.
HWND ShownBoard(const ChildProcess& program);
// Moves the real pointer onto a cell of the board (64-pixel icons) and clicks there.
void ClickCell(HWND window, int entry);
// The callback messages that the owners logged, other than pointer moves.
std::vector<traysim::OwnerMessage> LoggedOperations(const std::wstring& logPath);

} // namespace orvane::test
