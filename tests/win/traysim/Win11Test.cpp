// Layout win11: an owner process's icons reach the bar through Shell_NotifyIconW.
#include "Helpers.h"
#include "support/Files.h"
#include "support/Process.h"
#include "traysim/CopyDataLog.h"
#include "traysim/NotifyData.h"
#include "traysim/TraySim.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using traysim::CopyDataEntry;

bool PumpUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 500 && !done(); ++i) simtest::PumpMessages(10);
    return done();
}

// dwData and the icon's identifier of every notification recorded.
std::vector<std::pair<std::uint64_t, std::uint32_t>> Notifications(const std::wstring& path) {
    const auto entries = traysim::ParseCopyDataLog(orvane::test::ReadBytes(path));
    EXPECT_TRUE(entries);
    std::vector<std::pair<std::uint64_t, std::uint32_t>> seen;
    for (const CopyDataEntry& entry : entries.value_or(std::vector<CopyDataEntry>{})) {
        const auto data =
            traysim::DecodeNotifyData(entry.code, entry.bytes.data(), entry.bytes.size());
        seen.emplace_back(entry.code, data ? data->id : 0xFFFFFFFF);
    }
    return seen;
}

std::vector<std::wstring> Tips(const traysim::Tray& tray) {
    std::vector<std::wstring> tips;
    for (const auto& icon : tray.Icons()) tips.push_back(icon.tip);
    return tips;
}

TEST(Win11, OwnerProcessAddsThroughShellNotifyIconAndAgainAfterARestart) {
    const std::wstring log = orvane::test::TestFolder() + L"win11-owners.log";
    const std::wstring record = orvane::test::TestFolder() + L"win11-copydata.log";
    auto tray = std::make_unique<traysim::Tray>(
        L"layout win11\n"
        L"icon tray id=1 msg=0x8001 color=#2F80ED version=4 tip=音量: 50%\n"
        L"icon tray id=2 msg=0x8002 color=#27AE60 tip=ネットワーク\n"
        L"icon tray id=9 owner=gone tip=gone\n",
        traysim::TrayOptions{log, record, orvane::test::TraySimPath()});
    EXPECT_EQ(tray->MainToolbar(), nullptr);
    EXPECT_EQ(FindWindowExW(tray->Taskbar(), nullptr,
                            L"Windows.UI.Composition.DesktopWindowContentBridge", nullptr),
              tray->Bridge());
    EXPECT_NE(tray->Bridge(), nullptr);

    const auto icons = tray->Icons();
    ASSERT_EQ(icons.size(), 3u);
    DWORD ownerPid = 0;
    GetWindowThreadProcessId(icons[0].owner, &ownerPid);
    EXPECT_NE(ownerPid, GetCurrentProcessId()) << "added by the owner process";
    EXPECT_EQ(icons[0].id, 1u);
    EXPECT_EQ(icons[0].callbackMessage, 0x8001u);
    EXPECT_EQ(Tips(*tray), (std::vector<std::wstring>{L"音量: 50%", L"ネットワーク", L"gone"}));
    EXPECT_FALSE(IsWindow(icons[2].owner)) << "its program is gone, its icon stays";
    EXPECT_EQ(simtest::IconPixel(icons[1].icon, 32, 16, 2), RGB(0x27, 0xAE, 0x60))
        << "the owner's picture arrived";

    const auto entries = traysim::ParseCopyDataLog(orvane::test::ReadBytes(record));
    ASSERT_TRUE(entries);
    ASSERT_EQ(entries->size(), 4u) << "add, set version 4, add, add";
    const auto added = traysim::DecodeNotifyData((*entries)[0].code, (*entries)[0].bytes.data(),
                                                 (*entries)[0].bytes.size());
    const auto version = traysim::DecodeNotifyData((*entries)[1].code, (*entries)[1].bytes.data(),
                                                   (*entries)[1].bytes.size());
    ASSERT_TRUE(added && version);
    EXPECT_EQ((*entries)[0].code, 0u);
    EXPECT_EQ(simtest::AsWindow(static_cast<std::uint32_t>(added->window)), icons[0].owner);
    EXPECT_EQ(added->tip, L"音量: 50%");
    EXPECT_TRUE(added->icon);
    EXPECT_EQ((*entries)[1].code, 4u);
    EXPECT_EQ(version->version, 4u);

    PostMessageW(icons[1].owner, 0x8002, 2, WM_LBUTTONUP);
    std::string written;
    EXPECT_TRUE(PumpUntil([&] { return !(written = orvane::test::ReadBytes(log)).empty(); }));
    EXPECT_EQ(written, traysim::FormatOwnerMessage(
                           {0x8002, 2, WM_LBUTTONUP, simtest::Handle(icons[1].owner)}));

    std::wstring error;
    EXPECT_FALSE(tray->RunCommand(L"icon tray id=3 cmd=5", &error));
    EXPECT_EQ(error, L"cmd= shapes a toolbar button, which layout win11 has not");
    ASSERT_TRUE(tray->RunCommand(L"icon tray id=3 color=#C0392B tip=three"));
    EXPECT_FALSE(tray->RunCommand(L"icon tray id=3")) << "the owners have that id";
    ASSERT_TRUE(tray->RunCommand(L"remove id=2"));
    EXPECT_EQ(Tips(*tray), (std::vector<std::wstring>{L"音量: 50%", L"gone", L"three"}));

    ASSERT_TRUE(tray->RunCommand(L"restart"));
    EXPECT_TRUE(tray->Icons().empty());
    EXPECT_TRUE(PumpUntil([&] { return tray->Icons().size() == 2; })) << "live owners add again";
    EXPECT_EQ(Tips(*tray), (std::vector<std::wstring>{L"音量: 50%", L"three"}));
    EXPECT_EQ(tray->Icons()[0].owner, icons[0].owner);

    const orvane::platform::UniqueHandle owners(OpenProcess(SYNCHRONIZE, FALSE, ownerPid));
    tray.reset();
    EXPECT_EQ(WaitForSingleObject(owners.Get(), 5000), WAIT_OBJECT_0);
    const auto seen = Notifications(record);
    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ(std::vector(seen.end() - 2, seen.end()),
              (std::vector<std::pair<std::uint64_t, std::uint32_t>>{{2, 1}, {2, 3}}))
        << "the owners deleted their icons as the tray ended";
    DeleteFileW(log.c_str());
    DeleteFileW(record.c_str());
}

} // namespace
