#include "core/Profile.h"

#include "core/ProfileValue.h"
#include "platform/Win.h"

#include <algorithm>

namespace orvane {
namespace {

// GetPrivateProfileStringW into a buffer that grows until the answer fits.
std::wstring ReadRaw(const wchar_t* section, const wchar_t* key, const wchar_t* fallback,
                     const std::wstring& path, bool list) {
    std::wstring buffer(256, L'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length =
            GetPrivateProfileStringW(section, key, fallback, buffer.data(), size, path.c_str());
        // A truncated answer is size - 1 long (size - 2 for a list of names).
        if (length < size - (list ? 2 : 1) || size >= (1u << 24)) {
            buffer.resize(length);
            return buffer;
        }
        buffer.assign(buffer.size() * 4, L'\0');
    }
}

std::string Narrow(const std::wstring& text) {
    std::string narrow;
    for (wchar_t c : text) narrow += c < 0x80 ? static_cast<char>(c) : '?';
    return narrow;
}

} // namespace

bool IniFile::Exists() const {
    const DWORD attributes = GetFileAttributesW(path_.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring IniFile::ReadString(const std::wstring& section, const std::wstring& key,
                                 const std::wstring& fallback) const {
    return ReadRaw(section.c_str(), key.c_str(), fallback.c_str(), path_, false);
}

std::int32_t IniFile::ReadInteger(const std::wstring& section, const std::wstring& key,
                                  std::int32_t fallback) const {
    return ProfileInteger(ReadString(section, key, L""), fallback);
}

bool IniFile::ReadBool(const std::wstring& section, const std::wstring& key, bool fallback) const {
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

std::vector<std::wstring> IniFile::ReadKeys(const std::wstring& section) const {
    const std::wstring list = ReadRaw(section.c_str(), nullptr, L"", path_, true);
    std::vector<std::wstring> keys;
    for (size_t start = 0; start < list.size();) {
        const size_t end = list.find(L'\0', start);
        const size_t stop = end == std::wstring::npos ? list.size() : end;
        if (stop > start) keys.push_back(list.substr(start, stop - start));
        start = stop + 1;
    }
    return keys;
}

bool IniFile::ValueExists(const std::wstring& section, const std::wstring& key) const {
    for (const std::wstring& name : ReadKeys(section)) {
        if (CompareStringOrdinal(name.c_str(), -1, key.c_str(), -1, TRUE) == CSTR_EQUAL) {
            return true;
        }
    }
    return false;
}

std::int32_t IniFile::ReadCount(const std::wstring& section, const std::wstring& key,
                                std::initializer_list<std::wstring> entrySections) const {
    const std::int32_t count = ReadInteger(section, key, 0);
    if (count <= 0) return 0;
    std::size_t keys = 0;
    for (const std::wstring& entrySection : entrySections) keys += ReadKeys(entrySection).size();
    return BoundedCount(count, static_cast<std::int32_t>(std::min<std::size_t>(keys, INT32_MAX)));
}

void IniFile::Write(const wchar_t* section, const wchar_t* key, const wchar_t* value) {
    // Without a UTF-16 byte-order mark the profile functions write the ANSI code page and
    // lose every character outside it.
    if (value && !Exists()) {
        HANDLE file = CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            static constexpr unsigned char mark[] = {0xFF, 0xFE};
            DWORD written = 0;
            WriteFile(file, mark, sizeof mark, &written, nullptr);
            CloseHandle(file);
        }
    }
    if (!WritePrivateProfileStringW(section, key, value, path_.c_str())) {
        throw ProfileWriteError("Unable to write to " + Narrow(path_));
    }
}

void IniFile::WriteString(const std::wstring& section, const std::wstring& key,
                          const std::wstring& value) {
    Write(section.c_str(), key.c_str(), value.c_str());
}

void IniFile::WriteInteger(const std::wstring& section, const std::wstring& key,
                           std::int32_t value) {
    WriteString(section, key, std::to_wstring(value));
}

void IniFile::WriteBool(const std::wstring& section, const std::wstring& key, bool value) {
    WriteString(section, key, value ? L"1" : L"0");
}

void IniFile::DeleteKey(const std::wstring& section, const std::wstring& key) {
    // Deleting what is not there is no failure.
    WritePrivateProfileStringW(section.c_str(), key.c_str(), nullptr, path_.c_str());
}

void IniFile::EraseSection(const std::wstring& section) {
    Write(section.c_str(), nullptr, nullptr);
}

} // namespace orvane
