#include "core/DozedeR64Form.h"
#include "keyboard/ShortCutMainKeys.h"

namespace orvane {

void TDozedeR64Form::StartHotKey() {
    if (ShortCutConfigCount <= 0 || std::ssize(ShortCutConfig) < ShortCutConfigCount) return;
    const ShortCutMainKeyChoice* choice = ShortCutChoice(ShortCutConfig[0].MainKeyNo);
    if (!choice) return;
    HotKeyID.assign(static_cast<size_t>(ShortCutConfigCount), 0);
    for (std::int32_t i = 0; i < ShortCutConfigCount; ++i) {
        const std::uint32_t key = ShortCutConfig[static_cast<size_t>(i)].Key;
        // A key that is no virtual-key code cannot be pressed.
        if (key == 0 || key > 254) continue;
        const ATOM atom = GlobalAddAtomW((L"OrvaneHotkey" + std::to_wstring(i)).c_str());
        HotKeyID[static_cast<size_t>(i)] = atom;
        // A combination that another program owns never arrives; the hook path remains.
        RegisterHotKey(Handle(), atom, choice->HotKeyModifiers, key);
    }
}

void TDozedeR64Form::StopHotKey() {
    if (ShortCutConfigCount <= 0 || ShortCutConfig.empty() ||
        !IsHotKeyChoice(ShortCutConfig[0].MainKeyNo))
        return;
    for (std::int32_t i = 0; i < ShortCutConfigCount && i < std::ssize(HotKeyID); ++i) {
        std::int32_t& id = HotKeyID[static_cast<size_t>(i)];
        if (id == 0) continue;
        UnregisterHotKey(Handle(), id);
        GlobalDeleteAtom(static_cast<ATOM>(id));
        id = 0; // released once only
    }
}

} // namespace orvane
