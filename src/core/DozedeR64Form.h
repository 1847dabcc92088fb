#pragma once
// The main window: the board of enlarged tray icons and the state the whole program shares.

#include "board/Geometry.h"
#include "companion/KestrinItem.h"
#include "core/Profile.h"
#include "keyboard/KeyRules.h"
#include "keyboard/ShortCutConfig.h"
#include "platform/Handles.h"
#include "platform/Listener.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Form.h"
#include "platform/ui/Image.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Timer.h"
#include "tray/TrayNotify.h"

#include <cstdint>
#include <exception>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

class Collector;
enum class ClickKind;
class TForm2;
class TForm3;
class TIconEx;

class TDozedeR64Form : public ui::Form {
public:
    TDozedeR64Form();
    ~TDozedeR64Form() override;

    // Components
    ui::Button Button1;
    ui::ApplicationEvents ApplicationEvents1;
    ui::MenuItem MenuConfig, MenuConfig1, N1, MenuAddTaskTrayIcon;
    ui::MenuItem MenuHelp1, MenuHelp2, MenuN1, MenuAbout;
    ui::MainMenu MainMenu1;
    ui::Timer Timer1;
    ui::ScrollBox ScrollBox1;
    ui::Image Image1;
    ui::Label LblHint;
    ui::Edit EditReceveMsg;
    ui::MenuItem MenuCloseWindow;
    ui::PopupMenu PopupMenu1;
    ui::Timer Timer2;

    // State
    std::uint32_t FormShowTime = 0;
    bool MyAppEnd = false;
    std::int32_t ImageClickCount = 0;
    bool StartSelfMinimized = false;
    bool CreateShortCutOK = false;
    std::wstring ALinkFilePath;
    std::vector<TTrayNotify> TrayNotify;
    std::vector<std::wstring> ToolTip;
    // Collected icons only: the callback form each owner chose, and the pictures, which
    // live as long as the entries that show them.
    std::vector<std::uint32_t> TrayIconVersion;
    std::vector<std::shared_ptr<platform::UniqueIcon>> CollectedPictures;
    std::vector<std::shared_ptr<platform::UniqueIcon>> QuickCellPictures;
    // The collected pictures enlarged for the board, made once per picture and icon size.
    std::map<const platform::UniqueIcon*, ui::Bitmap> CollectedCellPictures;
    int CollectedCellSize = 0;
    std::wstring Folda;
    std::wstring DataFolda;
    std::int32_t TotalBtnCount = 0;
    std::int32_t IconSize = 0;
    std::int32_t IconTipTextFontSize = 0;
    bool IsWin7 = false;
    bool IsWin8 = false;
    bool IsVista = false;
    std::int32_t AMousePos = 0;
    bool FormMinimized = false;
    std::uint16_t MainKey = 0;
    bool MainKeyIsDouble = false;
    bool MainKeyChanging = false;
    bool IsStart = false;
    HWND FindHandle = nullptr;
    bool NewWindowShowing = false;
    bool PopupMenuSearching = false;
    HWND HTrayNotifyWindow = nullptr;
    HWND HOverflowWindow = nullptr;
    POINT TrayNotifyWindowTopLeft{};
    POINT TrayNotifyWindowBottomRight{};
    HWND HTrayClockWindow = nullptr;
    HWND HTrayInputIndicator = nullptr;
    HWND HVistaSystemIconTray = nullptr;
    bool ShowButtonExists = false;
    std::int32_t IconCountOnTaskTray = 0;
    std::int32_t IconCountOnOverflowWindow = 0;
    std::int32_t IconCountOnSystemIconTray = 0;
    std::vector<TShortCutConfig> ShortCutConfig;
    std::int32_t ShortCutConfigCount = 0;
    std::uint32_t IconSettingStartTime = 0;
    std::vector<std::int32_t> HotKeyID;
    HWND KestrinWnd = nullptr;
    std::vector<TKestrinItem> KestrinItem;
    std::int32_t KestrinItemCount = 0;
    std::vector<NOTIFYICONDATAW> NID;
    std::int32_t SelectedItemNo = 0;
    bool KestrinBeforeStart = false;
    HWND TempAppHandle = nullptr;
    std::uint32_t TempProcessID = 0;
    std::wstring ModuleFile;
    bool MsgShowing = false;
    HMODULE HookModule = nullptr;
    std::wstring HookMessageName;
    std::uint16_t HookMessageId = 0;
    TForm2* Form2 = nullptr; // the About window
    TForm3* Form3 = nullptr; // the settings window

    // Start
    void FormCreate();
    void FormShow();
    bool Is64BitWindows();
    void ApplicationException(std::exception_ptr error);
    IniFile ConfigFile() const { return IniFile(DataFolda + L"Config.ini"); }

