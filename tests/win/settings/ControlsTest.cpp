// The controls the settings window is made of.
#include "platform/ui/Controls.h"
#include "platform/ui/Application.h"
#include "platform/ui/CheckBox.h"
#include "platform/ui/Form.h"
#include "platform/ui/Memo.h"
#include "platform/ui/PageControl.h"
#include "platform/ui/Panel.h"
#include "platform/ui/RadioGroup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvane::ui {
namespace {

class RadioGroupTest : public testing::Test {
protected:
    void SetUp() override {
        group.SetBounds(8, 48, 257, 41);
        group.SetCaption(L"アイコンサイズ");
        group.SetColumns(4);
        group.SetItems({L"特大", L"大", L"中", L"小"});
        group.SetItemIndexSilently(1);
        group.OnClick = [this] { clicks.push_back(group.ItemIndex()); };
    }
    Form form;
    RadioGroup group{form};
    std::vector<int> clicks;
};

TEST_F(RadioGroupTest, SettingTheIndexRunsTheClickHandlerOnlyWhenItChanges) {
    group.SetItemIndex(1);
    group.SetItemIndex(3);
    group.SetItemIndex(3);
    group.SetItemIndexSilently(0);
    group.SetItemIndex(0);
    EXPECT_EQ(clicks, std::vector<int>{3});
    EXPECT_EQ(group.ItemIndex(), 0);
    EXPECT_EQ(SendMessageW(group.ItemHandle(0), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(group.ItemHandle(3), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(RadioGroupTest, TheUsersChoiceSelectsTheItemAndRunsTheHandler) {
    SendMessageW(group.ItemHandle(2), BM_CLICK, 0, 0);
    SendMessageW(group.ItemHandle(2), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, std::vector<int>{2});
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(SendMessageW(group.ItemHandle(i), BM_GETCHECK, 0, 0) == BST_CHECKED, i == 2);
        // Tab reaches the group at its selected item only.
        EXPECT_EQ((GetWindowLongPtrW(group.ItemHandle(i), GWL_STYLE) & WS_TABSTOP) != 0, i == 2);
    }
}

TEST(MemoTest, LinesAndOneChangeForEveryChangeOfTheText) {
    Form form;
    Memo memo(form);
    int changes = 0;
    memo.OnChange = [&] { ++changes; };
    memo.SetLines({L"a", L"", L"b"});
    EXPECT_EQ(memo.Text(), L"a\r\n\r\nb\r\n");
    EXPECT_EQ(memo.Lines(), (std::vector<std::wstring>{L"a", L"", L"b"}));
    memo.SetLines({L"a", L"", L"b"});
    EXPECT_EQ(changes, 1);

    SendMessageW(memo.Handle(), EM_SETSEL, 0, -1);
    SendMessageW(memo.Handle(), WM_CHAR, L'x', 0);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(memo.Lines(), std::vector<std::wstring>{L"x"});
    SendMessageW(memo.Handle(), WM_CHAR, VK_RETURN, 0);
    SendMessageW(memo.Handle(), WM_CHAR, L'y', 0);
    EXPECT_EQ(memo.Lines(), (std::vector<std::wstring>{L"x", L"y"}));

    memo.SetLines({});
    EXPECT_EQ(memo.Text(), L"");
    EXPECT_TRUE(memo.Lines().empty());
}

TEST(TabNavigationTest, TabMovesTheFocusThroughNestedContainers) {
    Form form;
    form.TabNavigation = true;
    form.SetClientSize(400, 300);
    PageControl pages(form);
    pages.SetBounds(0, 0, 400, 300);
    TabSheet sheet(pages, L"全般");
    Button first(sheet);
    first.SetBounds(8, 8, 100, 25);
    Panel panel(sheet);
    panel.SetBounds(8, 40, 200, 100);
    CheckBox inner(panel);
    inner.SetBounds(4, 4, 150, 25);
    Memo memo(sheet);
    memo.SetBounds(8, 150, 200, 100);
    form.Show();
    SetForegroundWindow(form.Handle());
    first.SetFocus();

    std::vector<HWND> focused;
    for (int i = 0; i < 2; ++i) {
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
        App().ProcessMessages();
        focused.push_back(GetFocus());
    }
    EXPECT_EQ(focused, (std::vector<HWND>{inner.Handle(), memo.Handle()}));

    // Keys that are no navigation still reach the control, [Alt] among them.
    std::vector<WORD> reached;
    memo.OnKeyDown = [&](WORD& key) { reached.push_back(key); };
    PostMessageW(memo.Handle(), WM_SYSKEYDOWN, VK_MENU, 0);
    PostMessageW(memo.Handle(), WM_KEYDOWN, 'A', 0);
    App().ProcessMessages();
    EXPECT_EQ(reached, (std::vector<WORD>{VK_MENU, 'A'}));
}

TEST(LabelTest, AnAutoSizedLabelFollowsItsText) {
    Form form;
    Label line(form), wrapped(form);
    line.SetWordWrap(false);
    line.SetAutoSize(true);
    line.SetText(L"[F4]");
    const int shortWidth = line.Width();
    line.SetText(L"[Ctrl] + [Shift] + [F12]");
    EXPECT_GT(shortWidth, 0);
    EXPECT_GT(line.Width(), shortWidth);

    wrapped.SetBounds(0, 0, 120, 0);
    wrapped.SetAutoSize(true);
    wrapped.SetText(L"一行");
    const int oneLine = wrapped.Height();
    wrapped.SetText(L"操作できないアイコンは以下の欄にそのチップテキストに含まれる数文字を");
    EXPECT_EQ(wrapped.Width(), 120);
    EXPECT_GE(wrapped.Height(), 2 * oneLine);
    wrapped.SetWidth(2000);
    EXPECT_EQ(wrapped.Height(), oneLine);
}

} // namespace
} // namespace orvane::ui
