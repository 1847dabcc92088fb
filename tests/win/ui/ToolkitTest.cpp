#include "platform/Clock.h"
#include "platform/ui/Application.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Form.h"
#include "platform/ui/Image.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Timer.h"
#include "support/StandIns.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace orvane::ui {
namespace {

void PumpFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        App().ProcessMessages();
        Sleep(5);
    }
}

// A text another program sends reaches the edit without passing the filters.
TEST(ApplicationTest, FiltersSeeQueuedMessagesAndMayKeepThemFromTheWindow) {
    Form form;
    Edit edit(form);
    std::vector<std::wstring> texts;
    edit.OnChange = [&] { texts.push_back(edit.Text()); };
    std::vector<UINT> filtered;
    const int id = App().AddMessageFilter([&](MSG& msg) {
        if (msg.hwnd != edit.Handle()) return false;
        filtered.push_back(msg.message);
        return msg.message == WM_CHAR;
    });
    PostMessageW(edit.Handle(), WM_CHAR, L'x', 0);
    PostMessageW(edit.Handle(), WM_NULL, 0, 0);
    SendMessageW(edit.Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"SetTaskTrayEnd"));
    App().ProcessMessages();
    App().RemoveMessageFilter(id);
    EXPECT_EQ(filtered, (std::vector<UINT>{WM_CHAR, WM_NULL}));
    EXPECT_EQ(texts, std::vector<std::wstring>{L"SetTaskTrayEnd"});
}

TEST(ApplicationTest, AnExceptionInAHandlerIsShownOrGoesToTheApplicationsHandler) {
    test::DialogRecorder dialogs;
    Form form;
    Button button(form);
    button.OnClick = [] { throw std::runtime_error("Unable to write"); };
    const auto click = [&] {
        SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                     reinterpret_cast<LPARAM>(button.Handle()));
    };
    click();
    int caught = 0;
    App().OnException = [&](std::exception_ptr error) { caught += error != nullptr; };
    click();
    App().OnException = nullptr;
    EXPECT_EQ(caught, 1);
    ASSERT_EQ(dialogs.shown.size(), 1u); // the first click's only
    EXPECT_EQ(dialogs.shown[0].text, L"Unable to write");
    EXPECT_EQ(dialogs.shown[0].caption, App().Title());
    EXPECT_EQ(dialogs.shown[0].flags, static_cast<UINT>(MB_OK));
}

TEST(FormTest, TheFirstShowingIsAResizeAndSoIsMinimising) {
    Form form, startedMinimised;
    form.SetFixedBorder(true, false);
    form.SetClientSize(200, 150);
    std::vector<WindowState> states;
    form.OnResize = [&] { states.push_back(form.GetWindowState()); };
    startedMinimised.SetWindowState(WindowState::Minimized);
    startedMinimised.Show();
    form.Show();
    PumpFor(50);
    EXPECT_TRUE(IsIconic(startedMinimised.Handle()));
    EXPECT_EQ(form.ClientWidth(), 200);
    EXPECT_EQ(form.ClientHeight(), 150);
    ASSERT_FALSE(states.empty());
    EXPECT_EQ(states.back(), WindowState::Normal);
    states.clear();
    form.SetWindowState(WindowState::Minimized);
    PumpFor(50);
    ASSERT_FALSE(states.empty());
    EXPECT_EQ(states.back(), WindowState::Minimized);
}

TEST(FormTest, AModalFormDisablesTheOthersUntilItHasAResult) {
    Form owner;
    Form dialog(&owner);
    owner.Show();
    bool ownerDisabledWhileShown = false;
    const int id = App().AddMessageFilter([&](MSG& msg) {
        if (msg.hwnd != dialog.Handle() || msg.message != WM_APP) return false;
        ownerDisabledWhileShown = !IsWindowEnabled(owner.Handle()) && dialog.Visible();
        dialog.SetModalResult(IDOK);
        return true;
    });
    PostMessageW(dialog.Handle(), WM_APP, 0, 0);
    EXPECT_EQ(dialog.ShowModal(), IDOK);
    App().RemoveMessageFilter(id);
    EXPECT_TRUE(ownerDisabledWhileShown);
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
    EXPECT_FALSE(dialog.Visible());
}

