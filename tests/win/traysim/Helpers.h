#pragma once
// What a reader of the tray sees, through the calls such a reader makes.
#include "platform/Handles.h"
#include "support/Icons.h"

#include <cstdint>
#include <string>
#include <vector>

namespace simtest {

struct Record {
    std::uint64_t owner;
    std::uint32_t id;
    std::uint32_t callbackMessage;
    std::uint64_t unused;
    std::uint64_t icon;
};
static_assert(sizeof(Record) == 32);

struct ReadButton {
    int command = 0;
    std::uint64_t data = 0;
    bool recordRead = false; // the 32 bytes behind the data could be copied
    Record record{};
    std::wstring text;
};

// The buttons of a toolbar, read from its process with TB_GETBUTTON and TB_GETBUTTONINFOW
// into memory allocated there, as a reader in another process does.
std::vector<ReadButton> ReadToolbar(HWND toolbar);

std::wstring ClassOf(HWND window);
std::wstring TitleOf(HWND window);
// Dispatches this thread's messages, for at least the given time.
void PumpMessages(DWORD milliseconds = 0);
// A fresh path in the temporary folder.
std::wstring TempFile(const std::wstring& name);

// The colour of a pixel of the icon drawn at its size over magenta.
COLORREF IconPixel(HICON icon, int side, int x, int y);
using orvane::test::SolidIcon;

inline HWND AsWindow(std::uint64_t value) {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(value));
}

} // namespace simtest
