#include "platform/FileDialogs.h"

#include <commdlg.h>

#include <vector>

namespace orvane::platform {
namespace {

class WindowsFileDialogs final : public FileDialogs {
public:
    std::optional<std::wstring> OpenFile(HWND owner, const std::wstring& title,
                                         const std::wstring& filter) override {
        // Room for a long path; the double zero ends the filter list.
        std::vector<wchar_t> path(32768, L'\0');
        const std::wstring filters = filter + L'\0';
        OPENFILENAMEW choice{};
        choice.lStructSize = sizeof choice;
        choice.hwndOwner = owner;
        choice.lpstrFilter = filters.c_str();
        choice.nFilterIndex = 1;
        choice.lpstrFile = path.data();
        choice.nMaxFile = static_cast<DWORD>(path.size());
        choice.lpstrTitle = title.c_str();
        choice.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                       OFN_EXPLORER | OFN_DONTADDTORECENT;
        if (!GetOpenFileNameW(&choice)) return std::nullopt;
        return std::wstring(path.data());
    }
};

} // namespace

template <> FileDialogs& Real<FileDialogs>() {
    static WindowsFileDialogs dialogs;
    return dialogs;
}

} // namespace orvane::platform