TEST(FormTest, KeyPreviewSeesKeysBeforeTheFocusedControlAndMayEatThem) {
    Form form;
    Edit edit(form);
    form.Show();
    edit.SetFocus();
    std::vector<WORD> previewed, reached;
    form.KeyPreview = true;
    form.OnKeyDown = [&](WORD& key) {
        previewed.push_back(key);
        if (key == VK_F4) key = 0;
    };
    edit.OnKeyDown = [&](WORD& key) { reached.push_back(key); };
    PostMessageW(edit.Handle(), WM_KEYDOWN, VK_F4, 0);
    PostMessageW(edit.Handle(), WM_KEYDOWN, 'A', 0);
    App().ProcessMessages();
    EXPECT_EQ(previewed, (std::vector<WORD>{VK_F4, 'A'}));
    EXPECT_EQ(reached, (std::vector<WORD>{'A'}));
}

TEST(MenuTest, ChoosingAnEntryRunsItsHandler) {
    Form form;
    MenuItem top(L"設定(&C)"), first(L"設定(&C)"), separator(L"-"), second(L"追加(&B)");
    for (MenuItem* item : {&first, &separator, &second}) top.Add(*item);
    MainMenu menu;
    menu.Add(top);
    form.SetMenu(menu);
    std::vector<int> clicked;
    first.OnClick = [&] { clicked.push_back(1); };
    second.OnClick = [&] { clicked.push_back(2); };
    HMENU sub = GetSubMenu(GetMenu(form.Handle()), 0);
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(GetMenuItemCount(sub), 3);
    SendMessageW(form.Handle(), WM_COMMAND, GetMenuItemID(sub, 2), 0);
    SendMessageW(form.Handle(), WM_COMMAND, GetMenuItemID(sub, 0), 0);
    EXPECT_EQ(clicked, (std::vector<int>{2, 1}));
}

TEST(TimerTest, TicksOnlyWhileEnabled) {
    Timer timer(20, false);
    int ticks = 0;
    timer.OnTimer = [&] { ++ticks; };
    PumpFor(100);
    EXPECT_EQ(ticks, 0);
    timer.SetEnabled(true);
    PumpFor(200);
    EXPECT_GE(ticks, 3);
    timer.SetEnabled(false);
    const int stopped = ticks;
    PumpFor(100);
    EXPECT_EQ(ticks, stopped);
}

// A double click gives a single click; the right button and a release outside give none.
TEST(ImageTest, MouseEventsComeInTheirOrder) {
    Form form;
    Image image(form);
    image.SetBounds(0, 0, 200, 100);
    std::vector<std::wstring> events;
    const auto log = [&](std::wstring what, int x, int y) {
        events.push_back(what + L" " + std::to_wstring(x) + L"," + std::to_wstring(y));
    };
    const auto side = [](MouseButton b) {
        return std::wstring(b == MouseButton::Right ? L" right" : L" left");
    };
    image.OnMouseDown = [&](MouseButton b, UINT, int x, int y) { log(L"down" + side(b), x, y); };
    image.OnMouseUp = [&](MouseButton b, UINT, int x, int y) { log(L"up" + side(b), x, y); };
    image.OnMouseMove = [&](UINT, int x, int y) { log(L"move", x, y); };
    image.OnClick = [&] { events.push_back(L"click"); };
    image.OnDblClick = [&] { events.push_back(L"dblclick"); };
    image.OnMouseEnter = [&] { events.push_back(L"enter"); };
    image.OnMouseLeave = [&] { events.push_back(L"leave"); };
    for (UINT message : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP,
                         WM_RBUTTONDOWN, WM_RBUTTONUP, WM_LBUTTONDOWN})
        SendMessageW(image.Handle(), message, 0, MAKELPARAM(10, 20));
    SendMessageW(image.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(250, 20));
    SendMessageW(image.Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(events, (std::vector<std::wstring>{
                          L"enter", L"move 10,20", L"down left 10,20", L"click", L"up left 10,20",
                          L"dblclick", L"down left 10,20", L"up left 10,20", L"down right 10,20",
                          L"up right 10,20", L"down left 10,20", L"up left 250,20", L"leave"}));
}

