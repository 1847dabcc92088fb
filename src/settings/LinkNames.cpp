#include "settings/LinkNames.h"

#include "resources/Texts.h"

#include <algorithm>

namespace orvane {
namespace {

wchar_t AsciiUpper(wchar_t c) {
    return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

} // namespace

bool SameIgnoringAsciiCase(const std::wstring& a, const std::wstring& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](wchar_t x, wchar_t y) { return AsciiUpper(x) == AsciiUpper(y); });
}

std::wstring FolderOf(const std::wstring& path) {
    const size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator + 1);
}

std::wstring LinkFilePath(const std::wstring& folder, const std::wstring& target,
                          const std::wstring& linkName) {
    std::wstring path = folder;
    if (!path.empty() && path.back() != L'\\') path += L'\\';
    if (!linkName.empty()) return path + linkName + L".lnk";
    return path + target.substr(FolderOf(target).size()) + texts::ShortCutLinkSuffix;
}

} // namespace orvane
