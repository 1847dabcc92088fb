#include "core/Profile.h"
#include "platform/Win.h"
#include "support/Files.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

class ProfileTest : public testing::Test {
protected:
    void SetUp() override { Remove(); }
    void TearDown() override { Remove(); }
    void Remove() {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
    }
    void Given(const std::wstring& text) { test::WriteUtf16File(path, text); }

    const std::wstring path = test::DataFolder() + L"ProfileTest.ini";
    IniFile ini{path};
};

TEST_F(ProfileTest, JapaneseTextWrittenIntoANewFileReadsBackIntact) {
    ASSERT_FALSE(ini.Exists());
    const std::wstring text = L"スピーカー: 50% ネットワーク";
    ini.WriteString(L"DisableIconTipText", L"0", text);
    ini.WriteString(L"ShortCut", L"Text0", L"音量");

    EXPECT_EQ(ini.ReadString(L"DisableIconTipText", L"0", L""), text);
    EXPECT_EQ(IniFile(path).ReadString(L"ShortCut", L"Text0", L""), L"音量");
    const std::string bytes = test::ReadBytes(path);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
}

TEST_F(ProfileTest, ReadingAMissingFileGivesDefaultsAndCreatesNothing) {
    EXPECT_EQ(ini.ReadInteger(L"IconSize", L"Value", 64), 64);
    EXPECT_TRUE(ini.ReadBool(L"RightClickMinimize", L"Value", true));
    EXPECT_EQ(ini.ReadString(L"MainKey", L"Name", L"F4"), L"F4");
    EXPECT_FALSE(ini.ValueExists(L"MainKey", L"Name"));
    ini.DeleteKey(L"MainKey", L"Name");
    EXPECT_FALSE(ini.Exists());
}

struct ValueCase {
    const wchar_t* stored; // the line "Value=..." as found in the file, or null for none
    std::int32_t integer;  // ReadInteger with default 7
    bool boolean;          // ReadBool with default true
    const wchar_t* text;   // ReadString with default "dflt"
};

class ProfileValueTest : public ProfileTest, public testing::WithParamInterface<ValueCase> {};

