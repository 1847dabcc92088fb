#include "KestrinFixture.h"

#include "board/IconEx.h"
#include "kestrin/Texts.h"

#include <gmock/gmock.h>

namespace orvane::test {
namespace {

const std::wstring LongPath = L"C:\\" + std::wstring(32000, L'a') + L".exe";

struct Damage {
    const char* name;
    std::wstring text; // the file's content after its byte-order mark
    size_t items;
    bool beforeStart;
};

// The file is made before the window, as another program or a fault left it.
class DamagedFileTest : public testing::TestWithParam<Damage> {
protected:
    CleanDataFolder clean;
    DialogRecorder dialogs;
    OrvaneStandIn orvane;
};

TEST_P(DamagedFileTest, LoadsWhatCanBeShownQuicklyAndWritesNothing) {
    const Damage& damage = GetParam();
    WriteUtf16File(KestrinIni(), damage.text);
    const std::string before = ReadBytes(KestrinIni());

    const DWORD start = GetTickCount();
    kestrin::TKestrinForm form;
    EXPECT_LT(GetTickCount() - start, 3000u);

    EXPECT_EQ(form.List().Items.size(), damage.items);
    EXPECT_EQ(form.ListView1.ItemCount(), static_cast<int>(damage.items));
    EXPECT_EQ(form.CheckBoxBeforeStart.Checked(), damage.beforeStart);
    EXPECT_EQ(ReadBytes(KestrinIni()), before);
    EXPECT_FALSE(FileExists(BlueIcon(0)));
    EXPECT_TRUE(orvane.received.empty());
    EXPECT_TRUE(dialogs.shown.empty());

    // The first change writes a list that agrees with itself.
    form.CheckBoxBeforeStart.SetChecked(!damage.beforeStart);
    EXPECT_EQ(Read(L"ItemCount", L"Value"), std::to_wstring(damage.items));
    for (const wchar_t* section :
         {L"ItemFileName", L"ItemBeforeStartText", L"ItemBit", L"IsShowOnTaskBar"})
        EXPECT_EQ(Keys(section).size(), damage.items) << section;
    for (size_t i = 0; i < damage.items; ++i)
        EXPECT_EQ(Read(L"ItemFileName", std::to_wstring(i)), form.List().Items[i].FileName);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedFileTest,
    testing::Values(
        Damage{
            "HugeCount",
            L"[ItemCount]\r\nValue=2147483647\r\n[ItemFileName]\r\n0=C:\\a.exe\r\n1=C:\\b.exe\r\n",
            2, true},
        Damage{"CountOverflowing",
               L"[ItemCount]\r\nValue=99999999999999\r\n[ItemFileName]\r\n0=C:\\a.exe\r\n", 0,
               true},
        Damage{"NegativeCount",
               L"[ItemCount]\r\nValue=-5\r\n[ItemFileName]\r\n0=C:\\a.exe\r\n[ItemBit]\r\n0=64\r\n",
               0, true},
        Damage{"CountNotANumber", L"[ItemCount]\r\nValue=zwei\r\n[ItemFileName]\r\n0=C:\\a.exe\r\n",
               0, true},
        Damage{"EmptyPaths",
               L"[ItemCount]\r\nValue=2\r\n[KestrinBeforeStart]\r\nValue=0\r\n"
               L"[ItemFileName]\r\n0=\r\n1=\r\n",
               2, false},
        Damage{"LongPath", L"[ItemCount]\r\nValue=1\r\n[ItemFileName]\r\n0=" + LongPath + L"\r\n",
               1, true},
        Damage{"MissingKeys",
               L"[ItemCount]\r\nValue=3\r\n[ItemFileName]\r\n0=C:\\a.exe\r\n2=C:\\c.exe\r\n"
               L"7=C:\\h.exe\r\n",
               3, true},
        Damage{"StaleKeys",
               L"[ItemCount]\r\nValue=1\r\n[ItemFileName]\r\n0=C:\\a.exe\r\n1=C:\\b.exe\r\n"
               L"[ItemBit]\r\n0=64\r\n5=64\r\nx=1\r\n[IsShowOnTaskBar]\r\n01=1\r\n",
               1, true},
        Damage{"NoSections", L"\x0001\x0002 not a profile \xD800", 0, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DamagedFile, MissingKeysTakeTheirDefaults) {
    CleanDataFolder clean;
    WriteUtf16File(KestrinIni(), L"[ItemCount]\r\nValue=2\r\n[ItemFileName]\r\n0=C:\\a.exe\r\n"
                                 L"1=C:\\b.exe\r\n[ItemBit]\r\n1=64\r\n[IsShowOnTaskBar]\r\n0=5\r\n"
                                 L"[ItemBeforeStartText]\r\n1=待機\r\n");
    const kestrin::KestrinList list = kestrin::KestrinFile(DataFolder()).Load();
    ASSERT_EQ(list.Items.size(), 2u);
    EXPECT_TRUE(list.KestrinBeforeStart);
    EXPECT_EQ(list.Items[0].Bit, 0);
    EXPECT_TRUE(list.Items[0].IsShowOnTaskBar);
    EXPECT_EQ(list.Items[0].BeforeStartText, L"");
    EXPECT_EQ(list.Items[1].Bit, 64);
    EXPECT_FALSE(list.Items[1].IsShowOnTaskBar);
    EXPECT_EQ(list.Items[1].BeforeStartText, L"待機");
}

TEST_F(KestrinTest, MissingOrDamagedPicturesAreWrittenAgainWithTheNextChange) {
    Add(SystemProgram(L"notepad.exe"));
    Add(SystemProgram(L"cmd.exe"));
    WriteBytes(BlueIcon(0), std::string("\0\0\1\0\1\0\xFF\xFF", 8));
    DeleteFileW(BlueIcon(1).c_str());

    form.CheckBoxBeforeStart.SetChecked(false);

    for (int i : {0, 1}) {
        TIconEx picture;
        picture.LoadFromFile(BlueIcon(i));
        picture.SetWidth(16);
        picture.SetHeight(16);
        EXPECT_NE(picture.Handle(), nullptr);
    }
}

TEST_F(KestrinTest, AChangeThatCannotBeWrittenIsReportedAndUndone) {
    Add(SystemProgram(L"notepad.exe"));
    Select(0);
    orvane.received.clear();
    {
        // Another program holds the file open for itself alone.
        const platform::UniqueHandle held(
            CreateFileW(KestrinIni().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_NE(held.Get(), INVALID_HANDLE_VALUE);
        Add(SystemProgram(L"cmd.exe"));
        form.CheckBoxShowOnTaskBar.SetChecked(true);
    }

    EXPECT_THAT(dialogs.Texts(),
                testing::ElementsAre(kestrin::texts::SaveFailed, kestrin::texts::SaveFailed));
    EXPECT_EQ(Read(L"ItemCount", L"Value"), L"1");
    EXPECT_EQ(Read(L"IsShowOnTaskBar", L"0"), L"0");
    EXPECT_EQ(form.ListView1.ItemCount(), 1);
    EXPECT_FALSE(form.CheckBoxShowOnTaskBar.Checked());
    EXPECT_TRUE(orvane.received.empty());
    // Once the file is free again, the next change is stored.
    form.CheckBoxShowOnTaskBar.SetChecked(true);
    EXPECT_EQ(Read(L"IsShowOnTaskBar", L"0"), L"1");
}

} // namespace
} // namespace orvane::test
