#include "companion/Protocol.h"
#include "core/DozedeR64Form.h"
#include "core/VersionFlags.h"
#include "keyboard/ShortCutMainKeys.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Module.h"
#include "platform/Monitor.h"
#include "platform/ScopedFlag.h"
#include "platform/Shell.h"
#include "platform/ui/Application.h"
#include "resources/Texts.h"

#include <shlobj.h>

namespace orvane {
namespace {

std::wstring ExecutableFolder() {
    const std::wstring path = platform::ExecutablePath();
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

bool DirectoryExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

bool TDozedeR64Form::Is64BitWindows() {
    using IsWow64Process = BOOL(WINAPI*)(HANDLE, PBOOL);
    const FARPROC found = GetProcAddress(GetModuleHandleW(L"Kernel32.dll"), "IsWow64Process");
    if (found) {
        BOOL wow64 = FALSE;
        reinterpret_cast<IsWow64Process>(reinterpret_cast<void*>(found))(GetCurrentProcess(),
                                                                         &wow64);
        return true;
    }
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExW(&version);
    return version.dwMajorVersion > 5 ||
           (version.dwMajorVersion == 5 && version.dwMinorVersion >= 2);
}

void TDozedeR64Form::ApplicationException(std::exception_ptr) {
    // Discarded: the operation in which it arose simply stops.
}

void TDozedeR64Form::FormCreate() {
    const platform::ScopedFlag creating(Creating);
    if (!Is64BitWindows()) {
        platform::Use<platform::Dialogs>().ShowMessageBox(Handle(), texts::Not64BitWindows,
                                                          texts::AppTitle, MB_ICONINFORMATION);
        ui::App().Terminate();
        return;
    }

    Folda = ExecutableFolder();

    wchar_t documents[261] = {};
    SHGetSpecialFolderPathW(Handle(), documents, CSIDL_PERSONAL, FALSE);
    DataFolda = std::wstring(documents) + L"\\Kelmora\\OrvaneData";
    if (!DirectoryExists(DataFolda)) SHCreateDirectoryExW(nullptr, DataFolda.c_str(), nullptr);
    DataFolda += L'\\';

    ui::App().OnException = [this](std::exception_ptr error) { ApplicationException(error); };

    // A step that fails ends only itself: the window must still count its first showing as
    // a restore and time out.
    ui::Guarded([this] {
        // At logon the program may start before the shell.
        ui::App().ProcessMessagesUntil(platform::Now(), INFINITE, [] {
            return platform::Use<platform::Shell>().FindTaskbar() != nullptr;
        });

        OSVERSIONINFOW version{};
        version.dwOSVersionInfoSize = 276;
        GetVersionExW(&version);
        const VersionFlags flags = VersionFlagsOf(version.dwMajorVersion, version.dwMinorVersion);
        IsVista = flags.IsVista;
        IsWin7 = flags.IsWin7;
        IsWin8 = flags.IsWin8;

        // The companion finds the edit by this identifier.
        EditReceveMsg.SetControlId(protocol::OrvaneChannel);

        IsStart = true;

        if (ConfigFile().Exists()) {
            ReadConfig();
            if (ShortCutConfigCount > 0 && IsHotKeyChoice(ShortCutConfig[0].MainKeyNo))
                StartHotKey();
        } else {
            ApplyDefaultConfig();
        }

        // Before the companion's icons are added: on the collector's road they pass it.
        ApplyTrayRoad();
        LoadKestrinItems();
        // The window waits for the companion's start, which may be told while it starts.
        StartSelfMinimized = KestrinItemCount > 0 && KestrinBeforeStart;
        if (KestrinItemCount > 0) Start_Kestrin();

        StartKeyHook();
    });

    FormMinimized = true;

    // Without the companion's window nobody would ever end the wait for it.
    if (!KestrinWnd) StartSelfMinimized = false;
    if (StartSelfMinimized) {
        SetWindowState(ui::WindowState::Minimized);
        // A companion that never tells of its start, such as one that ran before this program,
        // is not waited for beyond this.
        CompanionWait.SetEnabled(true);
    }

    Timer1.SetEnabled(true);
    if (!EditReceveMsg.Text().empty()) PostMessageW(Handle(), CompanionTextWaiting, 0, 0);
}

} // namespace orvane
