#include "platform/ComPtr.h"
#include "platform/Module.h"
#include "settings/LinkNames.h"
#include "settings/SettingsFixture.h"

#include <shlobj.h>

namespace orvane {
namespace {

using platform::ComPtr;

std::wstring StartupFolder() {
    wchar_t folder[MAX_PATH] = {};
    SHGetSpecialFolderPathW(nullptr, folder, CSIDL_STARTUP, FALSE);
    return std::wstring(folder) + L"\\";
}

std::vector<std::wstring> LinksInStartup() {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW entry{};
    const HANDLE search = FindFirstFileW((StartupFolder() + L"*.lnk").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.push_back(entry.cFileName);
    while (FindNextFileW(search, &entry));
    FindClose(search);
    return names;
}

// A link made the way a user or another program makes one.
void MakeLink(const std::wstring& name, const std::wstring& target) {
    ComPtr<IShellLinkW> link;
    ASSERT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                               reinterpret_cast<void**>(link.Put())),
              S_OK);
    link->SetPath(target.c_str());
    const ComPtr<IPersistFile> file = link.As<IPersistFile>(IID_IPersistFile);
    ASSERT_EQ(file->Save((StartupFolder() + name).c_str(), TRUE), S_OK);
}

struct LinkInfo {
    std::wstring target, directory;
};

LinkInfo ReadLink(const std::wstring& path) {
    ComPtr<IShellLinkW> link;
    CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                     reinterpret_cast<void**>(link.Put()));
    const ComPtr<IPersistFile> file = link.As<IPersistFile>(IID_IPersistFile);
    if (!file || FAILED(file->Load(path.c_str(), STGM_READ))) return {};
    wchar_t target[MAX_PATH] = {}, directory[MAX_PATH] = {};
    link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
    link->GetWorkingDirectory(directory, MAX_PATH);
    return {target, directory};
}

std::wstring WithOtherCase(std::wstring path) {
    for (wchar_t& c : path) {
        if (c >= L'a' && c <= L'z')
            c = static_cast<wchar_t>(c - L'a' + L'A');
        else if (c >= L'A' && c <= L'Z')
            c = static_cast<wchar_t>(c - L'A' + L'a');
    }
    return path;
}

class StartUpShortCutTest : public test::SettingsTest {
protected:
    void SetUp() override {
        SettingsTest::SetUp();
        RemoveLinks();
    }
    void TearDown() override {
        SettingsTest::TearDown();
        RemoveLinks();
    }
    static void RemoveLinks() {
        for (const std::wstring& name : LinksInStartup()) {
            const std::wstring path = StartupFolder() + name;
            if (!DeleteFileW(path.c_str())) RemoveDirectoryW(path.c_str());
        }
    }
    void ClickStartUp() { SendMessageW(Settings().BtnStartUp.Handle(), BM_CLICK, 0, 0); }

    const std::wstring program = platform::ExecutablePath();
    const std::wstring ourLink = StartupFolder() + L"オルヴァーネ.lnk";
};

TEST_F(StartUpShortCutTest, RegisteringWritesTheLinkWithTheProgramFolderAsWorkingDirectory) {
    Start();
    EXPECT_EQ(Settings().BtnStartUp.Text(), L"スタートアップに登録");
    EXPECT_EQ(Main().ALinkFilePath, L"");
    ClickStartUp();
    EXPECT_EQ(dialogs.Texts(),
              std::vector<std::wstring>{L"「オルヴァーネ」をスタートアップに登録しました。"});
    EXPECT_EQ(Settings().BtnStartUp.Text(), L"スタートアップから削除");
    EXPECT_TRUE(Main().CreateShortCutOK);
    EXPECT_EQ(Main().ALinkFilePath, ourLink);
    EXPECT_EQ(LinksInStartup(), std::vector<std::wstring>{L"オルヴァーネ.lnk"});
    const LinkInfo link = ReadLink(ourLink);
    EXPECT_TRUE(SameIgnoringAsciiCase(link.target, program)) << "target";
    EXPECT_TRUE(SameIgnoringAsciiCase(link.directory, test::TestFolder())) << "directory";

    // The next start finds it.
    Start();
    EXPECT_EQ(Settings().BtnStartUp.Text(), L"スタートアップから削除");
    EXPECT_EQ(Main().ALinkFilePath, ourLink);
}

