#pragma once
// The program's own texts, used as they stand.

namespace orvane::texts {

inline constexpr wchar_t AppTitle[] = L"オルヴァーネ";

inline constexpr wchar_t AlreadyRunning[] =
    L"「オルヴァーネ」は既に起動しています。\r表示させるキーを押せば表示されます。";
inline constexpr wchar_t Not64BitWindows[] =
    L"64ビット用の実行ファイルを起動させたため、\r32ビットOS上では動作しません。\r"
    L"32ビット用の実行ファイル\"Orvane.exe\"を起動させてください。";

inline constexpr wchar_t RefreshButton[] = L"最新の情報に更新";
inline constexpr wchar_t MenuConfig[] = L"設定(&C)";
inline constexpr wchar_t MenuAddTaskTrayIcon[] =
    L"タスクトレイへアイコンを表示させるアプリの追加/編集(&B)";
inline constexpr wchar_t MenuHelp[] = L"ヘルプ(&H)";
inline constexpr wchar_t MenuAbout[] = L"バージョン情報(&A)";
inline constexpr wchar_t MenuCloseWindow[] = L"ウィンドウを閉じる(&C)";

inline constexpr wchar_t TrayInfoFailed0[] = L"タスクトレイの情報を取得できませんでした。(0)";
inline constexpr wchar_t TrayInfoFailed1[] = L"タスクトレイの情報を取得できませんでした。(1)";
inline constexpr wchar_t OverflowInfoFailed2[] =
    L"タスクトレイ非表示部の情報を取得できませんでした。(2)";
inline constexpr wchar_t TrayInfoFailed3[] = L"タスクトレイの情報を取得できませんでした。(3)";
inline constexpr wchar_t SystemIconToolbarTitle[] = L"システム コントロール領域";

// Ends the tip of a companion item whose application is not running.
inline constexpr wchar_t NotRunningSuffix[] = L"-起動していません";

} // namespace orvane::texts
