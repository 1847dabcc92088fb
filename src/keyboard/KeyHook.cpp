#include "keyboard/KeyHook.h"
#include "core/DozedeR64Form.h"
#include "core/WindowHelpers.h"
#include "keyboard/KeyRules.h"
#include "platform/Clock.h"
#include "platform/Input.h"
#include "platform/ui/Application.h"
#include "resources/Texts.h"
#include "settings/Form3.h"

namespace orvane {
namespace {

// One hook per process, reporting to the main window.
HHOOK KeyHookHandle = nullptr;
HWND KeyHookTarget = nullptr;

LRESULT CALLBACK KeyHookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (KeyHookReports(code, wParam))
        ReportHookedKey(KeyHookTarget, *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam));
    return CallNextHookEx(KeyHookHandle, code, wParam, lParam);
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

void TDozedeR64Form::StartKeyHook() {
    if (KeyHookHandle) return;
    KeyHookTarget = Handle();
    KeyHookHandle = SetWindowsHookExW(WH_KEYBOARD_LL, KeyHookProc, GetModuleHandleW(nullptr), 0);
    if (!KeyHookHandle) ui::ShowMessage(texts::KeyHookFailed);
}

void TDozedeR64Form::StopKeyHook() {
    if (!KeyHookHandle) return;
    UnhookWindowsHookEx(KeyHookHandle);
    KeyHookHandle = nullptr;
    KeyHookTarget = nullptr;
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
    SetWindowState(ui::WindowState::Normal);
    SetFormPosition();
    ForceForeground(Handle());
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ui::App().ProcessMessagesUntil(platform::Now(), 500);
    SetWindowPos(Handle(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

} // namespace orvane
