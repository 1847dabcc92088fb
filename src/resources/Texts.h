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
inline constexpr wchar_t TaskButtonDeleteFailed[] = L"タスクバーから削除に失敗";
inline constexpr wchar_t TrayIconAddFailed[] = L"タスクトレイアイコン追加失敗";
inline constexpr wchar_t AppStartFailedSuffix[] = L"を起動できませんでした。";
inline constexpr wchar_t KestrinStartFailed[] =
    L"タスクトレイにアイコンを表示するアプリの追加画面を表示できませんでした。";
inline constexpr wchar_t NotRunning[] = L"起動していません";

inline constexpr wchar_t HelpFailed[] = L"ヘルプを表示できませんでした。";

// The settings window
inline constexpr wchar_t SettingsCaption[] = L"オルヴァーネの設定";
inline constexpr wchar_t TabMain[] = L"全般";
inline constexpr wchar_t TabDisableIcon[] = L"操作できないアイコン";
inline constexpr wchar_t TabShortcut[] = L"アイコン操作へのショートカット設定";
inline constexpr wchar_t StartUpRegister[] = L"スタートアップに登録";
inline constexpr wchar_t StartUpRemove[] = L"スタートアップから削除";
inline constexpr wchar_t IconSizeCaption[] = L"アイコンサイズ";
inline constexpr wchar_t IconSizeLargest[] = L"特大";
inline constexpr wchar_t IconSizeLarge[] = L"大";
inline constexpr wchar_t IconSizeMiddle[] = L"中";
inline constexpr wchar_t TrayRoadCaption[] = L"アイコンの取得方法";
inline constexpr wchar_t TrayRoadAuto[] = L"自動";
inline constexpr wchar_t TrayRoadToolbar[] = L"タスクトレイから読む";
inline constexpr wchar_t TrayRoadCollector[] = L"アイコンを集める";
inline constexpr wchar_t IconSizeSmall[] = L"小";
inline constexpr wchar_t ClickNoMinimize[] =
    L"アイコンをクリック/ダブルクリックした後は最小化しない";
inline constexpr wchar_t RightClickNoMinimize[] = L"アイコンを右クリックした後は最小化しない";
inline constexpr wchar_t TimeOutNoMinimize[] = L"表示後一定時間経過しても最小化しない";
inline constexpr wchar_t HideTaskButton[] = L"最小化したときはタスクバーに表示しない";
inline constexpr wchar_t MainKeyCaption[] = L"画面表示のためのキー";
inline constexpr wchar_t MainKeySingle[] = L"単独キー: ";
inline constexpr wchar_t MainKeyWithCtrl[] = L"[Ctrl] + ";
// The show-key button reads "キー([F4])変更".
inline constexpr wchar_t ShowKeyChangeBefore[] = L"キー([";
inline constexpr wchar_t ShowKeyChangeAfter[] = L"])変更";
inline constexpr wchar_t SetIconTipTextFontSize[] =
    L"特大アイコンのチップテキストのフォントサイズ設定";
inline constexpr wchar_t PressNewShowKey[] =
    L"このダイアログを閉じてから設定したいキーを押してください。\r\n"
    L"[Alt],[Shift],[Ctrl],[Windows]キーは設定できません。";
inline constexpr wchar_t SingleKeyOnly[] =
    L"アイコン操作へのショートカットの主キーが[Ctrl]になっているため\r\n"
    L"単独キーしか設定できません。";
inline constexpr wchar_t ShortCutMainKeyLabel[] = L"主キー:";
inline constexpr wchar_t KeyNameNonConvert[] = L"[無変換]";
inline constexpr wchar_t KeyNameConvert[] = L"[変換]";

// The shortcut tab
inline constexpr wchar_t ShortCutTipTextTitle[] = L"アイコンのチップテキストに含まれる数文字";
inline constexpr wchar_t ShortCutSosaTitle[] = L"操作";
inline constexpr wchar_t ShortCutKeyTitle[] = L"ショートカットキー";
inline constexpr wchar_t SosaClick[] = L"クリック";
inline constexpr wchar_t SosaRightClick[] = L"右クリック";
inline constexpr wchar_t SosaDoubleClick[] = L"ダブルクリック";
inline constexpr wchar_t ShortCutEditHint[] =
    L"右クリックでショートカットの削除/キーの変更ができます。";
