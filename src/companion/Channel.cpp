#include "companion/Protocol.h"
#include "companion/Timer2Rest.h"
#include "core/DozedeR64Form.h"
#include "core/WindowHelpers.h"
#include "platform/HookLibrary.h"
#include "platform/Shell.h"
#include "platform/TaskbarList.h"
#include "platform/Text.h"
#include "platform/ui/Application.h"
#include "resources/Texts.h"

#include <cwchar>
#include <memory>

namespace orvane {
namespace {

// The hook library's message name; anything longer is not one.
constexpr std::size_t HookMessageNameLimit = 255;

} // namespace

void TDozedeR64Form::Start_Kestrin() {
    const std::wstring path = Folda + L"Data\\Kestrin.exe";
    const INT_PTR result = platform::Use<platform::Shell>().Execute(
        Handle(), L"open", path, IsStart ? SW_MINIMIZE : SW_SHOWNORMAL);
    KestrinWnd = nullptr;
    if (result > 32) {
        ui::App().ProcessMessagesFor(500);
        for (int t = 0; t < 11 && !KestrinWnd; ++t) {
            ui::App().ProcessMessagesFor(200);
            KestrinWnd = FindWindowW(protocol::CompanionClass, nullptr);
        }
    }
    if (!KestrinWnd && !IsStart) ui::ShowMessage(texts::KestrinStartFailed);
}

void TDozedeR64Form::MenuAddTaskTrayIconClick() {
    KestrinWnd = FindWindowW(protocol::CompanionClass, nullptr);
    if (!KestrinWnd) {
        Start_Kestrin();
        return;
    }
    const HWND companion = KestrinWnd;
    SendBounded(companion, WM_SYSCOMMAND, SC_RESTORE, 0);
    ForceForeground(companion);
    WindowPosTop(companion);
}

void TDozedeR64Form::SendToCompanion(const wchar_t* text) {
    KestrinWnd = FindWindowW(protocol::CompanionClass, nullptr);
    const HWND channel = KestrinWnd ? GetDlgItem(KestrinWnd, protocol::CompanionChannel) : nullptr;
    if (!channel) return;
    struct Delivery {
        HWND channel;
        const wchar_t* text;
    };
    // Sent from a pool thread: the text is a constant that outlives the send.
    auto* delivery = new Delivery{channel, text};
    const auto deliver = [](PTP_CALLBACK_INSTANCE, void* context) {
        const std::unique_ptr<Delivery> owned(static_cast<Delivery*>(context));
        SendBounded(owned->channel, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(owned->text));
    };
    if (!TrySubmitThreadpoolCallback(deliver, delivery, nullptr)) delete delivery;
}

void TDozedeR64Form::EditReceveMsgChange() {
    if (Creating) return;
    if (EditReceveMsg.Text() == protocol::SetTaskTrayEnd) {
        CompanionWait.SetEnabled(false);
        EditReceveMsg.SetText(L"");
        if (KestrinItemCount > 0 && KestrinBeforeStart) {
            for (std::int32_t i = 0; i < KestrinItemCount; ++i)
                if (ItemAt(i) && ItemAt(i)->Bit == 64) ShowItemIcon(i);
        }
        ui::App().ProcessMessages();
        StartSelfMinimized = false;
        SetWindowState(ui::WindowState::Normal);
        Show();
        if (KestrinItemCount > 0) StartHook();
    }
    if (EditReceveMsg.Text() == protocol::Changed) {
        EditReceveMsg.SetText(L"");
        // The companion tells of each of its saves: a burst of them is read once.
        if (!ReloadPosted) ReloadPosted = PostMessageW(Handle(), ReloadWaiting, 0, 0) != FALSE;
    }
}

void TDozedeR64Form::CompanionWaitTimer() {
    CompanionWait.SetEnabled(false);
    // As if the companion had told of its start.
    if (StartSelfMinimized) EditReceveMsg.SetText(protocol::SetTaskTrayEnd);
}

void TDozedeR64Form::ReloadKestrinItems() {
    const std::vector<TKestrinItem> old = KestrinItem;
    const std::int32_t oldCount = std::min<std::int32_t>(KestrinItemCount, std::ssize(old));
    ReadKestrinItems();
    if (oldCount > 0) {
        for (TKestrinItem& item : KestrinItem) {
            for (std::int32_t j = 0; j < oldCount; ++j) {
                const TKestrinItem& previous = old[static_cast<size_t>(j)];
                if (platform::Lowered(previous.FileName) != platform::Lowered(item.FileName))
                    continue;
                item.WndHandle = previous.WndHandle;
                item.IsRunning = previous.IsRunning;
                item.PID = previous.PID;
                item.WndText = previous.WndText;
                break;
            }
        }
    }
    for (std::int32_t j = 0; j < oldCount && j < std::ssize(NID); ++j) {
        if (old[static_cast<size_t>(j)].Bit != 64 || NID[static_cast<size_t>(j)].cbSize == 0)
            continue;
        const Timer2Rest rest(*this);
        DeleteItemRecord(j);
    }
    NID.resize(static_cast<size_t>(KestrinItemCount), NOTIFYICONDATAW{});
    NIDIcon.resize(NID.size());
    for (std::int32_t i = 0; i < KestrinItemCount; ++i) {
        if (!ItemAt(i) || ItemAt(i)->Bit != 64) continue;
        if (KestrinBeforeStart) {
            ShowItemIcon(i);
        } else if (ItemAt(i)->IsRunning) {
            AdoptWindow(i, ItemAt(i)->WndHandle, static_cast<DWORD>(ItemAt(i)->PID),
                        ItemAt(i)->WndText);
        }
        if (ItemAt(i) && ItemAt(i)->IsRunning && ItemAt(i)->IsShowOnTaskBar)
            GiveTaskButtonBack(ItemAt(i)->WndHandle);
    }
    if (KestrinItemCount > 0 && !HookModule) StartHook();
}

void TDozedeR64Form::StartHook() {
    platform::HookLibrary& library = platform::Use<platform::HookLibrary>();
    if (!HookModule) HookModule = library.Load();
    // The relay window, and with it the other programs' reports, live on the listener.
    const HWND receiver = Handle();
    ListenerThread().Run([&] { library.StartCBTHook(receiver); });
    const wchar_t* name = library.GetHookMsgString();
    HookMessageName.assign(name ? name : L"", name ? wcsnlen(name, HookMessageNameLimit + 1) : 0);
    if (HookMessageName.size() > HookMessageNameLimit) HookMessageName.clear();
    HookMessageId =
        HookMessageName.empty()
            ? 0
            : static_cast<std::uint16_t>(RegisterWindowMessageW(HookMessageName.c_str()));
}

void TDozedeR64Form::ReleaseHookLibrary() {
    if (!HookModule) return;
    platform::HookLibrary& library = platform::Use<platform::HookLibrary>();
    ListenerThread().Run([&] { library.StopCBTHook(); });
    library.Free(std::exchange(HookModule, nullptr));
}

} // namespace orvane
