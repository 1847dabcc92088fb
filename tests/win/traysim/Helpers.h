#pragma once
// What a reader of the tray sees, through the calls such a reader makes.
#include "platform/Handles.h"

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

// The buttons of a toolbar, read as the snapshot reads them from another process: through
// memory allocated in the toolbar's process, with a text buffer of 1024 units.
std::vector<ReadButton> ReadToolbar(HWND toolbar);
// The main toolbar, found from the taskbar as the snapshot finds it.
HWND MainToolbarOf(HWND taskbar);

// Dispatches this thread's messages, for at least the given time.
void PumpMessages(DWORD milliseconds = 0);
// The colour of a pixel of the icon drawn at its size over magenta.
COLORREF IconPixel(HICON icon, int side, int x, int y);

inline HWND AsWindow(std::uint64_t value) {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(value));
}
inline std::uint64_t Handle(HWND window) {
    return reinterpret_cast<std::uintptr_t>(window);
}

} // namespace simtest
