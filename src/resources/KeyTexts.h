#pragma once
// The keyboard's texts: the hook, and the capture of new keys.

namespace orvane::texts {

inline constexpr wchar_t KeyHookFailed[] = L"KeyHook失敗";
inline constexpr wchar_t ShowKeyUsedByShortCut[] =
    L"アイコン操作へのショートカットで使っているキーは設定できません。\r他のキーを押してください。";
inline constexpr wchar_t ShowKeyChangedBefore[] = L"画面表示のためのキーを[";
inline constexpr wchar_t ShowKeyChangedWithCtrlBefore[] = L"画面表示のためのキーを[Ctrl] + [";
inline constexpr wchar_t ShowKeyChangedAfter[] = L"]に変更しました。";
inline constexpr wchar_t IsModifierKey[] = L"]は主キーです。";
inline constexpr wchar_t IsShowKey[] = L"]は画面を表示するキーです。";
inline constexpr wchar_t AlreadyRegistered[] = L"]は既に登録されています。";
inline constexpr wchar_t PressAnotherKey[] = L"\r他のキーを押してください。";
inline constexpr wchar_t PrintScreenName[] = L"PrintScreen";
inline constexpr wchar_t PauseName[] = L"Pause";

} // namespace orvane::texts
