#pragma once
#include "platform/Handles.h"
#include "traysim/OwnerLog.h"
#include "traysim/Window.h"

#include <string>
#include <vector>

namespace traysim {

// The owners' callback messages, in memory and, when a path is given, in a file that is
// written line by line as they arrive.
class OwnerLogFile {
public:
    explicit OwnerLogFile(const std::wstring& path);
    void Append(const OwnerMessage& entry);
    const std::vector<OwnerMessage>& Entries() const { return entries_; }

private:
    orvane::platform::UniqueHandle file_;
    std::vector<OwnerMessage> entries_;
};

// A hidden top-level window that owns one icon and logs every message from WM_USER on,
// except the shell's "TaskbarCreated" broadcast.
class OwnerWindow final : public WindowHandler {
public:
    OwnerWindow(OwnerLogFile& log, UINT taskbarCreated);
    OwnerWindow(const OwnerWindow&) = delete;
    OwnerWindow& operator=(const OwnerWindow&) = delete;

    HWND Window() const { return window_.Get(); }
    void Destroy() { window_.Reset(); }
    std::optional<LRESULT> Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    OwnerLogFile& log_;
    UINT taskbarCreated_;
    UniqueWindow window_;
};

} // namespace traysim
