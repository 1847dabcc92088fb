#include "traysim/Owners.h"

#include "traysim/IconPicture.h"
#include "traysim/Owner.h"
#include "traysim/TraySim.h"

#include <algorithm>
#include <cwchar>
#include <memory>
#include <stdexcept>
#include <vector>

namespace traysim {
namespace {

constexpr const wchar_t* kOwnersClass = L"TraySimOwners";
constexpr DWORD kStartMs = 20000;
constexpr DWORD kEndMs = 5000;

struct Search {
    DWORD pid;
    HWND found;
};

HWND OwnersWindowOf(DWORD pid) {
    Search search{pid, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) {
            auto& s = *reinterpret_cast<Search*>(data);
            wchar_t name[32] = {};
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            if (pid != s.pid || !GetClassNameW(window, name, 32) || wcscmp(name, kOwnersClass))
                return TRUE;
            s.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class Owners final : public WindowHandler {
public:
    explicit Owners(const std::wstring& logPath)
        : log_(logPath), taskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated")) {
        RegisterWindowClasses();
        WindowSpec wanted;
        wanted.className = kOwnersClass;
        wanted.style = WS_POPUP;
        wanted.exStyle = WS_EX_TOOLWINDOW;
        window_.Reset(CreateSimWindow(wanted, this));
    }

    ~Owners() {
        for (const Icon& icon : icons_) Notify(NIM_DELETE, icon);
    }

    std::optional<LRESULT> Handle(HWND, UINT message, WPARAM, LPARAM lParam) override {
        if (message == taskbarCreated_) {
            for (const Icon& icon : icons_) Add(icon);
            return 0;
        }
        if (message == WM_CLOSE) {
            PostQuitMessage(0);
            return 0;
        }
        if (message != WM_COPYDATA || !lParam) return std::nullopt;
        const auto& data = *reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (data.dwData != kCommandCode || (data.cbData > 0 && !data.lpData)) return FALSE;
        return Run({static_cast<const wchar_t*>(data.lpData), data.cbData / sizeof(wchar_t)});
    }

private:
    struct Icon {
        IconSpec given;                     // the icon as its line describes it
        std::unique_ptr<OwnerWindow> owner; // null once owner=gone destroyed it
        orvane::platform::UniqueIcon picture;
    };

    BOOL Run(std::wstring_view line) {
        const Command command = ParseLine(line).command;
        const auto found = std::find_if(icons_.begin(), icons_.end(), [&](const Icon& icon) {
            return icon.given.id ==
                   (command.kind == Command::Kind::Icon ? command.icon.id : command.id);
        });
        switch (command.kind) {
        case Command::Kind::Icon: {
            if (found != icons_.end()) return FALSE;
            Icon icon;
            icon.given = command.icon;
            icon.owner = std::make_unique<OwnerWindow>(log_, taskbarCreated_);
            icon.picture = MakeIconPicture(icon.given.color, icon.given.tip);
            if (!Add(icon)) return FALSE;
            if (icon.given.ownerGone) icon.owner.reset();
            icons_.push_back(std::move(icon));
            return TRUE;
        }
        case Command::Kind::Remove:
            if (found == icons_.end()) return FALSE;
            Notify(NIM_DELETE, *found);
            icons_.erase(found);
            return TRUE;
        case Command::Kind::Clear:
            for (const Icon& icon : icons_) Notify(NIM_DELETE, icon);
            icons_.clear();
            return TRUE;
        default:
            return FALSE;
        }
    }

    bool Add(const Icon& icon) const {
        if (!Notify(NIM_ADD, icon)) return false;
        return icon.given.version == 0 || Notify(NIM_SETVERSION, icon);
    }

    static bool Notify(DWORD code, const Icon& icon) {
        if (!icon.owner) return false; // a program that is gone calls nothing
        NOTIFYICONDATAW data{};
        data.cbSize = sizeof data;
        data.hWnd = icon.owner->Window();
        data.uID = icon.given.id;
        data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        data.uCallbackMessage = icon.given.message;
        data.hIcon = icon.picture.Get();
        wcsncpy(data.szTip, icon.given.tip.c_str(), std::size(data.szTip) - 1);
        data.uVersion = icon.given.version;
        return Shell_NotifyIconW(code, &data) != FALSE;
    }

    OwnerLogFile log_;
    UINT taskbarCreated_;
    UniqueWindow window_;
    std::vector<Icon> icons_;
};

} // namespace

OwnersProcess::OwnersProcess(const std::wstring& program, const std::wstring& logPath) {
    std::wstring line = L"\"" + program + L"\" --owners " + std::to_wstring(GetCurrentProcessId());
    if (!logPath.empty()) line += L" --log \"" + logPath + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
        throw std::runtime_error("cannot start the owner process");
    }
    CloseHandle(started.hThread);
    process_.Reset(started.hProcess);
    const DWORD start = GetTickCount();
    while (!(window_ = OwnersWindowOf(started.dwProcessId))) {
        if (WaitForSingleObject(process_.Get(), 10) != WAIT_TIMEOUT ||
            GetTickCount() - start > kStartMs) {
            TerminateProcess(process_.Get(), 1);
            throw std::runtime_error("the owner process did not come up");
        }
    }
}

OwnersProcess::~OwnersProcess() {
    PostMessageW(window_, WM_CLOSE, 0, 0);
    const HANDLE process = process_.Get();
    const DWORD start = GetTickCount();
    for (DWORD spent = 0; spent < kEndMs; spent = GetTickCount() - start) {
        if (MsgWaitForMultipleObjects(1, &process, FALSE, kEndMs - spent, QS_SENDMESSAGE) !=
            WAIT_OBJECT_0 + 1) {
            break;
        }
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) TerminateProcess(process, 1);
}

bool OwnersProcess::Send(std::wstring_view line) const {
    return SendCommand(line, window_);
}

int RunOwners(DWORD parentPid, const std::wstring& logPath) {
    const orvane::platform::UniqueHandle parent(OpenProcess(SYNCHRONIZE, FALSE, parentPid));
    if (!parent) return 1;
    Owners owners(logPath);
    const HANDLE waited = parent.Get();
    for (;;) {
        if (MsgWaitForMultipleObjects(1, &waited, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0)
            return 0;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) return 0;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

} // namespace traysim
