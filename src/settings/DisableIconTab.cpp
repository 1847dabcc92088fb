#include "resources/Texts.h"
#include "settings/Form3.h"

namespace orvane {
namespace {

constexpr COLORREF Yellow = RGB(255, 255, 0);

} // namespace

// An older layout kept a single entry under the key "Value".
void TForm3::ConvertOldDisableIcons(IniFile& ini) {
    if (!ini.ValueExists(L"DisableIconTipText", L"Value")) return;
    ini.WriteInteger(L"DisableIconCount", L"Value", 1);
    ini.WriteString(L"DisableIconTipText", L"0",
                    ini.ReadString(L"DisableIconTipText", L"Value", L""));
    ini.DeleteKey(L"DisableIconTipText", L"Value");
}

void TForm3::ReadDisableIcons(const IniFile& ini) {
    std::vector<std::wstring> lines;
    const std::int32_t count = ini.ReadCount(L"DisableIconCount", L"Value", L"DisableIconTipText");
    for (std::int32_t i = 0; i < count; ++i)
        lines.push_back(ini.ReadString(L"DisableIconTipText", std::to_wstring(i), L""));
    Memo1.SetLines(lines);
}

void TForm3::LayOutDisableIconTab() {
    Memo1.SetHint(texts::DisableIconHint);
    Label5.SetText(std::wstring(texts::DisableIconExplanation) + texts::DisableIconHint +
                   L"\r\n\r\n" + texts::DisableIconListTitle);
    Label5.SetWidth(695);
    Memo1.SetTop(Label5.Top() + Label5.Height() + 5);
    Memo1.SetHeight(TabSheetDisableIcon.ClientHeight() - 10 - Memo1.Top());
}

void TForm3::Memo1Change() {
    if (Main.IsStart) return;
    EditWriting = true;
    Memo1.SetColor(Yellow);
}

void TForm3::EndEditWriting() {
    EditWriting = false;
    Memo1.SetColor(GetSysColor(COLOR_WINDOW));
}

void TForm3::Memo1KeyDown(WORD& Key) {
    if (Key != VK_MENU) return;
    const std::vector<std::wstring> lines = Memo1.Lines();
    const bool saved = SaveConfig([&lines](IniFile& ini) {
        ini.WriteInteger(L"DisableIconCount", L"Value", static_cast<std::int32_t>(lines.size()));
        for (size_t i = 0; i < lines.size(); ++i)
            ini.WriteString(L"DisableIconTipText", std::to_wstring(i), lines[i]);
        for (size_t k = lines.size(); ini.ValueExists(L"DisableIconTipText", std::to_wstring(k));
             ++k)
            ini.DeleteKey(L"DisableIconTipText", std::to_wstring(k));
    });
    // Edits that could not be stored stay marked as such.
    if (saved) EndEditWriting();
}

} // namespace orvane
