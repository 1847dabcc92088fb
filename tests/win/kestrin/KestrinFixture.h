#pragma once
// Kestrin's window in the test process, with stand-ins for the file dialog and for Orvane.
#include "kestrin/KestrinForm.h"
#include "platform/FileDialogs.h"
#include "support/Files.h"
#include "support/OrvaneStandIn.h"
#include "support/StandIns.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace orvane::test {

// Answers the open-file dialog with the queued paths, then as cancelled.
class FileDialogAnswer final : public platform::FileDialogs {
public:
    std::optional<std::wstring> OpenFile(HWND, const std::wstring& title,
                                         const std::wstring& filter) override {
        titles.push_back(title);
        filters.push_back(filter);
        if (answers.empty()) return std::nullopt;
        std::wstring path = answers.front();
        answers.pop_front();
        return path;
    }
    std::deque<std::wstring> answers;
    std::vector<std::wstring> titles, filters;

private:
    platform::ScopedOverride<platform::FileDialogs> installed_{*this};
};

std::wstring KestrinIni();
std::wstring BlueIcon(int number);
// Real programs of the Wine installation, each with an icon of its own.
std::wstring SystemProgram(const wchar_t* name);
std::wstring Read(const wchar_t* section, const std::wstring& key);
void Write(const wchar_t* section, const std::wstring& key, const wchar_t* value);
std::vector<std::wstring> Keys(const wchar_t* section);

class KestrinTest : public testing::Test {
public:
    // Adds through the command and its dialog.
    void Add(const std::wstring& path) {
        files.answers.push_back(path);
        form.BtnAddClick();
    }
    void Select(int row) { form.ListView1.SetItemIndex(row); }

    CleanDataFolder clean;
    DialogRecorder dialogs;
    FileDialogAnswer files;
    OrvaneStandIn orvane;
    kestrin::TKestrinForm form;
};

} // namespace orvane::test