// The board's double-click handler waits while processing messages; the release it sees
// there must end the capture, or the image would take the clicks meant for the menu.
TEST(ImageTest, AReleaseHandledDuringTheDoubleClickEndsTheCapture) {
    Form form;
    Image image(form);
    image.SetBounds(0, 0, 200, 100);
    form.Show();
    image.OnDblClick = [&] {
        PostMessageW(image.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 20));
        App().ProcessMessages();
    };
    SendMessageW(image.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 20));
    EXPECT_NE(GetCapture(), image.Handle());
}
// Made at the image's size, 24 bits a pixel, blue first.
TEST(ImageTest, ThePictureIsA24BitCanvasOfTheImagesSize) {
    Form form;
    Image image(form);
    image.SetBounds(0, 0, 40, 30);
    image.GetCanvas().FillRect({0, 0, 40, 30}, RGB(0, 0, 255));
    EXPECT_EQ(image.Picture().Width(), 40);
    EXPECT_EQ(image.Picture().Height(), 30);
    const std::uint8_t* last = image.Picture().ScanLine(29) + 39 * 3;
    EXPECT_EQ((std::vector<int>{last[0], last[1], last[2]}), (std::vector<int>{255, 0, 0}));
}

class ScrollBoxTest : public testing::Test {
protected:
    void SetUp() override {
        form.SetClientSize(300, 300);
        box.SetBounds(0, 0, 300, 200);
    }

    Form form;
    ScrollBox box{form};
    Image image{box};
};

