#include "about/Form2.h"

#include "platform/Shell.h"
#include "platform/ui/Application.h"
#include "resources/Texts.h"

namespace orvane {
namespace {

constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Purple = RGB(128, 0, 128);

} // namespace

TForm2::TForm2(TDozedeR64Form& main)
    : ui::Form(&main), Label1(*this), Label2(*this), Image1(*this), LblURL(*this), Label3(*this),
      Main(main) {
    SetCaption(texts::AboutCaption);
    SetFixedBorder(true, false);
    SetFont(ui::Font{L"Tahoma", -11});
    SetClientSize(368, 194);
    CenterOnScreen();

    const struct {
        ui::Label& label;
        RECT bounds;
        const wchar_t* text;
        ui::Font font;
    } labels[] = {
        {Label1, {96, 24, 211, 35}, texts::AboutProduct, {L"Tahoma", -29, true, Black}},
        {Label2, {237, 65, 107, 29}, texts::AboutVersion, {L"Tahoma", -24, true, Black}},
        {LblURL, {42, 151, 279, 18}, texts::AuthorUrl, {L"Tahoma", -15, false, Black}},
        {Label3, {77, 120, 260, 25}, texts::AboutCredit, {L"Tahoma", -21, true, Purple}},
    };
    for (const auto& l : labels) {
        l.label.SetBounds(l.bounds.left, l.bounds.top, l.bounds.right, l.bounds.bottom);
        l.label.SetWordWrap(false);
        l.label.SetFont(l.font);
        l.label.SetText(l.text);
        // Over any label the pointer is not over the bare background.
        l.label.SetTakesPointer(true);
    }
    // The link is as wide as its address, so that it can be right-aligned.
    LblURL.SetAutoSize(true);
    LblURL.OnMouseMove = [this](int, int) { LblURLMouseMove(); };
    LblURL.OnClick = [this] { LblURLClick(); };

    Image1.SetBounds(8, 16, 64, 64);
    const platform::UniqueIcon emblem(static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, 64, 64, 0)));
    Image1.GetCanvas().FillRect({0, 0, 64, 64}, GetSysColor(COLOR_BTNFACE));
    if (emblem)
        DrawIconEx(Image1.GetCanvas().Dc(), 0, 0, emblem.Get(), 64, 64, 0, nullptr, DI_NORMAL);
    Image1.Changed();

    OnShow = [this] { FormShow(); };
    OnMouseMove = [this](UINT, int, int) { FormMouseMove(); };
}

// The main window outlives this one; it must not reach it while it goes.
TForm2::~TForm2() {
    if (Main.Form2 == this) Main.Form2 = nullptr;
}

void TForm2::FormShow() {
    LblURL.SetLeft(ClientWidth() - LblURL.Width() - 10);
}

void TForm2::FormMouseMove() {
    SetLinkColor(Black);
}

void TForm2::LblURLMouseMove() {
    SetLinkColor(Red);
}

void TForm2::SetLinkColor(COLORREF color) {
    ui::Font font = LblURL.GetFont();
    if (font.Color == color) return;
    font.Color = color;
    LblURL.SetFont(font);
}

void TForm2::LblURLClick() {
    if (platform::Use<platform::Shell>().Execute(Main.Handle(), L"open", LblURL.Text(),
                                                 SW_SHOWNORMAL) <= 32)
        ui::ShowMessage(texts::AuthorSiteFailed);
}

} // namespace orvane
