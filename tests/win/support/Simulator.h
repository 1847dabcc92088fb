#pragma once
#include "support/Process.h"

#include <memory>
#include <string>

namespace orvane::test {

// traysim.exe in a process of its own, serving the scenario given as text; a found
// taskbar means every button exists.
class SimulatorProcess {
public:
    explicit SimulatorProcess(const std::string& scenarioUtf8, const std::wstring& logPath = {});
    ~SimulatorProcess();
    HWND Taskbar() const { return taskbar_; }
    DWORD Pid() const { return process_->Pid(); }

private:
    std::wstring scenarioPath_;
    std::unique_ptr<ChildProcess> process_;
    HWND taskbar_ = nullptr;
};

} // namespace orvane::test
