#include "core/Profile.h"

#include "core/ProfileText.h"
#include "core/ProfileValue.h"
#include "platform/Win.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace orvane {
namespace {

// The whole file; nothing when it cannot be read or is too large to be a sound one.
std::optional<std::string> FileBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::optional<std::string> bytes;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file, &size) && size.QuadPart >= 0 &&
        static_cast<std::uint64_t>(size.QuadPart) <= MaxProfileFileSize) {
        std::string data(static_cast<size_t>(size.QuadPart), '\0');
        DWORD read = 0;
        if (data.empty() ||
            ReadFile(file, data.data(), static_cast<DWORD>(data.size()), &read, nullptr)) {
            data.resize(read);
            bytes = std::move(data);
        }
    }
    CloseHandle(file);
    return bytes;
}

std::wstring Widened(UINT codePage, std::string_view bytes) {
    const int size =
        MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(std::max(size, 0)), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                        size);
    return text;
}

// As the profile functions decode a file: by its byte-order mark, else in the ANSI code page.
std::wstring Decoded(std::string_view bytes) {
    const auto starts = [&](std::string_view mark) { return bytes.substr(0, mark.size()) == mark; };
    if (starts("\xEF\xBB\xBF")) return Widened(CP_UTF8, bytes.substr(3));
    const bool little = starts("\xFF\xFE");
    if (little || starts("\xFE\xFF")) {
        std::wstring text;
        text.reserve(bytes.size() / 2);
        for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
            const auto first = static_cast<unsigned char>(bytes[i]);
            const auto second = static_cast<unsigned char>(bytes[i + 1]);
            text += static_cast<wchar_t>(little ? first | second << 8 : first << 8 | second);
        }
        return text;
    }
    return Widened(CP_ACP, bytes);
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

const ProfileText& IniFile::Text() const {
    if (!text_) text_ = std::make_shared<const ProfileText>(Decoded(FileBytes(path_).value_or("")));
    return *text_;
}

std::wstring IniFile::ReadString(const std::wstring& section, const std::wstring& key,
                                 const std::wstring& fallback) const {
    return Text().Value(section, key).value_or(fallback);
}

std::int32_t IniFile::ReadInteger(const std::wstring& section, const std::wstring& key,
                                  std::int32_t fallback) const {
    return ProfileInteger(ReadString(section, key, L""), fallback);
}

bool IniFile::ReadBool(const std::wstring& section, const std::wstring& key, bool fallback) const {
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

std::vector<std::wstring> IniFile::ReadKeys(const std::wstring& section) const {
    return Text().Keys(section);
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
    for (const std::wstring& entrySection : entrySections)
        keys = std::max(keys, ReadKeys(entrySection).size());
    return BoundedCount(count, static_cast<std::int32_t>(std::min<std::size_t>(keys, INT32_MAX)));
}

void IniFile::Write(const wchar_t* section, const wchar_t* key, const wchar_t* value) {
    text_.reset();
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
    text_.reset();
    WritePrivateProfileStringW(section.c_str(), key.c_str(), nullptr, path_.c_str());
}

void IniFile::EraseSection(const std::wstring& section) {
    Write(section.c_str(), nullptr, nullptr);
}

IniEdit::IniEdit(const IniFile& file) : target_(file.Path()), copy_(file.Path() + L".tmp") {
    std::string bytes;
    if (file.Exists()) {
        std::optional<std::string> stored = FileBytes(target_);
        if (!stored) throw ProfileWriteError("Unable to read " + Narrow(target_));
        bytes = std::move(*stored);
    }
    // Without the mark the profile functions would write the copy in the ANSI code page.
    if (bytes.empty()) bytes = "\xFF\xFE";
    if (!WriteNewFile(copy_.Path(), bytes.data(), bytes.size()))
        throw ProfileWriteError("Unable to write to " + Narrow(copy_.Path()));
}

IniEdit::~IniEdit() {
    if (!committed_) DeleteFileW(copy_.Path().c_str());
}

void IniEdit::Commit() {
    if (!MoveIntoPlace(copy_.Path(), target_))
        throw ProfileWriteError("Unable to replace " + Narrow(target_));
    committed_ = true;
}

bool WriteNewFile(const std::wstring& path, const void* bytes, std::size_t size) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool whole = size <= MAXDWORD &&
                       WriteFile(file, bytes, static_cast<DWORD>(size), &written, nullptr) &&
                       written == size;
    CloseHandle(file);
    if (!whole) DeleteFileW(path.c_str());
    return whole;
}

bool MoveIntoPlace(const std::wstring& from, const std::wstring& to) {
    // The bytes reach the disk before the name replaces the file's.
    const HANDLE file = CreateFileW(from.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    const bool flushed = file != INVALID_HANDLE_VALUE && FlushFileBuffers(file);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return flushed && MoveFileExW(from.c_str(), to.c_str(),
                                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

} // namespace orvane
