#include "platform/Clock.h"
#include "platform/Handles.h"
#include "platform/ui/Application.h"
#include "support/Files.h"
#include "support/OrvaneStandIn.h"
#include "support/Process.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace orvane {
namespace {

std::wstring KestrinPath() {
    return test::TestFolder() + L"..\\Orvane\\Data\\Kestrin.exe";
}

// Kestrin started the way Orvane starts it, with a show command; ended with the test.
class Kestrin {
public:
    explicit Kestrin(int show) {
        const std::wstring path = KestrinPath();
        SHELLEXECUTEINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = SEE_MASK_NOCLOSEPROCESS;
        info.lpVerb = L"open";
        info.lpFile = path.c_str();
        info.nShow = show;
        if (ShellExecuteExW(&info) && info.hProcess) process_.Reset(info.hProcess);
    }
    Kestrin(const Kestrin&) = delete;
    Kestrin& operator=(const Kestrin&) = delete;
    ~Kestrin() {
        if (process_ && !Ends(0)) {
            TerminateProcess(process_.Get(), 1);
            WaitForSingleObject(process_.Get(), 5000);
        }
    }

    bool Started() const { return static_cast<bool>(process_); }
    HANDLE Process() const { return process_.Get(); }
    DWORD Pid() const { return GetProcessId(process_.Get()); }
    // Handles this thread's messages while waiting, so that Kestrin's texts arrive.
    bool Ends(DWORD timeout, DWORD* exitCode = nullptr) const {
        bool ended = false;
        ui::App().ProcessMessagesUntil(platform::Now(), timeout, [&] {
            ended = WaitForSingleObject(process_.Get(), 0) == WAIT_OBJECT_0;
            return ended;
        });
        if (!ended) ended = WaitForSingleObject(process_.Get(), 0) == WAIT_OBJECT_0;
        if (ended && exitCode) GetExitCodeProcess(process_.Get(), exitCode);
        return ended;
    }
    HWND Window(DWORD timeout = 5000) const {
        HWND found = nullptr;
        ui::App().ProcessMessagesUntil(platform::Now(), timeout, [&] {
            found = test::FindProcessWindow(Pid(), L"TKestrinForm");
            return found != nullptr;
        });
        return found;
    }

private:
    platform::UniqueHandle process_;
};

void WaitFor(const std::function<bool()>& done, DWORD timeout = 5000) {
    ui::App().ProcessMessagesUntil(platform::Now(), timeout, done);
}

class KestrinProgram : public testing::Test {
protected:
    void SetUp() override { test::ClearDataFolder(); }
    void TearDown() override { test::ClearDataFolder(); }
    test::OrvaneStandIn orvane;
};

TEST_F(KestrinProgram, TellsOrvaneItHasStartedAndEndsOnClose) {
    Kestrin kestrin(SW_SHOWNORMAL);
    ASSERT_TRUE(kestrin.Started());
    WaitFor([&] { return !orvane.received.empty(); });
    EXPECT_EQ(orvane.received, std::vector<std::wstring>{L"SetTaskTrayEnd"});
    const HWND window = kestrin.Window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(IsIconic(window));
    const HWND edit = GetDlgItem(window, 2000);
    ASSERT_NE(edit, nullptr);
    EXPECT_FALSE(IsWindowVisible(edit));

    PostMessageW(window, WM_CLOSE, 0, 0);
    DWORD exitCode = 1;
    ASSERT_TRUE(kestrin.Ends(2000, &exitCode));
    EXPECT_EQ(exitCode, 0u);
}

TEST_F(KestrinProgram, StartedMinimisedItIsMinimised) {
    Kestrin kestrin(SW_MINIMIZE);
    const HWND window = kestrin.Window();
    ASSERT_NE(window, nullptr);
    WaitFor([&] { return !orvane.received.empty(); });
    EXPECT_TRUE(IsIconic(window));
    EXPECT_TRUE(IsWindowVisible(window));
}

// An Orvane started after the first copy hears from the second that Kestrin runs.
TEST_F(KestrinProgram, ASecondCopyBringsTheFirstToTheFrontTellsOrvaneAndLeaves) {
    Kestrin first(SW_MINIMIZE);
    const HWND window = first.Window();
    ASSERT_NE(window, nullptr);
    WaitFor([&] { return !orvane.received.empty(); });
    ASSERT_TRUE(IsIconic(window));

    Kestrin second(SW_SHOWNORMAL);
    DWORD exitCode = 1;
    ASSERT_TRUE(second.Ends(5000, &exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_FALSE(IsIconic(window));
    EXPECT_EQ(GetForegroundWindow(), window);
    EXPECT_EQ(test::FindProcessWindow(second.Pid(), L"TKestrinForm"), nullptr);
    WaitFor([&] { return orvane.received.size() > 1; });
    EXPECT_EQ(orvane.received, (std::vector<std::wstring>{L"SetTaskTrayEnd", L"SetTaskTrayEnd"}));
}

TEST_F(KestrinProgram, ChangedFromOrvaneIsNotAnswered) {
    test::WriteUtf16File(test::DataFolder() + L"Kestrin.ini",
                         L"[ItemCount]\r\nValue=1\r\n[ItemFileName]\r\n0=C:\\a.exe\r\n");
    Kestrin kestrin(SW_SHOWNORMAL);
    const HWND window = kestrin.Window();
    ASSERT_NE(window, nullptr);
    WaitFor([&] { return !orvane.received.empty(); });
    orvane.received.clear();
    const HWND edit = GetDlgItem(window, 2000);
    DWORD_PTR result = 0;
    ASSERT_TRUE(SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Changed"),
                                    SMTO_ABORTIFHUNG, 5000, &result));
    WaitFor([] { return false; }, 300);
    EXPECT_EQ(test::WindowText(edit), L"");
    EXPECT_TRUE(orvane.received.empty());
}

TEST_F(KestrinProgram, AnOrvaneThatDoesNotAnswerHoldsItUpForABoundedTime) {
    // This thread handles no message until the end: the stand-in never answers.
    Kestrin kestrin(SW_SHOWNORMAL);
    HWND window = nullptr;
    for (int i = 0; i < 250 && !window; ++i) {
        window = test::FindProcessWindow(kestrin.Pid(), L"TKestrinForm");
        Sleep(20);
    }
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(kestrin.Process(), 15000), WAIT_OBJECT_0);
}

} // namespace
} // namespace orvane
