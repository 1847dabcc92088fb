#pragma once
// Restores and minimises the program's main window over and over and reads what the process
// holds at chosen points, so that a restore that leaks shows as growth.
#include "support/ProgramWindows.h"
#include "support/Simulator.h"

#include <ostream>
#include <string>
#include <vector>

namespace orvane::test {

// What the resource holders of each kind hold now.
struct HeldResources {
    long icons = 0, bitmaps = 0, fonts = 0, brushes = 0, pens = 0, memoryDcs = 0, menus = 0;
    long kernelHandles = 0;
    long Gui() const { return icons + bitmaps + fonts + brushes + pens + memoryDcs + menus; }
    bool operator==(const HeldResources&) const = default;
};
HeldResources HeldNow();
void PrintTo(const HeldResources& held, std::ostream* out);

struct SoakCheckpoint {
    int cycle = 0; // cycles done when read
    HeldResources held;
    SIZE_T privateBytes = 0; // the commit charge
    DWORD handles = 0;       // kernel handles open in the process
    // GetGuiResources: 0 where the system does not count them (Wine).
    DWORD gdiObjects = 0, userObjects = 0;
};

// Runs `cycles` restores and minimisations of the main window; each restore takes a snapshot
// of `tray` and draws the board. Reads the process after each cycle named in `readAfter`
// (0: before the first). Throws when a restore does not show every button of the tray or
// the window does not stay restored.
std::vector<SoakCheckpoint> Soak(ProgramWindows& program, const SimulatorProcess& tray, int cycles,
                                 const std::vector<int>& readAfter);

// A tray of `icons` ordinary icons, every fifth in the overflow window.
std::string SoakScenario(int icons);

// One line of figures.
std::string Describe(const SoakCheckpoint& checkpoint);

} // namespace orvane::test