TEST_F(ScrollBoxTest, ScrollsOnlyWhenTheContentIsTallerThanTheBox) {
    image.SetBounds(0, 0, 280, 150);
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(box.Handle(), SB_VERT, &info);
    EXPECT_LE(info.nMax - info.nMin + 1, static_cast<int>(info.nPage));
    image.SetBounds(0, 0, 280, 600);
    SendMessageW(box.Handle(), WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(box.ScrollY(), 600 - box.ClientHeight());
    EXPECT_EQ(image.Top(), 0); // content coordinates stay
    RECT onScreen{};
    GetWindowRect(image.Handle(), &onScreen);
    POINT origin{0, 0};
    ClientToScreen(box.Handle(), &origin);
    EXPECT_EQ(onScreen.top, origin.y - box.ScrollY());
}

LRESULT CALLBACK CountPlacing(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR count) {
    if (message == WM_WINDOWPOSCHANGING) ++*reinterpret_cast<int*>(count);
    return DefSubclassProc(window, message, wParam, lParam);
}

// Placing a control where it already is costs nothing, and the box still follows its own size.
TEST_F(ScrollBoxTest, AnUnchangedPlacementSendsNothingAndTheRangeFollowsTheBox) {
    image.SetBounds(0, 0, 280, 600);
    int placing = 0;
    SetWindowSubclass(image.Handle(), CountPlacing, 1, reinterpret_cast<DWORD_PTR>(&placing));
    image.SetBounds(0, 0, 280, 600);
    EXPECT_EQ(placing, 0);
    box.SetBounds(0, 0, 300, 100); // the board's order: the box first, then its image
    image.SetBounds(0, 0, 280, 600);
    EXPECT_EQ(placing, 0);
    image.SetBounds(0, 0, 280, 700);
    EXPECT_EQ(placing, 1);
    RemoveWindowSubclass(image.Handle(), CountPlacing, 1);

    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(box.Handle(), SB_VERT, &info);
    EXPECT_EQ(static_cast<int>(info.nPage), box.ClientHeight());
    EXPECT_EQ(info.nMax + 1, 700);
    SendMessageW(box.Handle(), WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(box.ScrollY(), 700 - box.ClientHeight());
}

TEST(ControlTest, ChildrenTakeTheirParentsColourAndFontUntilTheyHaveTheirOwn) {
    Form form;
    Label inherits(form), own(form);
    own.SetColor(RGB(255, 255, 0));
    own.SetFont(Font{L"Tahoma", -13, true});
    form.SetColor(RGB(255, 255, 255));
    form.SetFont(Font{L"Tahoma", -11});
    EXPECT_EQ(inherits.Color(), RGB(255, 255, 255));
    EXPECT_EQ(own.Color(), RGB(255, 255, 0));
    EXPECT_EQ(inherits.GetFont().Height, -11);
    EXPECT_EQ(own.GetFont().Height, -13);
    Font sized;
    sized.SetSize(18);
    EXPECT_EQ(sized.Size(), 18);
    EXPECT_EQ(sized.Height, -24); // at 96 dots per inch
}

// A window of some other code, dressed as one of ours the way the toolkit once recognised
// its controls.
struct ForeignWindow {
    explicit ForeignWindow(Control* pretends) {
        window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
        SetPropW(window, L"Orvane.Control", pretends);
    }
    ~ForeignWindow() { DestroyWindow(window); }
    HWND window;
};

TEST(ControlTest, OnlyAChildOfTheReceiverNotifiesIt) {
    Form form, other;
    Button button(form);
    int clicks = 0;
    button.OnClick = [&] { ++clicks; };
    const auto click = [](HWND to, HWND from) {
        SendMessageW(to, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(from));
    };
    ForeignWindow foreign(&button);
    click(form.Handle(), foreign.window);
    click(other.Handle(), button.Handle());
    click(form.Handle(), form.Handle());
    EXPECT_EQ(clicks, 0);
    click(form.Handle(), button.Handle());
    EXPECT_EQ(clicks, 1);
}

TEST(ControlTest, NotificationsSentFromAnotherThreadAreIgnoredUnread) {
    Form form;
    Button button(form);
    button.SetColor(RGB(1, 2, 3));
    int clicks = 0;
    button.OnClick = [&] { ++clicks; };
    // A header nobody may read: touching it would end the program.
    void* unreadable = VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_NOACCESS);
    ASSERT_NE(unreadable, nullptr);
    const HWND target = form.Handle(), child = button.Handle();
    std::vector<LRESULT> answers;
    std::atomic<bool> done = false;
    std::thread sender([&] {
        answers.push_back(SendMessageW(target, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                                       reinterpret_cast<LPARAM>(child)));
        answers.push_back(SendMessageW(target, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(unreadable)));
        answers.push_back(SendMessageW(target, WM_NOTIFY, 0, 0x1230));
        answers.push_back(
            SendMessageW(target, WM_CTLCOLORBTN, 0x1234, reinterpret_cast<LPARAM>(child)));
        done = true;
        PostMessageW(target, WM_NULL, 0, 0);
    });
    App().ProcessMessagesUntil(platform::Now(), 5000, [&] { return done.load(); });
    sender.join();
    VirtualFree(unreadable, 0, MEM_RELEASE);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(answers, (std::vector<LRESULT>{0, 0, 0, 0}));
    // From its own thread the same colour message is answered with the button's brush.
    HDC dc = GetDC(child);
    EXPECT_NE(SendMessageW(target, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc),
                           reinterpret_cast<LPARAM>(child)),
              0);
    ReleaseDC(child, dc);
}

TEST(ControlTest, AnEditTellsOfATextThatAnotherThreadSetsButNotOfAForgedNotification) {
    Form form;
    Edit edit(form);
    std::vector<std::wstring> changes;
    edit.OnChange = [&] { changes.push_back(edit.Text()); };
    const HWND target = form.Handle(), child = edit.Handle();
    std::atomic<bool> done = false;
    std::thread sender([&] {
        SendMessageW(target, WM_COMMAND, MAKEWPARAM(0, EN_CHANGE), reinterpret_cast<LPARAM>(child));
        SendMessageW(child, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Changed"));
        done = true;
        PostMessageW(target, WM_NULL, 0, 0);
    });
    App().ProcessMessagesUntil(platform::Now(), 5000, [&] { return done.load(); });
    sender.join();
    EXPECT_EQ(changes, std::vector<std::wstring>{L"Changed"});
}

} // namespace
} // namespace orvane::ui
