#include "platform/Module.h"

#include "platform/Win.h"

#include <shlobj.h>

namespace orvane::platform {

std::wstring ExecutablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring UserDataFolder() {
    wchar_t documents[MAX_PATH] = {};
    SHGetSpecialFolderPathW(nullptr, documents, CSIDL_PERSONAL, FALSE);
    const std::wstring folder = std::wstring(documents) + L"\\Kelmora\\OrvaneData";
    SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    return folder + L'\\';
}

} // namespace orvane::platform
