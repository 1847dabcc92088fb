#include "settings/LinkNames.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

struct CaseCase {
    const wchar_t* a;
    const wchar_t* b;
    bool same;
};

class SameIgnoringAsciiCaseTest : public testing::TestWithParam<CaseCase> {};

TEST_P(SameIgnoringAsciiCaseTest, OnlyLettersAToZAreFolded) {
    EXPECT_EQ(SameIgnoringAsciiCase(GetParam().a, GetParam().b), GetParam().same);
    EXPECT_EQ(SameIgnoringAsciiCase(GetParam().b, GetParam().a), GetParam().same);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, SameIgnoringAsciiCaseTest,
    testing::Values(CaseCase{L"C:\\Tools\\Orvane\\Orvane.exe", L"c:\\TOOLS\\orvane\\ORVANE.EXE",
                             true},
                    CaseCase{L"", L"", true}, CaseCase{L"C:\\a.exe", L"C:\\a.exe ", false},
                    CaseCase{L"C:\\Orvane.exe", L"", false},
                    CaseCase{L"C:\\Été\\o.exe", L"C:\\éTÉ\\O.EXE", false},
                    CaseCase{L"C:\\ａ\\o.exe", L"C:\\Ａ\\o.exe", false},
                    CaseCase{L"C:\\[x]\\o.exe", L"C:\\{x}\\o.exe", false},
                    CaseCase{L"D:\\ツール\\o.exe", L"d:\\ツール\\O.exe", true}));

TEST(LinkFilePathTest, ANamedLinkOrOneNamedAfterTheProgram) {
    EXPECT_EQ(LinkFilePath(L"C:\\Startup", L"C:\\Tools\\Orvane.exe", L"オルヴァーネ"),
              L"C:\\Startup\\オルヴァーネ.lnk");
    EXPECT_EQ(LinkFilePath(L"C:\\", L"C:\\Tools\\Orvane.exe", L"オルヴァーネ"),
              L"C:\\オルヴァーネ.lnk");
    EXPECT_EQ(LinkFilePath(L"C:\\Startup", L"C:\\Tools\\Orvane.exe", L""),
              L"C:\\Startup\\Orvane.exeへのショートカット.lnk");
}

TEST(FolderOfTest, KeepsTheTrailingSeparator) {
    EXPECT_EQ(FolderOf(L"C:\\Tools\\Orvane.exe"), L"C:\\Tools\\");
    EXPECT_EQ(FolderOf(L"C:\\Orvane.exe"), L"C:\\");
    EXPECT_EQ(FolderOf(L"Orvane.exe"), L"");
}

} // namespace
} // namespace orvane
