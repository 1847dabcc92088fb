#include "traysim/TraySim.h"

#include "traysim/CopyDataLog.h"
#include "traysim/IconPicture.h"
#include "traysim/NotifyData.h"
#include "traysim/Owner.h"
#include "traysim/Owners.h"
#include "traysim/Shell.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>

namespace traysim {
namespace {

using orvane::platform::UniqueFont;
using orvane::platform::UniqueIcon;

// The shell's per-button data, as readers of the tray copy it.
struct ButtonRecord {
    std::uint64_t owner;
    std::uint32_t id;
    std::uint32_t callbackMessage;
    std::uint64_t unused;
    std::uint64_t icon;
};
static_assert(sizeof(ButtonRecord) == 32);

constexpr UINT kCloseHidden = WM_APP + 1;
constexpr COLORREF kBarColour = RGB(0x20, 0x2A, 0x3A);

enum NotifyCode : ULONG_PTR { kAdd = 0, kModify = 1, kDelete = 2, kSetFocus = 3, kSetVersion = 4 };

// The data of a junk button: in the lowest 64 KiB, which no process can map.
constexpr DWORD_PTR kJunkAddress = 0x1230;

struct Button {
    Area area = Area::Tray;
    std::optional<IconSpec> scenarioIcon; // scenario and command icons; they survive a restart
    std::unique_ptr<OwnerWindow> ownerWindow;
    HWND owner = nullptr;
    UINT id = 0;
    UINT message = 0;
    std::wstring tip;
    UniqueIcon icon;
    int command = 0;
    ButtonRecord record{};
};

std::string Narrow(std::wstring_view text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(std::max(size, 0)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), narrow.data(), size,
                        nullptr, nullptr);
    return narrow;
}

Scenario Parsed(std::wstring_view text) {
    ScenarioResult result = ParseScenario(text);
    if (!result.error.empty()) throw std::invalid_argument(Narrow(result.error));
    return std::move(result.scenario);
}

bool IsMouseMessage(UINT message) {
    return message >= WM_MOUSEFIRST && message <= WM_MBUTTONDBLCLK;
}

bool IsButtonUp(UINT message) {
    return message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP;
}

// The window and all below it get WM_COMMAND, WM_CTLCOLOR* and WM_NOTIFY naming `own`,
// which claims to be a control of Orvane's toolkit, and naming junk.
void Poke(HWND target, HWND own) {
    constexpr wchar_t claim[] = L"Orvane.Control";
    SetPropW(own, claim, reinterpret_cast<HANDLE>(kJunkAddress));
    std::vector<HWND> windows{target};
    EnumChildWindows(
        target,
        [](HWND child, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    NMHDR header{own, 1, static_cast<UINT>(NM_CLICK)};
    for (HWND window : windows) {
        const auto send = [window](UINT message, WPARAM wParam, LPARAM lParam) {
            DWORD_PTR answer = 0;
            SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 1000, &answer);
        };
        for (const LPARAM from : {reinterpret_cast<LPARAM>(own), LPARAM{kJunkAddress}}) {
            send(WM_COMMAND, MAKEWPARAM(1, BN_CLICKED), from);
            for (UINT message = WM_CTLCOLORMSGBOX; message <= WM_CTLCOLORSTATIC; ++message)
                send(message, kJunkAddress, from);
        }
        send(WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&header));
        send(WM_NOTIFY, 1, kJunkAddress);
    }
    RemovePropW(own, claim);
}

std::wstring CurrentTime() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t text[8];
    wsprintfW(text, L"%u:%02u", now.wHour, now.wMinute);
    return text;
}

} // namespace

