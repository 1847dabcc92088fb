#include "core/DozedeR64Form.h"
#include "keyboard/KeyRules.h"
#include "keyboard/ShortCutMainKeys.h"
#include "platform/ScopedFlag.h"
#include "platform/ui/Application.h"
#include "resources/Texts.h"
#include "settings/Form3.h"

#include <algorithm>
#include <span>

namespace orvane {
namespace {

std::wstring KeyName(std::uint16_t vk) {
    if (vk == VK_PAUSE) return texts::PauseName;
    const UINT scan = MapVirtualKeyExW(vk, MAPVK_VK_TO_VSC, GetKeyboardLayout(0));
    wchar_t name[261] = {};
    GetKeyNameTextW(KeyNameParameter(vk, scan), name, 261);
    return name;
}

} // namespace

void TDozedeR64Form::ApplicationEvents1Message(const MSG& Msg) {
    if (Msg.message != WM_KEYDOWN || !KeyCaptureOn()) return;
    const auto vk = static_cast<std::uint16_t>(Msg.wParam);
    if (IsIgnoredByCapture(vk)) return;
    SetAssignedKey(vk, KeyName(vk));
}

std::optional<ChoiceKeys> TDozedeR64Form::SavedChoiceKeys() const {
    if (ShortCutConfigCount <= 0 || ShortCutConfig.empty()) return std::nullopt;
    const ShortCutMainKeyChoice* choice = ShortCutChoice(ShortCutConfig[0].MainKeyNo);
    if (!choice) return std::nullopt;
    return ChoiceKeys{choice->First, choice->Second};
}

void TDozedeR64Form::ShowKeySettingMessage(const std::wstring& text) {
    // While it is open the window neither times out nor takes the show key.
    const platform::ScopedFlag showing(MsgShowing);
    ui::ShowMessage(text);
}

void TDozedeR64Form::SetAssignedKey(std::uint16_t vk, const std::wstring& name) {
    if (!Form3) return;
    const std::span<const std::uint16_t> rowKeys(Form3->ShortCutKey);
    if (MainKeyChanging) {
        if (vk == VK_RETURN) return;
        const size_t saved = static_cast<size_t>(std::max(ShortCutConfigCount, 0));
        if (ShowKeyRefused(vk, SavedChoiceKeys(), rowKeys.first(std::min(saved, rowKeys.size())))) {
            ShowKeySettingMessage(texts::ShowKeyUsedByShortCut);
            return;
        }
        MainKey = vk;
        Form3->BtnShowKeyChange.SetText(texts::ShowKeyChangeBefore + name +
                                        texts::ShowKeyChangeAfter);
        Form3->LblMainKey.SetText(L"[" + name + L"]");
        ShowKeySettingMessage(
            (MainKeyIsDouble ? texts::ShowKeyChangedWithCtrlBefore : texts::ShowKeyChangedBefore) +
            name + texts::ShowKeyChangedAfter);
        MainKeyChanging = false;
        Form3->BtnShowKeyChange.SetEnabled(true);
        IniFile ini = ConfigFile();
        ini.WriteInteger(L"MainKey", L"Value", vk);
        ini.WriteString(L"MainKey", L"Name", name);
        return;
    }
    const size_t rows = static_cast<size_t>(std::max(Form3->ShortCutCount, 0));
    const ShortCutKeyRefusal refusal = CheckShortCutKey(
        vk, SavedChoiceKeys(), MainKey, rowKeys.first(std::min(rows, rowKeys.size())),
        Form3->ShortCutChanging, Form3->SelectedShortCutNo);
    switch (refusal) {
    case ShortCutKeyRefusal::ModifierKey:
        ui::ShowMessage(L"[" + name + texts::IsModifierKey + texts::PressAnotherKey);
        return;
    case ShortCutKeyRefusal::ShowKey:
        ui::ShowMessage(L"[" + name + texts::IsShowKey + texts::PressAnotherKey);
        return;
    case ShortCutKeyRefusal::AlreadyUsed:
        ui::ShowMessage(L"[" + name + texts::AlreadyRegistered + texts::PressAnotherKey);
        return;
    case ShortCutKeyRefusal::None:
        break;
    }
    Form3->AcceptShortCutKey(vk, name);
}

} // namespace orvane
