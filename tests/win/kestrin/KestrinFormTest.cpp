#include "KestrinFixture.h"

#include "board/IconEx.h"
#include "companion/Protocol.h"
#include "kestrin/Texts.h"
#include "platform/ui/Bitmap.h"

#include <gmock/gmock.h>

#include <optional>
#include <thread>

namespace orvane::test {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;
using testing::UnorderedElementsAre;

const std::wstring Notepad = SystemProgram(L"notepad.exe");
const std::wstring Cmd = SystemProgram(L"cmd.exe");
const std::wstring Winemine = SystemProgram(L"winemine.exe");
const std::wstring Taskmgr = SystemProgram(L"taskmgr.exe");

// The picture as Orvane shows it: loaded from the file and drawn at 16 × 16.
ui::Bitmap DrawnAt16(const std::wstring& path) {
    TIconEx picture;
    picture.LoadFromFile(path);
    picture.SetWidth(16);
    picture.SetHeight(16);
    ui::Bitmap drawn(16, 16);
    DrawIconEx(drawn.Dc(), 0, 0, picture.Handle(), 16, 16, 0, nullptr, DI_NORMAL);
    return drawn;
}

bool IsBlue(COLORREF c) {
    return GetBValue(c) > 160 && GetRValue(c) < 80 && GetGValue(c) < 80;
}

void ExpectPlaceholder(const std::wstring& path) {
    SCOPED_TRACE(testing::Message() << "picture " << std::string(path.begin(), path.end()));
    std::optional<ui::Bitmap> drawn;
    ASSERT_NO_THROW(drawn.emplace(DrawnAt16(path)));
    for (const POINT corner : {POINT{0, 0}, POINT{15, 0}, POINT{0, 15}, POINT{15, 15}})
        EXPECT_TRUE(IsBlue(drawn->Pixel(corner.x, corner.y))) << corner.x << "," << corner.y;
    EXPECT_FALSE(IsBlue(drawn->Pixel(8, 8)));
}

TEST_F(KestrinTest, AddingStoresTheItemInAUtf16FileAndTellsOrvane) {
    Add(Notepad);

    // The dialog offers executables: its first pattern, after the first caption.
    const std::wstring filter = files.filters.at(0);
    EXPECT_EQ(filter.substr(filter.find(L'\0') + 1, 6), std::wstring(L"*.exe\0", 6));
    const std::string bytes = ReadBytes(KestrinIni());
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(Read(L"ItemCount", L"Value"), L"1");
    EXPECT_EQ(Read(L"KestrinBeforeStart", L"Value"), L"1");
    EXPECT_EQ(Read(L"ItemFileName", L"0"), Notepad);
    EXPECT_EQ(Read(L"ItemBeforeStartText", L"0"), L"");
    EXPECT_EQ(Read(L"ItemBit", L"0"), L"0");
    EXPECT_EQ(Read(L"IsShowOnTaskBar", L"0"), L"0");
    EXPECT_THAT(orvane.received, ElementsAre(L"Changed"));
    ASSERT_EQ(form.ListView1.ItemCount(), 1);
    EXPECT_EQ(form.ListView1.ItemText(0, 0), Notepad);
    EXPECT_EQ(form.ListView1.ItemIndex(), 0);
    EXPECT_THAT(dialogs.shown, IsEmpty());
}

TEST_F(KestrinTest, ASaveWaitsWhileOrvaneWritesItsClaim) {
    Add(Notepad);
    const HANDLE taken = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::wstring countWhileHeld;
    std::thread orvaneClaim([&] {
        const HANDLE lock = CreateMutexW(nullptr, FALSE, protocol::KestrinFileLock);
        WaitForSingleObject(lock, INFINITE);
        SetEvent(taken);
        Sleep(300);
        countWhileHeld = Read(L"ItemCount", L"Value");
        Write(L"ItemBit", L"0", L"64");
        ReleaseMutex(lock);
        CloseHandle(lock);
    });
    WaitForSingleObject(taken, INFINITE);
    Add(Cmd);
    orvaneClaim.join();
    CloseHandle(taken);
    EXPECT_EQ(countWhileHeld, L"1");
    EXPECT_EQ(Read(L"ItemCount", L"Value"), L"2");
    EXPECT_EQ(Read(L"ItemBit", L"0"), L"64");
}

TEST_F(KestrinTest, JapaneseTextsSurviveTheFile) {
    Add(Notepad);
    form.EditBeforeStartText.SetText(L"メモ帳を起動");
    form.BtnSetTextClick();

    EXPECT_EQ(Read(L"ItemBeforeStartText", L"0"), L"メモ帳を起動");
    EXPECT_EQ(kestrin::KestrinFile(DataFolder()).Load().Items.at(0).BeforeStartText,
              L"メモ帳を起動");
}

// After three items, Orvane claims the third (ItemBit 64) without Kestrin knowing yet; then
// the user changes something. The claim stays with its application wherever it moves.
struct ChangeCase {
    const char* name;
    std::function<void(KestrinTest&, kestrin::TKestrinForm&)> change;
    std::vector<std::wstring> files; // after the change
};

class ClaimTest : public KestrinTest, public testing::WithParamInterface<ChangeCase> {};

TEST_P(ClaimTest, OrvanesClaimIsKept) {
    Add(Notepad);
    Add(Cmd);
    Add(Winemine);
    const std::string pictureOfCmd = ReadBytes(BlueIcon(1));
    const std::string pictureOfWinemine = ReadBytes(BlueIcon(2));
    ASSERT_NE(pictureOfCmd, pictureOfWinemine);
    Write(L"ItemBit", L"2", L"64");
    orvane.received.clear();

    GetParam().change(*this, form);

    const std::vector<std::wstring>& expected = GetParam().files;
    const auto count = static_cast<int>(expected.size());
    EXPECT_EQ(Read(L"ItemCount", L"Value"), std::to_wstring(count));
    for (int i = 0; i < count; ++i) {
        const std::wstring n = std::to_wstring(i);
        EXPECT_EQ(Read(L"ItemFileName", n), expected[i]);
        EXPECT_EQ(Read(L"ItemBit", n), expected[i] == Winemine ? L"64" : L"0") << i;
        ExpectPlaceholder(BlueIcon(i));
    }
    for (const wchar_t* section :
         {L"ItemFileName", L"ItemBeforeStartText", L"ItemBit", L"IsShowOnTaskBar"})
        EXPECT_EQ(Keys(section).size(), expected.size()) << section;
    EXPECT_EQ(FileExists(BlueIcon(count)), false);
    if (count == 2) {
        EXPECT_EQ(ReadBytes(BlueIcon(0)), pictureOfCmd);
        EXPECT_EQ(ReadBytes(BlueIcon(1)), pictureOfWinemine);
    }
    EXPECT_THAT(orvane.received, ElementsAre(L"Changed"));
}

INSTANTIATE_TEST_SUITE_P(Changes, ClaimTest,
                         testing::Values(ChangeCase{"RemoveFirst",
                                                    [](KestrinTest&, kestrin::TKestrinForm& form) {
                                                        form.ListView1.SetItemIndex(0);
                                                        form.BtnDeleteClick();
                                                    },
                                                    {Cmd, Winemine}},
                                         ChangeCase{"ShowOnTaskBar",
                                                    [](KestrinTest&, kestrin::TKestrinForm& form) {
                                                        form.ListView1.SetItemIndex(0);
                                                        form.CheckBoxShowOnTaskBar.SetChecked(true);
                                                    },
                                                    {Notepad, Cmd, Winemine}},
                                         ChangeCase{"BeforeStartText",
                                                    [](KestrinTest&, kestrin::TKestrinForm& form) {
                                                        form.ListView1.SetItemIndex(2);
                                                        form.EditBeforeStartText.SetText(L"待機中");
                                                        form.BtnSetTextClick();
                                                    },
                                                    {Notepad, Cmd, Winemine}},
                                         ChangeCase{"BeforeStart",
                                                    [](KestrinTest&, kestrin::TKestrinForm& form) {
                                                        form.CheckBoxBeforeStart.SetChecked(false);
                                                    },
                                                    {Notepad, Cmd, Winemine}},
                                         ChangeCase{"Add",
                                                    [](KestrinTest& test, kestrin::TKestrinForm&) {
                                                        test.Add(Taskmgr);
                                                    },
                                                    {Notepad, Cmd, Winemine, Taskmgr}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(KestrinTest, EachSettingOfTheSelectedItemIsStoredAndShown) {
    Add(Notepad);
    Add(Cmd);
    Select(1);
    form.CheckBoxShowOnTaskBar.SetChecked(true);
    form.EditBeforeStartText.SetText(L"起動前");
    form.BtnSetTextClick();
    form.CheckBoxBeforeStart.SetChecked(false);

    EXPECT_EQ(Read(L"IsShowOnTaskBar", L"0"), L"0");
    EXPECT_EQ(Read(L"IsShowOnTaskBar", L"1"), L"1");
    EXPECT_EQ(Read(L"ItemBeforeStartText", L"1"), L"起動前");
    EXPECT_EQ(Read(L"KestrinBeforeStart", L"Value"), L"0");
    EXPECT_EQ(form.ListView1.ItemText(1, 1), L"起動前");
    EXPECT_EQ(form.ListView1.ItemText(1, 2), kestrin::texts::TaskBarShown);
    EXPECT_THAT(orvane.received,
                ElementsAre(L"Changed", L"Changed", L"Changed", L"Changed", L"Changed"));
    // Another item shows its own settings.
    Select(0);
    EXPECT_FALSE(form.CheckBoxShowOnTaskBar.Checked());
    EXPECT_EQ(form.EditBeforeStartText.Text(), L"");
}

TEST_F(KestrinTest, RemovingTheLastItemLeavesAnEmptyListAndNoPicture) {
    Add(Notepad);
    Select(0);
    form.BtnDeleteClick();

    EXPECT_EQ(Read(L"ItemCount", L"Value"), L"0");
    EXPECT_THAT(Keys(L"ItemFileName"), IsEmpty());
    EXPECT_FALSE(FileExists(BlueIcon(0)));
    EXPECT_EQ(form.ListView1.ItemCount(), 0);
    EXPECT_FALSE(form.BtnDelete.Enabled());
}

// What the dialog's answer names.
enum class Made { File, Folder, Nothing };

struct Refusal {
    const char* name;
    const wchar_t* file; // in the data folder
    Made made;
    std::string bytes;
};

class RefusalTest : public KestrinTest, public testing::WithParamInterface<Refusal> {};

TEST_P(RefusalTest, IsRefusedWithAMessageAndNothingIsWritten) {
    const Refusal& refusal = GetParam();
    const std::wstring path = DataFolder() + refusal.file;
    if (refusal.made == Made::File) WriteBytes(path, refusal.bytes);
    if (refusal.made == Made::Folder) CreateDirectoryW(path.c_str(), nullptr);

    Add(path);

    EXPECT_THAT(dialogs.Texts(),
                ElementsAre(std::wstring(kestrin::texts::NotExecutable) + L"\r" + path));
    EXPECT_EQ(dialogs.shown.at(0).caption, kestrin::texts::AppTitle);
    EXPECT_FALSE(FileExists(KestrinIni()));
    EXPECT_EQ(form.ListView1.ItemCount(), 0);
    EXPECT_THAT(orvane.received, IsEmpty());
    RemoveDirectoryW(path.c_str());
    DeleteFileW(path.c_str());
}

INSTANTIATE_TEST_SUITE_P(Files, RefusalTest,
                         testing::Values(Refusal{"Text", L"readme.exe", Made::File, "This is text"},
                                         Refusal{"Empty", L"empty.exe", Made::File, ""},
                                         Refusal{"OneByte", L"short.exe", Made::File, "M"},
                                         Refusal{"ProgramNotNamedExe", L"program.com", Made::File,
                                                 "MZ\x90"},
                                         Refusal{"NoExtension", L"exe", Made::File, "MZ\x90"},
                                         Refusal{"Missing", L"missing.exe", Made::Nothing, ""},
                                         Refusal{"Folder", L"folder.exe", Made::Folder, ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(KestrinTest, APathAlreadyListedIsRefusedWhateverItsLetterCase) {
    Add(Notepad);
    orvane.received.clear();
    std::wstring upper = Notepad;
    CharUpperW(upper.data());

    Add(upper);

    EXPECT_THAT(dialogs.Texts(),
                ElementsAre(std::wstring(kestrin::texts::AlreadyListed) + L"\r" + upper));
    EXPECT_EQ(Read(L"ItemCount", L"Value"), L"1");
    EXPECT_EQ(form.ListView1.ItemCount(), 1);
    EXPECT_THAT(orvane.received, IsEmpty());
}

TEST_F(KestrinTest, CancellingTheDialogChangesNothing) {
    form.BtnAddClick();
    EXPECT_EQ(files.titles.size(), 1u);
    EXPECT_FALSE(FileExists(KestrinIni()));
    EXPECT_THAT(orvane.received, IsEmpty());
}

TEST_F(KestrinTest, StartingTellsOrvaneOnceTheListIsShown) {
    Add(Notepad);
    orvane.received.clear();
    form.Start(SW_SHOWNOACTIVATE);
    EXPECT_THAT(orvane.received, ElementsAre(L"SetTaskTrayEnd"));
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
    form.Hide();
}

TEST_F(KestrinTest, ChangedFromOrvaneReloadsWithoutAnEcho) {
    Add(Notepad);
    Add(Cmd);
    orvane.received.clear();
    // Orvane claims the first item, another copy of the list has a third.
    Write(L"ItemBit", L"0", L"64");
    Write(L"ItemFileName", L"2", Winemine.c_str());
    Write(L"ItemCount", L"Value", L"3");
    const HWND edit = GetDlgItem(form.Handle(), 2000);
    ASSERT_NE(edit, nullptr);
    EXPECT_FALSE(IsWindowVisible(edit));

    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Changed"));

    EXPECT_EQ(form.EditReceveMsg.Text(), L"");
    ASSERT_EQ(form.List().Items.size(), 3u);
    EXPECT_EQ(form.List().Items[0].Bit, 64);
    EXPECT_EQ(form.ListView1.ItemCount(), 3);
    EXPECT_EQ(form.ListView1.ItemText(2, 0), Winemine);
    EXPECT_THAT(orvane.received, IsEmpty());

    // Any other text is left alone.
    Write(L"ItemCount", L"Value", L"1");
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"changed"));
    EXPECT_EQ(form.EditReceveMsg.Text(), L"changed");
    EXPECT_EQ(form.ListView1.ItemCount(), 3);
    EXPECT_THAT(orvane.received, IsEmpty());
}

} // namespace
} // namespace orvane::test