TEST_P(ProfileValueTest, ReadsEachFormWithItsDefault) {
    const ValueCase& c = GetParam();
    Given(std::wstring(L"[Sec]\r\n") +
          (c.stored ? std::wstring(L"Value=") + c.stored + L"\r\n" : L""));
    EXPECT_EQ(ini.ReadInteger(L"Sec", L"Value", 7), c.integer);
    EXPECT_EQ(ini.ReadBool(L"Sec", L"Value", true), c.boolean);
    EXPECT_EQ(ini.ReadString(L"Sec", L"Value", L"dflt"), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ProfileValueTest,
    testing::Values(ValueCase{nullptr, 7, true, L"dflt"}, ValueCase{L"0", 0, false, L"0"},
                    ValueCase{L"1", 1, true, L"1"}, ValueCase{L"-3", -3, true, L"-3"},
                    ValueCase{L"abc", 7, true, L"abc"}, ValueCase{L"12abc", 7, true, L"12abc"},
                    ValueCase{L"", 7, true, L""},
                    ValueCase{L"99999999999", 7, true, L"99999999999"}));

TEST_F(ProfileTest, KeysAndSectionsMatchWithoutRegardToCase) {
    Given(L"[DisableIconTipText]\r\nValue=abc\r\n0=x\r\n[RightClickMinimize]\r\nValue=0\r\n");
    EXPECT_TRUE(ini.ValueExists(L"disableicontiptext", L"VALUE"));
    EXPECT_FALSE(ini.ValueExists(L"DisableIconTipText", L"1"));
    EXPECT_FALSE(ini.ValueExists(L"NoSuchSection", L"Value"));

    ini.DeleteKey(L"DisableIconTipText", L"Value");
    EXPECT_FALSE(ini.ValueExists(L"DisableIconTipText", L"Value"));
    EXPECT_TRUE(ini.ValueExists(L"DisableIconTipText", L"0"));

    ini.EraseSection(L"RightClickMinimize");
    EXPECT_TRUE(ini.ReadKeys(L"RightClickMinimize").empty());
    EXPECT_EQ(ini.ReadString(L"DisableIconTipText", L"0", L""), L"x");
}

TEST_F(ProfileTest, CountsAreBoundedByTheKeysOfTheirEntries) {
    Given(L"[ShortCut]\r\nCount=2147483647\r\nText0=a\r\nKey0=65\r\n"
          L"[DisableIconCount]\r\nValue=-4\r\n[DisableIconTipText]\r\n0=x\r\n"
          L"[Small]\r\nValue=3\r\n[SmallEntries]\r\n0=a\r\n1=b\r\n2=c\r\n3=d\r\n");
    EXPECT_EQ(ini.ReadCount(L"ShortCut", L"Count", L"ShortCut"), 3);
    EXPECT_EQ(ini.ReadCount(L"DisableIconCount", L"Value", L"DisableIconTipText"), 0);
    EXPECT_EQ(ini.ReadCount(L"Small", L"Value", L"SmallEntries"), 3);
}

TEST_F(ProfileTest, ARefusedWriteRaisesAndKeepsWhatWasWritten) {
    ini.WriteInteger(L"IconSize", L"Value", 48);
    {
        // Another program holds the file open without sharing it.
        HANDLE held = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        EXPECT_THROW(ini.WriteInteger(L"IconSize", L"Value", 32), ProfileWriteError);
        CloseHandle(held);
    }
    EXPECT_EQ(ini.ReadInteger(L"IconSize", L"Value", 0), 48);

    IniFile nowhere(test::DataFolder() + L"NoSuchFolder\\Config.ini");
    EXPECT_THROW(nowhere.WriteBool(L"ClickNoMinimize", L"Value", true), ProfileWriteError);
    EXPECT_FALSE(nowhere.Exists());
}

struct SizeCase {
    const char* name;
    size_t bytes;
    std::int32_t read; // IconSize as read, default 64
};

class ProfileSizeTest : public ProfileTest, public testing::WithParamInterface<SizeCase> {};

TEST_P(ProfileSizeTest, AFileLargerThanAMebibyteIsDamagedAndReadsAsDefaults) {
    const std::wstring head = L"[IconSize]\r\nValue=32\r\n;";
    Given(head + std::wstring((GetParam().bytes - 2 - 2 * head.size()) / 2, L'#'));
    ASSERT_EQ(test::ReadBytes(path).size(), GetParam().bytes);
    EXPECT_EQ(ini.ReadInteger(L"IconSize", L"Value", 64), GetParam().read);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ProfileSizeTest,
                         testing::Values(SizeCase{"OneMebibyte", 1 << 20, 32},
                                         SizeCase{"TwoBytesMore", (1 << 20) + 2, 64}),
                         [](const auto& info) { return info.param.name; });

TEST_F(ProfileTest, AnEditLeavesTheFileAsDirectWritesWouldAndNoCopyBehind) {
    const std::wstring direct = path + L".direct";
    for (const std::wstring& file : {path, direct})
        test::WriteUtf16File(file, L"[ShortCut]\r\nText1=x\r\n[IconSize]\r\nValue=32\r\n");
    const auto change = [](IniFile& file) {
        file.WriteString(L"ShortCut", L"Text0", L"音量");
        file.DeleteKey(L"ShortCut", L"Text1");
    };
    IniFile directly(direct);
    change(directly);
    IniEdit edit(ini);
    change(edit.File());
    edit.Commit();
    EXPECT_EQ(test::ReadBytes(path), test::ReadBytes(direct));
    EXPECT_FALSE(test::FileExists(path + L".tmp"));
    DeleteFileW(direct.c_str());
}

} // namespace
} // namespace orvane
