// Times a key typed into another program, from SendInput to that program's window procedure,
// while the real Orvane (with the simulated tray, in processes of their own) idles, waits
// after a right click on an icon whose owner shows no menu, waits for a program started from
// a placeholder that never shows a window, and draws 500 icons at the largest size. Orvane's
// keyboard hook sees every key before the program that has the keyboard.
#include "bench/Bench.h"
#include "board/Geometry.h"
#include "board/Placement.h"
#include "resources/Texts.h"
#include "support/Board.h"
#include "support/Files.h"
#include "support/Pointer.h"
#include "support/Process.h"
#include "support/Simulator.h"
#include "support/TrayReader.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace orvane;

constexpr size_t KeysPerState = 20;
// A key that takes longer counts as this long and as lost.
constexpr double KeyBound = 20.0;
// F13 to F24 in turn: nothing here reacts to them, and a late key is not taken for the next.
constexpr WORD FirstKey = VK_F13;
constexpr int KeyKinds = 12;
constexpr UINT TakeKeyboardMessage = WM_APP + 1;

double Now() {
    return bench::Seconds();
}

void Fail(const std::string& what) {
    throw std::runtime_error(what);
}

// Waits, looking every millisecond, until the condition holds; false after `seconds`.
bool Within(double seconds, const std::function<bool()>& condition) {
    const double end = Now() + seconds;
    while (!condition()) {
        if (Now() > end) return false;
        Sleep(1);
    }
    return true;
}

struct KeyResult {
    double sentAt; // seconds
    double ms;     // the bound when lost
    bool lost;     // not there within the bound
    // Not there because another window took the keyboard while the key was held up; `ms` is
    // then the time until SendInput of the key down returned.
    bool elsewhere;
};

// The other program: a plain window on a thread that takes its messages all the time and
// notes when each key reaches the window procedure.
class Typist {
public:
    Typist() : arrived_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
        const HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        thread_ = std::thread([this, ready] { Run(ready); });
        WaitForSingleObject(ready, 10000);
        CloseHandle(ready);
        if (!window_) Fail("the typing window did not come up");
    }
    Typist(const Typist&) = delete;
    Typist& operator=(const Typist&) = delete;
    ~Typist() {
        if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
        if (thread_.joinable()) thread_.join();
        CloseHandle(arrived_);
    }

    bool HasKeyboard() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetForegroundWindow() == window_ && GetGUIThreadInfo(threadId_, &info) &&
               info.hwndFocus == window_;
    }
    // Asks again now and then: a program that is being shown may take the front back.
    bool TakeKeyboard() const {
        double asked = 0;
        return Within(2, [&] {
            if (HasKeyboard()) return true;
            if (Now() - asked > 0.05) {
                PostMessageW(window_, TakeKeyboardMessage, 0, 0);
                asked = Now();
            }
            return false;
        });
    }
    // Types the next key into the window, which must have the keyboard.
    KeyResult Type();
    // How far the return of SendInput for a key down lay from the key's arrival, at most,
    // over the keys that arrived: what the measure of the keys that went elsewhere is worth.
    double ReturnGap() const { return returnGap_; }

