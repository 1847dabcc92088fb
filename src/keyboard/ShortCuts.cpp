#include "core/DozedeR64Form.h"
#include "keyboard/KeyHook.h"
#include "keyboard/ShortCutMainKeys.h"
#include "platform/Clock.h"
#include "platform/Text.h"
#include "platform/ui/Application.h"

namespace orvane {

void TDozedeR64Form::WMHotKey(WPARAM wParam) {
    if (KeyCaptureOn() || IconSettingStartTime != 0 || ShortCutConfigCount <= 0) return;
    for (std::int32_t i = 0; i < ShortCutConfigCount && i < std::ssize(HotKeyID); ++i) {
        // 0 is no identifier: a message naming it was not sent by the system for us.
        const std::int32_t id = HotKeyID[static_cast<size_t>(i)];
        if (id > 0 && static_cast<WPARAM>(id) == wParam) {
            PerformShortCut(i);
            return;
        }
    }
}

bool TDozedeR64Form::ShortCutHookPath(std::uint16_t vk) {
    if (ShortCutConfigCount <= 0 || ShortCutConfig.empty()) return false;
    const std::int32_t choiceNo = ShortCutConfig[0].MainKeyNo;
    const ShortCutMainKeyChoice* choice = ShortCutChoice(choiceNo);
    if (!choice) return false;
    // The modifier of a registered choice pressed on its own is neither shortcut nor show key.
    if (IsHotKeyChoice(choiceNo) && (vk == choice->First || vk == choice->Second)) return true;
    if (MainKey != choice->First && KeyHeld(choice->First)) {
        for (std::int32_t i = 0; i < ShortCutConfigCount && i < std::ssize(ShortCutConfig); ++i) {
            if (ShortCutConfig[static_cast<size_t>(i)].Key == vk) {
                PerformShortCut(i);
                break;
            }
        }
    }
    return false;
}

std::int32_t TDozedeR64Form::FindTipEntry(const std::wstring& fragment) const {
    const std::wstring lowered = platform::Lowered(fragment);
    if (lowered.empty()) return -1; // an empty fragment matches nothing
    const std::int32_t count = std::min<std::int32_t>(
        TotalBtnCount, static_cast<std::int32_t>(std::min(ToolTip.size(), TrayNotify.size())));
    for (std::int32_t j = 0; j < count; ++j) {
        if (platform::Lowered(ToolTip[static_cast<size_t>(j)]).find(lowered) != std::wstring::npos)
            return j;
    }
    return -1;
}

void TDozedeR64Form::PerformShortCut(std::int32_t i) {
    if (i < 0 || i >= std::ssize(ShortCutConfig)) return;
    const TShortCutConfig shortCut = ShortCutConfig[static_cast<size_t>(i)];
    Button1Click();
    ui::App().ProcessMessages();
    if (shortCut.Sosa < 0 || shortCut.Sosa > 2) return;
    const std::int32_t j = FindTipEntry(shortCut.IconText);
    if (j < 0) return;
    // 0 means no lock: a reading of 0 locks as 1.
    IconSettingStartTime = std::max<std::uint32_t>(platform::Now(), 1);
    if (TrayNotify[static_cast<size_t>(j)].hWnd == Handle()) {
        if (shortCut.Sosa != 2) SetSelfCreateIcon(shortCut.Sosa, j);
    } else {
        SetTrayIcon(shortCut.Sosa, j);
    }
}

} // namespace orvane
