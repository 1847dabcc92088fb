#include "settings/Placement.h"

#include <cstdlib>

namespace orvane {
namespace {

// One axis: the main window's start may move, the settings window's start is returned.
int Beside(int& mainStart, int mainSize, int settingsSize, int workStart, int workEnd) {
    if (mainStart + mainSize + settingsSize <= workEnd) return mainStart + mainSize;
    if (std::abs(mainStart - workStart) >= settingsSize) return mainStart - settingsSize;
    mainStart = workStart;
    return mainStart + mainSize;
}

} // namespace

SideBySide PlaceBeside(WindowBox main, WindowBox settings, WorkArea work) {
    if (work.Right - work.Left >= main.Width + settings.Width) {
        settings.Left = Beside(main.Left, main.Width, settings.Width, work.Left, work.Right);
    } else if (work.Bottom - work.Top >= main.Height + settings.Height) {
        settings.Top = Beside(main.Top, main.Height, settings.Height, work.Top, work.Bottom);
    }
    return {main, settings};
}

} // namespace orvane
