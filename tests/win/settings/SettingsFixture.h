#pragma once
#include "core/Profile.h"
#include "platform/TaskbarList.h"
#include "support/Files.h"
#include "support/ProgramWindows.h"
#include "support/StandIns.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace orvane::test {

// The taskbar's list as the settings window changes it.
class TaskbarRecorder final : public platform::TaskbarList {
public:
    void DeleteTab(HWND window) override { Record(L"delete", window); }
    void AddTab(HWND window) override { Record(L"add", window); }
    struct Call {
        std::wstring what;
        HWND window;
        bool operator==(const Call&) const = default;
    };
    std::vector<Call> calls;
    // The windows for which the taskbar refuses.
    std::vector<HWND> refused;

private:
    void Record(const wchar_t* what, HWND window) {
        calls.push_back({what, window});
        for (HWND refusedWindow : refused) {
            if (refusedWindow == window) throw platform::TaskbarListError(E_FAIL);
        }
    }
    platform::ScopedOverride<platform::TaskbarList> installed_{*this};
};

class SettingsTest : public testing::Test {
protected:
    void SetUp() override { ClearDataFolder(); }
    void TearDown() override {
        windows.reset();
        ClearDataFolder();
    }

    static void GivenConfig(const std::wstring& text) { WriteUtf16File(ConfigPath(), text); }
    static IniFile Ini() { return IniFile(ConfigPath()); }
    static std::wstring Stored(const wchar_t* section, const wchar_t* key) {
        return Ini().ReadString(section, key, L"<missing>");
    }
    ProgramWindows& Start() {
        windows.reset();
        windows = std::make_unique<ProgramWindows>();
        return *windows;
    }
    TForm3& Settings() { return windows->settings; }
    TDozedeR64Form& Main() { return windows->main; }

    DialogRecorder dialogs;
    TaskbarRecorder taskbar;
    std::unique_ptr<ProgramWindows> windows;
};

} // namespace orvane::test
