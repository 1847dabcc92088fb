#include "platform/Module.h"

#include "platform/Handles.h"
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

std::wstring ProcessImagePath(unsigned long processId) {
    using QueryFullProcessImageName = BOOL(WINAPI*)(HANDLE, DWORD, LPWSTR, PDWORD);
    const FARPROC found =
        GetProcAddress(GetModuleHandleW(L"Kernel32.dll"), "QueryFullProcessImageNameW");
    const UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    wchar_t path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (!found || !process ||
        !reinterpret_cast<QueryFullProcessImageName>(reinterpret_cast<void*>(found))(
            process.Get(), 0, path, &size))
        return {};
    return std::wstring(path, size);
}

} // namespace orvane::platform
