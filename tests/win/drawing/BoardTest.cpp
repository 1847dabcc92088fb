#include "board/Geometry.h"
#include "board/ResizeBitmap.h"
#include "support/Files.h"
#include "support/Icons.h"
#include "support/ProgramWindows.h"
#include "support/Simulator.h"
#include "support/StandIns.h"
#include "traysim/TraySim.h"

#include <gtest/gtest.h>

#include <string>

namespace orvane {
namespace {

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Blue = RGB(0, 0, 255);
// Scenario colours, as the simulator paints its icons: a disc with a letter in its middle.
const COLORREF Colours[] = {RGB(0xff, 0, 0),    RGB(0, 0xc0, 0),    RGB(0, 0, 0xff),
                            RGB(0xc0, 0xc0, 0), RGB(0, 0xc0, 0xc0), RGB(0xc0, 0, 0xc0),
                            RGB(0x80, 0x40, 0), RGB(0x40, 0x80, 0), RGB(0, 0x40, 0x80),
                            RGB(0x80, 0, 0x40)};

std::wstring ColourText(COLORREF c) {
    wchar_t text[8];
    swprintf(text, 8, L"%02x%02x%02x", GetRValue(c), GetGValue(c), GetBValue(c));
    return text;
}

std::wstring Scenario(int icons, const wchar_t* extra = L"") {
    std::wstring text = L"layout win7\n";
    for (int i = 0; i < icons; ++i) {
        text += L"icon tray id=" + std::to_wstring(i + 1) + L" color=#" +
                ColourText(Colours[i % 10]) + (i == 1 ? extra : L"") + L" tip=icon " +
                std::to_wstring(i) + L"\n";
    }
    return text;
}

class BoardTest : public testing::Test {
protected:

    static void UseWindows7(TDozedeR64Form& form) {
        form.IsVista = form.IsWin8 = false;
        form.IsWin7 = true;
    }
    // A point on the disc of entry i's icon, left of its letter, in board coordinates.
    static POINT OnDisc(int i, int iconSize) {
        const Point corner = CellOrigin(i, iconSize);
        return {corner.X + iconSize * 5 / 32, corner.Y + iconSize / 2};
    }
    static COLORREF PixelAt(TDozedeR64Form& form, POINT p) {
        return form.Image1.Picture().Pixel(p.x, p.y);
    }

