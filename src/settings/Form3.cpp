#include "settings/Form3.h"

#include "about/Form2.h"
#include "keyboard/ShortCutMainKeys.h"
#include "platform/ScopedFlag.h"
#include "platform/ui/Application.h"
#include "resources/Texts.h"

namespace orvane {
namespace {

constexpr COLORREF Red = RGB(255, 0, 0);

std::wstring IconTitleFontName() {
    LOGFONTW font{};
    SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0);
    return font.lfFaceName;
}

ui::Font Tahoma(int height, COLORREF color = RGB(0, 0, 0), bool bold = false) {
    return ui::Font{L"Tahoma", height, bold, color};
}

void FitText(ui::Label& label, const std::wstring& text) {
    label.SetWordWrap(false);
    label.SetAutoSize(true);
    label.SetText(text);
}

} // namespace

TForm3::TForm3(TDozedeR64Form& main, TForm2& about)
    : ui::Form(&main), PageControl1(*this), TabSheetMain(PageControl1, texts::TabMain),
      TabSheetDisableIcon(PageControl1, texts::TabDisableIcon),
      TabSheetShortcut(PageControl1, texts::TabShortcut), BtnStartUp(TabSheetMain),
      RadioGroupIconSize(TabSheetMain), CheckBoxClickNoMinimize(TabSheetMain),
      CheckBoxRightClickNoMinimize(TabSheetMain), CheckBoxTimeOutNoMinimize(TabSheetMain),
      CheckBoxHideTaskButton(TabSheetMain), Panel1(TabSheetMain), RadioGroupMainKey(Panel1),
      LblMainKey(Panel1), BtnShowKeyChange(Panel1), BtnSetIconTipTextFontSize(TabSheetMain),
      LblIconTipTextFontSize(TabSheetMain), RadioGroupTrayRoad(TabSheetMain),
      Label5(TabSheetDisableIcon), Memo1(TabSheetDisableIcon), Label4(TabSheetShortcut),
      ComboBox1(TabSheetShortcut), Label1(TabSheetShortcut), Label2(TabSheetShortcut),
      Label3(TabSheetShortcut), ScrollBox1(TabSheetShortcut), ImgIcon0(ScrollBox1),
      Edit1(ScrollBox1), RadioGroup1(ScrollBox1), LblShortCut0(ScrollBox1),
      LblHelp(TabSheetShortcut), BtnOK(TabSheetShortcut), BtnCancel(TabSheetShortcut),
      MenuDel(texts::MenuDel), MenuChangeShortCutKey(texts::MenuChangeShortCutKey), Main(main),
      About(about) {
    LayOutControls();
    OnShow = [this] { FormShow(); };
    OnCloseQuery = [this](bool& canClose) { FormCloseQuery(canClose); };
}

bool TForm3::SaveConfig(const std::function<void(IniFile&)>& write) {
    const IniFile file = Main.ConfigFile();
    try {
        IniEdit edit(file);
        write(edit.File());
        edit.Commit();
        return true;
    } catch (const ProfileWriteError&) {
        ui::ShowMessage(texts::ConfigSaveFailed + file.Path());
        return false;
    }
}

// The main window outlives this one; it must not reach it while it goes.
TForm3::~TForm3() {
    if (Main.Form3 == this) Main.Form3 = nullptr;
}

