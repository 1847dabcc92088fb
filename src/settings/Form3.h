#pragma once
// The settings window. Created at start and never destroyed: its controls are the live copy
// of the settings that the rest of the program reads.

#include "core/DozedeR64Form.h"
#include "keyboard/ShortCutConfig.h"
#include "platform/ui/CheckBox.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Controls.h"
#include "platform/ui/FontDialog.h"
#include "platform/ui/Form.h"
#include "platform/ui/Image.h"
#include "platform/ui/Memo.h"
#include "platform/ui/Menu.h"
#include "platform/ui/PageControl.h"
#include "platform/ui/Panel.h"
#include "platform/ui/RadioGroup.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace orvane {

class TForm2;

class TForm3 : public ui::Form {
public:
    TForm3(TDozedeR64Form& main, TForm2& about);
    ~TForm3() override;

    // Pages
    ui::PageControl PageControl1;
    ui::TabSheet TabSheetMain, TabSheetDisableIcon, TabSheetShortcut;

    // General tab
    ui::Button BtnStartUp;
    ui::RadioGroup RadioGroupIconSize;
    ui::CheckBox CheckBoxClickNoMinimize, CheckBoxRightClickNoMinimize, CheckBoxTimeOutNoMinimize,
        CheckBoxHideTaskButton;
    ui::Panel Panel1;
    ui::RadioGroup RadioGroupMainKey;
    ui::Label LblMainKey;
    ui::Button BtnShowKeyChange;
    ui::Button BtnSetIconTipTextFontSize;
    ui::Label LblIconTipTextFontSize;
    ui::RadioGroup RadioGroupTrayRoad; // where the icons come from
    ui::FontDialog FontDialog1;

    // Inoperable-icon tab
    ui::Label Label5;
    ui::Memo Memo1;

    // Shortcut tab
    ui::Label Label4;
    ui::ComboBox ComboBox1;
    ui::Label Label1, Label2, Label3;
    ui::ScrollBox ScrollBox1;
    ui::Image ImgIcon0;
    ui::Edit Edit1;
    ui::RadioGroup RadioGroup1;
    ui::Label LblShortCut0;
    ui::Label LblHelp;
    ui::Button BtnOK, BtnCancel;
    ui::MenuItem MenuDel, MenuChangeShortCutKey;
    ui::PopupMenu PopupMenu1;

    std::wstring SystemFontName;
    bool EditWriting = false;
    std::vector<TShortCutMainkey> ShortCutMainKey;
    std::int32_t ShortCutMainKeyNo = 0;

    // The shortcut rows, index = row number. Row 0 is the design row and stays, blank
    // while there is no shortcut; the four control arrays never hold fewer than one entry.
    std::vector<ui::Image*> ImgIcon;
    std::vector<ui::Edit*> EditIconText;
    std::vector<ui::RadioGroup*> RadioGroupSosa;
    std::vector<ui::Label*> LblShortCut;
    std::vector<std::uint16_t> ShortCutKey; // per row in use; 0: no key yet
    std::int32_t ShortCutCount = 0;
    std::int32_t SelectedShortCutNo = 0; // the row last right-clicked
    bool ShortCutSetting = false;        // a shortcut key is awaited
    bool ShortCutChanging = false;       // ... for row SelectedShortCutNo, not a new row
    bool ConfigChanged = false;          // the rows differ from what was last saved
    bool ConfigLoaded = false;           // the rows hold what the file holds

    void FormCreate();
    void FormShow();
    // Gives the control and everything inside it the face of the system's icon-title font.
    void ChangeFont(ui::Control& control);

    void BtnStartUpClick();
    void RadioGroupIconSizeClick();
    void RadioGroupTrayRoadClick();
    void BtnSetIconTipTextFontSizeClick();
    void CheckBoxClickNoMinimizeClick();
    void CheckBoxRightClickNoMinimizeClick();
    void CheckBoxTimeOutNoMinimizeClick();
    void CheckBoxHideTaskButtonClick();
    void BtnShowKeyChangeClick();
    void RadioGroupMainKeyClick();
    void Memo1Change();
    void Memo1KeyDown(WORD& Key);
    // The list's edits are no longer marked as unsaved; they stay in force.
    void EndEditWriting();

    // Row N after row N - 1.
    void CreateControl(std::int32_t N);
    void EditIconTextMouseUp(const ui::Control& Sender, ui::MouseButton Button);
    void EditIconTextChange();
    void RadioGroupSosaClick();
    void TabSheetShortcutEnter();
    void ComboBox1Change();
    void MenuChangeShortCutKeyClick();
    void MenuDelClick();
    // The save of the rows. Sender is the control, menu item or window that asks for it;
    // only BtnOK closes the window.
    void BtnOKClick(const void* Sender);
    void BtnCancelClick();
    void FormCloseQuery(bool& CanClose);
    // Key capture accepted vk for the awaited row: shown, stored, saved; the capture ends.
    void AcceptShortCutKey(std::uint16_t vk, const std::wstring& name);

private:
    void LayOutControls();
    void ShowStartUpState();
    void ConvertOldDisableIcons(IniFile& ini);
    void ReadDisableIcons(const IniFile& ini);
    void ShowIconSize();
    void LayOutDisableIconTab();
    // Writes a check box's state unless the window is still being filled; true when written.
    bool StoreCheckBox(const wchar_t* section, const ui::CheckBox& box);
    void ShowKeyMessage(const wchar_t* text);
    // Rewrites Config.ini with what write does to it, all of it or nothing; a save that
    // fails is told to the user. True when saved.
    [[nodiscard]] bool SaveConfig(const std::function<void(IniFile&)>& write);

    void LayOutShortcutTab();
    void WireRow(ui::Edit& text, ui::RadioGroup& sosa, std::int32_t row);
    void LoadRows(const IniFile& ini);
    void DestroyLastRow();
    void BlankRow0();
    std::wstring ChoiceName() const;
    std::wstring MainKeyName() const;
    void ShowHelp(const std::wstring& text);
    void EndShortCutCapture();

    // The controls of rows 1 and on, in row order.
    struct CreatedRow {
        std::unique_ptr<ui::Edit> Text;
        std::unique_ptr<ui::Image> Icon;
        std::unique_ptr<ui::RadioGroup> Sosa;
        std::unique_ptr<ui::Label> ShortCut;
    };
    std::vector<CreatedRow> CreatedRows;

    TDozedeR64Form& Main;
    TForm2& About;
};

} // namespace orvane