inline constexpr wchar_t MenuDel[] = L"削除(&D)";
inline constexpr wchar_t MenuChangeShortCutKey[] = L"ショートカットキーの変更(&C)";
inline constexpr wchar_t ShortCutHelp[] =
    L"新規にショートカットを設定するには「オルヴァーネ」画面の設定したいアイコンをクリックして"
    L"ください。";
// While a key is awaited the help reads, for a new row, ShortCutHelpChooseSosa, then for
// every row the modifier's name and ShortCutHelpPressKey.
inline constexpr wchar_t ShortCutHelpChooseSosa[] = L"操作を選択してから、";
inline constexpr wchar_t ShortCutHelpPressKey[] =
    L"キーと同時に押す設定したいキーをひとつ押してください。\r\n"
    L"[Alt],[Shift],[Ctrl],[Windows]キーは設定できません。";
inline constexpr wchar_t SameKeyAsShowKey[] = L"画面表示のためのキーと同じキーは設定できません。";
inline constexpr wchar_t CtrlUsedByShowKey[] =
    L"画面表示のためのキーに[Ctrl]が使われているので設定できません。";
inline constexpr wchar_t NoShortCutKey[] = L"ショートカットキーが設定されていません。";
inline constexpr wchar_t SaveChangedSettings[] = L"設定が変更されていますが、保存しますか？";
inline constexpr wchar_t CancelButton[] = L"キャンセル";
// Followed by the path of the file.
inline constexpr wchar_t ConfigSaveFailed[] = L"設定を保存できませんでした。\r\n";

// The list of inoperable icons
inline constexpr wchar_t DisableIconDesignHint[] =
    L"入力し終わったら必ず[Alt]キーを押してください。";
inline constexpr wchar_t DisableIconHint[] =
    L"複数ある場合は改行区切りで入力してください。\r入力終了したら必ず[Alt]キーを押してください。";
inline constexpr wchar_t DisableIconDesignLabel[] = L"操作できないアイコンの";
inline constexpr wchar_t DisableIconExplanation[] =
    L"操作できないアイコンは以下の欄にそのチップテキストに含まれる数文字を入力すれば"
    L"ほとんどのものは操作できるようになります。\r\n";
inline constexpr wchar_t DisableIconListTitle[] =
    L"操作できないアイコンのチップテキストに含まれる数文字:";

// The startup shortcut
inline constexpr wchar_t StartUpLinkName[] = L"オルヴァーネ";
inline constexpr wchar_t ShortCutLinkSuffix[] = L"へのショートカット.lnk";
inline constexpr wchar_t StartUpRegistered[] = L"「オルヴァーネ」をスタートアップに登録しました。";
inline constexpr wchar_t StartUpRegisterFailed[] =
    L"「オルヴァーネ」をスタートアップに登録できませんでした。";
inline constexpr wchar_t StartUpRemoved[] = L"「オルヴァーネ」をスタートアップから削除しました。";
inline constexpr wchar_t StartUpRemoveFailed[] =
    L"「オルヴァーネ」をスタートアップから削除できませんでした。";

// The About window
inline constexpr wchar_t AboutCaption[] = L"オルヴァーネのバージョン情報";
inline constexpr wchar_t AboutProduct[] = L"オルヴァーネ";
inline constexpr wchar_t AboutVersion[] = L"Ver 1.73 ";
inline constexpr wchar_t AboutCredit[] = L"(C) 2026 Kelmora";
inline constexpr wchar_t AuthorUrl[] = L"https://kelmora.example/orvane/";
inline constexpr wchar_t AuthorSiteFailed[] = L"作者サイトへの接続に失敗しました。";

// The keyboard: the hook, and the capture of new keys.

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

inline constexpr wchar_t QuickSettingsTip[] = L"クイック設定 (音量・ネットワーク・バッテリー)";
inline constexpr wchar_t NotificationCentreTip[] = L"通知センター";

} // namespace orvane::texts
