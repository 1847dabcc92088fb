#include "platform/ui/Bitmap.h"
#include "support/Files.h"
#include "support/ProgramWindows.h"
#include "support/Screenshot.h"
#include "support/StandIns.h"
#include "traysim/TraySim.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace orvane {
namespace {

using test::Capture;
using test::Colours;
using test::PictureFolder;
using test::Settle;
using test::WriteBmp;

class ScreensTest : public testing::Test {
protected:
    void SetUp() override { test::ClearDataFolder(); }
    void TearDown() override { test::ClearDataFolder(); }

    void Keep(HWND window, const std::wstring& name) {
        const ui::Bitmap picture = Capture(window);
        EXPECT_GT(Colours(picture), 4)
            << "nothing drawn in " << std::string(name.begin(), name.end());
        WriteBmp(picture, PictureFolder() + name + L".bmp");
    }

    test::DialogRecorder dialogs;
};

TEST_F(ScreensTest, EveryWindowAndTab) {
    // A tray in this process, so that the board can draw its icons.
    traysim::Tray tray(L"layout win7\n"
                       L"icon tray id=1 color=#2f80ed tip=音量: 50%\n"
                       L"icon tray id=2 color=#27ae60 tip=ネットワーク インターネット アクセス\n"
                       L"icon tray id=3 color=#f2994a tip=バッテリー残量: 80%\n"
                       L"icon tray id=4 color=#8e44ad tip=Slack - 新着メッセージ 3 件\n"
                       L"icon overflow id=5 color=#d4ac0d tip=USB ハードウェアの安全な取り外し\n");
    {
        test::ProgramWindows windows;
        windows.main.Show();
        Settle();
        Keep(windows.main.Handle(), L"main");
        windows.main.Hide();
    }

    // Settings that show every control of the general tab in use.
    test::WriteUtf16File(test::ConfigPath(),
                         L"[IconSize]\r\nValue=0\r\n[IconTipTextFontSize]\r\nValue=20\r\n"
                         L"[ClickNoMinimize]\r\nValue=1\r\n[MainKey]\r\nName=F9\r\n"
                         L"[DisableIconCount]\r\nValue=2\r\n[DisableIconTipText]\r\n"
                         L"0=音量\r\n1=ネットワーク\r\n");
    test::ProgramWindows windows;
    for (int page = 0; page < windows.settings.PageControl1.PageCount(); ++page) {
        windows.settings.Show();
        windows.settings.PageControl1.SetActivePageIndex(page);
        Keep(windows.settings.Handle(), L"settings-" + std::to_wstring(page));
    }
    windows.settings.Hide();

    windows.about.Show();
    Keep(windows.about.Handle(), L"about");
    windows.about.Hide();
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(ScreensTest, ShortcutTabWithThreeRows) {
    traysim::Tray tray(L"layout win7\n"
                       L"icon tray id=1 color=#2f80ed tip=音量: 50%\n"
                       L"icon tray id=2 color=#27ae60 tip=ネットワーク インターネット アクセス\n"
                       L"icon tray id=3 color=#8e44ad tip=Slack - 新着メッセージ 3 件\n");
    test::WriteUtf16File(test::ConfigPath(),
                         L"[ShortCut]\r\nCount=2\r\nMainKeyNo=0\r\n"
                         L"Text0=音量\r\nSosa0=0\r\nKey0=65\r\nKeyName0=[Ctrl] + [A]\r\n"
                         L"Text1=ネットワーク\r\nSosa1=1\r\nKey1=78\r\nKeyName1=[Ctrl] + [N]\r\n");
    test::ProgramWindows windows;
    windows.main.IsVista = windows.main.IsWin8 = false;
    windows.main.IsWin7 = true;
    windows.main.Button1Click();
    windows.settings.Show();
    windows.settings.PageControl1.SetActivePageIndex(2);
    // A third row from the board, waiting for its key.
    windows.main.AMousePos = 2;
    windows.main.Image1Click();
    ASSERT_EQ(windows.settings.ShortCutCount, 3);
    Keep(windows.settings.Handle(), L"settings-shortcut-rows");
    windows.settings.Hide();
    EXPECT_TRUE(dialogs.shown.empty());
}

// Real message boxes, each kept as a picture and answered with OK a moment after it opens.
class KeptMessageBoxes final : public platform::Dialogs {
public:
    int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption,
                       UINT flags) override {
        current = this;
        SetTimer(nullptr, 0, 500, [](HWND, UINT, UINT_PTR timer, DWORD) {
            KillTimer(nullptr, timer);
            const HWND box = FindWindowW(L"#32770", nullptr);
            if (!box) return;
            current->kept.emplace(Capture(box));
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        });
        ++shown;
        return platform::Real<platform::Dialogs>().ShowMessageBox(owner, text, caption, flags);
    }
    int shown = 0;
    std::optional<ui::Bitmap> kept;

private:
    static inline KeptMessageBoxes* current = nullptr;
    platform::ScopedOverride<platform::Dialogs> installed_{*this};
};

TEST_F(ScreensTest, ARefusedShortcutKey) {
    traysim::Tray tray(L"layout win7\nicon tray id=1 tip=音量: 50%\n");
    test::ProgramWindows windows;
    windows.main.Button1Click();
    windows.settings.Show();
    windows.settings.PageControl1.SetActivePageIndex(2);
    windows.main.AMousePos = 0;
    windows.main.Image1Click();
    KeptMessageBoxes boxes;
    windows.main.SetAssignedKey(VK_F4, L"F4"); // the show key
    ASSERT_EQ(boxes.shown, 1);
    ASSERT_TRUE(boxes.kept);
    EXPECT_GT(Colours(*boxes.kept), 4);
    WriteBmp(*boxes.kept, PictureFolder() + L"refused-shortcut-key.bmp");
    EXPECT_TRUE(windows.settings.ShortCutSetting);
    windows.settings.Hide();
}

} // namespace
} // namespace orvane
