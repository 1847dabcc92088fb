#pragma once
// Kestrin's own texts, used as they stand.

namespace orvane::kestrin::texts {

inline constexpr wchar_t AppTitle[] = L"ケストリン";
inline constexpr wchar_t Caption[] = L"ケストリン - タスクトレイに表示するアプリ";

inline constexpr wchar_t ColumnApp[] = L"アプリ";
inline constexpr wchar_t ColumnText[] = L"追加テキスト";
inline constexpr wchar_t ColumnTaskBar[] = L"タスクバー";
inline constexpr wchar_t TaskBarShown[] = L"表示";

inline constexpr wchar_t BtnAdd[] = L"追加...";
inline constexpr wchar_t BtnDelete[] = L"削除";
inline constexpr wchar_t ShowOnTaskBar[] = L"タスクバーにもボタンを残す";
inline constexpr wchar_t BeforeStartText[] = L"起動前の追加テキスト:";
inline constexpr wchar_t BtnSetText[] = L"設定";
inline constexpr wchar_t BeforeStart[] = L"起動していないアプリもアイコンを表示する";

inline constexpr wchar_t OpenTitle[] = L"タスクトレイに表示するアプリの選択";
// Caption and pattern pairs of the open-file dialog, each ended by a zero character.
inline constexpr wchar_t OpenFilter[] = L"アプリ (*.exe)\0*.exe\0";

inline constexpr wchar_t NotExecutable[] = L"実行ファイル(.exe)ではないため追加できません。";
inline constexpr wchar_t AlreadyListed[] = L"このアプリは既に追加されています。";
inline constexpr wchar_t SaveFailed[] =
    L"Kestrin.ini に保存できなかったため、変更は取り消されました。";

} // namespace orvane::kestrin::texts