// The design state, before the settings are read.
void TForm3::LayOutControls() {
    SetCaption(texts::SettingsCaption);
    SetFixedBorder(false, false);
    SetFont(Tahoma(-13));
    SetClientSize(732, 467);
    CenterOnScreen();
    TabNavigation = true;
    PageControl1.SetBounds(5, 8, 721, 448);

    BtnStartUp.SetBounds(8, 8, 185, 25);
    BtnStartUp.SetText(texts::StartUpRegister);
    BtnStartUp.OnClick = [this] { BtnStartUpClick(); };

    RadioGroupIconSize.SetBounds(8, 48, 257, 41);
    RadioGroupIconSize.SetCaption(texts::IconSizeCaption);
    RadioGroupIconSize.SetColumns(4);
    RadioGroupIconSize.SetItems({texts::IconSizeLargest, texts::IconSizeLarge,
                                 texts::IconSizeMiddle, texts::IconSizeSmall});
    RadioGroupIconSize.SetItemIndexSilently(1);
    RadioGroupIconSize.OnClick = [this] { RadioGroupIconSizeClick(); };
    RadioGroupTrayRoad.SetBounds(8, 364, 600, 41);
    RadioGroupTrayRoad.SetCaption(texts::TrayRoadCaption);
    RadioGroupTrayRoad.SetColumns(3);
    RadioGroupTrayRoad.SetItems(
        {texts::TrayRoadAuto, texts::TrayRoadToolbar, texts::TrayRoadCollector});
    RadioGroupTrayRoad.SetItemIndexSilently(0);
    RadioGroupTrayRoad.OnClick = [this] { RadioGroupTrayRoadClick(); };

    const struct {
        ui::CheckBox& box;
        int top;
        const wchar_t* caption;
        void (TForm3::*click)();
    } boxes[] = {
        {CheckBoxClickNoMinimize, 104, texts::ClickNoMinimize,
         &TForm3::CheckBoxClickNoMinimizeClick},
        {CheckBoxRightClickNoMinimize, 136, texts::RightClickNoMinimize,
         &TForm3::CheckBoxRightClickNoMinimizeClick},
        {CheckBoxTimeOutNoMinimize, 168, texts::TimeOutNoMinimize,
         &TForm3::CheckBoxTimeOutNoMinimizeClick},
        {CheckBoxHideTaskButton, 193, texts::HideTaskButton, &TForm3::CheckBoxHideTaskButtonClick},
    };
    for (const auto& b : boxes) {
        b.box.SetBounds(8, b.top, 569, 33);
        b.box.SetText(b.caption);
        b.box.OnClick = [this, click = b.click] { (this->*click)(); };
    }

    Panel1.SetBounds(8, 232, 497, 89);
    RadioGroupMainKey.SetBounds(3, 0, 150, 74);
    RadioGroupMainKey.SetCaption(texts::MainKeyCaption);
    RadioGroupMainKey.SetItems({texts::MainKeySingle, texts::MainKeyWithCtrl});
    RadioGroupMainKey.SetItemIndexSilently(0);
    RadioGroupMainKey.OnClick = [this] { RadioGroupMainKeyClick(); };
    LblMainKey.SetBounds(170, 26, 0, 0);
    LblMainKey.SetFont(Tahoma(-16));
    FitText(LblMainKey, L"[F4]");
    BtnShowKeyChange.SetBounds(312, 32, 173, 25);
    BtnShowKeyChange.SetText(std::wstring(texts::ShowKeyChangeBefore) + L"F4" +
                             texts::ShowKeyChangeAfter);
    BtnShowKeyChange.OnClick = [this] { BtnShowKeyChangeClick(); };

    BtnSetIconTipTextFontSize.SetBounds(3, 327, 353, 25);
    BtnSetIconTipTextFontSize.SetText(texts::SetIconTipTextFontSize);
    BtnSetIconTipTextFontSize.SetEnabled(false);
    BtnSetIconTipTextFontSize.OnClick = [this] { BtnSetIconTipTextFontSizeClick(); };
    LblIconTipTextFontSize.SetBounds(376, 333, 0, 0);
    LblIconTipTextFontSize.SetFont(Tahoma(-16, Red));
    FitText(LblIconTipTextFontSize, L"20");
    LblIconTipTextFontSize.Hide();
    FontDialog1.ShowEffects = true;
    FontDialog1.NoStyleSel = true;

    Label5.SetBounds(3, 3, 695, 0);
    Label5.SetFont(Tahoma(-13, Red));
    Label5.SetAutoSize(true);
    Label5.SetText(texts::DisableIconDesignLabel);
    Memo1.SetBounds(0, 65, 694, 320);
    Memo1.SetLines({L""});
    Memo1.SetHint(texts::DisableIconDesignHint);
    Memo1.OnChange = [this] { Memo1Change(); };
    Memo1.OnKeyDown = [this](WORD& key) { Memo1KeyDown(key); };

    LayOutShortcutTab();
}

void TForm3::FormCreate() {
    // However the creation ends, later changes of the settings are written.
    const platform::ScopedFlag starting(Main.IsStart);
    ShortCutMainKey.clear();
    for (const ShortCutMainKeyChoice& choice : ShortCutMainKeyChoices)
        ShortCutMainKey.push_back({{choice.First, choice.Second}, choice.KeyName});

    ShowStartUpState();

    std::wstring name = L"F4";
    IniFile ini = Main.ConfigFile();
    if (ini.Exists()) {
        ConvertOldDisableIcons(ini);
        CheckBoxClickNoMinimize.SetChecked(ini.ReadBool(L"ClickNoMinimize", L"Value", false));
        if (ini.ValueExists(L"RightClickMinimize", L"Value")) {
            ini.WriteBool(L"RightClickNoMinimize", L"Value",
                          !ini.ReadBool(L"RightClickMinimize", L"Value", true));
            ini.EraseSection(L"RightClickMinimize");
        }
        CheckBoxRightClickNoMinimize.SetChecked(
            ini.ReadBool(L"RightClickNoMinimize", L"Value", false));
        CheckBoxHideTaskButton.SetChecked(ini.ReadBool(L"HideTaskButton", L"Value", false));
        CheckBoxTimeOutNoMinimize.SetChecked(ini.ReadBool(L"TimeOutNoMiniMize", L"Value", false));
        ReadDisableIcons(ini);
        name = ini.ReadString(L"MainKey", L"Name", L"F4");
        LblMainKey.SetText(L"[" + name + L"]");
        // The stored mode is no choice of the user's: no checks, no message, no write.
        RadioGroupMainKey.SetItemIndexSilently(Main.MainKeyIsDouble ? 1 : 0);
    } else {
        ShortCutMainKeyNo = 0;
    }
    BtnShowKeyChange.SetText(texts::ShowKeyChangeBefore + name + texts::ShowKeyChangeAfter);

    ShowIconSize();
    RadioGroupTrayRoad.SetItemIndexSilently(Main.TrayRoad);

    SystemFontName = IconTitleFontName();
    ChangeFont(Main);
    ChangeFont(About);
    ChangeFont(*this);
    ui::App().ProcessMessages();

    LayOutDisableIconTab();
}

void TForm3::ChangeFont(ui::Control& control) {
    const auto giveFace = [this](ui::Control& target) {
        ui::Font font = target.GetFont();
        font.Name = SystemFontName;
        target.SetFont(font);
    };
    ui::App().ProcessMessages();
    giveFace(control);
    // By index: pending messages may run handlers that add controls.
    for (size_t i = 0; i < control.Children().size(); ++i) {
        ui::App().ProcessMessages();
        if (i >= control.Children().size()) break;
        ui::Control& child = *control.Children()[i];
        if (child.Children().empty())
            giveFace(child);
        else
            ChangeFont(child);
    }
}

} // namespace orvane
