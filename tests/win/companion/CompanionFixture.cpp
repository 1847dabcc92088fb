#include "CompanionFixture.h"

#include "platform/ui/Application.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace orvane::test {

void CompanionTest::SetUp() {
    SettingsTest::SetUp();
    // Wine's desktop makes a taskbar of its own as it starts, which may come after this
    // test's tray and take the icons: wait for it, then put the test's tray above it.
    PumpUntil(
        [] {
            HWND window = nullptr;
            while ((window = FindWindowExW(nullptr, window, L"Shell_TrayWnd", nullptr))) {
                DWORD pid = 0;
                GetWindowThreadProcessId(window, &pid);
                if (pid != GetCurrentProcessId()) return true;
            }
            return false;
        },
        5000);
    SetWindowPos(tray.Taskbar(), HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_EQ(FindWindowW(L"Shell_TrayWnd", nullptr), tray.Taskbar());
}

void CompanionTest::GivenItems(const std::vector<ListedItem>& items, bool beforeStart) {
    std::wstring names, texts, bits, taskbar;
    CreateDirectoryW((DataFolder() + L"Icon").c_str(), nullptr);
    const std::vector<std::uint8_t> picture = MakeIcon(SampleEntry{16, 16, 4});
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::wstring n = std::to_wstring(i);
        names += n + L"=" + items[i].path + L"\r\n";
        texts += n + L"=" + items[i].beforeStartText + L"\r\n";
        bits += n + L"=" + std::to_wstring(items[i].bit) + L"\r\n";
        taskbar += n + (items[i].showOnTaskBar ? L"=1\r\n" : L"=0\r\n");
        WriteBytes(DataFolder() + L"Icon\\BlueIcon" + n + L".ico",
                   std::string(picture.begin(), picture.end()));
    }
    WriteUtf16File(KestrinPath(), L"[ItemCount]\r\nValue=" + std::to_wstring(items.size()) +
                                      L"\r\n[KestrinBeforeStart]\r\nValue=" +
                                      (beforeStart ? L"1" : L"0") + L"\r\n[ItemFileName]\r\n" +
                                      names + L"[ItemBeforeStartText]\r\n" + texts +
                                      L"[ItemBit]\r\n" + bits + L"[IsShowOnTaskBar]\r\n" + taskbar);
}

TDozedeR64Form& CompanionTest::StartWithItems(const std::vector<ListedItem>& items,
                                              bool beforeStart) {
    GivenItems(items, beforeStart);
    shell.result = 2;
    Start();
    // Ticks come from the tests alone.
    Main().Timer2.SetEnabled(false);
    CompanionSays(L"SetTaskTrayEnd");
    shell.result = 42;
    return Main();
}

void CompanionTest::CompanionSays(const wchar_t* text) {
    SendMessageW(Main().EditReceveMsg.Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    ui::App().ProcessMessages();
}

void CompanionTest::Report(HWND window, LPARAM lParam) {
    SendMessageW(Main().Handle(), Main().HookMessageId, reinterpret_cast<WPARAM>(window), lParam);
}

std::wstring CompanionTest::TipOf(std::int32_t i) const {
    for (const traysim::IconInfo& info : tray.Icons()) {
        if (info.owner == windows->main.Handle() && info.id == static_cast<UINT>(i))
            return info.tip;
    }
    return L"<none>";
}

int CompanionTest::OwnIcons() const {
    int count = 0;
    for (const traysim::IconInfo& info : tray.Icons())
        count += info.owner == windows->main.Handle();
    return count;
}

bool CompanionTest::ShowsPlaceholder(std::int32_t i) const {
    for (const traysim::IconInfo& info : tray.Icons()) {
        if (info.owner != windows->main.Handle() || info.id != static_cast<UINT>(i)) continue;
        const HDC screen = GetDC(nullptr);
        const HDC dc = CreateCompatibleDC(screen);
        const HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
        const HGDIOBJ saved = SelectObject(dc, bitmap);
        DrawIconEx(dc, 0, 0, info.icon, 16, 16, 0, nullptr, DI_NORMAL);
        // The sample picture's top left quarter is red.
        const COLORREF pixel = GetPixel(dc, 4, 4);
        SelectObject(dc, saved);
        DeleteObject(bitmap);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
        return pixel == RGB(255, 0, 0);
    }
    return false;
}

NotifyCalls::NotifyCalls(HWND taskbar, std::vector<ULONG_PTR> refused)
    : taskbar_(taskbar), refused_(std::move(refused)) {
    SetWindowSubclass(taskbar_, Proc, 0, reinterpret_cast<DWORD_PTR>(this));
}

NotifyCalls::~NotifyCalls() {
    RemoveWindowSubclass(taskbar_, Proc, 0);
}

int NotifyCalls::Count(ULONG_PTR code) const {
    return static_cast<int>(std::count(seen_.begin(), seen_.end(), code));
}

LRESULT CALLBACK NotifyCalls::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR, DWORD_PTR self) {
    if (message == WM_COPYDATA && lParam) {
        auto& calls = *reinterpret_cast<NotifyCalls*>(self);
        const ULONG_PTR code = reinterpret_cast<const COPYDATASTRUCT*>(lParam)->dwData;
        calls.seen_.push_back(code);
        if (std::find(calls.refused_.begin(), calls.refused_.end(), code) != calls.refused_.end())
            return FALSE;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

std::wstring CompanionTest::OwnPath() {
    return Main().ProcessImagePath(GetCurrentProcessId());
}

bool CompanionTest::PumpUntil(const std::function<bool()>& condition, int milliseconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        ui::App().ProcessMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

OwnWindow::OwnWindow(const std::wstring& title, bool visible)
    // Above the tray's windows, so that a search of this process's windows meets it first.
    : window_(CreateWindowExW(WS_EX_TOPMOST, L"Static", title.c_str(),
                              WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0), 0, 0, 200, 100,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr)) {}

} // namespace orvane::test