class Tray::Impl final : public WindowHandler {
public:
    Impl(const Scenario& scenario, const TrayOptions& options, std::function<void()>& onClose)
        : layout_(scenario.layout), monitor_(scenario.monitor),
          taskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated")),
          log_(Win11() ? std::wstring() : options.log), onClose_(onClose) {
        if (!options.copyData.empty()) {
            const HANDLE file = CreateFileW(options.copyData.c_str(), GENERIC_WRITE,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                            nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file == INVALID_HANDLE_VALUE)
                throw std::runtime_error("cannot create the copy-data record");
            copyData_.Reset(file);
        }
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
        InitCommonControlsEx(&controls);
        RegisterWindowClasses();
        barBrush_.Reset(CreateSolidBrush(kBarColour));
        font_.Reset(CreateFontW(-15, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                                DEFAULT_PITCH, L"IPAGothic"));
        if (!Win11()) {
            for (const IconSpec& scenarioIcon : scenario.icons)
                buttons_.push_back(MakeIcon(scenarioIcon));
        }
        Build(!Win11());
        if (Win11()) {
            if (!options.ownersProgram.empty())
                owners_ = std::make_unique<OwnersProcess>(options.ownersProgram, options.log);
            for (const IconSpec& icon : scenario.icons) {
                if (!owners_ || !owners_->Send(FormatIconLine(icon)))
                    throw std::runtime_error("the owner process did not add an icon");
            }
            shell_->Announce();
        }
    }

    ~Impl() {
        owners_.reset();
        shell_.reset();
    }

    const Shell& Windows() const { return *shell_; }
    const std::vector<OwnerMessage>& Log() const { return log_.Entries(); }

    std::vector<IconInfo> Icons() const {
        std::vector<IconInfo> icons;
        if (Win11()) {
            for (const auto& button : buttons_) {
                icons.push_back({button->area, nullptr, 0, button->owner, button->id,
                                 button->message, button->icon.Get(), button->tip});
            }
        }
        for (const ToolbarControl* toolbar : shell_->Toolbars()) {
            std::map<int, int> seen; // buttons may share a command
            for (const int command : toolbar->Commands()) {
                const Button* button = ByCommand(command, toolbar, seen[command]++);
                if (!button) continue;
                icons.push_back({button->area, toolbar->Window(), command, button->owner,
                                 button->id, button->message,
                                 reinterpret_cast<HICON>(button->record.icon), button->tip});
            }
        }
        return icons;
    }

    bool RunCommand(std::wstring_view line, std::wstring& error) {
        const LineResult parsed = ParseLine(line);
        error = parsed.error;
        if (!error.empty()) return false;
        const Command& command = parsed.command;
        switch (command.kind) {
        case Command::Kind::None:
            error = L"empty command";
            return false;
        case Command::Kind::Layout:
            error = L"the layout cannot change at run time";
            return false;
        case Command::Kind::Monitor:
            error = L"the monitor cannot change at run time";
            return false;
        case Command::Kind::Icon:
            error = IconRefused(layout_, command.icon);
            if (!error.empty()) return false;
            if (Win11()) return ToOwners(line, error);
            if (BySpecId(command.icon.id)) {
                error = L"id " + std::to_wstring(command.icon.id) + L" is in use";
                return false;
            }
            buttons_.push_back(MakeIcon(command.icon));
            Show(*buttons_.back());
            Arrange();
            return true;
        case Command::Kind::Remove:
            if (Win11()) return ToOwners(line, error);
            if (Button* button = BySpecId(command.id)) {
                Remove(*button);
                return true;
            }
            error = L"no icon with id " + std::to_wstring(command.id);
            return false;
        case Command::Kind::Clear:
            if (Win11()) return ToOwners(line, error);
            while (!buttons_.empty()) Remove(*buttons_.back());
            return true;
        case Command::Kind::Restart:
            Restart();
            return true;
        case Command::Kind::Poke:
            Poke(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(command.id)),
                 shell_->taskbar.Get());
            return true;
        }
        return false;
    }

    std::optional<LRESULT> Handle(HWND window, UINT message, WPARAM wParam,
                                  LPARAM lParam) override {
        if (!shell_) return std::nullopt;
        switch (message) {
        case WM_COPYDATA:
            if (window != shell_->taskbar.Get() || !lParam) break;
            return OnCopyData(*reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        case WM_CLOSE:
            if (window == shell_->taskbar.Get()) {
                if (onClose_) onClose_();
                return 0;
            }
            if (window == shell_->overflow.Get()) {
                SetHiddenShown(false);
                return 0;
            }
            break;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_ERASEBKGND: {
            if (window == shell_->overflow.Get()) break;
            RECT client;
            GetClientRect(window, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, barBrush_.Get());
            return 1;
        }
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED &&
                reinterpret_cast<HWND>(lParam) == shell_->showButton) {
                SetHiddenShown(!hiddenShown_);
                return 0;
            }
            break;
        case WM_NOTIFY: {
            if (InSendMessage()) break; // only our own toolbars' notifications carry pointers
            const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
            const ToolbarControl* toolbar = shell_->Toolbar(header.hwndFrom);
            if (!toolbar || header.code != NM_CUSTOMDRAW) break;
            return toolbar->CustomDraw(*reinterpret_cast<const NMTBCUSTOMDRAW*>(lParam));
        }
        case kCloseHidden:
            SetHiddenShown(false);
            return 0;
        case WM_TIMER:
            if (window != shell_->clock) break;
            UpdateClock();
            return 0;
        case WM_PAINT:
            if (window == shell_->bridge) {
                PaintBridge();
                return 0;
            }
            if (window == shell_->clock || window == shell_->indicator) {
                PaintText(window);
                return 0;
            }
            break;
        }
        return std::nullopt;
    }