    // Companion items
    IniFile KestrinFile() const;
    void LoadKestrinItems();
    void PrepareItemRecord(std::int32_t i, HICON icon, const std::wstring& tip);
    // The tip field of the item's record, cut to what the record holds.
    void SetItemTip(std::int32_t i, std::wstring_view tip);
    HICON ItemAppIcon(std::int32_t i);
    // The item's picture while its application is not running; its handle lives as long.
    std::unique_ptr<TIconEx> PlaceholderIcon(std::int32_t i);
    std::wstring PlaceholderTip(std::int32_t i) const;
    // Record i shows this icon from now on and keeps it until it shows another or goes.
    void SetRecordIcon(std::int32_t i, HICON icon);
    HICON PlaceholderIconCopy(std::int32_t i);
    bool ShowItemRecord(std::int32_t i, DWORD message);
    // The record's icon out of the tray, the record no longer in use.
    void DeleteItemRecord(std::int32_t i);

    // Companion channel, hook library
    void Start_Kestrin();
    void MenuAddTaskTrayIconClick();
    void EditReceveMsgChange();
    void ReleaseHookLibrary();

    // Adopted windows
    // A report of the hook library; true when it ends the message's handling.
    bool WMHookReport(HWND W, LPARAM lParam);
    void WMTaskbarCreated();
    void OwnTrayIconMessage(WPARAM wParam, LPARAM lParam);
    std::wstring ProcessImagePath(DWORD ProcessID);
    void AppliEnd(std::int32_t ItemNo);
    void MenuCloseWindowClick();

    // Placeholders, application start
    void AddTaskTrayIcon(std::int32_t ItemNo);
    BOOL AdoptRunningWindow(HWND hWnd, std::int32_t ItemNo);
    void StartApp(std::int32_t ItemNo);
    BOOL FindStartedAppWindow(HWND hWnd, DWORD* ProcessID);
    // The window of a program started from a placeholder, its process checked.
    void TakeStartedWindow(std::int32_t ItemNo, HWND window, DWORD processId);

    // Keyboard hook, show key, icon shortcuts, key capture
    void StartKeyHook();
    void StopKeyHook();
    void WMKeyHook(LPARAM lParam);
    void ShowMainForm();
    // Installs the keyboard hook again when the system has dropped it.
    void KeepKeyHook();
    void StartHotKey();
    void StopHotKey();
    void WMHotKey(WPARAM wParam);
    // The shortcuts that work through the hook; true when the key ends the hook's handling.
    bool ShortCutHookPath(std::uint16_t vk);
    void PerformShortCut(std::int32_t i);
    // The first snapshot entry whose tip contains the fragment, letter case aside; -1: none.
    std::int32_t FindTipEntry(const std::wstring& fragment) const;
    void ApplicationEvents1Message(const MSG& Msg);
    void SetAssignedKey(std::uint16_t vk, const std::wstring& name);
    // A message about key settings, during which the show key and the time-out rest.
    void ShowKeySettingMessage(const std::wstring& text);
    // A board click adds a shortcut row to the settings window's shortcut tab.
    void Image1Click();
    // Draws the picture of snapshot entry FromNo into shortcut row ToNo.
    void SetForm3_ImgIconPicture(std::int32_t FromNo, std::int32_t ToNo);

    // Visibility, timers, closing
    void FormDestroy();
    void Timer1Timer();
    void Timer2Timer();
    void FormCloseQuery(bool& CanClose);

    // Menus
    void MenuConfig1Click();
    void MenuHelp2Click();
    void MenuAboutClick();

    // Board
    void LayOutBoard();
    // The snapshot's entries that the board shows: the first ones, as many as fit a
    // bounded picture.
    std::int32_t BoardEntries() const;
    void DrawIcon();
    void FormResize();
    void SetFormPosition();
    // Where a restored window of this outer size goes: beside the pointer, or centred on
    // the monitor's work area, as the settings say.
    Point RestorePlace(int width, int height, const MONITORINFO& monitor) const;
    Point PointerPlace(int width, int height) const;
    void SetHintFontSize(int points);
    void Image1MouseEnter();
    void Image1MouseMove(int X, int Y);
    void Image1MouseLeave();

    // Click dispatch
    void Image1MouseUp(ui::MouseButton Button);
    void Image1DblClick();
    void SetTrayIcon(std::int32_t Action, std::int32_t IconID);
    void OperateTrayIcon(std::int32_t Action, std::int32_t IconID);
    void SystemIconSendInput(std::int32_t Action, std::int32_t IconID);
    void SetSelfCreateIcon(std::int32_t Action, std::int32_t IconID);

    // Startup shortcut
    std::wstring GetFolderPath(int nFolder);
    std::wstring FindFileShortCutLink(const std::wstring& FindPath,
                                      const std::wstring& SearchFolder);
    std::wstring GetLinkPathName(const std::wstring& LinkFilePath);
    void CreateShortCutLink(const std::wstring& szFileName, const std::wstring& swFileName,
                            int nFolder);

