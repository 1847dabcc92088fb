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
#include "platform/ui/Memo.h"
#include "platform/ui/PageControl.h"
#include "platform/ui/Panel.h"
#include "platform/ui/RadioGroup.h"

#include <cstdint>
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
    ui::FontDialog FontDialog1;

    // Inoperable-icon tab
    ui::Label Label5;
    ui::Memo Memo1;

    // Shortcut tab
    ui::Label Label4;
    ui::ComboBox ComboBox1;

    std::wstring SystemFontName;
    bool EditWriting = false;
    std::vector<TShortCutMainkey> ShortCutMainKey;
    std::int32_t ShortCutMainKeyNo = 0;

    void FormCreate();
    void FormShow();
    // Gives the control and everything inside it the face of the system's icon-title font.
    void ChangeFont(ui::Control& control);

    void BtnStartUpClick();
    void RadioGroupIconSizeClick();
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

    TDozedeR64Form& Main;
    TForm2& About;
};

} // namespace orvane
