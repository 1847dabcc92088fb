#include "core/WindowHelpers.h"
#include "platform/Monitor.h"
#include "platform/ui/Application.h"
#include "resources/Texts.h"
#include "settings/Form3.h"

namespace orvane {

void TForm3::ShowIconSize() {
    int index = 0;
    switch (Main.IconSize) {
    case 32:
        index = 3;
        break;
    case 48:
        index = 2;
        break;
    case 64:
        index = 1;
        break;
    default:
        BtnSetIconTipTextFontSize.SetEnabled(true);
        LblIconTipTextFontSize.SetText(std::to_wstring(Main.IconTipTextFontSize));
        LblIconTipTextFontSize.Show();
        break;
    }
    // Any other choice than the design's applies the size again and stores it.
    RadioGroupIconSize.SetItemIndex(index);
}

void TForm3::RadioGroupIconSizeClick() {
    const int index = RadioGroupIconSize.ItemIndex();
    switch (index) {
    case 0: {
        const RECT monitor = platform::PointerMonitor().rcMonitor;
        Main.IconSize = (monitor.right - monitor.left) / 10;
        Main.SetHintFontSize(Main.IconTipTextFontSize);
        break;
    }
    case 1:
        Main.IconSize = 64;
        Main.SetHintFontSize(18);
        break;
    case 2:
        Main.IconSize = 48;
        Main.SetHintFontSize(16);
        break;
    case 3:
        Main.IconSize = 32;
        Main.SetHintFontSize(12);
        break;
    default:
        return;
    }
    BtnSetIconTipTextFontSize.SetEnabled(index == 0);
    LblIconTipTextFontSize.SetVisible(index == 0);
    if (Main.TotalBtnCount > 0) Main.LayOutBoard();
    Main.ConfigFile().WriteInteger(L"IconSize", L"Value", Main.IconSize);
}

void TForm3::RadioGroupTrayRoadClick() {
    Main.TrayRoad = RadioGroupTrayRoad.ItemIndex();
    Main.ApplyTrayRoad();
    Main.ConfigFile().WriteInteger(L"TrayRoad", L"Value", Main.TrayRoad);
}

void TForm3::BtnSetIconTipTextFontSizeClick() {
    ui::Font font = FontDialog1.GetFont();
    font.Name = SystemFontName;
    font.SetSize(Main.IconTipTextFontSize);
    FontDialog1.SetFont(font);
    if (!FontDialog1.Execute(Handle())) return;
    Main.IconTipTextFontSize = FontDialog1.GetFont().Size();
    Main.SetHintFontSize(Main.IconTipTextFontSize);
    LblIconTipTextFontSize.SetText(std::to_wstring(Main.IconTipTextFontSize));
    Main.ConfigFile().WriteInteger(L"IconTipTextFontSize", L"Value", Main.IconTipTextFontSize);
}

bool TForm3::StoreCheckBox(const wchar_t* section, const ui::CheckBox& box) {
    if (Main.IsStart) return false;
    Main.ConfigFile().WriteBool(section, L"Value", box.Checked());
    return true;
}

void TForm3::CheckBoxClickNoMinimizeClick() {
    StoreCheckBox(L"ClickNoMinimize", CheckBoxClickNoMinimize);
}

void TForm3::CheckBoxRightClickNoMinimizeClick() {
    StoreCheckBox(L"RightClickNoMinimize", CheckBoxRightClickNoMinimize);
}

void TForm3::CheckBoxTimeOutNoMinimizeClick() {
    StoreCheckBox(L"TimeOutNoMiniMize", CheckBoxTimeOutNoMinimize);
}

void TForm3::CheckBoxHideTaskButtonClick() {
    if (!StoreCheckBox(L"HideTaskButton", CheckBoxHideTaskButton)) return;
    if (CheckBoxHideTaskButton.Checked())
        DeleteTaskButton(Main.Handle());
    else
        AddTaskButton(Main.Handle());
    BtnOKClick(&CheckBoxHideTaskButton);
}

void TForm3::ShowKeyMessage(const wchar_t* text) {
    Main.ShowKeySettingMessage(text);
}

void TForm3::BtnShowKeyChangeClick() {
    BtnShowKeyChange.SetEnabled(false);
    ShowKeyMessage(texts::PressNewShowKey);
    // The capture begins once the message is closed and ends only with an accepted key.
    Main.MainKeyChanging = true;
}

void TForm3::RadioGroupMainKeyClick() {
    const bool withCtrl = RadioGroupMainKey.ItemIndex() == 1;
    if (withCtrl && ComboBox1.ItemIndex() == 0) {
        ShowKeyMessage(texts::SingleKeyOnly);
        // Runs this handler again, which stores the single key.
        RadioGroupMainKey.SetItemIndex(0);
        return;
    }
    Main.MainKeyIsDouble = withCtrl;
    Main.ConfigFile().WriteBool(L"MainKey", L"IsDouble", Main.MainKeyIsDouble);
}

} // namespace orvane