    // Tray snapshot
    void Button1Click();
    void GetTaskTrayInfo(HWND hTaskTrayWnd);
    BOOL FindSystemIconTrayProc(HWND hWnd, LPARAM lParam);

    // Where the icons come from: the shell's tray toolbar, or the collector where there is
    // none (or where the user wants it).
    static constexpr std::int32_t TrayRoadAuto = 0, TrayRoadToolbar = 1, TrayRoadCollector = 2;
    std::int32_t TrayRoad = TrayRoadAuto;
    std::unique_ptr<Collector> IconCollector; // made and ended on the listener thread
    bool ShellHasTrayToolbar();
    void ApplyTrayRoad();
    void StopCollector();
    void TakeCollectedIcons();
    // The enlarged picture of collected entry i; null for an entry of another road.
    const ui::Bitmap* CollectedCellPicture(std::int32_t i);
    // A cell of this program's own that opens the quick settings or the notification centre;
    // false for any other cell.
    bool OperateQuickCell(std::int32_t IconID);
    RECT CellScreenRect(std::int32_t IconID);
    // Tells the collector where the icons are on the screen while the board is shown.
    void PublishCollectedCells(bool shown);
    std::uint32_t IconVersion(std::int32_t IconID) const;
    // The callback messages of an operation in the form the icon's owner chose.
    void PostCallbackForms(std::int32_t IconID, ClickKind kind);

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void ReadConfig();
    bool PointerNearActiveWindow() const;
    // A new show key or shortcut key is awaited.
    bool KeyCaptureOn() const;
    // The keys of the modifier choice of the saved shortcuts.
    std::optional<ChoiceKeys> SavedChoiceKeys() const;
    // The client rectangle of the notification window into its two points; false when it has
    // gone.
    bool MeasureTrayNotifyWindow();
    bool TimeOutBlocked() const;
    // Takes the item's icon out of the tray if it is there.
    void RemoveItemIcon(std::int32_t i);
    void ApplyDefaultConfig();
    void ReadKestrinItems();
    // Item i when both it and its record exist; handlers that process messages look again.
    TKestrinItem* ItemAt(std::int32_t i);
    // A program that cannot be opened counts as ended.
    bool ProcessEnded(std::int32_t processId) const;
    // The watch's removal of item i's taskbar button; a refusal is said once per window.
    void KeepOffTaskbar(std::int32_t i);
    // Every road that adopts a window ends here: the icon first, then the taskbar button
    // goes, then the claim. False, with the button kept, when the icon is refused.
    bool AdoptWindow(std::int32_t k, HWND W, DWORD processId, const std::wstring& title);
    // ItemBit 64 for the listed application with this path; false when it cannot be written.
    bool ClaimItem(const std::wstring& fileName);
    // Loads the hook library once and (re)starts its reports to this window.
    void StartHook();
    // The companion's list read again; the icons follow it.
    void ReloadKestrinItems();
    // A text into the companion's channel control, when its window exists; a hung companion
    // does not hold this thread up.
    void SendToCompanion(const wchar_t* text);
    // Takes the window's taskbar button away, or gives it back; says so when the taskbar
    // refuses.
    void DeleteItemTaskButton(HWND window);
    void GiveTaskButtonBack(HWND window);
    // Brings an item's window back, or starts its application when it has none; then
    // renews its icon.
    // The item's icon as AddTaskTrayIcon shows it; a failure ends only this item's.
    void ShowItemIcon(std::int32_t i);
    void OperateOwnIcon(std::int32_t i, bool showAfterRestore);
    void ShowItemMenu(std::int32_t i);
    // The item of an icon of this program's own, or -1.
    std::int32_t OwnIconItem(std::int32_t IconID) const;
    void SetHintFontFromIconSize();

    // One cell from a handle of its own, enlarged to the board's size.
    ui::Bitmap CellPicture(HICON icon, bool placeholder);
    bool UsableMousePos() const;
    // A wait of an icon operation ends early: the window was minimised or the program closes.
    bool WaitEnded() const;

    void RefreshBoard();

    std::vector<platform::Owned<platform::IconTraits>> NIDIcon; // the icons the records show
    bool Refreshing = false;
    bool RefreshAgain = false;
    // During a restore's refresh: the layout sizes and places the window in one move.
    const MONITORINFO* RestoreMonitor = nullptr;
    std::uint32_t BoardDrawing = 0; // counts the drawings, so that a newer one takes over
    bool ShowingMainForm = false;
    // The companion's texts wait until the window is made: they may come while it waits for
    // the companion's start.
    bool Creating = false;
    static constexpr UINT CompanionTextWaiting = WM_APP + 0x20;
    static constexpr UINT ReloadWaiting = WM_APP + 0x21;
    bool ReloadPosted = false;
    ui::Timer CompanionWait{5000, false};
    void CompanionWaitTimer();
    // Holds the hooks from the keyboard hook's start to the window's destruction.
    std::unique_ptr<platform::Listener> Listener;
    platform::Listener& ListenerThread();
};

} // namespace orvane
