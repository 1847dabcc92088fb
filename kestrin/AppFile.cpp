#include "kestrin/AppFile.h"

#include <vector>

namespace orvane::kestrin {

bool IsExecutableFile(const std::wstring& path) {
    constexpr wchar_t extension[] = L".exe";
    constexpr int extensionLength = 4;
    if (path.size() <= extensionLength ||
        CompareStringOrdinal(path.c_str() + path.size() - extensionLength, extensionLength,
                             extension, extensionLength, TRUE) != CSTR_EQUAL) {
        return false;
    }
    const HANDLE opened = CreateFileW(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return false;
    const platform::UniqueHandle file(opened);
    // A pipe or a device could keep the read waiting; only files on a disk are read.
    if (GetFileType(file.Get()) != FILE_TYPE_DISK) return false;
    char start[2] = {};
    DWORD read = 0;
    return ReadFile(file.Get(), start, sizeof start, &read, nullptr) && read == sizeof start &&
           start[0] == 'M' && start[1] == 'Z';
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

platform::UniqueIcon AppIcon(const std::wstring& path) {
    // The call takes a buffer of MAX_PATH characters and may write the icon's source into
    // it: a longer path is not handed to it.
    if (path.empty() || path.size() >= MAX_PATH) return {};
    // A file that is gone shows no icon, rather than whatever the shell makes up for it.
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return {};
    std::vector<wchar_t> buffer(path.begin(), path.end());
    buffer.resize(MAX_PATH + 1, L'\0');
    WORD index = 0;
    return platform::UniqueIcon(
        ExtractAssociatedIconW(GetModuleHandleW(nullptr), buffer.data(), &index));
}

} // namespace orvane::kestrin
