#include "VostrelTarget.h"
#include "platform/HookLibrary.h"
#include "support/Process.h"

#include <gtest/gtest.h>

#include <sddl.h>

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

    // Whether a new program's window reaches the receiver.
    static bool NotepadIsReported() {
        test::ChildProcess notepad(L"notepad.exe");
        const HWND window = notepad.WaitForWindow(L"Notepad", 10000);
        if (!window) return false;
        Pump(500);
        for (const ReportWindow::Report& report : ReportsOf(notepad.Pid()))
            if (report.window == window) return true;
        return false;
    }

    platform::HookLibrary& library = platform::Real<platform::HookLibrary>();
    HMODULE module = nullptr;
    UINT message = 0;
};

// The relay that the first block names, read as a hooked process reads it.
HWND PublishedRelay() {
    const HANDLE block = OpenFileMappingW(FILE_MAP_READ, FALSE, vostrel::TargetBlockNames[0]);
    if (!block) return nullptr;
    HWND relay = nullptr;
    if (const auto* view = static_cast<const vostrel::TargetBlock*>(
            MapViewOfFile(block, FILE_MAP_READ, 0, 0, sizeof(vostrel::TargetBlock)))) {
        if (view->magic == vostrel::TargetMagic && view->version == vostrel::TargetVersion)
            relay = reinterpret_cast<HWND>(static_cast<INT_PTR>(view->relay));
        UnmapViewOfFile(view);
    }
    CloseHandle(block);
    return relay;
}

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

// The program starts and stops the hook on a thread of its own, which keeps the relay.
TEST_F(VostrelTest, AHookStartedAndStoppedOnAnotherThreadReports) {
    bool reported = false;
    bool relayGone = false;
    std::thread listener([&] {
        ReportWindow receiver(message);
        library.StartCBTHook(receiver.Window());
        const HWND relay = PublishedRelay();
        reported = NotepadIsReported();
        library.StopCBTHook();
        relayGone = relay && !IsWindow(relay);
    });
    listener.join();
    EXPECT_TRUE(reported);
    EXPECT_TRUE(relayGone);
}

TEST_F(VostrelTest, HookedProcessesMayReadTheRelaysBlockButNotWriteIt) {
    ReportWindow receiver(message);
    library.StartCBTHook(receiver.Window());
    EXPECT_TRUE(IsWindow(PublishedRelay()));
    const HANDLE writable = OpenFileMappingW(FILE_MAP_WRITE, FALSE, vostrel::TargetBlockNames[0]);
    EXPECT_EQ(writable, nullptr);
    if (writable) CloseHandle(writable);
}

// What any process may post to the relay: only top-level windows are passed on.
TEST_F(VostrelTest, TheRelayPassesOnTopLevelWindowsAlone) {
    ReportWindow receiver(message);
    library.StartCBTHook(receiver.Window());
    const HWND relay = PublishedRelay();
    ASSERT_TRUE(IsWindow(relay));
    const UINT seen = RegisterWindowMessageW(vostrel::SeenMessageName);
    const HWND top = CreateWindowExW(0, L"Static", L"top", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                     200, 200, nullptr, nullptr, nullptr, nullptr);
    const HWND child = CreateWindowExW(0, L"Static", L"child", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50,
                                       top, nullptr, nullptr, nullptr);
    const HWND gone = CreateWindowExW(0, L"Static", L"gone", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                      100, 100, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    Pump(200);
    const struct {
        const char* name;
        HWND window;
        bool reported;
    } cases[] = {{"child", child, false}, {"destroyed", gone, false}, {"top-level", top, true}};
    for (const auto& c : cases) {
        ReportWindow::reports.clear();
        PostMessageW(relay, seen, reinterpret_cast<WPARAM>(c.window), 0);
        Pump(300);
        bool reported = false;
        for (const ReportWindow::Report& report : ReportWindow::reports)
            reported |= report.window == c.window;
        EXPECT_EQ(reported, c.reported) << c.name;
    }
    DestroyWindow(top);
}

// A block under the relay's name that is already there when the hook starts: reports
// still arrive.
enum class Squat { Garbage, NotWritableForUs, HeldByAnotherProcess };

class VostrelSquatTest : public VostrelTest, public testing::WithParamInterface<Squat> {};

TEST_P(VostrelSquatTest, ABlockThatIsAlreadyThereDoesNotStopTheReports) {
    ReportWindow receiver(message);
    const wchar_t* name = vostrel::TargetBlockNames[0];
    platform::UniqueHandle squat;
    if (GetParam() == Squat::Garbage) {
        squat.Reset(
            CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, name));
        const DWORD error = GetLastError();
        ASSERT_TRUE(squat);
        ASSERT_NE(error, static_cast<DWORD>(ERROR_ALREADY_EXISTS));
        void* view = MapViewOfFile(squat.Get(), FILE_MAP_WRITE, 0, 0, 4096);
        ASSERT_NE(view, nullptr);
        FillMemory(view, 4096, 0xCD);
        UnmapViewOfFile(view);
    } else if (GetParam() == Squat::NotWritableForUs) {
        // Everyone may read it; only its maker's handle writes.
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(
            L"D:P(A;;0x5;;;WD)", SDDL_REVISION_1, &descriptor, nullptr));
        SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
        squat.Reset(
            CreateFileMappingW(INVALID_HANDLE_VALUE, &attributes, PAGE_READWRITE, 0, 4096, name));
        const DWORD error = GetLastError();
        LocalFree(descriptor);
        ASSERT_TRUE(squat);
        ASSERT_NE(error, static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    } else {
        // An earlier start's block, kept open by a hooked process after the library is gone.
        library.StartCBTHook(receiver.Window());
        const HANDLE held = OpenFileMappingW(FILE_MAP_READ, FALSE, name);
        ASSERT_NE(held, nullptr);
        test::ChildProcess holder(L"notepad.exe");
        const platform::UniqueHandle process(OpenProcess(PROCESS_DUP_HANDLE, FALSE, holder.Pid()));
        HANDLE inHolder = nullptr;
        ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), held, process.Get(), &inHolder, 0, FALSE,
                                    DUPLICATE_SAME_ACCESS | DUPLICATE_CLOSE_SOURCE));
        library.StopCBTHook();
        library.Free(module);
        module = library.Load();
        ASSERT_NE(module, nullptr);
        library.StartCBTHook(receiver.Window());
        EXPECT_TRUE(NotepadIsReported());
        return;
    }
    library.StartCBTHook(receiver.Window());
    EXPECT_TRUE(NotepadIsReported());
}

INSTANTIATE_TEST_SUITE_P(Blocks, VostrelSquatTest,
                         testing::Values(Squat::Garbage, Squat::NotWritableForUs,
                                         Squat::HeldByAnotherProcess));

} // namespace
} // namespace orvane
