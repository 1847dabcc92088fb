#include "platform/ui/Application.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Form.h"
#include "platform/ui/Image.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Timer.h"
#include "support/StandIns.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
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

TEST(EditTest, ChangeFiresForTextSentByAnotherWindow) {
    Form form;
    Edit edit(form);
    edit.Hide();
    std::vector<std::wstring> seen;
    edit.OnChange = [&] { seen.push_back(edit.Text()); };
    SendMessageW(edit.Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"SetTaskTrayEnd"));
    SendMessageW(edit.Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Changed"));
    EXPECT_EQ(seen, (std::vector<std::wstring>{L"SetTaskTrayEnd", L"Changed"}));
}

TEST(ApplicationTest, FiltersSeeQueuedMessagesAndMayKeepThemFromTheWindow) {
    Form form;
    Edit edit(form);
    std::vector<UINT> filtered;
    const int id = App().AddMessageFilter([&](MSG& msg) {
        if (msg.hwnd != edit.Handle()) return false;
        filtered.push_back(msg.message);
        return msg.message == WM_CHAR;
    });
    PostMessageW(edit.Handle(), WM_CHAR, L'x', 0);
    PostMessageW(edit.Handle(), WM_NULL, 0, 0);
    App().ProcessMessages();
    App().RemoveMessageFilter(id);
    EXPECT_EQ(filtered, (std::vector<UINT>{WM_CHAR, WM_NULL}));
    EXPECT_EQ(edit.Text(), L"");
}

TEST(ApplicationTest, AnExceptionInAHandlerReachesTheApplicationsHandlerOnly) {
    Form form;
    Button button(form);
    std::vector<std::string> caught;
    App().OnException = [&](std::exception_ptr error) {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            caught.push_back(e.what());
        }
    };
    int after = 0;
    button.OnClick = [&] {
        throw std::runtime_error("stop here");
        ++after;
    };
    SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                 reinterpret_cast<LPARAM>(button.Handle()));
    App().OnException = nullptr;
    EXPECT_EQ(caught, (std::vector<std::string>{"stop here"}));
    EXPECT_EQ(after, 0);
}

TEST(ApplicationTest, WithoutAHandlerTheMessageOfAnExceptionIsShown) {
    test::DialogRecorder dialogs;
    const std::wstring title = App().Title();
    App().SetTitle(L"Title");
    Form form;
    Button button(form);
    button.OnClick = [] { throw std::runtime_error("Unable to write"); };
    SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                 reinterpret_cast<LPARAM>(button.Handle()));
    App().SetTitle(title);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, L"Unable to write");
    EXPECT_EQ(dialogs.shown[0].caption, L"Title");
    EXPECT_EQ(dialogs.shown[0].flags, static_cast<UINT>(MB_OK));
}

TEST(FormTest, TheFirstShowingIsAResizeAndMinimisingIsSeenByTheResizeHandler) {
    Form form;
    form.SetFixedBorder(true, false);
    form.SetClientSize(200, 150);
    std::vector<WindowState> states;
    form.OnResize = [&] { states.push_back(form.GetWindowState()); };
    form.Show();
    PumpFor(50);
    ASSERT_FALSE(states.empty());
    EXPECT_EQ(states.front(), WindowState::Normal);
    EXPECT_EQ(form.ClientWidth(), 200);
    EXPECT_EQ(form.ClientHeight(), 150);

    states.clear();
    form.SetWindowState(WindowState::Minimized);
    PumpFor(50);
    EXPECT_EQ(form.GetWindowState(), WindowState::Minimized);
    ASSERT_FALSE(states.empty());
    EXPECT_EQ(states.back(), WindowState::Minimized);

    states.clear();
    form.SetWindowState(WindowState::Normal);
    PumpFor(50);
    ASSERT_FALSE(states.empty());
    EXPECT_EQ(states.back(), WindowState::Normal);
    EXPECT_EQ(form.ClientWidth(), 200);
}