private:
    void Expect(WORD vk) { arrivals_[vk] = 0; }
    // When vk reached the window, or 0 if it has not by `deadline`.
    double Arrival(WORD vk, double deadline) const {
        for (;;) {
            if (const double at = arrivals_[vk]) return at;
            const double left = deadline - Now();
            if (left <= 0) return 0;
            WaitForSingleObject(arrived_, static_cast<DWORD>(left * 1000) + 1);
        }
    }
    void Run(HANDLE ready) {
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = instance;
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = L"KeylatTypist";
        RegisterClassW(&windowClass);
        // Clear of the small board in the middle of the screen, whose cells are clicked.
        window_ = CreateWindowExW(0, L"KeylatTypist", L"typist", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  1500, 40, 320, 200, nullptr, nullptr, instance, this);
        threadId_ = GetCurrentThreadId();
        SetEvent(ready);
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    }
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_KEYDOWN) {
            const double at = Now();
            auto* self = reinterpret_cast<Typist*>(GetWindowLongPtrW(window, GWLP_USERDATA));
            if (self && wParam < self->arrivals_.size()) {
                self->arrivals_[wParam] = at;
                SetEvent(self->arrived_);
            }
            return 0;
        }
        switch (message) {
        case WM_NCCREATE:
            SetWindowLongPtrW(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(
                                  reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
            break;
        case TakeKeyboardMessage:
            SetForegroundWindow(window);
            SetFocus(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    std::array<std::atomic<double>, 256> arrivals_{};
    HANDLE arrived_;
    HWND window_ = nullptr;
    DWORD threadId_ = 0;
    std::thread thread_;
    int turn_ = 0;
    double returnGap_ = 0;
};

// One key's down and up, sent on a thread of their own: under Wine SendInput returns only
// when the keyboard hooks have taken the record or timed out, and the wait for the key must
// keep its own bound.
KeyResult Typist::Type() {
    struct Sending {
        WORD vk;
        std::atomic<double> at{0}, downDone{0};
    };
    auto* sending = new Sending{static_cast<WORD>(FirstKey + turn_++ % KeyKinds)};
    Expect(sending->vk);
    const double start = Now();
    const HANDLE thread = CreateThread(
        nullptr, 0,
        [](void* data) -> DWORD {
            auto* s = static_cast<Sending*>(data);
            INPUT down = test::Key(s->vk), up = test::Key(s->vk, true);
            s->at = Now();
            SendInput(1, &down, sizeof(INPUT));
            s->downDone = Now();
            SendInput(1, &up, sizeof(INPUT));
            return 0;
        },
        sending, 0, nullptr);
    if (!thread) Fail("no thread for SendInput");
    // Once the key down is through the hooks it reaches the window with the keyboard at once.
    double arrived = 0;
    bool elsewhere = false;
    for (double deadline = start + KeyBound; !arrived && Now() < deadline;) {
        arrived = Arrival(sending->vk, std::min(deadline, Now() + 0.05));
        const double through = sending->downDone;
        if (!arrived && through && Now() - through > 0.5 && !HasKeyboard()) {
            elsewhere = true;
            break;
        }
    }
    // The key goes up before the next one goes down.
    const bool returned = WaitForSingleObject(thread, 20000) == WAIT_OBJECT_0;
    CloseHandle(thread);
    const double sentAt = sending->at != 0 ? sending->at.load() : start;
    const double through = sending->downDone;
    if (returned) delete sending; // else its thread may still read it
    if (arrived) {
        if (through) returnGap_ = std::max(returnGap_, std::abs(through - arrived) * 1e3);
        return {sentAt, (arrived - sentAt) * 1e3, false, false};
    }
    if (elsewhere) return {sentAt, (through - sentAt) * 1e3, false, true};
    return {sentAt, KeyBound * 1e3, true, false};
}

// Waits until `at` (seconds), or returns at once when it has passed.
void Until(double at) {
    while (Now() < at) Sleep(1);
}

struct StateResult {
    std::string name;
    std::vector<double> ms;
    int lost = 0, elsewhere = 0;
    std::string how; // what was checked
    void Add(const KeyResult& key) {
        ms.push_back(key.ms);
        lost += key.lost;
        elsewhere += key.elsewhere;
    }
    double Max() const { return ms.empty() ? 0 : *std::max_element(ms.begin(), ms.end()); }
};

RECT Bounds(HWND window) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    return bounds;
}

void Minimise(HWND window) {
    PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    if (!Within(5, [&] { return IsIconic(window) != FALSE; }))
        Fail("Orvane's board did not minimise");
    Sleep(200);
}

// Restored by the window system, drawn and placed: the window stays still for 200 ms.
void Restore(HWND window) {
    PostMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    if (!Within(5, [&] { return !IsIconic(window); })) Fail("Orvane's board was not restored");
    RECT before = Bounds(window);
    double stillSince = Now();
    Within(10, [&] {
        const RECT now = Bounds(window);
        if (!EqualRect(&now, &before)) {
            before = now;
            stillSince = Now();
        }
        return Now() - stillSince > 0.2;
    });
}

// The middle of a cell of the board, on the screen.
POINT CellCentre(HWND window, int entry, int iconSize) {
    const HWND board = test::FindChildWindow(window, L"OrvaneImage");
    if (!board) Fail("Orvane's board has no image");
    POINT centre{CellOrigin(entry, iconSize).X + iconSize / 2,
                 CellOrigin(entry, iconSize).Y + iconSize / 2};
    ClientToScreen(board, &centre);
    return centre;
}

// Whether the cell shows something other than the board's white on the screen, looking along
// the lines through its middle, edge to edge.
bool CellDrawn(HWND window, int entry, int iconSize) {
    const POINT centre = CellCentre(window, entry, iconSize);
    const HDC screen = GetDC(nullptr);
    int coloured = 0;
    for (int d = -iconSize / 2; d < iconSize / 2; ++d) {
        for (const COLORREF pixel :
             {GetPixel(screen, centre.x + d, centre.y), GetPixel(screen, centre.x, centre.y + d)})
            coloured += pixel != CLR_INVALID && pixel != RGB(255, 255, 255);
    }
    ReleaseDC(nullptr, screen);
    return coloured >= 4;
}

int RightClicksLogged(const std::wstring& log) {
    int count = 0;
    for (const traysim::OwnerMessage& m : test::LoggedOperations(log))
        count += m.lParam == WM_RBUTTONDOWN || m.lParam == WM_RBUTTONUP;
    return count;
}

std::wstring SleeperPath() {
    return test::TestFolder() + L"bench_keylat_sleeper.exe";
}

// A 16 × 16 icon file with 32-bit pixels, for the placeholder.
std::string SmallIcon() {
    std::string bytes;
    const auto u16 = [&](unsigned v) {
        bytes += static_cast<char>(v & 0xFF);
        bytes += static_cast<char>(v >> 8 & 0xFF);
    };
    const auto u32 = [&](unsigned v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    const unsigned pixels = 16 * 16 * 4, mask = 16 * 4;
    u16(0), u16(1), u16(1);                     // an icon file of one image
    u16(16 | 16 << 8), u16(0), u16(1), u16(32); // 16 × 16, 32 bits
    u32(40 + pixels + mask), u32(22);           // its size and place
    u32(40), u32(16), u32(32), u16(1), u16(32); // the header: height counts the mask
    u32(0), u32(pixels + mask), u32(0), u32(0), u32(0), u32(0);
    for (unsigned i = 0; i < 16 * 16; ++i) u32(0xFF2040C0); // opaque blue
    bytes.append(mask, '\0');
    return bytes;
}

// One listed program, not running, with its placeholder picture.
void ListSleeper() {
    test::ClearDataFolder();
    CreateDirectoryW((test::DataFolder() + L"Icon").c_str(), nullptr);
    test::WriteBytes(test::DataFolder() + L"Icon\\BlueIcon0.ico", SmallIcon());
    test::WriteUtf16File(test::DataFolder() + L"Kestrin.ini",
                         L"[ItemCount]\r\nValue=1\r\n[KestrinBeforeStart]\r\nValue=1\r\n"
                         L"[ItemFileName]\r\n0=" +
                             SleeperPath() + L"\r\n[ItemBit]\r\n0=64\r\n");
}

// The sleeper's events: it says when it runs, and ends when told.
struct SleeperEvents {
    HANDLE started = CreateEventW(nullptr, FALSE, FALSE, L"OrvaneKeylatSleeperStarted");
    HANDLE quit = CreateEventW(nullptr, TRUE, FALSE, L"OrvaneKeylatSleeperQuit");
    SleeperEvents() = default;
    SleeperEvents(const SleeperEvents&) = delete;
    SleeperEvents& operator=(const SleeperEvents&) = delete;
    ~SleeperEvents() {
        SetEvent(quit);
        CloseHandle(started);
        CloseHandle(quit);
    }
};

std::string Seconds(double min, double max) {
    char text[64];
    std::snprintf(text, sizeof text, "%.1f-%.1f s", min, max);
    return text;
}

// 1. The board minimised, the program waiting for messages.
StateResult Idle(HWND window, Typist& typist) {
    StateResult state;
    state.name = "idle, board minimised";
    Minimise(window);
    if (!typist.TakeKeyboard()) Fail("the typing window did not get the keyboard");
    while (state.ms.size() < KeysPerState) {
        if (!IsIconic(window) || !typist.HasKeyboard()) Fail("idle: the board or keyboard moved");
        state.Add(typist.Type());
        if (!IsIconic(window)) Fail("idle: the board came up while a key was typed");
        Sleep(50);
    }
    state.how = "board iconic before and after every key";
    return state;
}

// 2. A right click on an icon whose owner shows no menu: the program looks for a menu for
// 5 s, then takes messages for 5 s more, then minimises the board.
StateResult RightClickWait(HWND window, Typist& typist, const std::wstring& log) {
    StateResult state;
    state.name = "right-click wait (owner shows no menu)";
    int clicks = 0, inSearch = 0;
    double shortest = 1e9, longest = 0;
    while (state.ms.size() < KeysPerState && clicks < 5) {
        Restore(window);
        const int before = RightClicksLogged(log);
        test::SendRecords({test::PointerMove(CellCentre(window, 0, 64))});
        Sleep(300); // the move reaches the board, which notes the cell
        test::SendRecords(
            {test::MouseButtons(MOUSEEVENTF_RIGHTDOWN), test::MouseButtons(MOUSEEVENTF_RIGHTUP)});
        const double clicked = Now();
        ++clicks;
        if (!Within(3, [&] { return RightClicksLogged(log) >= before + 2; }))
            Fail("the right click did not reach the icon's owner");
        if (FindWindowW(L"#32768", nullptr)) Fail("a menu is open: the wait would end early");
        if (!typist.TakeKeyboard()) Fail("the typing window did not get the keyboard");
        for (double next = clicked + 0.3;
             state.ms.size() < KeysPerState && Now() < clicked + 9.3;) {
            Until(next);
            if (IsIconic(window)) break; // the wait is over
            if (!typist.HasKeyboard() && !typist.TakeKeyboard()) break;
            const KeyResult key = typist.Type();
            state.Add(key);
            inSearch += key.sentAt - clicked < 5;
            next = std::max(Now(), key.sentAt + 0.45);
        }
        if (!Within(20, [&] { return IsIconic(window) != FALSE; }))
            Fail("the board stayed up after the right click");
        shortest = std::min(shortest, Now() - clicked);
        longest = std::max(longest, Now() - clicked);
    }
    state.how = std::to_string(clicks) +
                " right clicks, each logged by the owner; no menu; board up "
                "at every send, minimised by the program " +
                Seconds(shortest, longest) + " after the click; " + std::to_string(inSearch) +
                " keys sent in the first 5 s (the menu search)";
    return state;
}

// 3. A click on a placeholder whose program starts and never shows a window: the program
// waits 5.1 s for its window, watches the front window for 15 s, then takes messages for the
// click's 5 s and minimises the board.
StateResult PlaceholderStart(HWND window, Typist& typist, SleeperEvents& sleeper) {
    StateResult state;
    state.name = "placeholder start (program shows no window)";
    int starts = 0;
    double shortest = 1e9, longest = 0;
    while (state.ms.size() < KeysPerState && starts < 5) {
        Restore(window);
        ResetEvent(sleeper.quit);
        ResetEvent(sleeper.started);
        test::SendRecords({test::PointerMove(CellCentre(window, 1, 64))});
        Sleep(300);
        test::SendRecords(
            {test::MouseButtons(MOUSEEVENTF_LEFTDOWN), test::MouseButtons(MOUSEEVENTF_LEFTUP)});
        // The program notes the front window as it starts the program, after the double-click
        // time: ours then, so that the watch for a new front window runs its full time.
        Sleep(150);
        if (!typist.TakeKeyboard()) Fail("the typing window did not get the keyboard");
        if (WaitForSingleObject(sleeper.started, 5000) != WAIT_OBJECT_0)
            Fail("the placeholder's program did not start");
        const double started = Now();
        ++starts;
        std::vector<KeyResult> keys;
        for (double next = started + 0.2;
             state.ms.size() + keys.size() < KeysPerState && Now() < started + 19.0;) {
            Until(next);
            if (IsIconic(window) || !typist.HasKeyboard()) break;
            keys.push_back(typist.Type());
            next = std::max(Now(), keys.back().sentAt + 0.9);
        }
        if (!Within(started + 40 - Now(), [&] { return IsIconic(window) != FALSE; }))
            Fail("the board stayed up after the placeholder's click");
        SetEvent(sleeper.quit);
        // The start's waits are over when the click's 5 s of messages begin.
        const double waitEnd = Now() - 5.0;
        shortest = std::min(shortest, waitEnd - started);
        longest = std::max(longest, waitEnd - started);
        for (const KeyResult& key : keys)
            if (key.sentAt < waitEnd) state.Add(key);
    }
    state.how = std::to_string(starts) +
                " starts; the program started at every click; our window in front all along; "
                "board up at every send; the start's waits held the program " +
                Seconds(shortest, longest) + " (board minimised 5 s later)";
    return state;
}

// 4. Restores of a board of 500 icons at the largest size. The program places the board
// beside the pointer as the restore's last step; the pointer moves between two places, so a
// board not yet there is still being refreshed and drawn.
StateResult Drawing(HWND window, Typist& typist, int iconSize, int icons) {
    StateResult state;
    state.name = "drawing " + std::to_string(icons) + " icons of " + std::to_string(iconSize) +
                 " px on restore";
    int restores = 0, missed = 0;
    double shortest = 1e9, longest = 0;
    const double begin = Now();
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const Area work{monitor.rcWork.left, monitor.rcWork.top, monitor.rcWork.right,
                    monitor.rcWork.bottom};
    while (state.ms.size() < KeysPerState && restores < 40 && Now() - begin < 60) {
        Minimise(window);
        const POINT pointer{restores % 2 ? 100 : 300, 540};
        test::SendRecords({test::PointerMove(pointer)});
        Sleep(100);
        PostMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
        if (!Within(5, [&] { return !IsIconic(window); })) Fail("the board was not restored");
        const double restored = Now();
        ++restores;
        // Not iconic any more, the window may still have its iconic size for a moment.
        RECT shown = Bounds(window);
        Within(2, [&] {
            shown = Bounds(window);
            return shown.right - shown.left > 300;
        });
        POINT at{}; // where the pointer really is, a pixel off after the scaling of SendInput
        GetCursorPos(&at);
        const Point place = FormPositionBesidePointer(shown.right - shown.left,
                                                      shown.bottom - shown.top, {at.x, at.y}, work);
        const auto placed = [&] { return Bounds(window).left == place.X; };
        if (placed()) Fail("the board was already beside the pointer");
        int typed = 0;
        if (typist.TakeKeyboard()) {
            while (typed < 4 && state.ms.size() < KeysPerState && !placed() && !IsIconic(window)) {
                state.Add(typist.Type());
                ++typed;
                Sleep(20);
            }
        }
        missed += typed == 0;
        if (!Within(30, placed)) Fail("the board was not placed beside the pointer");
        shortest = std::min(shortest, Now() - restored);
        longest = std::max(longest, Now() - restored);
    }
    state.how = std::to_string(restores) + " restores (" + std::to_string(missed) +
                " over before a key), each refreshed, drawn and placed in " +
                Seconds(shortest, longest) + "; every key sent before the board was placed";
    return state;
}

std::string Scenario(int icons) {
    std::string text = "layout win7\n";
    for (int i = 0; i < icons; ++i)
        text += "icon tray id=" + std::to_string(i + 1) + " tip=Icon " + std::to_string(i) + "\n";
    return text;
}

void Print(const StateResult& state) {
    std::vector<double> ms = state.ms;
    std::printf("%-46s median %8.1f ms, max %8.1f ms (%zu keys", state.name.c_str(),
                ms.empty() ? 0.0 : bench::Median(ms), state.Max(), ms.size());
    if (ms.size() < KeysPerState) std::printf(", not the %zu wanted", KeysPerState);
    if (state.lost)
        std::printf(", %d not there within %.0f s, counted as such", state.lost, KeyBound);
    if (state.elsewhere)
        std::printf(", %d went to the board, which took the keyboard meanwhile", state.elsewhere);
    std::printf(")\n    %s\n", state.how.c_str());
    std::fflush(stdout);
}

} // namespace

int wmain() try {
    Typist typist;
    std::vector<StateResult> states;

    {
        // The tray's icon 1 has an owner that logs and shows no menu; the listed program's
        // placeholder comes after it.
        const std::wstring log = test::TestFolder() + L"keylat_owners.log";
        DeleteFileW(log.c_str());
        ListSleeper();
        SleeperEvents sleeper;
        test::SimulatorProcess tray("layout win7\nicon tray id=1 msg=0x8001 tip=No menu\n", log);
        test::ChildProcess program(test::Quoted(test::ProgramPath()));
        const HWND window = test::ShownBoard(program);
        if (!window) Fail("Orvane's window did not appear");
        const std::wstring placeholderTip =
            L"bench_keylat_sleeper.exe" + std::wstring(texts::NotRunningSuffix);
        if (!Within(10, [&] { return test::TrayTip(tray.Taskbar(), window, 0) == placeholderTip; }))
            Fail("the placeholder did not come into the tray");
        Minimise(window);
        Restore(window);
        if (!CellDrawn(window, 1, 64)) {
            std::printf("DEBUG not drawn\n");
            std::fflush(stdout);
            Sleep(6000);
            Fail("the board does not show the placeholder");
        }

        states.push_back(Idle(window, typist));
        Print(states.back());
        states.push_back(RightClickWait(window, typist, log));
        Print(states.back());
        states.push_back(PlaceholderStart(window, typist, sleeper));
        Print(states.back());
        program.End(window);
        DeleteFileW(log.c_str());
    }
    {
        constexpr int Icons = 500;
        test::ClearDataFolder();
        // Any size but 32, 48 and 64 is the largest, a tenth of the monitor's width.
        test::WriteUtf16File(test::ConfigPath(),
                             L"[IconSize]\r\nValue=0\r\n[HideTaskButton]\r\nValue=1\r\n");
        test::SendRecords({test::PointerMove({100, 540})});
        test::SimulatorProcess tray(Scenario(Icons));
        test::ChildProcess program(test::Quoted(test::ProgramPath()));
        const HWND window = test::ShownBoard(program);
        if (!window) Fail("Orvane's window did not appear");
        const int iconSize = GetSystemMetrics(SM_CXSCREEN) / 10;
        const BoardLayout layout = LayoutFor(iconSize, Icons);
        const HWND board = test::FindChildWindow(window, L"OrvaneImage");
        RECT image{};
        if (!Within(20, [&] {
                GetClientRect(board, &image);
                return image.right == layout.ImageWidth && image.bottom == layout.ImageHeight;
            }))
            Fail("the board is not 500 icons at the largest size");
        states.push_back(Drawing(window, typist, iconSize, Icons));
        states.back().how +=
            "; board image " + std::to_string(image.right) + " x " + std::to_string(image.bottom);
        Print(states.back());
        program.End(window);
    }
    test::ClearDataFolder();

    bool elsewhere = false;
    for (const StateResult& state : states) elsewhere = elsewhere || state.elsewhere;
    if (elsewhere)
        std::printf("a key that went to the board counts the time until SendInput of its key down "
                    "returned; for the keys that arrived, that return was within %.1f ms of the "
                    "arrival\n",
                    typist.ReturnGap());
    double worst = 0;
    for (const StateResult& state : states) worst = std::max(worst, state.Max());
    std::printf("keylat max %ld\n", std::lround(worst));
    return 0;
} catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
}