    test::DialogRecorder dialogs;
};

TEST_F(BoardTest, TenIconsAt64PixelsFillTheirCellsOfTheSevenColumnGrid) {
    traysim::Tray tray(Scenario(10));
    test::ProgramWindows program;
    TDozedeR64Form& form = program.main;
    UseWindows7(form);
    form.Button1Click();

    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(form.ClientWidth(), 503);
    EXPECT_EQ(form.ClientHeight(), 245);
    EXPECT_EQ(form.Image1.Width(), 483);
    EXPECT_EQ(form.Image1.Height(), 207);
    EXPECT_EQ(form.Button1.Top(), 207);
    EXPECT_EQ(form.ScrollBox1.Width(), 503);
    EXPECT_EQ(form.ScrollBox1.Height(), 207);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(PixelAt(form, OnDisc(i, 64)), Colours[i]) << "entry " << i;
    EXPECT_EQ(PixelAt(form, {2 * 69 + 10, 69 + 32}),
              Colours[9]);                           // entry 9: third column, second row
    EXPECT_EQ(PixelAt(form, OnDisc(10, 64)), White); // past the last entry
    EXPECT_EQ(PixelAt(form, {66, 30}), White);       // the gap between cells
}

TEST_F(BoardTest, AnEntryWithoutIconStaysWhiteAndTheNextKeepsItsPlace) {
    traysim::Tray tray(Scenario(3, L" hicon=none"));
    test::ProgramWindows program;
    UseWindows7(program.main);
    program.main.IconSize = 48;
    program.main.Button1Click();
    for (int y = 0; y < 53; ++y)
        for (int x = 53; x < 106; ++x) ASSERT_EQ(program.main.Image1.Picture().Pixel(x, y), White);
    EXPECT_EQ(PixelAt(program.main, OnDisc(2, 48)), Colours[2]);
}

TEST_F(BoardTest, TheOwnersIconHandlesStayUsableAfterDrawing) {
    traysim::Tray tray(Scenario(4));
    test::ProgramWindows program;
    UseWindows7(program.main);
    program.main.Button1Click();
    program.main.Button1Click();
    for (const traysim::IconInfo& icon : tray.Icons()) {
        ui::Bitmap target(32, 32);
        EXPECT_TRUE(DrawIconEx(target.Dc(), 0, 0, icon.icon, 32, 32, 0, nullptr, DI_NORMAL));
        EXPECT_EQ(target.Pixel(5, 16), Colours[icon.id - 1]);
    }
}

TEST_F(BoardTest, IconsOfAnotherProcessShowTheirOwnersProgramAndEveryCellIsDrawn) {
    // Under Wine no handle of another process can be drawn, as a stale one on Windows.
    test::SimulatorProcess tray(
        std::string("layout win7\nicon tray id=1 tip=a\nicon tray id=2 tip=b\n") +
        "icon tray id=3 hicon=none tip=c\nicon tray id=4 tip=d\n");
    test::ProgramWindows program;
    UseWindows7(program.main);
    program.main.Button1Click();
    const COLORREF simulatorIcon = RGB(0xe6, 0x7e, 0x22);
    EXPECT_EQ(PixelAt(program.main, {10, 32}), simulatorIcon);
    EXPECT_EQ(PixelAt(program.main, {69 + 10, 32}), simulatorIcon);
    EXPECT_EQ(PixelAt(program.main, {2 * 69 + 10, 32}), White);
    EXPECT_EQ(PixelAt(program.main, {3 * 69 + 10, 32}), simulatorIcon);
}

class OwnIconsTest : public BoardTest {
protected:
    void SetUp() override {
        wchar_t self[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, self, MAX_PATH); // carries the program's icon
        test::WriteUtf16File(
            test::DataFolder() + L"Kestrin.ini",
            L"[ItemCount]\r\nValue=2\r\n[KestrinBeforeStart]\r\nValue=0\r\n[ItemFileName]\r\n0=" +
                std::wstring(self) + L"\r\n1=" + self + L"\r\n");
    }
    // An icon of the program's own, as the companion Parts show them.
    void Show(TDozedeR64Form& form, int item, HICON icon, const std::wstring& tip) {
        form.PrepareItemRecord(item, icon, tip);
        ASSERT_TRUE(Shell_NotifyIconW(NIM_ADD, &form.NID[static_cast<size_t>(item)]));
    }
    void Remove(TDozedeR64Form& form) {
        for (NOTIFYICONDATAW& record : form.NID) {
            if (record.cbSize) Shell_NotifyIconW(NIM_DELETE, &record);
        }
    }
};

TEST_F(OwnIconsTest, APlaceholderIsFramedInBlueAndARunningItemIsNot) {
    traysim::Tray tray(L"layout win7\n");
    test::ProgramWindows program;
    TDozedeR64Form& form = program.main;
    UseWindows7(form);
    const platform::UniqueIcon red = test::SolidIcon(16, RGB(255, 0, 0));
    Show(form, 0, red.Get(), form.PlaceholderTip(0));
    Show(form, 1, red.Get(), L"running application");
    form.Button1Click();
    Remove(form);

    ASSERT_EQ(form.TotalBtnCount, 2);
    for (int d = 0; d < 64; d += 9) {
        EXPECT_EQ(PixelAt(form, {d, 0}), Blue) << d;
        EXPECT_EQ(PixelAt(form, {0, d}), Blue) << d;
        EXPECT_EQ(PixelAt(form, {63, d}), Blue) << d;
    }
    EXPECT_EQ(PixelAt(form, {69, 0}), White); // no frame around the running one
    // Both show the item's program icon, not the icon in the tray.
    EXPECT_NE(PixelAt(form, {32, 32}), RGB(255, 0, 0));
    EXPECT_EQ(PixelAt(form, {32, 32}), PixelAt(form, {69 + 32, 32}));
}

TEST_F(OwnIconsTest, AtThirtyTwoPixelsAPlaceholderKeepsItsFrameAndReachesIntoTheGap) {
    traysim::Tray tray(L"layout win7\n");
    test::ProgramWindows program;
    TDozedeR64Form& form = program.main;
    UseWindows7(form);
    form.IconSize = 32;
    const platform::UniqueIcon red = test::SolidIcon(16, RGB(255, 0, 0));
    Show(form, 0, red.Get(), form.PlaceholderTip(0));
    form.Button1Click();
    Remove(form);
    EXPECT_EQ(PixelAt(form, {33, 33}), Blue);
    EXPECT_EQ(PixelAt(form, {33, 10}), Blue);
    EXPECT_EQ(PixelAt(form, {34, 10}), White);
}

TEST_F(OwnIconsTest, AnOwnIconWithoutItsItemIsDrawnFromItsOwnHandle) {
    traysim::Tray tray(L"layout win7\n");
    test::ProgramWindows program;
    TDozedeR64Form& form = program.main;
    UseWindows7(form);
    form.NID.resize(7);
    const platform::UniqueIcon red = test::SolidIcon(32, RGB(255, 0, 0));
    Show(form, 6, red.Get(), L"no such item");
    form.Button1Click();
    Remove(form);
    ASSERT_EQ(form.TotalBtnCount, 1);
    EXPECT_EQ(PixelAt(form, {32, 32}), RGB(255, 0, 0));
}

TEST_F(BoardTest, ARefreshWhileTheBoardIsDrawnTakesOver) {
    traysim::Tray tray(Scenario(6));
    test::ProgramWindows program;
    TDozedeR64Form& form = program.main;
    UseWindows7(form);
    int nested = 0;
    const int filter = ui::App().AddMessageFilter([&](MSG& msg) {
        if (msg.message != WM_APP + 11) return false;
        ++nested;
        tray.RunCommand(L"clear");
        tray.RunCommand(L"icon tray id=9 color=#0000ff tip=only one");
        form.Button1Click();
        return true;
    });
    form.TotalBtnCount = 0;
    form.Button1Click();
    PostThreadMessageW(GetCurrentThreadId(), WM_APP + 11, 0, 0);
    form.LayOutBoard(); // processes the message after its first cell
    ui::App().RemoveMessageFilter(filter);

    EXPECT_EQ(nested, 1);
    ASSERT_EQ(form.TotalBtnCount, 1);
    EXPECT_EQ(PixelAt(form, OnDisc(0, 64)), RGB(0, 0, 255));
    for (int i = 1; i < 6; ++i) EXPECT_EQ(PixelAt(form, OnDisc(i, 64)), White) << "entry " << i;
}

TEST(ResizeBitmapTest, EnlargesWhatGdiDrewIntoTheSource) {
    ui::Bitmap source(32, 32);
    source.GetCanvas().FillRect({0, 0, 16, 32}, RGB(0, 0, 0));
    source.GetCanvas().FillRect({16, 0, 32, 32}, RGB(255, 255, 255));
    ui::Bitmap enlarged = ResizeBitmap(source, 64, 64);
    ASSERT_EQ(enlarged.Width(), 64);
    ASSERT_EQ(enlarged.Height(), 64);
    for (int y : {0, 31, 63}) {
        EXPECT_EQ(enlarged.Pixel(30, y), RGB(0, 0, 0));
        EXPECT_EQ(enlarged.Pixel(31, y), RGB(64, 64, 64));
        EXPECT_EQ(enlarged.Pixel(32, y), RGB(191, 191, 191));
        EXPECT_EQ(enlarged.Pixel(33, y), RGB(255, 255, 255));
    }
    ui::Bitmap empty;
    EXPECT_THROW(ResizeBitmap(empty, 64, 64), EAssertionFailed);
}

} // namespace
} // namespace orvane
