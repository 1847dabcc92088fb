#pragma once
#include <string>

namespace orvane::test {

// The program's per-user data folder (Documents\Kelmora\OrvaneData\), created if missing.
std::wstring DataFolder();
std::wstring ConfigPath();
// Removes every file the program keeps in the data folder.
void ClearDataFolder();

// A data folder without the program's files for the life of the holder; declared before
// the windows of a fixture, it clears the folder before they read it.
struct CleanDataFolder {
    CleanDataFolder() { ClearDataFolder(); }
    CleanDataFolder(const CleanDataFolder&) = delete;
    CleanDataFolder& operator=(const CleanDataFolder&) = delete;
    ~CleanDataFolder() { ClearDataFolder(); }
};

// The file held open by another program (an editor, a virus scanner) while the holder
// lives: readable, but neither writable nor replaceable.
struct HeldOpen {
    explicit HeldOpen(const std::wstring& path);
    HeldOpen(const HeldOpen&) = delete;
    HeldOpen& operator=(const HeldOpen&) = delete;
    ~HeldOpen();
    void* handle;
};

// Files as another program (an editor, an older version) leaves them.
void WriteUtf16File(const std::wstring& path, const std::wstring& text);
void WriteBytes(const std::wstring& path, const std::string& bytes);
std::string ReadBytes(const std::wstring& path);
// UTF-16 when the file starts with its byte-order mark, else the ANSI code page.
std::wstring ReadText(const std::wstring& path);
bool FileExists(const std::wstring& path);

// The folder of the running test program, with a trailing backslash.
std::wstring TestFolder();
// A file for this run alone: in the temporary folder of the Wine prefix, which test runs side
// by side do not share, unlike the test program's folder.
std::wstring ScratchFile(const std::wstring& name);

} // namespace orvane::test
