#include "IconSamples.h"
#include "board/IconEx.h"
#include "core/DozedeR64Form.h"
#include "support/CompanionWindow.h"
#include "support/Files.h"
#include "support/StandIns.h"

#include <gtest/gtest.h>

#include <chrono>

namespace orvane {
namespace {

class KestrinItemsTest : public testing::Test {
protected:
    void SetUp() override { test::ClearDataFolder(); }
    void TearDown() override { test::ClearDataFolder(); }
    static void GivenKestrin(const std::wstring& text) {
        test::WriteUtf16File(test::DataFolder() + L"Kestrin.ini", text);
    }

    test::DialogRecorder dialogs;
};

TEST_F(KestrinItemsTest, WithoutTheFileThereAreNoItems) {
    TDozedeR64Form form;
    EXPECT_EQ(form.KestrinItemCount, 0);
    EXPECT_TRUE(form.KestrinItem.empty());
    EXPECT_TRUE(form.NID.empty());
    EXPECT_FALSE(form.KestrinBeforeStart);
    EXPECT_FALSE(form.StartSelfMinimized);
}

TEST_F(KestrinItemsTest, ReadsEveryItemAndAMissingOneTakesItsDefaults) {
    GivenKestrin(L"[ItemCount]\r\nValue=3\r\n[KestrinBeforeStart]\r\nValue=0\r\n"
                 L"[ItemFileName]\r\n0=C:\\Tools\\memo.exe\r\n1=C:\\Mail\\メール.exe\r\n"
                 L"[ItemBeforeStartText]\r\n1=受信箱\r\n"
                 L"[ItemBit]\r\n0=64\r\n1=7\r\n2=0\r\n"
                 L"[IsShowOnTaskBar]\r\n0=1\r\n");
    TDozedeR64Form form;
    ASSERT_EQ(form.KestrinItemCount, 3);
    ASSERT_EQ(form.KestrinItem.size(), 3u);
    ASSERT_EQ(form.NID.size(), 3u);
    EXPECT_FALSE(form.KestrinBeforeStart);
    EXPECT_EQ(form.KestrinItem[0].FileName, L"C:\\Tools\\memo.exe");
    EXPECT_EQ(form.KestrinItem[0].Bit, 64);
    EXPECT_TRUE(form.KestrinItem[0].IsShowOnTaskBar);
    EXPECT_EQ(form.KestrinItem[1].FileName, L"C:\\Mail\\メール.exe");
    EXPECT_EQ(form.KestrinItem[1].BeforeStartText, L"受信箱");
    EXPECT_EQ(form.KestrinItem[1].Bit, 7); // stays as read
    EXPECT_FALSE(form.KestrinItem[1].IsShowOnTaskBar);
    EXPECT_EQ(form.KestrinItem[2].FileName, L"");
    for (const TKestrinItem& item : form.KestrinItem) {
        EXPECT_EQ(item.WndHandle, nullptr);
        EXPECT_EQ(item.PID, 0);
        EXPECT_FALSE(item.IsRunning);
    }
    for (const NOTIFYICONDATAW& record : form.NID) EXPECT_EQ(record.cbSize, 0u);
    EXPECT_EQ(form.PlaceholderTip(1), L"メール.exe\r受信箱-起動していません");
    EXPECT_FALSE(form.StartSelfMinimized);
}

TEST_F(KestrinItemsTest, PlaceholdersWantedMeansWaitingMinimisedForTheStartedCompanion) {
    GivenKestrin(L"[ItemCount]\r\nValue=1\r\n[ItemFileName]\r\n0=C:\\Tools\\memo.exe\r\n");
    test::VirtualClock clock;
    test::ShellRecorder shell;
    {
        test::CompanionWindow companion;
        TDozedeR64Form form;
        EXPECT_TRUE(form.KestrinBeforeStart); // the default when the key is missing
        ASSERT_EQ(shell.executed.size(), 1u);
        EXPECT_EQ(shell.executed[0].show, SW_MINIMIZE);
        EXPECT_TRUE(form.StartSelfMinimized);
        EXPECT_EQ(form.GetWindowState(), ui::WindowState::Minimized);
    }
    // A companion that does not come up would leave the window waiting for ever.
    TDozedeR64Form alone;
    EXPECT_EQ(shell.executed.size(), 2u);
    EXPECT_FALSE(alone.StartSelfMinimized);
    EXPECT_NE(alone.GetWindowState(), ui::WindowState::Minimized);
}

TEST_F(KestrinItemsTest, ADamagedCountCannotExhaustMemory) {
    GivenKestrin(L"[ItemCount]\r\nValue=2147483647\r\n[ItemFileName]\r\n0=a.exe\r\n1=b.exe\r\n"
                 L"[ItemBit]\r\n0=64\r\n");
    const auto started = std::chrono::steady_clock::now();
    TDozedeR64Form form;
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));
    EXPECT_EQ(form.KestrinItemCount, 2); // the keys of one section, not of all together
    EXPECT_EQ(form.KestrinItem.size(), 2u);
    EXPECT_EQ(form.NID.size(), 2u);

