#pragma once
#include "platform/Seam.h"
#include "platform/Win.h"

#include <optional>
#include <string>

namespace orvane::platform {

// The system's open-file dialog.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // GetOpenFileNameW for one existing file; `filter` is the dialog's list of pairs of a
    // caption and a pattern, each ended by a zero character. Nothing when cancelled.
    virtual std::optional<std::wstring> OpenFile(HWND owner, const std::wstring& title,
                                                 const std::wstring& filter) = 0;
};

template <> FileDialogs& Real<FileDialogs>();

} // namespace orvane::platform
