#include "board/IconEx.h"
#include "companion/Protocol.h"
#include "core/DozedeR64Form.h"
#include "keyboard/ShortCutMainKeys.h"
#include "platform/ui/Application.h"
#include "platform/ui/TextLines.h"
#include "resources/Texts.h"
#include "settings/Form3.h"

#include <algorithm>
#include <climits>

namespace orvane {
namespace {

constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Yellow = RGB(255, 255, 0);
constexpr COLORREF White = RGB(255, 255, 255);
constexpr int ShortcutPage = 2;
constexpr wchar_t Section[] = L"ShortCut";

ui::Font Tahoma(int height, bool bold = false, COLORREF color = Black) {
    return ui::Font{L"Tahoma", height, bold, color};
}

void FitText(ui::Label& label, const std::wstring& text) {
    label.SetWordWrap(false);
    label.SetAutoSize(true);
    label.SetText(text);
}

std::vector<std::wstring> SosaItems() {
    return {texts::SosaClick, texts::SosaRightClick, texts::SosaDoubleClick};
}

std::wstring Numbered(const wchar_t* key, std::int32_t n) {
    return key + std::to_wstring(n);
}

std::wstring ReplaceAll(std::wstring text, const std::wstring& from, const std::wstring& to) {
    if (from.empty()) return text;
    for (size_t at = 0; (at = text.find(from, at)) != std::wstring::npos; at += to.size())
        text.replace(at, from.size(), to);
    return text;
}

// The tip line a new row starts with: the companion's and this program's own icons carry
// the application's name in their second line.
std::wstring RowTextFromTip(const std::wstring& tip, bool ownIcon) {
    const std::vector<std::wstring> lines = ui::SplitLines(tip);
    if (lines.empty()) return {};
    return lines[lines.size() >= 2 && ownIcon ? 1 : 0];
}

// A stored key that no key can have reads as none, so the row asks for one.
std::uint16_t StoredKey(std::int32_t value) {
    return value > 0 && value <= 254 ? static_cast<std::uint16_t>(value) : 0;
}

// Focus goes to the chosen button; focusing an unchosen radio button would choose it.
void FocusGroup(ui::RadioGroup& group) {
    ::SetFocus(group.ItemHandle(std::max(0, group.ItemIndex())));
}

void CopyPicture(ui::Image& from, ui::Image& to) {
    to.ClearPicture();
    if (!from.HasPicture()) return;
    to.GetCanvas().Draw(0, 0, from.Picture());
    to.Changed();
}

} // namespace

void TForm3::LayOutShortcutTab() {
    Label4.SetBounds(443, 11, 0, 0);
    Label4.SetFont(Tahoma(-13, true));
    FitText(Label4, texts::ShortCutMainKeyLabel);
    ComboBox1.SetBounds(496, 3, 201, 300);
    std::vector<std::wstring> names;
    for (const ShortCutMainKeyChoice& choice : ShortCutMainKeyChoices)
        names.push_back(choice.KeyName);
    ComboBox1.SetItems(names);
    ComboBox1.SetItemIndexSilently(0);
    ComboBox1.OnChange = [this] { ComboBox1Change(); };

    Label1.SetBounds(32, 24, 141, 28);
    Label1.SetFont(Tahoma(-12, true));
    Label1.SetAutoSize(true);
    Label1.SetText(texts::ShortCutTipTextTitle);
    Label2.SetBounds(272, 50, 0, 0);
    Label2.SetFont(Tahoma(-13, true));
    FitText(Label2, texts::ShortCutSosaTitle);
    Label3.SetBounds(487, 50, 0, 0);
    Label3.SetFont(Tahoma(-13, true));
    FitText(Label3, texts::ShortCutKeyTitle);
    ScrollBox1.SetBounds(0, 72, 701, 265);

    ImgIcon0.SetBounds(0, 3, 32, 32);
    Edit1.SetBounds(32, 3, 122, 33);
    Edit1.SetFont(Tahoma(-12));
    Edit1.SetHint(texts::ShortCutEditHint);
    RadioGroup1.SetBounds(160, 3, 321, 33);
    RadioGroup1.SetFont(Tahoma(-11));
    RadioGroup1.SetColumns(3);
    RadioGroup1.SetItems(SosaItems());
    RadioGroup1.SetItemIndexSilently(0);
    LblShortCut0.SetBounds(487, 13, 42, 16);
    FitText(LblShortCut0, L"[Ctrl] +");
    ImgIcon0.Tag = LblShortCut0.Tag = 0;
    WireRow(Edit1, RadioGroup1, 0);
    ImgIcon = {&ImgIcon0};
    EditIconText = {&Edit1};
    RadioGroupSosa = {&RadioGroup1};
    LblShortCut = {&LblShortCut0};

    LblHelp.SetBounds(3, 350, 425, 32);
    LblHelp.SetFont(Tahoma(-13, false, Red));
    LblHelp.SetAutoSize(true);
    LblHelp.SetText(texts::ShortCutHelp);
    BtnOK.SetBounds(513, 350, 73, 33);
    BtnOK.SetFont(Tahoma(-16));
    BtnOK.SetText(L"OK");
    BtnOK.OnClick = [this] { BtnOKClick(&BtnOK); };
    BtnCancel.SetBounds(600, 350, 93, 33);
    BtnCancel.SetFont(Tahoma(-16));
    BtnCancel.SetText(texts::CancelButton);
    BtnCancel.OnClick = [this] { BtnCancelClick(); };

    PopupMenu1.Add(MenuDel);
    PopupMenu1.Add(MenuChangeShortCutKey);
    MenuDel.OnClick = [this] { MenuDelClick(); };
    MenuChangeShortCutKey.OnClick = [this] { MenuChangeShortCutKeyClick(); };
    PageControl1.OnChange = [this] {
        if (PageControl1.ActivePageIndex() == ShortcutPage) TabSheetShortcutEnter();
    };
}

void TForm3::WireRow(ui::Edit& text, ui::RadioGroup& sosa, std::int32_t row) {
    text.Tag = sosa.Tag = row;
    text.ContextMenu = &PopupMenu1;
    text.OnChange = [this] { EditIconTextChange(); };
    text.OnMouseUp = [this, &text](ui::MouseButton button, UINT, int, int) {
        EditIconTextMouseUp(text, button);
    };
    sosa.OnClick = [this] { RadioGroupSosaClick(); };
}

void TForm3::CreateControl(std::int32_t N) {
    // Each row is placed below the one before it.
    if (N < 1 || N != std::ssize(EditIconText)) return;
    const std::size_t above = static_cast<std::size_t>(N - 1);
    CreatedRow row{std::make_unique<ui::Edit>(ScrollBox1), std::make_unique<ui::Image>(ScrollBox1),
                   std::make_unique<ui::RadioGroup>(ScrollBox1),
                   std::make_unique<ui::Label>(ScrollBox1)};

    ui::Edit& text = *row.Text;
    text.SetBounds(Edit1.Left(), EditIconText[above]->Top() + Edit1.Height() + 5, Edit1.Width(),
                   Edit1.Height());
    text.SetFont(Edit1.GetFont());
    text.SetHint(Edit1.HintText());

    ui::Image& icon = *row.Icon;
    icon.SetBounds(ImgIcon0.Left(), text.Top(), ImgIcon0.Width(), ImgIcon0.Height());
    icon.Tag = N;

    ui::RadioGroup& sosa = *row.Sosa;
    sosa.SetBounds(RadioGroup1.Left(), RadioGroupSosa[above]->Top() + RadioGroup1.Height() + 5,
                   RadioGroup1.Width(), RadioGroup1.Height());
    sosa.SetFont(RadioGroup1.GetFont());
    sosa.SetColumns(3);
    sosa.SetItems(SosaItems());
    sosa.SetItemIndexSilently(0);

    ui::Label& label = *row.ShortCut;
    label.SetBounds(LblShortCut0.Left(), sosa.Top() + 8, LblShortCut0.Width(),
                    LblShortCut0.Height());
    label.SetFont(LblShortCut0.GetFont());
    FitText(label, ChoiceName() + L" +");
    label.Tag = N;

    WireRow(text, sosa, N);
    ImgIcon.push_back(&icon);
    EditIconText.push_back(&text);
    RadioGroupSosa.push_back(&sosa);
    LblShortCut.push_back(&label);
    CreatedRows.push_back(std::move(row));
}

void TForm3::DestroyLastRow() {
    if (CreatedRows.empty()) return;
    CreatedRow& row = CreatedRows.back();
    // Hidden first, so that the scroll range no longer counts them.
    for (ui::Control* control : std::initializer_list<ui::Control*>{
             row.Text.get(), row.Icon.get(), row.Sosa.get(), row.ShortCut.get()})
        control->Hide();
    ImgIcon.pop_back();
    EditIconText.pop_back();
    RadioGroupSosa.pop_back();
    LblShortCut.pop_back();
    CreatedRows.pop_back();
}

void TForm3::BlankRow0() {
    ImgIcon0.ClearPicture();
    Edit1.SetText(L"");
    RadioGroup1.SetItemIndex(0);
    LblShortCut0.SetText(ChoiceName() + L" +");
}

std::wstring TForm3::ChoiceName() const {
    return ComboBox1.Item(ComboBox1.ItemIndex());
}

std::wstring TForm3::MainKeyName() const {
    if (ShortCutMainKeyNo >= 0 && ShortCutMainKeyNo < std::ssize(ShortCutMainKey))
        return ShortCutMainKey[static_cast<std::size_t>(ShortCutMainKeyNo)].KeyName;
    const ShortCutMainKeyChoice* choice = ShortCutChoice(ShortCutMainKeyNo);
    return choice ? choice->KeyName : L"";
}

void TForm3::ShowHelp(const std::wstring& text) {
    LblHelp.SetWidth(BtnOK.Left() - 5 - LblHelp.Left());
    LblHelp.SetText(text);
}

void TForm3::EndShortCutCapture() {
    ShortCutSetting = false;
    ShortCutChanging = false;
    ShowHelp(texts::ShortCutHelp);
}

void TForm3::FormShow() {
    const IniFile ini = Main.ConfigFile();
    if (!ini.Exists()) {
        ConfigLoaded = true;
        return;
    }
    LoadRows(ini);
}

void TForm3::LoadRows(const IniFile& ini) {
    ConfigLoaded = false;
    const std::int32_t count = ini.ReadCount(Section, L"Count", Section);
    for (std::int32_t n = static_cast<std::int32_t>(EditIconText.size()); n < count; ++n)
        CreateControl(n);
    while (std::ssize(EditIconText) > std::max(count, 1)) DestroyLastRow();
    ShortCutCount = count;
    ShortCutKey.assign(static_cast<std::size_t>(count), 0);
    // A new row waiting for its key is never in the file: the awaited key would otherwise
    // go to the saved row that now stands in its place.
    if (ShortCutSetting && (!ShortCutChanging || SelectedShortCutNo >= count)) EndShortCutCapture();

    // A modifier outside the list reads as the first, "[Ctrl]".
    const std::int32_t stored = ini.ReadInteger(Section, L"MainKeyNo", 0);
    ComboBox1.SetItemIndexSilently(stored >= 0 && stored < ComboBox1.ItemCount() ? stored : 0);
    ShortCutMainKeyNo = ComboBox1.ItemIndex();

    if (count <= 0) BlankRow0();
    for (std::int32_t r = 0; r < count; ++r) {
        const std::size_t row = static_cast<std::size_t>(r);
        const std::wstring text = ini.ReadString(Section, Numbered(L"Text", r), L"");
        EditIconText[row]->SetText(text);
        // Without a matching icon the row keeps its picture.
        if (const std::int32_t j = Main.FindTipEntry(text); j >= 0)
            Main.SetForm3_ImgIconPicture(j, r);
        const std::int32_t sosa = ini.ReadInteger(Section, Numbered(L"Sosa", r), 0);
        RadioGroupSosa[row]->SetItemIndex(sosa >= 0 && sosa <= 2 ? sosa : 0);
        ShortCutKey[row] = StoredKey(ini.ReadInteger(Section, Numbered(L"Key", r), 0));
        LblShortCut[row]->SetText(ini.ReadString(Section, Numbered(L"KeyName", r), L""));
        if (!(ShortCutSetting && r == SelectedShortCutNo)) LblShortCut[row]->ResetColor();
    }
    ConfigLoaded = true;
}

void TForm3::EditIconTextMouseUp(const ui::Control& Sender, ui::MouseButton Button) {
    if (Button == ui::MouseButton::Right)
        SelectedShortCutNo = static_cast<std::int32_t>(Sender.Tag);
}

void TForm3::EditIconTextChange() {
    if (ConfigLoaded) ConfigChanged = true;
}

void TForm3::RadioGroupSosaClick() {
    if (ConfigLoaded) ConfigChanged = true;
}

void TForm3::TabSheetShortcutEnter() {
    EditIconText.front()->SetFocus();
}

void TForm3::ComboBox1Change() {
    if (!ConfigLoaded) return;
    const int c = ComboBox1.ItemIndex();
    if (c < 0 || c >= std::ssize(ShortCutMainKey)) return;
    const TShortCutMainkey& choice = ShortCutMainKey[static_cast<std::size_t>(c)];
    if (choice.Key[0] == Main.MainKey || (choice.Key[1] != 0 && choice.Key[1] == Main.MainKey)) {
        ui::ShowMessage(texts::SameKeyAsShowKey);
        ComboBox1.SetItemIndexSilently(ShortCutMainKeyNo);
        return;
    }
    if (c == 0 && Main.MainKeyIsDouble) {
        ui::ShowMessage(texts::CtrlUsedByShowKey);
        ComboBox1.SetItemIndexSilently(ShortCutMainKeyNo);
        return;
    }
    const std::wstring before = MainKeyName(), after = ComboBox1.Item(c);
    for (ui::Label* label : LblShortCut) label->SetText(ReplaceAll(label->Text(), before, after));
    ui::App().ProcessMessages();
    ShortCutMainKeyNo = c;
    ConfigChanged = true;
}

void TForm3::MenuChangeShortCutKeyClick() {
    if (ShortCutSetting) return;
    const std::int32_t r = SelectedShortCutNo;
    // The blank row of an empty list holds no shortcut whose key could change.
    if (r < 0 || r >= ShortCutCount) return;
    ShortCutSetting = true;
    ShortCutChanging = true;
    LblShortCut[static_cast<std::size_t>(r)]->SetColor(Yellow);
    ShowHelp(ChoiceName() + texts::ShortCutHelpPressKey);
    FocusGroup(*RadioGroupSosa[static_cast<std::size_t>(r)]);
}

void TForm3::MenuDelClick() {
    const std::int32_t d = SelectedShortCutNo;
    if (d < 0 || d >= std::max(ShortCutCount, 1)) return;
    if (ShortCutSetting) EndShortCutCapture();
    for (std::int32_t i = d; i <= ShortCutCount - 2; ++i) {
        const std::size_t to = static_cast<std::size_t>(i), from = to + 1;
        CopyPicture(*ImgIcon[from], *ImgIcon[to]);
        EditIconText[to]->SetText(EditIconText[from]->Text());
        RadioGroupSosa[to]->SetItemIndex(RadioGroupSosa[from]->ItemIndex());
        LblShortCut[to]->SetText(LblShortCut[from]->Text());
        ShortCutKey[to] = ShortCutKey[from];
    }
    if (ShortCutCount < 2)
        BlankRow0();
    else
        DestroyLastRow();
    ShortCutCount = std::max(ShortCutCount - 1, 0);
    ShortCutKey.resize(static_cast<std::size_t>(ShortCutCount));
    // After the rows are settled: what the pending messages run finds them consistent.
    ui::App().ProcessMessages();
    BtnOKClick(&MenuDel);
}

void TForm3::BtnOKClick(const void* Sender) {
    // Rows not read from the file, or read only in part, would overwrite the stored ones.
    if (!ConfigLoaded) return;
    const std::int32_t count = std::max(ShortCutCount, 0);
    for (std::int32_t k = 0; k < count; ++k) {
        const std::size_t row = static_cast<std::size_t>(k);
        if (row < ShortCutKey.size() && ShortCutKey[row] != 0) continue;
        ui::ShowMessage(texts::NoShortCutKey);
        if (row < LblShortCut.size()) LblShortCut[row]->SetColor(Red);
        return;
    }

    std::vector<TShortCutConfig> config;
    for (std::int32_t j = 0; j < count; ++j) {
        const std::size_t row = static_cast<std::size_t>(j);
        config.push_back({EditIconText[row]->Text(), RadioGroupSosa[row]->ItemIndex(),
                          ShortCutKey[row], LblShortCut[row]->Text(), ShortCutMainKeyNo});
    }
    const bool saved = SaveConfig([&](IniFile& ini) {
        ini.WriteInteger(Section, L"Count", count);
        for (std::int32_t j = 0; j < count; ++j) {
            const TShortCutConfig& entry = config[static_cast<std::size_t>(j)];
            ini.WriteString(Section, Numbered(L"Text", j), entry.IconText);
            ini.WriteInteger(Section, Numbered(L"Sosa", j), entry.Sosa);
            ini.WriteInteger(Section, Numbered(L"Key", j), static_cast<std::int32_t>(entry.Key));
            ini.WriteString(Section, Numbered(L"KeyName", j), entry.KeyName);
        }
        // The entries of deleted rows; a missing entry right at the end is stepped over once.
        for (std::int32_t b = count;;) {
            if (ini.ValueExists(Section, Numbered(L"Text", b))) {
                for (const wchar_t* key : {L"Text", L"Sosa", L"Key", L"KeyName"})
                    ini.DeleteKey(Section, Numbered(key, b));
            }
            ++b;
            if (!ini.ValueExists(Section, Numbered(L"Text", b))) break;
        }
        ini.WriteInteger(Section, L"MainKeyNo", ShortCutMainKeyNo);
    });
    // The rows on screen are not stored: the shortcuts in force stay, and so does the mark.
    if (!saved) {
        ConfigChanged = true;
        return;
    }

    // The hot keys in force belong to the shortcuts being replaced.
    Main.StopHotKey();
    Main.ShortCutConfigCount = count;
    Main.ShortCutConfig = std::move(config);
    if (count > 0 && IsHotKeyChoice(ShortCutMainKeyNo)) Main.StartHotKey();
    ConfigChanged = false;
    if (Sender == &BtnOK) Close();
}

void TForm3::BtnCancelClick() {
    ConfigChanged = false;
    Close();
}

void TForm3::FormCloseQuery(bool& CanClose) {
    CanClose = true;
    if (!ConfigChanged) return;
    if (ui::AskYesNo(texts::SaveChangedSettings)) {
        // The window closes whatever becomes of the save.
        ui::Guarded([this] { BtnOKClick(this); });
    } else {
        BtnCancelClick();
    }
}

void TForm3::AcceptShortCutKey(std::uint16_t vk, const std::wstring& name) {
    if (!ShortCutSetting) return;
    const std::int32_t r = ShortCutChanging ? SelectedShortCutNo : ShortCutCount - 1;
    if (r < 0 || r >= ShortCutCount || r >= std::ssize(LblShortCut) ||
        r >= std::ssize(ShortCutKey)) {
        EndShortCutCapture();
        return;
    }
    const std::size_t row = static_cast<std::size_t>(r);
    ui::Label& label = *LblShortCut[row];
    label.ResetColor();
    label.SetText(MainKeyName() + L" + [" + name + L"]");
    ShortCutKey[row] = vk;
    if (ShortCutChanging) {
        ShortCutChanging = false;
        ConfigChanged = true;
    }
    BtnOKClick(&Main);
    ShortCutSetting = false;
    ShowHelp(texts::ShortCutHelp);
}

// A click on the board while the shortcut tab is in front starts a new row for that icon.
void TDozedeR64Form::Image1Click() {
    if (!Form3) return;
    TForm3& settings = *Form3;
    const std::int32_t icons =
        std::min({TotalBtnCount, static_cast<std::int32_t>(TrayNotify.size()),
                  static_cast<std::int32_t>(ToolTip.size())});
    if (!settings.Visible() || settings.PageControl1.ActivePageIndex() != ShortcutPage ||
        icons <= 0 || AMousePos < 0 || AMousePos >= icons || settings.ShortCutSetting)
        return;
    const std::int32_t icon = AMousePos;

    const std::int32_t r = std::max(settings.ShortCutCount, 0);
    const std::size_t row = static_cast<std::size_t>(r);
    if (r > 0) settings.CreateControl(r);
    if (row >= settings.EditIconText.size()) return;
    settings.ShortCutSetting = true;
    settings.ShortCutChanging = false;
    settings.ShortCutCount = r + 1;
    settings.ShortCutKey.resize(static_cast<std::size_t>(settings.ShortCutCount));
    settings.ShortCutKey[row] = 0;
    SetForm3_ImgIconPicture(icon, r);

    const HWND owner = TrayNotify[static_cast<std::size_t>(icon)].hWnd;
    const bool ownIcon = owner && (owner == KestrinWnd || owner == Handle());
    ui::Edit& text = *settings.EditIconText[row];
    text.SetText(RowTextFromTip(ToolTip[static_cast<std::size_t>(icon)], ownIcon));
    if (text.Top() + text.Height() > settings.ScrollBox1.Height())
        settings.ScrollBox1.ScrollTo(settings.ScrollBox1.ScrollX(), INT_MAX);

    FocusGroup(*settings.RadioGroupSosa[row]);
    settings.LblShortCut[row]->SetColor(Yellow);
    const std::wstring choice = settings.ComboBox1.Item(settings.ComboBox1.ItemIndex());
    settings.LblHelp.SetWidth(settings.BtnOK.Left() - 5 - settings.LblHelp.Left());
    settings.LblHelp.SetText(texts::ShortCutHelpChooseSosa + choice + texts::ShortCutHelpPressKey);
    settings.ConfigChanged = true;
}

void TDozedeR64Form::SetForm3_ImgIconPicture(std::int32_t FromNo, std::int32_t ToNo) {
    if (!Form3 || FromNo < 0 || FromNo >= std::ssize(TrayNotify) || ToNo < 0 ||
        ToNo >= std::ssize(Form3->ImgIcon))
        return;
    ui::Image& image = *Form3->ImgIcon[static_cast<std::size_t>(ToNo)];
    image.ClearPicture();
    ui::Canvas& canvas = image.GetCanvas();
    canvas.FillRect({0, 0, image.Picture().Width(), image.Picture().Height()}, White);
    TIconEx picture;
    KestrinWnd = FindWindowW(protocol::CompanionClass, nullptr);
    const TTrayNotify& entry = TrayNotify[static_cast<std::size_t>(FromNo)];
    HICON handle = nullptr;
    // One of the companion's items, numbered by the icon's identifier, shows its program.
    if (entry.hWnd && (entry.hWnd == KestrinWnd || entry.hWnd == Handle()) &&
        entry.uID < KestrinItem.size()) {
        handle = ItemAppIcon(static_cast<std::int32_t>(entry.uID));
    } else if (entry.hIcon) {
        // The snapshot's handle stays its program's; the picture takes a copy.
        handle = CopyIcon(entry.hIcon);
    }
    if (handle) {
        try {
            picture.SetHandle(handle);
            picture.SetWidth(32);
            picture.SetHeight(32);
            picture.Draw(canvas, {0, 0, 32, 32});
        } catch (const EIconExError&) {
            // A handle that cannot be read leaves the row without an icon.
        }
    }
    image.Changed();
}

} // namespace orvane
