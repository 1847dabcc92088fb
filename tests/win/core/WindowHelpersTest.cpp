#include "core/WindowHelpers.h"
#include "platform/TaskbarList.h"
#include "platform/ui/Form.h"
#include "support/StalledWindow.h"
#include "support/StandIns.h"

#include <gtest/gtest.h>

#include <thread>

namespace orvane {
namespace {

DWORD ForegroundLockTimeout() {
    DWORD value = 0;
    SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &value, 0);
    return value;
}

void SetForegroundLockTimeout(DWORD value) {
    SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0,
                          reinterpret_cast<void*>(static_cast<ULONG_PTR>(value)), 0);
}

bool Topmost(HWND window) {
    return GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST;
}

TEST(ForceForegroundTest, LeavesTheForegroundLockTimeOutAsFoundWhetherOrNotItSucceeds) {
    const DWORD original = ForegroundLockTimeout();
    SetForegroundLockTimeout(123456);
    ui::Form other, target;
    other.Show();
    target.Show();
    SetForegroundWindow(other.Handle());

    const bool raised = ForceForeground(target.Handle());
    EXPECT_EQ(ForegroundLockTimeout(), 123456u);
    EXPECT_EQ(raised, GetForegroundWindow() == target.Handle());
    EXPECT_TRUE(raised);

    EXPECT_FALSE(ForceForeground(reinterpret_cast<HWND>(static_cast<ULONG_PTR>(0xDEAD0))));
    EXPECT_EQ(ForegroundLockTimeout(), 123456u);
    SetForegroundLockTimeout(original);
}

TEST(WindowPosTopTest, RaisesForAMomentAndLeavesTheWindowWhereItWas) {
    test::VirtualClock clock;
    ui::Form form;
    form.SetBounds(120, 90, 300, 200);
    form.Show();
    RECT before{};
    GetWindowRect(form.Handle(), &before);
    bool topmostWhileWaiting = false;
    clock.onWait = [&] { topmostWhileWaiting = Topmost(form.Handle()); };
    const std::uint32_t start = clock.Peek();

    WindowPosTop(form.Handle());

    EXPECT_GE(clock.Peek() - start, 100u);
    EXPECT_TRUE(topmostWhileWaiting);
    EXPECT_FALSE(Topmost(form.Handle()));
    RECT after{};
    GetWindowRect(form.Handle(), &after);
    EXPECT_TRUE(EqualRect(&before, &after));
}

TEST(TaskButtonTest, AFailureReachesTheCaller) {
    ui::Form form;
    const HWND window = form.Handle();
    // The main thread's object, which no other thread may use.
    EXPECT_NO_THROW(DeleteTaskButton(window));
    EXPECT_NO_THROW(AddTaskButton(window));
    // A thread without the component model cannot make the taskbar-list object.
    HRESULT deleted = S_OK, added = S_OK;
    std::thread([&] {
        try {
            DeleteTaskButton(window);
        } catch (const platform::TaskbarListError& error) {
            deleted = error.Result();
        }
        try {
            AddTaskButton(window);
        } catch (const platform::TaskbarListError& error) {
            added = error.Result();
        }
    }).join();
    EXPECT_EQ(deleted, CO_E_NOTINITIALIZED);
    EXPECT_EQ(added, CO_E_NOTINITIALIZED);
}

TEST(OtherThreadsWindowTest, ShowingAndRaisingDoNotWaitForItsThread) {
    test::VirtualClock clock;
    const std::vector<std::pair<const char*, void (*)(HWND)>> operations{
        {"WindowPosTop", [](HWND w) { WindowPosTop(w); }},
        {"ShowWindowOf", [](HWND w) { ShowWindowOf(w, SW_SHOWNA); }},
        {"SetTopmost", [](HWND w) { SetTopmost(w, true); }}};
    for (const auto& [name, operation] : operations) {
        SCOPED_TRACE(name);
        test::StalledWindow stalled;
        const DWORD start = GetTickCount();
        operation(stalled.Window());
        EXPECT_LT(GetTickCount() - start, 1000u);
    }
}

} // namespace
} // namespace orvane
