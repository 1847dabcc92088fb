#include "core/DozedeR64Form.h"
#include "support/Files.h"
#include "support/Process.h"
#include "support/StandIns.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

// Run in a copy of this program for which Wine reports another Windows version; the exit
// code carries the flags.
TEST(DISABLED_VersionProbe, ReportsTheFlags) {
    test::DialogRecorder dialogs;
    TDozedeR64Form form;
    ExitProcess(8 + (form.IsVista ? 1 : 0) + (form.IsWin7 ? 2 : 0) + (form.IsWin8 ? 4 : 0));
}

struct VersionCase {
    const char* name;
    const wchar_t* wineVersion;
    DWORD flags; // 1 IsVista, 2 IsWin7, 4 IsWin8
};

class VersionFlagsTest : public testing::TestWithParam<VersionCase> {};

TEST_P(VersionFlagsTest, FollowTheWindowsVersionReported) {
    const std::wstring name = std::wstring(L"orvane_version_") + GetParam().wineVersion + L".exe";
    const std::wstring copy = test::TestFolder() + name;
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    ASSERT_TRUE(CopyFileW(self, copy.c_str(), FALSE));
    const std::wstring key = L"Software\\Wine\\AppDefaults\\" + name;
    ASSERT_EQ(
        RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"Version", REG_SZ, GetParam().wineVersion,
                        static_cast<DWORD>((wcslen(GetParam().wineVersion) + 1) * sizeof(wchar_t))),
        ERROR_SUCCESS);

    DWORD code = 0;
    {
        test::ChildProcess probe(
            test::Quoted(copy) +
            L" --gtest_also_run_disabled_tests --gtest_filter=DISABLED_VersionProbe.*");
        EXPECT_TRUE(probe.WaitExit(30000, &code));
    }
    RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
    DeleteFileW(copy.c_str());
    EXPECT_EQ(code, 8 + GetParam().flags);
}

INSTANTIATE_TEST_SUITE_P(Wine, VersionFlagsTest,
                         testing::Values(VersionCase{"Vista", L"vista", 1},
                                         VersionCase{"Win7", L"win7", 2},
                                         VersionCase{"Win10", L"win10", 4},
                                         VersionCase{"WinXP", L"winxp64", 0}),
                         [](const auto& info) { return info.param.name; });

} // namespace
} // namespace orvane