TEST(FormTest, AFormStartedMinimisedShowsMinimised) {
    Form form;
    form.SetWindowState(WindowState::Minimized);
    form.Show();
    PumpFor(30);
    EXPECT_TRUE(IsIconic(form.Handle()));
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
    top.Add(first);
    top.Add(separator);
    top.Add(second);
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

class ImageEventsTest : public testing::Test {
protected:
    void SetUp() override {
        form.SetClientSize(300, 200);
        image.SetBounds(0, 0, 200, 100);
        image.OnMouseDown = [this](MouseButton b, UINT, int x, int y) { Log(L"down", b, x, y); };
        image.OnMouseUp = [this](MouseButton b, UINT, int x, int y) { Log(L"up", b, x, y); };
        image.OnClick = [this] { events.push_back(L"click"); };
        image.OnDblClick = [this] { events.push_back(L"dblclick"); };
        image.OnMouseEnter = [this] { events.push_back(L"enter"); };
        image.OnMouseLeave = [this] { events.push_back(L"leave"); };
        image.OnMouseMove = [this](UINT, int x, int y) {
            events.push_back(L"move " + std::to_wstring(x) + L"," + std::to_wstring(y));
        };
    }
    void Log(const wchar_t* what, MouseButton button, int x, int y) {
        events.push_back(std::wstring(what) +
                         (button == MouseButton::Right ? L" right " : L" left ") +
                         std::to_wstring(x) + L"," + std::to_wstring(y));
    }
    void Send(UINT message, int x, int y) {
        SendMessageW(image.Handle(), message, 0, MAKELPARAM(x, y));
    }

    Form form;
    Image image{form};
    std::vector<std::wstring> events;
};

TEST_F(ImageEventsTest, ADoubleClickGivesOneClickThenTheDoubleClick) {
    Send(WM_MOUSEMOVE, 10, 20);
    Send(WM_LBUTTONDOWN, 10, 20);
    Send(WM_LBUTTONUP, 10, 20);
    Send(WM_LBUTTONDBLCLK, 10, 20);
    Send(WM_LBUTTONUP, 10, 20);
    EXPECT_EQ(events, (std::vector<std::wstring>{L"enter", L"move 10,20", L"down left 10,20",
                                                 L"click", L"up left 10,20", L"dblclick",
                                                 L"down left 10,20", L"up left 10,20"}));
}

TEST_F(ImageEventsTest, RightButtonAndReleaseOutsideGiveNoClick) {
    Send(WM_RBUTTONDOWN, 5, 5);
    Send(WM_RBUTTONUP, 5, 5);
    Send(WM_LBUTTONDOWN, 5, 5);
    Send(WM_LBUTTONUP, 250, 5);
    Send(WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(events, (std::vector<std::wstring>{L"down right 5,5", L"up right 5,5",
                                                 L"down left 5,5", L"up left 250,5", L"leave"}));
}

TEST(ImageTest, ThePictureIsA24BitCanvasOfTheImagesSize) {
    Form form;
    Image image(form);
    image.SetBounds(0, 0, 40, 30);
    EXPECT_FALSE(image.HasPicture());
    Canvas& canvas = image.GetCanvas();
    EXPECT_EQ(image.Picture().Width(), 40);
    EXPECT_EQ(image.Picture().Height(), 30);
    canvas.FillRect({0, 0, 40, 30}, RGB(255, 255, 255));
    canvas.Rectangle({2, 2, 12, 12}, RGB(0, 0, 255), RGB(255, 255, 255));
    EXPECT_EQ(image.Picture().Pixel(2, 2), RGB(0, 0, 255));
    EXPECT_EQ(image.Picture().Pixel(11, 7), RGB(0, 0, 255));
    EXPECT_EQ(image.Picture().Pixel(6, 6), RGB(255, 255, 255));
    EXPECT_EQ(image.Picture().Pixel(12, 12), RGB(255, 255, 255));
    const std::uint8_t* line = image.Picture().ScanLine(2);
    EXPECT_EQ(line[2 * 3 + 0], 255); // blue comes first in a scan line
    EXPECT_EQ(line[2 * 3 + 2], 0);
    image.ClearPicture();
    EXPECT_FALSE(image.HasPicture());
}

TEST(ScrollBoxTest, ScrollsOnlyWhenTheContentIsTallerThanTheBox) {
    Form form;
    form.SetClientSize(300, 300);
    ScrollBox box(form);
    box.SetBounds(0, 0, 300, 200);
    Image image(box);
    image.SetBounds(0, 0, 280, 150);
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(box.Handle(), SB_VERT, &info);
    EXPECT_LE(info.nMax - info.nMin + 1, static_cast<int>(info.nPage));

    image.SetBounds(0, 0, 280, 600);
    GetScrollInfo(box.Handle(), SB_VERT, &info);
    EXPECT_EQ(info.nMax, 599);
    SendMessageW(box.Handle(), WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(box.ScrollY(), 600 - box.ClientHeight());
    EXPECT_EQ(image.Top(), 0); // content coordinates stay
    RECT onScreen{};
    GetWindowRect(image.Handle(), &onScreen);
    POINT origin{0, 0};
    ClientToScreen(box.Handle(), &origin);
    EXPECT_EQ(onScreen.top, origin.y - box.ScrollY());
}

TEST(LabelTest, TakesItsOwnColourOrItsParents) {
    Form form;
    form.SetColor(RGB(255, 255, 255));
    Label plain(form), hint(form);
    hint.SetColor(RGB(255, 255, 0));
    EXPECT_EQ(plain.Color(), RGB(255, 255, 255));
    EXPECT_EQ(hint.Color(), RGB(255, 255, 0));
    plain.SetText(L"a & b");
    EXPECT_EQ(plain.Text(), L"a & b");
}

TEST(FontTest, ChildrenFollowTheirParentsFontUntilTheyHaveTheirOwn) {
    Form form;
    Label inherits(form), own(form);
    own.SetFont(Font{L"Tahoma", -13, true});
    form.SetFont(Font{L"Tahoma", -11});
    EXPECT_EQ(inherits.GetFont().Height, -11);
    EXPECT_EQ(own.GetFont().Height, -13);
    Font sized;
    sized.SetSize(18);
    EXPECT_EQ(sized.Size(), 18);
    EXPECT_EQ(sized.Height, -24); // at 96 dots per inch
}

} // namespace
} // namespace orvane::ui
