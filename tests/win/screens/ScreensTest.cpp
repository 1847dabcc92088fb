#include "platform/ui/Bitmap.h"
#include "support/Files.h"
#include "support/ProgramWindows.h"
#include "support/StandIns.h"
#include "traysim/TraySim.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace orvane {
namespace {

// Where the pictures go: $ORVANE_SCREENSHOTS (a Unix path, reached through drive Z:), else
// "screenshots" beside the test programs' folder.
std::wstring PictureFolder() {
    const wchar_t* set = _wgetenv(L"ORVANE_SCREENSHOTS");
    std::wstring folder = set && *set ? set : test::TestFolder() + L"..\\screenshots";
    if (folder.front() == L'/') folder = L"Z:" + folder;
    for (wchar_t& c : folder) c = c == L'/' ? L'\\' : c;
    SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    return folder + L"\\";
}

void Settle() {
    for (int i = 0; i < 20; ++i) {
        ui::App().ProcessMessages();
        Sleep(10);
    }
}

// The window as it is on the screen, frame included.
ui::Bitmap Capture(HWND window) {
    SetForegroundWindow(window);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    Settle();
    RECT bounds{};
    GetWindowRect(window, &bounds);
    ui::Bitmap picture(bounds.right - bounds.left, bounds.bottom - bounds.top);
    platform::WindowDc screen(nullptr);
    BitBlt(picture.Dc(), 0, 0, picture.Width(), picture.Height(), screen.Get(), bounds.left,
           bounds.top, SRCCOPY);
    return picture;
}

void WriteBmp(const ui::Bitmap& picture, const std::wstring& path) {
    const int stride = (picture.Width() * 3 + 3) & ~3;
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = picture.Width();
    info.biHeight = picture.Height(); // bottom-up, as every reader expects
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = static_cast<DWORD>(stride * picture.Height());
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof header + sizeof info;
    header.bfSize = header.bfOffBits + info.biSizeImage;
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
    bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
    for (int y = picture.Height() - 1; y >= 0; --y)
        bytes.append(reinterpret_cast<const char*>(picture.ScanLine(y)),
                     static_cast<size_t>(stride));
    test::WriteBytes(path, bytes);
}

// Many colours mean drawn controls and text, not an empty or black rectangle.
int Colours(const ui::Bitmap& picture) {
    std::vector<COLORREF> seen;
    for (int y = 0; y < picture.Height(); y += 2) {
        for (int x = 0; x < picture.Width(); x += 2) {
            const COLORREF c = picture.Pixel(x, y);
            if (std::find(seen.begin(), seen.end(), c) == seen.end()) seen.push_back(c);
            if (seen.size() >= 16) return 16;
        }
    }
    return static_cast<int>(seen.size());
}

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
