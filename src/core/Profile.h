#pragma once
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace orvane {

class ProfileText;

// The settings files are small; a larger one is taken for damaged and reads as empty, so
// that every value takes its default.
inline constexpr std::uint64_t MaxProfileFileSize = 1024 * 1024;

// A write that the system refused; the operation that wrote stops there.
class ProfileWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A Windows profile (INI) file. Writes go to the file at once. The first read parses the
// file, and later reads of the same holder answer from that until it writes, so that
// reading n entries costs time linear in n; hold one only for the operation that reads.
class IniFile {
public:
    explicit IniFile(std::wstring path) : path_(std::move(path)) {}

    const std::wstring& Path() const { return path_; }
    bool Exists() const;

    std::wstring ReadString(const std::wstring& section, const std::wstring& key,
                            const std::wstring& fallback) const;
    // A missing key or a value that is not an integer gives the fallback.
    std::int32_t ReadInteger(const std::wstring& section, const std::wstring& key,
                             std::int32_t fallback) const;
    bool ReadBool(const std::wstring& section, const std::wstring& key, bool fallback) const;
    bool ValueExists(const std::wstring& section, const std::wstring& key) const;
    std::vector<std::wstring> ReadKeys(const std::wstring& section) const;
    // A count of numbered entries, bounded by the keys of the largest one of the sections
    // that hold them.
    std::int32_t ReadCount(const std::wstring& section, const std::wstring& key,
                           std::initializer_list<std::wstring> entrySections) const;
    std::int32_t ReadCount(const std::wstring& section, const std::wstring& key,
                           const std::wstring& entrySection) const {
        return ReadCount(section, key, {entrySection});
    }

    void WriteString(const std::wstring& section, const std::wstring& key,
                     const std::wstring& value);
    void WriteInteger(const std::wstring& section, const std::wstring& key, std::int32_t value);
    void WriteBool(const std::wstring& section, const std::wstring& key, bool value);
    void DeleteKey(const std::wstring& section, const std::wstring& key);
    void EraseSection(const std::wstring& section);

private:
    void Write(const wchar_t* section, const wchar_t* key, const wchar_t* value);
    // The file as this holder first read it; empty when it cannot be read.
    const ProfileText& Text() const;

    std::wstring path_;
    mutable std::shared_ptr<const ProfileText> text_;
};

// Edits a copy of a profile file beside it, then puts the copy in the file's place in one
// step: a reader finds the old file or the new one in full, never a mix of the two.
class IniEdit {
public:
    // Throws ProfileWriteError when the file cannot be copied.
    explicit IniEdit(const IniFile& file);
    IniEdit(const IniEdit&) = delete;
    IniEdit& operator=(const IniEdit&) = delete;
    // Without Commit the file stays as it was.
    ~IniEdit();

    // The copy, read and written as the file itself would be.
    IniFile& File() { return copy_; }
    // Throws ProfileWriteError, and the file stays as it was.
    void Commit();

private:
    std::wstring target_;
    IniFile copy_;
    bool committed_ = false;
};

// A new file with exactly these bytes, or none.
[[nodiscard]] bool WriteNewFile(const std::wstring& path, const void* bytes, std::size_t size);
// `from` replaces `to` in one step, once its bytes are on the disk; `to` stays whole otherwise.
[[nodiscard]] bool MoveIntoPlace(const std::wstring& from, const std::wstring& to);

} // namespace orvane
