#include "tray/Collector.h"

#include "platform/Shell.h"
#include "tray/NotifyMessage.h"

#include <shlwapi.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace orvane {
namespace {

constexpr wchar_t TaskbarClass[] = L"Shell_TrayWnd";
constexpr wchar_t NotifyClass[] = L"TrayNotifyWnd";
constexpr UINT_PTR FrontTimer = 1;
constexpr UINT FrontInterval = 100;
// A shell that has stopped answering costs each message at most this.
constexpr UINT ForwardTimeout = 1000;
// What waits for a shell that does not answer; beyond it, the oldest blocks are dropped.
constexpr std::size_t MaxQueuedBytes = 16u << 20;
// Explorer on Windows 11 restarts in a loop when this one is sent back to it.
constexpr UINT PostedOnly = WM_USER + 372;
// Blocks larger than any sound icon message are passed on without being read.
constexpr DWORD MaxReadBytes = 4u << 20;
// The part of a shared app bar block that is carried over to the shell's copy and back.
constexpr SIZE_T AppBarSharedBytes = 64;

HWND CollectorWindow = nullptr; // for IsOwnBroadcast; written on the listener thread only

// The classes are the shell's names; where this process has them already (a tray of its own
// in a test) those are used, and the window's procedure is replaced after its creation.
bool RegisterPlainClass(const wchar_t* name) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(GetModuleHandleW(nullptr), name, &existing)) return false;
    WNDCLASSEXW plain{};
    plain.cbSize = sizeof plain;
    plain.lpfnWndProc = DefWindowProcW;
    plain.hInstance = GetModuleHandleW(nullptr);
    plain.lpszClassName = name;
    return RegisterClassExW(&plain) != 0;
}

HICON PictureOf(const NotifyRecord& record) {
    if (record.iconBits) {
        const IconBits& bits = *record.iconBits;
        const std::vector<std::uint8_t> mask = PaddedRows(bits.mask, bits.width, bits.height, 1);
        const std::vector<std::uint8_t> colour =
            PaddedRows(bits.colour, bits.width, bits.height, bits.planes * bits.bitsPerPixel);
        return CreateIcon(nullptr, static_cast<int>(bits.width), static_cast<int>(bits.height),
                          static_cast<BYTE>(bits.planes), static_cast<BYTE>(bits.bitsPerPixel),
                          mask.data(), colour.data());
    }
    // The caller may destroy its icon as soon as its call returns.
    return record.icon ? CopyIcon(reinterpret_cast<HICON>(static_cast<std::intptr_t>(record.icon)))
                       : nullptr;
}

} // namespace

ShellRelay::ShellRelay() : thread_([this] { Run(); }) {}

ShellRelay::~ShellRelay() {
    {
        const std::lock_guard<std::mutex> held(lock_);
        ending_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void ShellRelay::Send(HWND shell, WPARAM wParam, ULONG_PTR code, std::vector<std::uint8_t> bytes) {
    {
        const std::lock_guard<std::mutex> held(lock_);
        queuedBytes_ += bytes.size();
        blocks_.push_back({shell, wParam, code, std::move(bytes)});
        while (queuedBytes_ > MaxQueuedBytes && blocks_.size() > 1) {
            queuedBytes_ -= blocks_.front().bytes.size();
            blocks_.pop_front();
        }
    }
    wake_.notify_one();
}

void ShellRelay::Run() {
    for (;;) {
        Block block;
        {
            std::unique_lock<std::mutex> held(lock_);
            wake_.wait(held, [this] { return ending_ || !blocks_.empty(); });
            if (blocks_.empty()) return;
            block = std::move(blocks_.front());
            blocks_.pop_front();
            queuedBytes_ -= block.bytes.size();
        }
        COPYDATASTRUCT data{block.code, static_cast<DWORD>(block.bytes.size()), block.bytes.data()};
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(block.shell, WM_COPYDATA, block.wParam, reinterpret_cast<LPARAM>(&data),
                            SMTO_ABORTIFHUNG, ForwardTimeout, &answer);
    }
}

Collector::Collector()
    : taskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated")),
      ownsTaskbarClass_(RegisterPlainClass(TaskbarClass)),
      ownsNotifyClass_(RegisterPlainClass(NotifyClass)) {
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, TaskbarClass, L"", WS_POPUP, 0, 0,
                              0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window_) {
        UnregisterClasses();
        throw std::runtime_error("the collector's window was not made");
    }
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc));
    SetPropW(window_, platform::CollectorMark, reinterpret_cast<HANDLE>(1));
    CreateWindowExW(0, NotifyClass, L"", WS_CHILD, 0, 0, 0, 0, window_, nullptr,
                    GetModuleHandleW(nullptr), nullptr);
    CollectorWindow = window_;
    KeepInFront();
    SetTimer(window_, FrontTimer, FrontInterval, nullptr);
    Broadcast();
}

