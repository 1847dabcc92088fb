#include "platform/HookLibrary.h"
#include "support/Process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

namespace orvane {
namespace {

// A window of this process that keeps the hook library's reports.
class ReportWindow {
public:
    explicit ReportWindow(UINT message) {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"VostrelTestReceiver";
        RegisterClassW(&windowClass);
        reportMessage = message;
        reports.clear();
        window_ = CreateWindowExW(0, L"VostrelTestReceiver", L"", 0, 0, 0, 10, 10, HWND_MESSAGE,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ReportWindow(const ReportWindow&) = delete;
    ReportWindow& operator=(const ReportWindow&) = delete;
    ~ReportWindow() {
        DestroyWindow(window_);
        UnregisterClassW(L"VostrelTestReceiver", GetModuleHandleW(nullptr));
    }
    HWND Window() const { return window_; }

    struct Report {
        HWND window;
        LPARAM lParam;
        bool visible;
        std::wstring title;
    };
    static inline UINT reportMessage = 0;
    static inline std::vector<Report> reports;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == reportMessage) {
            const HWND reported = reinterpret_cast<HWND>(wParam);
            reports.push_back(
                {reported, lParam, IsWindowVisible(reported) != FALSE, test::WindowText(reported)});
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
    HWND window_;
};

// Messages for `milliseconds` of real time.
void Pump(int milliseconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < end) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

class VostrelTest : public testing::Test {
protected:
    void SetUp() override {
        module = library.Load();
        ASSERT_NE(module, nullptr);
        const wchar_t* name = library.GetHookMsgString();
        ASSERT_NE(name, nullptr);
        message = RegisterWindowMessageW(name);
        ASSERT_NE(message, 0u);
    }
    void TearDown() override {
        library.StopCBTHook();
        library.Free(module);
    }
    // Reports of the windows of one process.
    static std::vector<ReportWindow::Report> ReportsOf(DWORD pid) {
        std::vector<ReportWindow::Report> found;
        for (const ReportWindow::Report& report : ReportWindow::reports) {
            DWORD owner = 0;
            GetWindowThreadProcessId(report.window, &owner);
            if (owner == pid) found.push_back(report);
        }
        return found;
    }

    platform::HookLibrary& library = platform::Real<platform::HookLibrary>();
    HMODULE module = nullptr;
    UINT message = 0;
};

TEST_F(VostrelTest, AnotherProgramsNewWindowIsReportedOnceItIsShownWithItsTitle) {
    ReportWindow receiver(message);
    library.StartCBTHook(receiver.Window());
    library.StartCBTHook(receiver.Window()); // a second start installs nothing twice
    test::ChildProcess notepad(L"notepad.exe");
    const HWND window = notepad.WaitForWindow(L"Notepad", 10000);
    ASSERT_NE(window, nullptr);
    Pump(500);
    const std::vector<ReportWindow::Report> reports = ReportsOf(notepad.Pid());
    ASSERT_FALSE(reports.empty());
    bool adoptable = false;
    for (const ReportWindow::Report& report : reports) {
        EXPECT_EQ(report.lParam, 0);
        adoptable |= report.window == window && report.visible && !report.title.empty();
    }
    EXPECT_TRUE(adoptable);

    // One activation is one report, also after the second start.
    const HWND other = CreateWindowExW(0, L"Static", L"front", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                       0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    Pump(200);
    ReportWindow::reports.clear();
    SetForegroundWindow(window);
    Pump(500);
    std::size_t activations = 0;
    for (const ReportWindow::Report& report : ReportsOf(notepad.Pid()))
        activations += report.window == window;
    EXPECT_EQ(activations, 1u);
    DestroyWindow(other);
}

TEST_F(VostrelTest, NothingIsReportedAfterTheStop) {
    ReportWindow receiver(message);
    library.StartCBTHook(receiver.Window());
    library.StopCBTHook();
    test::ChildProcess notepad(L"notepad.exe");
    ASSERT_NE(notepad.WaitForWindow(L"Notepad", 10000), nullptr);
    Pump(500);
    EXPECT_TRUE(ReportsOf(notepad.Pid()).empty());
}

} // namespace
} // namespace orvane
