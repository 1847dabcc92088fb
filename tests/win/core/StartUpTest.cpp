#include "core/DozedeR64Form.h"
#include "platform/Monitor.h"
#include "platform/ui/Application.h"
#include "support/Files.h"
#include "support/ProgramWindows.h"
#include "support/StandIns.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <stdexcept>

namespace orvane {
namespace {

class StartUpTest : public testing::Test {
protected:
    void SetUp() override { test::ClearDataFolder(); }
    void TearDown() override { test::ClearDataFolder(); }
    static void GivenConfig(const std::wstring& text) {
        test::WriteUtf16File(test::ConfigPath(), text);
    }
    static int HintPoints(const TDozedeR64Form& form) { return form.LblHint.GetFont().Size(); }
    static int PointerMonitorWidth() {
        const RECT monitor = platform::PointerMonitor().rcMonitor;
        return monitor.right - monitor.left;
    }

    test::DialogRecorder dialogs;
};

TEST_F(StartUpTest, WithoutASettingsFileTheDefaultsApplyAndNoFileIsMade) {
    TDozedeR64Form form;
    EXPECT_EQ(form.MainKey, 115);
    EXPECT_FALSE(form.MainKeyIsDouble);
    EXPECT_EQ(form.IconSize, 64);
    EXPECT_EQ(HintPoints(form), 14);
    EXPECT_EQ(form.IconTipTextFontSize, 0);
    EXPECT_EQ(form.ShortCutConfigCount, 0);
    EXPECT_TRUE(form.ShortCutConfig.empty());
    EXPECT_TRUE(form.IsStart);
    EXPECT_TRUE(form.FormMinimized);
    EXPECT_TRUE(form.Timer1.Enabled());
    EXPECT_TRUE(form.Timer2.Enabled());
    EXPECT_FALSE(test::FileExists(test::ConfigPath()));
    EXPECT_EQ(form.DataFolda, test::DataFolder());
    EXPECT_EQ(form.Folda, test::TestFolder());
    EXPECT_TRUE(dialogs.shown.empty());
}

struct ConfigCase {
    const char* name;
    const wchar_t* file;
    int mainKey;
    bool isDouble;
    int iconSize; // 0: the pointer monitor's width div 10
    int hintPoints;
    int tipFontSize;
};

class StartReadTest : public StartUpTest, public testing::WithParamInterface<ConfigCase> {};

TEST_P(StartReadTest, ReadsTheShowKeyIconSizeAndHintFont) {
    const ConfigCase& c = GetParam();
    GivenConfig(c.file);
    TDozedeR64Form form;
    EXPECT_EQ(form.MainKey, c.mainKey);
    EXPECT_EQ(form.MainKeyIsDouble, c.isDouble);
    EXPECT_EQ(form.IconSize, c.iconSize ? c.iconSize : PointerMonitorWidth() / 10);
    EXPECT_EQ(HintPoints(form), c.hintPoints);
    EXPECT_EQ(form.IconTipTextFontSize, c.tipFontSize);
}

INSTANTIATE_TEST_SUITE_P(
    Files, StartReadTest,
    testing::Values(
        ConfigCase{"Empty", L"", 115, false, 64, 18, 20},
        ConfigCase{"DoubleOnly", L"[MainKey]\r\nIsDouble=1\r\n", 42, true, 64, 18, 20},
        ConfigCase{"StoredKey", L"[MainKey]\r\nIsDouble=0\r\nValue=120\r\n", 120, false, 64, 18,
                   20},
        ConfigCase{"Small", L"[IconSize]\r\nValue=32\r\n", 115, false, 32, 12, 20},
        ConfigCase{"Middle", L"[IconSize]\r\nValue=48\r\n[IconTipTextFontSize]\r\nValue=30\r\n",
                   115, false, 48, 16, 30},
        ConfigCase{"Largest", L"[IconSize]\r\nValue=0\r\n[IconTipTextFontSize]\r\nValue=26\r\n",
                   115, false, 0, 26, 26},
        ConfigCase{"OddSize", L"[IconSize]\r\nValue=100\r\n", 115, false, 0, 20, 20},
        ConfigCase{"NotANumber", L"[IconSize]\r\nValue=big\r\n[MainKey]\r\nValue=F4\r\n", 115,
                   false, 64, 18, 20},
        ConfigCase{"NoKeyCode", L"[MainKey]\r\nIsDouble=1\r\nValue=70000\r\n", 42, true, 64, 18,
                   20}),
    [](const auto& info) { return info.param.name; });

TEST_F(StartUpTest, ReadsEveryShortcutWithTheSharedModifier) {
    GivenConfig(L"[ShortCut]\r\nCount=3\r\nMainKeyNo=10\r\nText0=音量\r\nSosa0=1\r\nKey0=65\r\n"
                L"KeyName0=[Ctrl] + [Shift] + [A]\r\nText1=Dropbox\r\nSosa1=2\r\nKey1=66\r\n");
    TDozedeR64Form form;
    ASSERT_EQ(form.ShortCutConfigCount, 3);
    ASSERT_EQ(form.ShortCutConfig.size(), 3u);
    EXPECT_EQ(form.ShortCutConfig[0].IconText, L"音量");
    EXPECT_EQ(form.ShortCutConfig[0].Sosa, 1);
    EXPECT_EQ(form.ShortCutConfig[0].Key, 65u);
    EXPECT_EQ(form.ShortCutConfig[0].KeyName, L"[Ctrl] + [Shift] + [A]");
    EXPECT_EQ(form.ShortCutConfig[1].IconText, L"Dropbox");
    EXPECT_EQ(form.ShortCutConfig[1].Sosa, 2);
    EXPECT_EQ(form.ShortCutConfig[2].IconText, L"");
    EXPECT_EQ(form.ShortCutConfig[2].Key, 0u);
    for (const TShortCutConfig& entry : form.ShortCutConfig) EXPECT_EQ(entry.MainKeyNo, 10);
}

TEST_F(StartUpTest, ADamagedFileStartsQuicklyWithBoundedCounts) {
    std::wstring junk = L"\x01\x02garbage without section\r\n[[[\r\n=\r\n[ShortCut]\r\n"
                        L"Count=2147483647\r\nText0=a\r\nKey0=x\r\n[MainKey]\r\nValue=-1\r\n";
    for (int i = 0; i < 200; ++i) junk += L"noise line " + std::to_wstring(i) + L"\r\n";
    GivenConfig(junk);
    const auto started = std::chrono::steady_clock::now();
    TDozedeR64Form form;
    const auto elapsed = std::chrono::steady_clock::now() - started;
    EXPECT_LT(elapsed, std::chrono::seconds(2));
    EXPECT_EQ(form.ShortCutConfigCount, 3);
    ASSERT_EQ(form.ShortCutConfig.size(), 3u);
    EXPECT_EQ(form.ShortCutConfig[0].IconText, L"a");
    EXPECT_EQ(form.ShortCutConfig[0].Key, 0u);
    EXPECT_EQ(form.MainKey, 115);

    GivenConfig(L"[ShortCut]\r\nCount=-5\r\n");
    TDozedeR64Form negative;
    EXPECT_EQ(negative.ShortCutConfigCount, 0);
    EXPECT_TRUE(negative.ShortCutConfig.empty());
}

TEST_F(StartUpTest, WaitsForTheTaskbarWhileProcessingMessages) {
    test::VirtualClock clock;
    test::LateShell shell(5);
    bool processed = false;
    const int filter = ui::App().AddMessageFilter([&](MSG& msg) {
        if (msg.message == WM_APP + 7) processed = true;
        return msg.message == WM_APP + 7;
    });
    PostThreadMessageW(GetCurrentThreadId(), WM_APP + 7, 0, 0);

    TDozedeR64Form form;
    ui::App().RemoveMessageFilter(filter);

    EXPECT_EQ(shell.lookups, 6);
    EXPECT_GT(clock.waits, 0); // in the queue between the looks
    EXPECT_TRUE(processed);
    EXPECT_EQ(form.MainKey, 115); // and the start went on
}

TEST_F(StartUpTest, TheCompanionsEditHasControlIdentifier1000) {
    TDozedeR64Form form;
    EXPECT_EQ(GetDlgCtrlID(form.EditReceveMsg.Handle()), 1000);
    EXPECT_EQ(GetDlgItem(form.Handle(), 1000), form.EditReceveMsg.Handle());
    EXPECT_FALSE(form.EditReceveMsg.Visible());
}

TEST_F(StartUpTest, TheMainWindowHasItsDesignedLook) {
    TDozedeR64Form form;
    EXPECT_EQ(form.Text(), L"オルヴァーネ");
    EXPECT_EQ(form.ClientWidth(), 231);
    EXPECT_EQ(form.ClientHeight(), 337);
    const LONG_PTR style = GetWindowLongPtrW(form.Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_EQ(form.Button1.Text(), L"最新の情報に更新");
    EXPECT_EQ(form.Button1.Width(), 145);
    EXPECT_EQ(form.Button1.Height(), 33);
    EXPECT_EQ(form.Button1.Left(), 24);
    EXPECT_FALSE(form.LblHint.Visible());
    EXPECT_EQ(form.LblHint.Color(), RGB(255, 255, 0));
    EXPECT_EQ(GetParent(form.Image1.Handle()), form.ScrollBox1.ClientWindow());
    HMENU bar = GetMenu(form.Handle());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(GetMenuItemCount(bar), 2);
    wchar_t caption[128] = {};
    GetMenuStringW(GetSubMenu(bar, 0), 2, caption, 128, MF_BYPOSITION);
    EXPECT_STREQ(caption, L"タスクトレイへアイコンを表示させるアプリの追加/編集(&B)");
    GetMenuStringW(GetSubMenu(bar, 1), 2, caption, 128, MF_BYPOSITION);
    EXPECT_STREQ(caption, L"バージョン情報(&A)");
}

// A shell that fails when asked for the taskbar.
class FailingShell final : public platform::Shell {
public:
    HWND FindTaskbar() override { throw std::runtime_error("no shell"); }
    INT_PTR Execute(HWND, const std::wstring&, const std::wstring&, int) override { return 0; }
    Started Start(HWND, const std::wstring&) override { return {}; }

private:
    platform::ScopedOverride<platform::Shell> installed_{*this};
};

TEST_F(StartUpTest, AFailingStepOfTheCreationIsDiscardedQuietlyAndStartUpGoesOn) {
    std::unique_ptr<test::ProgramWindows> windows;
    {
        FailingShell shell;
        ASSERT_NO_THROW(windows = std::make_unique<test::ProgramWindows>());
    }
    EXPECT_TRUE(dialogs.shown.empty());
    // The first showing is still a restore, and the window still times out.
    EXPECT_TRUE(windows->main.FormMinimized);
    EXPECT_TRUE(windows->main.Timer1.Enabled());
    EXPECT_FALSE(windows->main.IsStart);
    EXPECT_EQ(windows->main.DataFolda, test::DataFolder());
}

} // namespace
} // namespace orvane