    GivenKestrin(L"[ItemCount]\r\nValue=-3\r\n[ItemFileName]\r\n0=a.exe\r\n");
    TDozedeR64Form negative;
    EXPECT_EQ(negative.KestrinItemCount, 0);
    EXPECT_FALSE(negative.StartSelfMinimized);
}

TEST_F(KestrinItemsTest, PrepareItemRecordFillsOnlyWhatTheIconNeeds) {
    GivenKestrin(L"[ItemCount]\r\nValue=2\r\n[KestrinBeforeStart]\r\nValue=0\r\n"
                 L"[ItemFileName]\r\n0=a.exe\r\n1=b.exe\r\n");
    TDozedeR64Form form;
    NOTIFYICONDATAW& record = form.NID[1];
    record.dwState = 5;
    record.uTimeout = 9;
    const HICON icon = LoadIconW(nullptr, IDI_APPLICATION);

    form.PrepareItemRecord(1, icon, std::wstring(200, L'x'));
    EXPECT_EQ(record.cbSize, 976u);
    EXPECT_EQ(record.hWnd, form.Handle());
    EXPECT_EQ(record.uID, 1u);
    EXPECT_EQ(record.uFlags, 7u);
    EXPECT_EQ(record.uCallbackMessage, 0x52Cu);
    EXPECT_EQ(record.hIcon, icon);
    EXPECT_EQ(std::wstring(record.szTip), std::wstring(127, L'x'));
    EXPECT_EQ(record.dwState, 5u);
    EXPECT_EQ(record.uTimeout, 9u);

    form.PrepareItemRecord(1, icon, std::wstring(127, L'y'));
    EXPECT_EQ(std::wstring(record.szTip), std::wstring(127, L'y'));
    form.PrepareItemRecord(1, icon, L"短い");
    EXPECT_EQ(std::wstring(record.szTip), L"短い"); // nothing of the longer tip is left
    EXPECT_EQ(form.NID[0].cbSize, 0u);
}

TEST_F(KestrinItemsTest, TheApplicationIconComesFromTheItemsFile) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    GivenKestrin(
        L"[ItemCount]\r\nValue=1\r\n[KestrinBeforeStart]\r\nValue=0\r\n[ItemFileName]\r\n0=" +
        std::wstring(self) + L"\r\n");
    TDozedeR64Form form;
    const HICON icon = form.ItemAppIcon(0);
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    EXPECT_TRUE(GetIconInfo(icon, &info));
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
    EXPECT_EQ(form.KestrinItem[0].FileName, self); // the item's path is not touched
}

TEST_F(KestrinItemsTest, ThePlaceholderIconIsTheItemsIconFileAtSixteenPixels) {
    GivenKestrin(L"[ItemCount]\r\nValue=3\r\n[KestrinBeforeStart]\r\nValue=0\r\n"
                 L"[ItemFileName]\r\n0=a.exe\r\n1=b.exe\r\n2=c.exe\r\n");
    const std::wstring icons = test::DataFolder() + L"Icon\\";
    CreateDirectoryW(icons.c_str(), nullptr);
    const std::vector<std::uint8_t> image = test::MakeIcon(test::SampleEntry{32, 32, 4});
    test::WriteBytes(icons + L"BlueIcon1.ico", std::string(image.begin(), image.end()));
    test::WriteBytes(icons + L"BlueIcon2.ico", "not an icon at all");
    TDozedeR64Form form;

    const std::unique_ptr<TIconEx> placeholder = form.PlaceholderIcon(1);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(placeholder->Handle(), &info));
    BITMAP colour{};
    GetObjectW(info.hbmColor, sizeof colour, &colour);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    EXPECT_EQ(colour.bmWidth, 16);
    EXPECT_EQ(colour.bmHeight, 16);

    EXPECT_THROW(form.PlaceholderIcon(0), EIconExError); // no file for the item
    EXPECT_THROW(form.PlaceholderIcon(2), EIconExError); // a damaged one
    EXPECT_EQ(test::ReadBytes(icons + L"BlueIcon1.ico").size(), image.size()); // only read
}

} // namespace
} // namespace orvane
