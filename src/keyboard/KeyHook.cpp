#include "keyboard/KeyHook.h"
#include "core/DozedeR64Form.h"
#include "core/WindowHelpers.h"
#include "keyboard/KeyRules.h"
#include "platform/Clock.h"
#include "platform/Input.h"
#include "platform/ScopedFlag.h"
#include "platform/ui/Application.h"
#include "resources/Texts.h"
#include "settings/Form3.h"

#include <atomic>

namespace orvane {
namespace {

// One hook per process, on the listener thread, reporting to the main window.
HHOOK KeyHookHandle = nullptr;
KeyPresses Presses;
std::atomic<HWND> KeyHookTarget{nullptr};
// GetTickCount of the hook's last call, read by the main thread.
std::atomic<DWORD> KeyHookCalled{0};

LRESULT CALLBACK KeyHookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        KeyHookCalled = GetTickCount();
        const auto& key = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        // Only the first key-down of a held key: a held show key shows the board once.
        const bool begins = Presses.Begins(wParam, key.vkCode);
        if (begins && KeyHookReports(code, wParam)) ReportHookedKey(KeyHookTarget, key);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Listener thread: a new hook first, so that no key goes unseen in between.
bool InstallKeyHook() {
    const HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, KeyHookProc, GetModuleHandleW(nullptr), 0);
    if (!hook) return false;
    if (KeyHookHandle) UnhookWindowsHookEx(KeyHookHandle);
    KeyHookHandle = hook;
    KeyHookCalled = GetTickCount();
    return true;
}

// Keys whose press tells that the keyboard is in use: the show key and the modifiers.
bool UsedKeyDown(std::uint16_t mainKey) {
    platform::Input& input = platform::Use<platform::Input>();
    for (int key : {static_cast<int>(mainKey), VK_CONTROL, VK_SHIFT, VK_MENU, VK_LWIN})
        if (key && input.AsyncKeyState(key) & 0x8000) return true;
    return false;
}

} // namespace

void ReportHookedKey(HWND target, const KBDLLHOOKSTRUCT& key) {
    PostMessageW(target, WM_KEYHOOK,
                 static_cast<WPARAM>(static_cast<LONG_PTR>(static_cast<LONG>(key.scanCode))),
                 static_cast<LPARAM>(key.vkCode));
}

bool KeyHeld(int virtualKey) {
    // The key state of this thread's queue does not follow keys that go to other programs.
    return (platform::Use<platform::Input>().AsyncKeyState(virtualKey) & 0x8000) != 0;
}

HHOOK InstalledKeyHook() {
    return KeyHookHandle;
}

platform::Listener& TDozedeR64Form::ListenerThread() {
    if (!Listener) Listener = std::make_unique<platform::Listener>();
    return *Listener;
}

void TDozedeR64Form::StartKeyHook() {
    bool installed = true;
    KeyHookTarget = Handle();
    ListenerThread().Run([&] {
        if (!KeyHookHandle) installed = InstallKeyHook();
    });
    if (!installed) ui::ShowMessage(texts::KeyHookFailed);
}

void TDozedeR64Form::StopKeyHook() {
    if (!Listener) return;
    Listener->Run([] {
        if (KeyHookHandle) UnhookWindowsHookEx(KeyHookHandle);
        KeyHookHandle = nullptr;
    });
    KeyHookTarget = nullptr;
}

void TDozedeR64Form::KeepKeyHook() {
    if (!Listener) return;
    const DWORD lastInput = platform::Use<platform::Input>().LastInputTime();
    if (!KeyHookMayBeLost(lastInput, KeyHookCalled) || !UsedKeyDown(MainKey)) return;
    Listener->Run([] {
        if (KeyHookHandle) InstallKeyHook();
    });
}

bool TDozedeR64Form::KeyCaptureOn() const {
    return MainKeyChanging || (Form3 && Form3->ShortCutSetting);
}

void TDozedeR64Form::WMKeyHook(LPARAM lParam) {
    if (IconSettingStartTime != 0) return;
    const auto vk = static_cast<std::uint16_t>(lParam & 0xFFFF);
    if (KeyCaptureOn()) {
        if (vk == VK_SNAPSHOT) SetAssignedKey(vk, texts::PrintScreenName);
        return;
    }
    if (ShortCutHookPath(vk)) return;
    if (!MsgShowing && vk == MainKey && (!MainKeyIsDouble || KeyHeld(VK_CONTROL))) ShowMainForm();
}

void TDozedeR64Form::ShowMainForm() {
    // The pause below handles messages: a show key meanwhile finds the board up already.
    if (ShowingMainForm) return;
    const platform::ScopedFlag showing(ShowingMainForm);
    SetWindowState(ui::WindowState::Normal);
    SetFormPosition();
    ForceForeground(Handle());
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ui::App().ProcessMessagesFor(500);
    SetWindowPos(Handle(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

} // namespace orvane