TEST_F(StartUpShortCutTest, AUsersOwnLinkToTheProgramIsFoundWhateverItsNameAndCase) {
    MakeLink(L"a note.lnk", L"C:\\windows\\notepad.exe");
    MakeLink(L"My start.lnk", WithOtherCase(program));
    test::WriteBytes(StartupFolder() + L"broken.lnk", "not a link at all");
    Start();
    EXPECT_EQ(Settings().BtnStartUp.Text(), L"スタートアップから削除");
    EXPECT_EQ(Main().ALinkFilePath, StartupFolder() + L"My start.lnk");

    ClickStartUp();
    EXPECT_EQ(dialogs.Texts(),
              std::vector<std::wstring>{L"「オルヴァーネ」をスタートアップから削除しました。"});
    EXPECT_EQ(Settings().BtnStartUp.Text(), L"スタートアップに登録");
    EXPECT_EQ(LinksInStartup(), (std::vector<std::wstring>{L"a note.lnk", L"broken.lnk"}));
    // The path stays until the next registration.
    EXPECT_EQ(Main().ALinkFilePath, StartupFolder() + L"My start.lnk");
}

TEST_F(StartUpShortCutTest, OnlyALinkToThisVeryProgramCounts) {
    Start();
    EXPECT_EQ(Main().FindFileShortCutLink(program, StartupFolder()), L"");
    MakeLink(L"other.lnk", program + L"x");
    EXPECT_EQ(Main().FindFileShortCutLink(program, StartupFolder()), L"");
    MakeLink(L"same.lnk", program);
    EXPECT_EQ(Main().FindFileShortCutLink(WithOtherCase(program), StartupFolder()),
              StartupFolder() + L"same.lnk");
    EXPECT_EQ(Main().FindFileShortCutLink(program, L""), L"");
}

TEST_F(StartUpShortCutTest, RemovingAndRegisteringAgainInTheSameWindowWorks) {
    MakeLink(L"オルヴァーネ.lnk", L"C:\\windows\\notepad.exe");
    Start();
    // A link of our name to something else is no registration, and is replaced.
    EXPECT_EQ(Settings().BtnStartUp.Text(), L"スタートアップに登録");
    ClickStartUp();
    ClickStartUp();
    ClickStartUp();
    EXPECT_EQ(dialogs.Texts(),
              (std::vector<std::wstring>{L"「オルヴァーネ」をスタートアップに登録しました。",
                                         L"「オルヴァーネ」をスタートアップから削除しました。",
                                         L"「オルヴァーネ」をスタートアップに登録しました。"}));
    EXPECT_EQ(Settings().BtnStartUp.Text(), L"スタートアップから削除");
    EXPECT_TRUE(SameIgnoringAsciiCase(ReadLink(ourLink).target, program));
}

TEST_F(StartUpShortCutTest, FailuresKeepTheCaptionAndSaySo) {
    // A folder of the link's name cannot be replaced by the link.
    ASSERT_TRUE(CreateDirectoryW(ourLink.c_str(), nullptr));
    Start();
    ClickStartUp();
    EXPECT_FALSE(Main().CreateShortCutOK);
    EXPECT_EQ(Settings().BtnStartUp.Text(), L"スタートアップに登録");
    RemoveDirectoryW(ourLink.c_str());

    MakeLink(L"mine.lnk", program);
    Start();
    ASSERT_EQ(Settings().BtnStartUp.Text(), L"スタートアップから削除");
    DeleteFileW((StartupFolder() + L"mine.lnk").c_str());
    ClickStartUp();
    EXPECT_EQ(Settings().BtnStartUp.Text(), L"スタートアップから削除");
    EXPECT_EQ(dialogs.Texts(), (std::vector<std::wstring>{
                                   L"「オルヴァーネ」をスタートアップに登録できませんでした。",
                                   L"「オルヴァーネ」をスタートアップから削除できませんでした。"}));
}

} // namespace
} // namespace orvane
