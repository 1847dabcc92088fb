#include "support/Simulator.h"

#include "support/Files.h"
#include "traysim/TraySim.h"

#include <stdexcept>

namespace orvane::test {

SimulatorProcess::SimulatorProcess(const std::string& scenarioUtf8, const std::wstring& logPath) {
    scenarioPath_ =
        ScratchFile(L"simulator_" + std::to_wstring(GetCurrentProcessId()) + L".scenario");
    WriteBytes(scenarioPath_, scenarioUtf8);
    std::wstring line = Quoted(TraySimPath()) + L" --scenario " + Quoted(scenarioPath_);
    if (!logPath.empty()) line += L" --log " + Quoted(logPath);
    process_ = std::make_unique<ChildProcess>(line);
    for (int i = 0; i < 1000 && !taskbar_ && process_->Running(); ++i) {
        taskbar_ = traysim::FindTaskbar(process_->Pid());
        if (!taskbar_) Sleep(10);
    }
    if (!taskbar_) throw std::runtime_error("the tray simulator did not come up");
}

SimulatorProcess::~SimulatorProcess() {
    process_->End(taskbar_);
    DeleteFileW(scenarioPath_.c_str());
}

} // namespace orvane::test
