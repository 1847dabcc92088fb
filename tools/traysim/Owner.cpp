#include "traysim/Owner.h"

#include <stdexcept>

namespace traysim {

OwnerLogFile::OwnerLogFile(const std::wstring& path) {
    if (path.empty()) return;
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create the owner log");
    file_.Reset(file);
}

void OwnerLogFile::Append(const OwnerMessage& entry) {
    entries_.push_back(entry);
    if (!file_) return;
    const std::string line = FormatOwnerMessage(entry);
    DWORD written = 0;
    WriteFile(file_.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

OwnerWindow::OwnerWindow(OwnerLogFile& log, UINT taskbarCreated)
    : log_(log), taskbarCreated_(taskbarCreated) {
    WindowSpec wanted;
    wanted.className = L"TraySimOwner";
    wanted.title = L"TraySim owner";
    wanted.style = WS_POPUP;
    wanted.exStyle = WS_EX_TOOLWINDOW;
    window_.Reset(CreateSimWindow(wanted, this));
}

std::optional<LRESULT> OwnerWindow::Handle(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    if (message < WM_USER || message == taskbarCreated_) return std::nullopt;
    log_.Append({message, wParam, static_cast<std::uint64_t>(lParam),
                 reinterpret_cast<std::uintptr_t>(window)});
    return 0;
}

} // namespace traysim
