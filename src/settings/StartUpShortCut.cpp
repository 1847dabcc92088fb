#include "platform/ComPtr.h"
#include "platform/Handles.h"
#include "platform/Module.h"
#include "platform/ui/Application.h"
#include "resources/Texts.h"
#include "settings/Form3.h"
#include "settings/LinkNames.h"

#include <optional>

#include <shlobj.h>

namespace orvane {
namespace {

using platform::ComPtr;

struct FindTraits {
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) { FindClose(h); }
};

// A shell folder's path through its item list, which the shell's allocator frees.
std::optional<std::wstring> ShellFolderPath(int nFolder) {
    ComPtr<IMalloc> allocator;
    if (FAILED(SHGetMalloc(allocator.Put()))) return std::nullopt;
    LPITEMIDLIST items = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, nFolder, &items)) || !items) return std::nullopt;
    wchar_t path[MAX_PATH] = {};
    const BOOL found = SHGetPathFromIDListW(items, path);
    allocator->Free(items);
    if (!found) return std::nullopt;
    return std::wstring(path);
}

ComPtr<IShellLinkW> NewShellLink() {
    ComPtr<IShellLinkW> link;
    CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                     reinterpret_cast<void**>(link.Put()));
    return link;
}

} // namespace

std::wstring TDozedeR64Form::GetFolderPath(int nFolder) {
    return ShellFolderPath(nFolder).value_or(std::wstring());
}

std::wstring TDozedeR64Form::GetLinkPathName(const std::wstring& LinkFilePath) {
    const ComPtr<IShellLinkW> link = NewShellLink();
    const ComPtr<IPersistFile> file = link.As<IPersistFile>(IID_IPersistFile);
    if (!file || FAILED(file->Load(LinkFilePath.c_str(), STGM_READ))) return {};
    wchar_t target[MAX_PATH] = {};
    WIN32_FIND_DATAW data{};
    if (FAILED(link->GetPath(target, MAX_PATH, &data, SLGP_UNCPRIORITY))) return {};
    return target;
}

std::wstring TDozedeR64Form::FindFileShortCutLink(const std::wstring& FindPath,
                                                  const std::wstring& SearchFolder) {
    if (SearchFolder.empty()) return {};
    std::wstring folder = SearchFolder;
    if (folder.back() != L'\\') folder += L'\\';
    WIN32_FIND_DATAW entry{};
    const platform::Owned<FindTraits> search(FindFirstFileW((folder + L"*.LNK").c_str(), &entry));
    if (!search) return {};
    do {
        const std::wstring path = folder + entry.cFileName;
        if (SameIgnoringAsciiCase(FindPath, GetLinkPathName(path))) return path;
    } while (FindNextFileW(search.Get(), &entry));
    return {};
}

void TDozedeR64Form::CreateShortCutLink(const std::wstring& szFileName,
                                        const std::wstring& swFileName, int nFolder) {
    CreateShortCutOK = false;
    const ComPtr<IShellLinkW> link = NewShellLink();
    const ComPtr<IPersistFile> file = link.As<IPersistFile>(IID_IPersistFile);
    if (!file) return;
    const std::optional<std::wstring> folder = ShellFolderPath(nFolder);
    if (!folder) return;
    link->SetPath(szFileName.c_str());
    link->SetWorkingDirectory(FolderOf(szFileName).c_str());
    const std::wstring path = LinkFilePath(*folder, szFileName, swFileName);
    if (file->Save(path.c_str(), FALSE) == S_OK) {
        ALinkFilePath = path;
        CreateShortCutOK = true;
    }
}

void TForm3::ShowStartUpState() {
    const std::wstring folder = Main.GetFolderPath(CSIDL_STARTUP);
    Main.ALinkFilePath = Main.FindFileShortCutLink(platform::ExecutablePath(), folder);
    BtnStartUp.SetText(Main.ALinkFilePath.empty() ? texts::StartUpRegister : texts::StartUpRemove);
}

void TForm3::BtnStartUpClick() {
    if (BtnStartUp.Text() == texts::StartUpRegister) {
        Main.CreateShortCutLink(platform::ExecutablePath(), texts::StartUpLinkName, CSIDL_STARTUP);
        if (Main.CreateShortCutOK) {
            ui::ShowMessage(texts::StartUpRegistered);
            BtnStartUp.SetText(texts::StartUpRemove);
        } else {
            ui::ShowMessage(texts::StartUpRegisterFailed);
        }
    } else if (DeleteFileW(Main.ALinkFilePath.c_str())) {
        ui::ShowMessage(texts::StartUpRemoved);
        BtnStartUp.SetText(texts::StartUpRegister);
    } else {
        ui::ShowMessage(texts::StartUpRemoveFailed);
    }
}

} // namespace orvane