private:
    bool Win11() const { return layout_ == Layout::Win11; }

    bool ToOwners(std::wstring_view line, std::wstring& error) {
        if (owners_ && owners_->Send(line)) return true;
        error = owners_ ? L"the owners refused it" : L"there is no owner process";
        return false;
    }

    std::unique_ptr<Button> MakeIcon(const IconSpec& scenarioIcon) {
        auto button = std::make_unique<Button>();
        button->area = scenarioIcon.area;
        button->scenarioIcon = scenarioIcon;
        button->ownerWindow = std::make_unique<OwnerWindow>(log_, taskbarCreated_);
        button->owner = button->ownerWindow->Window();
        button->id = scenarioIcon.id;
        button->message = scenarioIcon.message;
        button->tip = scenarioIcon.tip;
        button->icon = MakeIconPicture(scenarioIcon.color, scenarioIcon.tip);
        return button;
    }

    void Build(bool announce = true) {
        shell_ = std::make_unique<Shell>(layout_, MonitorRect(monitor_), *this, font_.Get());
        for (ToolbarControl* toolbar : shell_->Toolbars()) {
            SetWindowSubclass(toolbar->Window(), ToolbarProc, 0, reinterpret_cast<DWORD_PTR>(this));
        }
        SendMessageW(shell_->clock, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(CurrentTime().c_str()));
        SetTimer(shell_->clock, 1, 1000, nullptr);
        for (const auto& button : buttons_) Show(*button);
        Arrange();
        shell_->Publish();
        if (announce) shell_->Announce();
    }

    void Restart() {
        std::erase_if(buttons_, [](const auto& button) { return !button->scenarioIcon; });
        shell_.reset();
        hiddenShown_ = false;
        Build();
        PostMessageW(HWND_BROADCAST, taskbarCreated_, 0, 0);
    }

    void Show(Button& button) {
        button.command = nextCommand_++;
        if (button.scenarioIcon && button.scenarioIcon->command)
            button.command = static_cast<int>(*button.scenarioIcon->command);
        const bool noIcon = button.scenarioIcon && button.scenarioIcon->noIcon;
        button.record = {reinterpret_cast<std::uintptr_t>(button.owner), button.id, button.message,
                         0, noIcon ? 0 : reinterpret_cast<std::uintptr_t>(button.icon.Get())};
        DWORD_PTR data = reinterpret_cast<DWORD_PTR>(&button.record);
        const DataFault fault = button.scenarioIcon ? button.scenarioIcon->data : DataFault::None;
        if (fault == DataFault::Zero) data = 0;
        if (fault == DataFault::Junk) data = kJunkAddress;
        if (Win11()) return;
        const bool hidden =
            button.area == Area::Overflow && layout_ == Layout::Vista && !hiddenShown_;
        shell_->ToolbarFor(button.area)
            ->Add(button.command, data, button.tip, button.icon.Get(), hidden);
        if (button.scenarioIcon && button.scenarioIcon->ownerGone) button.ownerWindow.reset();
    }

    void Remove(Button& button) {
        if (ToolbarControl* toolbar = shell_->ToolbarFor(button.area))
            toolbar->Remove(button.command);
        std::erase_if(buttons_, [&](const auto& entry) { return entry.get() == &button; });
        Arrange();
    }

    void Arrange() {
        const auto hidden = std::count_if(buttons_.begin(), buttons_.end(), [](const auto& button) {
            return button->area == Area::Overflow;
        });
        if (hidden == 0) hiddenShown_ = false;
        shell_->Arrange({static_cast<int>(hidden), hiddenShown_},
                        static_cast<int>(buttons_.size()));
    }

    // The show button opens the overflow window, or on Vista unhides the hidden buttons.
    void SetHiddenShown(bool shown) {
        if (shown == hiddenShown_) return;
        hiddenShown_ = shown;
        if (layout_ == Layout::Vista) {
            for (const auto& button : buttons_) {
                if (button->area == Area::Overflow)
                    shell_->main->SetHidden(button->command, !shown);
            }
        }
        Arrange();
    }

    LRESULT OnCopyData(const COPYDATASTRUCT& data) {
        if (data.cbData > 0 && !data.lpData) return FALSE;
        if (copyData_) {
            const std::string line = FormatCopyData(data.dwData, data.lpData, data.cbData);
            DWORD written = 0;
            WriteFile(copyData_.Get(), line.data(), static_cast<DWORD>(line.size()), &written,
                      nullptr);
        }
        if (data.dwData == kCommandCode) {
            std::wstring_view line(static_cast<const wchar_t*>(data.lpData),
                                   data.cbData / sizeof(wchar_t));
            line = line.substr(0, line.find(L'\0'));
            while (!line.empty() && (line.back() == L'\n' || line.back() == L'\r'))
                line.remove_suffix(1);
            if (line.find_first_of(L"\r\n") != std::wstring_view::npos) return FALSE;
            std::wstring error;
            return RunCommand(line, error) ? TRUE : FALSE;
        }
        const auto record = DecodeNotifyData(data.dwData, data.lpData, data.cbData);
        return record && OnNotify(data.dwData, *record) ? TRUE : FALSE;
    }

    bool OnNotify(ULONG_PTR code, const NotifyData& record) {
        // Wine cuts the handle to 32 bits; window handles survive the sign extension.
        const HWND owner = reinterpret_cast<HWND>(static_cast<std::intptr_t>(record.window));
        Button* button = ByOwner(owner, record.id);
        switch (code) {
        case kAdd: {
            if (button || !(shell_->main || Win11())) return false;
            auto added = std::make_unique<Button>();
            added->owner = owner;
            added->id = record.id;
            if (!Apply(*added, record)) return false;
            buttons_.push_back(std::move(added));
            Show(*buttons_.back());
            Arrange();
            return true;
        }
        case kModify: {
            if (!button) return false;
            const HICON before = button->icon.Get();
            if (!Apply(*button, record)) return false;
            button->record.callbackMessage = button->message;
            button->record.icon = reinterpret_cast<std::uintptr_t>(button->icon.Get());
            ToolbarControl* toolbar = shell_->ToolbarFor(button->area);
            if (!toolbar) {
                Arrange();
                return true;
            }
            if (record.flags & kFlagTip) toolbar->SetTip(button->command, button->tip);
            if (button->icon.Get() != before) toolbar->SetIcon(button->command, button->icon.Get());
            return true;
        }
        case kDelete:
            if (!button) return false;
            Remove(*button);
            return true;
        case kSetFocus:
        case kSetVersion:
            return button != nullptr;
        default:
            return false;
        }
    }

    // Takes the flagged fields; false, with the button unchanged, when the icon is refused.
    static bool Apply(Button& button, const NotifyData& record) {
        if (record.flags & kFlagIcon) {
            UniqueIcon icon;
            if (record.icon) {
                icon = MakeIconFromBits(*record.icon);
                if (!icon) return false;
            }
            button.icon = std::move(icon);
        }
        if (record.flags & kFlagMessage) button.message = record.callbackMessage;
        if (record.flags & kFlagTip) button.tip = record.tip;
        return true;
    }

    static LRESULT CALLBACK ToolbarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR self) {
        if (message == WM_NCDESTROY) {
            RemoveWindowSubclass(window, ToolbarProc, 0);
        } else if (message == TB_GETBUTTONINFOW && lParam &&
                   InSendMessageEx(nullptr) != ISMEX_NOSEND) {
            const InfoFault fault = reinterpret_cast<Impl*>(self)->InfoFaultOf(
                window, wParam, *reinterpret_cast<const TBBUTTONINFOW*>(lParam));
            if (fault == InfoFault::Fail) return -1;
            if (fault == InfoFault::Stall) Sleep(kStallMs);
        } else if (IsMouseMessage(message)) {
            reinterpret_cast<Impl*>(self)->ForwardMouse(window, message, lParam);
        }
        return DefSubclassProc(window, message, wParam, lParam);
    }

    void ForwardMouse(HWND window, UINT message, LPARAM lParam) noexcept {
        const ToolbarControl* toolbar = shell_ ? shell_->Toolbar(window) : nullptr;
        if (!toolbar) return;
        const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        const Button* button = ByCommand(toolbar->CommandAt(point));
        if (!button) return;
        const DataFault fault = button->scenarioIcon ? button->scenarioIcon->data : DataFault::None;
        if (fault == DataFault::None)
            PostMessageW(button->owner, button->message, button->id, message);
        const bool inHidden = button->area == Area::Overflow;
        if (inHidden && IsButtonUp(message)) PostMessageW(shell_->notify, kCloseHidden, 0, 0);
    }

    // Layout win11's icons, small and side by side, as they reached the taskbar.
    void PaintBridge() {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(shell_->bridge, &paint);
        int x = (kBridgeCell - kBridgeIcon) / 2;
        RECT client;
        GetClientRect(shell_->bridge, &client);
        const int y = (client.bottom - kBridgeIcon) / 2;
        for (const auto& button : buttons_) {
            if (button->icon)
                DrawIconEx(dc, x, y, button->icon.Get(), kBridgeIcon, kBridgeIcon, 0, nullptr,
                           DI_NORMAL);
            x += kBridgeCell;
        }
        EndPaint(shell_->bridge, &paint);
    }

    void UpdateClock() {
        const std::wstring now = CurrentTime();
        wchar_t shown[16] = {};
        GetWindowTextW(shell_->clock, shown, 16);
        if (now == shown) return;
        SetWindowTextW(shell_->clock, now.c_str());
        InvalidateRect(shell_->clock, nullptr, TRUE);
    }

    void PaintText(HWND window) {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(window, &paint);
        wchar_t text[16] = {};
        GetWindowTextW(window, text, 16);
        RECT client;
        GetClientRect(window, &client);
        {
            const orvane::platform::Selected font(dc, font_.Get());
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, RGB(255, 255, 255));
            DrawTextW(dc, text, -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
        EndPaint(window, &paint);
    }

    Button* ByCommand(int command) const {
        for (const auto& button : buttons_) {
            if (command != 0 && button->command == command) return button.get();
        }
        return nullptr;
    }

    // The nth button of this toolbar with this command, in the order they were added.
    Button* ByCommand(int command, const ToolbarControl* toolbar, int nth) const {
        for (const auto& button : buttons_) {
            if (button->command == command && shell_->ToolbarFor(button->area) == toolbar &&
                nth-- == 0) {
                return button.get();
            }
        }
        return nullptr;
    }

    InfoFault InfoFaultOf(HWND window, WPARAM wParam, const TBBUTTONINFOW& info) const {
        const LRESULT index = (info.dwMask & TBIF_BYINDEX)
                                  ? static_cast<LRESULT>(wParam)
                                  : DefSubclassProc(window, TB_COMMANDTOINDEX, wParam, 0);
        TBBUTTON data{};
        if (index < 0 || !DefSubclassProc(window, TB_GETBUTTON, static_cast<WPARAM>(index),
                                          reinterpret_cast<LPARAM>(&data))) {
            return InfoFault::None;
        }
        for (const auto& button : buttons_) {
            if (button->scenarioIcon && data.dwData == reinterpret_cast<DWORD_PTR>(&button->record))
                return button->scenarioIcon->info;
        }
        return InfoFault::None;
    }

    Button* BySpecId(std::uint32_t id) const {
        for (const auto& button : buttons_) {
            if (button->scenarioIcon && button->scenarioIcon->id == id) return button.get();
        }
        return nullptr;
    }

    Button* ByOwner(HWND owner, UINT id) const {
        for (const auto& button : buttons_) {
            if (!button->scenarioIcon && button->owner == owner && button->id == id)
                return button.get();
        }
        return nullptr;
    }

    Layout layout_;
    TaskbarMonitor monitor_;
    UINT taskbarCreated_;
    OwnerLogFile log_;
    std::function<void()>& onClose_;
    UniqueFont font_;
    orvane::platform::UniqueBrush barBrush_;
    std::vector<std::unique_ptr<Button>> buttons_;
    int nextCommand_ = 100;
    bool hiddenShown_ = false;
    std::unique_ptr<Shell> shell_;
    std::unique_ptr<OwnersProcess> owners_;
    orvane::platform::UniqueHandle copyData_;
};

