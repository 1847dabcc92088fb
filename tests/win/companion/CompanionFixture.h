#pragma once
// The program's windows with companion items, a tray that answers for the shell, a
// stand-in companion window and a recorder in place of the hook library.
#include "IconSamples.h"
#include "platform/HookLibrary.h"
#include "settings/SettingsFixture.h"
#include "support/CompanionWindow.h"
#include "traysim/TraySim.h"

#include <string>
#include <vector>

namespace orvane::test {

class HookRecorder final : public platform::HookLibrary {
public:
    HMODULE Load() override {
        ++loads;
        return GetModuleHandleW(nullptr);
    }
    void Free(HMODULE) override { ++frees; }
    void StartCBTHook(HWND receiver) override { starts.push_back(receiver); }
    void StopCBTHook() override { ++stops; }
    const wchar_t* GetHookMsgString() override { return L"OrvaneTestWindowReport"; }

    int loads = 0;
    int frees = 0;
    int stops = 0;
    std::vector<HWND> starts;

private:
    platform::ScopedOverride<platform::HookLibrary> installed_{*this};
};

struct ListedItem {
    ListedItem(std::wstring path, int bit = 64, std::wstring beforeStartText = {},
               bool showOnTaskBar = false)
        : path(std::move(path)), bit(bit), beforeStartText(std::move(beforeStartText)),
          showOnTaskBar(showOnTaskBar) {}
    std::wstring path;
    int bit;
    std::wstring beforeStartText;
    bool showOnTaskBar;
};

class CompanionTest : public SettingsTest {
protected:
    void SetUp() override;
    // Kestrin.ini and a placeholder picture for every item.
    static void GivenItems(const std::vector<ListedItem>& items, bool beforeStart = true);
    static std::wstring KestrinPath() { return DataFolder() + L"Kestrin.ini"; }
    // The program's windows started with the items; the hook library's reports then go to
    // the main window.
    TDozedeR64Form& StartWithItems(const std::vector<ListedItem>& items, bool beforeStart = true);
    // The companion reports through the channel control.
    void CompanionSays(const wchar_t* text);
    // A hook library report of the window to the main window.
    void Report(HWND window, LPARAM lParam = 0);

    // What the tray shows for item i: its tip, or "<none>".
    std::wstring TipOf(std::int32_t i) const;
    int OwnIcons() const;
    // The tray shows item i with the placeholder picture.
    bool ShowsPlaceholder(std::int32_t i) const;
    // The executable of this test program as the system names it.
    std::wstring OwnPath();
    // Messages until the condition holds or `milliseconds` of real time have passed.
    static bool PumpUntil(const std::function<bool()>& condition, int milliseconds = 10000);

    traysim::Tray tray{L"layout win7\nicon tray id=1 tip=Dropbox\n"};
    CompanionWindow companion;
    HookRecorder hook;
    // Nothing is started unless a test asks for it.
    ShellRecorder shell;
};

// The icon calls that reach the tray's taskbar, counted by NIM code; the codes in `refused`
// are answered FALSE without reaching the tray.
class NotifyCalls {
public:
    explicit NotifyCalls(HWND taskbar, std::vector<ULONG_PTR> refused = {});
    NotifyCalls(const NotifyCalls&) = delete;
    NotifyCalls& operator=(const NotifyCalls&) = delete;
    ~NotifyCalls();
    int Count(ULONG_PTR code) const;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR self);
    HWND taskbar_;
    std::vector<ULONG_PTR> refused_;
    std::vector<ULONG_PTR> seen_;
};

// A visible top-level window of this process with the given title.
class OwnWindow {
public:
    explicit OwnWindow(const std::wstring& title, bool visible = true);
    OwnWindow(const OwnWindow&) = delete;
    OwnWindow& operator=(const OwnWindow&) = delete;
    ~OwnWindow() { DestroyWindow(window_); }
    HWND Handle() const { return window_; }

private:
    HWND window_;
};

} // namespace orvane::test
