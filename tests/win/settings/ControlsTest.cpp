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

bool IsChecked(HWND button) {
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// A check box, a radio group and a memo run their handlers for a change made in code as for
// the user's, and only when the value changes.
TEST(ValueControlsTest, TheHandlerRunsOnlyWhenTheValueChanges) {
    Form form;
    CheckBox box(form);
    RadioGroup group(form);
    Memo memo(form);
    group.SetBounds(8, 48, 257, 41); // so that a click lands on its item
    group.SetColumns(4);
    group.SetItems({L"特大", L"大", L"中", L"小"});
    group.SetItemIndexSilently(1);
    std::vector<std::wstring> seen;
    box.OnClick = [&] { seen.push_back(box.Checked() ? L"on" : L"off"); };
    group.OnClick = [&] { seen.push_back(std::to_wstring(group.ItemIndex())); };
    memo.OnChange = [&] { seen.push_back(memo.Text()); };

    for (bool checked : {false, true, true}) box.SetChecked(checked);
    for (int index : {1, 3, 3}) group.SetItemIndex(index);
    group.SetItemIndexSilently(0);
    group.SetItemIndex(0);
    EXPECT_TRUE(IsChecked(group.ItemHandle(0)));
    EXPECT_FALSE(IsChecked(group.ItemHandle(3)));
    for (int i = 0; i < 2; ++i) memo.SetLines({L"a", L"", L"b"});
    for (int i = 0; i < 2; ++i) SendMessageW(group.ItemHandle(2), BM_CLICK, 0, 0);
    EXPECT_EQ(seen, (std::vector<std::wstring>{L"on", L"3", L"a\r\n\r\nb\r\n", L"2"}));
    EXPECT_EQ(memo.Lines(), (std::vector<std::wstring>{L"a", L"", L"b"}));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(IsChecked(group.ItemHandle(i)), i == 2);
        // Tab reaches the group at its selected item only.
        EXPECT_EQ((GetWindowLongPtrW(group.ItemHandle(i), GWL_STYLE) & WS_TABSTOP) != 0, i == 2);
    }
    memo.SetLines({});
    EXPECT_EQ(memo.Text(), L"");
    EXPECT_TRUE(memo.Lines().empty());
}

TEST(TabNavigationTest, TabMovesTheFocusThroughNestedContainers) {
    Form form;
    form.TabNavigation = true;
    PageControl pages(form);
    TabSheet sheet(pages, L"全般");
    Button first(sheet);
    Panel panel(sheet);
    CheckBox inner(panel);
    Memo memo(sheet);
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