Tray::Tray(std::wstring_view scenarioText, const std::wstring& logPath)
    : Tray(Parsed(scenarioText), TrayOptions{logPath, {}, {}}) {}

Tray::Tray(const Scenario& scenario, const std::wstring& logPath)
    : Tray(scenario, TrayOptions{logPath, {}, {}}) {}

Tray::Tray(std::wstring_view scenarioText, const TrayOptions& options)
    : Tray(Parsed(scenarioText), options) {}

Tray::Tray(const Scenario& scenario, const TrayOptions& options)
    : impl_(std::make_unique<Impl>(scenario, options, OnClose)) {}

Tray::~Tray() = default;

HWND Tray::Taskbar() const {
    return impl_->Windows().taskbar.Get();
}
HWND Tray::TrayNotify() const {
    return impl_->Windows().notify;
}
HWND Tray::Clock() const {
    return impl_->Windows().clock;
}
HWND Tray::InputIndicator() const {
    return impl_->Windows().indicator;
}
HWND Tray::ShowButton() const {
    return impl_->Windows().showButton;
}
HWND Tray::Pager() const {
    return impl_->Windows().pager;
}
HWND Tray::OverflowWindow() const {
    return impl_->Windows().overflow.Get();
}
HWND Tray::SystemPager() const {
    return impl_->Windows().systemPager;
}
HWND Tray::Bridge() const {
    return impl_->Windows().bridge;
}

HWND Tray::MainToolbar() const {
    const auto& toolbar = impl_->Windows().main;
    return toolbar ? toolbar->Window() : nullptr;
}

HWND Tray::OverflowToolbar() const {
    const auto& toolbar = impl_->Windows().overflowBar;
    return toolbar ? toolbar->Window() : nullptr;
}

HWND Tray::SystemToolbar() const {
    const auto& toolbar = impl_->Windows().system;
    return toolbar ? toolbar->Window() : nullptr;
}

std::vector<IconInfo> Tray::Icons() const {
    return impl_->Icons();
}
const std::vector<OwnerMessage>& Tray::Log() const {
    return impl_->Log();
}

bool Tray::RunCommand(std::wstring_view line, std::wstring* error) {
    std::wstring reason;
    const bool done = impl_->RunCommand(line, reason);
    if (error) *error = reason;
    return done;
}

} // namespace traysim