Collector::~Collector() {
    KillTimer(window_, FrontTimer);
    RemovePropW(window_, L"TaskbandHWND");
    RemovePropW(window_, platform::CollectorMark);
    DestroyWindow(window_);
    CollectorWindow = nullptr;
    UnregisterClasses();
    // Every program adds its icons to the shell itself again.
    PostMessageW(HWND_BROADCAST, taskbarCreated_, 0, 0);
}

void Collector::UnregisterClasses() {
    if (ownsNotifyClass_) UnregisterClassW(NotifyClass, GetModuleHandleW(nullptr));
    if (ownsTaskbarClass_) UnregisterClassW(TaskbarClass, GetModuleHandleW(nullptr));
}

bool Collector::IsOwnBroadcast(WPARAM wParam) {
    return wParam && reinterpret_cast<HWND>(wParam) == CollectorWindow;
}

void Collector::Broadcast() {
    // Running programs add their icons again: now they reach the collector first.
    PostMessageW(HWND_BROADCAST, taskbarCreated_, reinterpret_cast<WPARAM>(window_), 0);
}

void Collector::KeepInFront() {
    const HWND shell = platform::FindShellTaskbar();
    if (shell && shell != shell_) {
        shell_ = shell;
        RECT rect{};
        GetWindowRect(shell, &rect);
        SetWindowPos(window_, nullptr, rect.left, rect.top, rect.right - rect.left,
                     rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
        // The taskbar-list object and programs' progress bars look for it on the taskbar.
        if (const HANDLE band = GetPropW(shell, L"TaskbandHWND"))
            SetPropW(window_, L"TaskbandHWND", band);
    }
    if (FindWindowW(TaskbarClass, nullptr) != window_) {
        SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    }
}

Collector::Key Collector::KeyOf(std::uint64_t window, std::uint32_t id,
                                const std::optional<Guid>& guid) {
    return guid ? Key{0, 0, *guid} : Key{window, id, Guid{}};
}

std::vector<CollectedIcon> Collector::Icons() {
    const std::lock_guard<std::mutex> held(lock_);
    table_.Prune([](std::uint64_t window) {
        return IsWindow(reinterpret_cast<HWND>(static_cast<std::intptr_t>(window))) != FALSE;
    });
    std::map<Key, std::shared_ptr<platform::UniqueIcon>> kept;
    for (const IconEntry& entry : table_.Entries()) {
        const Key key = KeyOf(entry.window, entry.id, entry.guid);
        if (auto found = pictures_.find(key); found != pictures_.end()) kept.insert(*found);
    }
    pictures_ = std::move(kept);
    std::vector<CollectedIcon> icons;
    for (const IconEntry& entry : table_.Visible()) {
        CollectedIcon& icon = icons.emplace_back();
        icon.window = reinterpret_cast<HWND>(static_cast<std::intptr_t>(entry.window));
        icon.id = entry.id;
        icon.callbackMessage = entry.callbackMessage;
        icon.tip = entry.tip;
        icon.version = entry.version;
        if (auto found = pictures_.find(KeyOf(entry.window, entry.id, entry.guid));
            found != pictures_.end())
            icon.picture = found->second;
    }
    return icons;
}

void Collector::SetCells(std::vector<CollectedCell> cells) {
    const std::lock_guard<std::mutex> held(lock_);
    cells_ = std::move(cells);
}

LRESULT CALLBACK Collector::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Collector*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self || window != self->window_) return DefWindowProcW(window, message, wParam, lParam);
    // Nothing crosses the window procedure, and the listener shows no message: what failed
    // gets the default answer.
    try {
        return self->Handle(message, wParam, lParam);
    } catch (...) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT Collector::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == FrontTimer) {
        KeepInFront();
        return 0;
    }
    if (message == taskbarCreated_) {
        // The shell restarted: in front of its new taskbar, and the programs add again.
        if (!IsOwnBroadcast(wParam)) {
            shell_ = nullptr;
            KeepInFront();
            Broadcast();
        }
        return 0;
    }
    if (message == WM_COPYDATA && lParam)
        return OnCopyData(wParam, *reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    if (message == PostedOnly) {
        if (shell_) PostMessageW(shell_, message, wParam, lParam);
        return 0;
    }
    if (message == WM_COPYDATA || message == WM_COMMAND || message == WM_ACTIVATEAPP ||
        message >= WM_USER)
        return Forward(message, wParam, lParam);
    return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT Collector::Forward(UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR answer = 0;
    if (!shell_ || !SendMessageTimeoutW(shell_, message, wParam, lParam, SMTO_ABORTIFHUNG,
                                        ForwardTimeout, &answer))
        return 0;
    return static_cast<LRESULT>(answer);
}

LRESULT Collector::ForwardCopy(WPARAM wParam, const COPYDATASTRUCT& data) {
    return Forward(WM_COPYDATA, wParam, reinterpret_cast<LPARAM>(&data));
}

LRESULT Collector::OnCopyData(WPARAM wParam, const COPYDATASTRUCT& data) {
    if (data.cbData > MaxReadBytes || (data.cbData && !data.lpData))
        return ForwardCopy(wParam, data);
    // Wine's icon messages use the codes of the others as dwData: the sizes tell them apart.
    const std::optional<NotifyMessage> notify =
        ParseNotifyCopyData(data.dwData, data.lpData, data.cbData);
    if (!notify && data.dwData == AppBarCopyData) return OnAppBar(wParam, data);
    if (!notify && data.dwData == IconRectCopyData) {
        if (const std::optional<LRESULT> answer = IconRect(data)) return *answer;
        return ForwardCopy(wParam, data);
    }
    if (!notify) return ForwardCopy(wParam, data);
    bool verdict = false;
    {
        const std::lock_guard<std::mutex> held(lock_);
        verdict = table_.Apply(*notify);
        if (verdict) TakePicture(*notify);
    }
    // The program has its answer at once; the shell gets a copy of the same block, so that
    // a slow shell costs the program nothing.
    if (shell_) {
        const auto* bytes = static_cast<const std::uint8_t*>(data.lpData);
        relay_.Send(shell_, wParam, data.dwData, {bytes, bytes + data.cbData});
    }
    return verdict ? TRUE : FALSE;
}

void Collector::TakePicture(const NotifyMessage& message) {
    const NotifyRecord& record = message.record;
    const Key key = KeyOf(record.window, record.id, record.guid);
    if (message.code == NimDelete) {
        pictures_.erase(key);
        return;
    }
    if (!(record.flags & NifIcon)) return;
    if (HICON picture = PictureOf(record))
        pictures_[key] = std::make_shared<platform::UniqueIcon>(picture);
    else
        pictures_.erase(key);
}

std::optional<LRESULT> Collector::IconRect(const COPYDATASTRUCT& data) {
    const std::optional<IconRectRequest> request =
        ParseIconRectRequest(data.dwData, data.lpData, data.cbData);
    if (!request || request->guid) return std::nullopt;
    const std::lock_guard<std::mutex> held(lock_);
    for (const CollectedCell& cell : cells_) {
        if (reinterpret_cast<std::uintptr_t>(cell.window) !=
                static_cast<std::uintptr_t>(request->window) ||
            cell.id != request->id)
            continue;
        return static_cast<LRESULT>(IconRectAnswer(request->request, cell.rect.left, cell.rect.top,
                                                   cell.rect.right, cell.rect.bottom));
    }
    return std::nullopt;
}

LRESULT Collector::OnAppBar(WPARAM wParam, const COPYDATASTRUCT& data) {
    const std::optional<AppBarMessage> message =
        ParseAppBarMessage(data.dwData, data.lpData, data.cbData);
    if (!message || !message->sharedMemory || !shell_) return ForwardCopy(wParam, data);
    // The caller made its shared block for the process of the first taskbar, this one: the
    // shell gets a block of its own, and its answer is copied back.
    DWORD shellProcess = 0;
    GetWindowThreadProcessId(shell_, &shellProcess);
    const auto callerBlock =
        reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(message->sharedMemory));
    void* caller = SHLockShared(callerBlock, GetCurrentProcessId());
    if (!caller) return ForwardCopy(wParam, data);
    MEMORY_BASIC_INFORMATION region{};
    SIZE_T size = 0;
    if (VirtualQuery(caller, &region, sizeof region)) {
        const auto end = reinterpret_cast<std::uintptr_t>(region.BaseAddress) + region.RegionSize;
        size = std::min<SIZE_T>(AppBarSharedBytes, end - reinterpret_cast<std::uintptr_t>(caller));
    }
    LRESULT answer = 0;
    const HANDLE shellBlock = SHAllocShared(caller, static_cast<DWORD>(size), shellProcess);
    const std::optional<std::vector<std::uint8_t>> rehomed = RehomedAppBarMessage(
        data.lpData, data.cbData, reinterpret_cast<std::uintptr_t>(shellBlock), shellProcess);
    if (shellBlock && rehomed) {
        const COPYDATASTRUCT copy{data.dwData, static_cast<DWORD>(rehomed->size()),
                                  const_cast<std::uint8_t*>(rehomed->data())};
        answer = ForwardCopy(wParam, copy);
        if (void* shellCopy = SHLockShared(shellBlock, shellProcess)) {
            std::memcpy(caller, shellCopy, size);
            SHUnlockShared(shellCopy);
        }
    } else {
        answer = ForwardCopy(wParam, data);
    }
    if (shellBlock) SHFreeShared(shellBlock, shellProcess);
    SHUnlockShared(caller);
    return answer;
}

} // namespace orvane
