#include "board/Geometry.h"
#include "board/Placement.h"
#include "core/DozedeR64Form.h"
#include "core/WindowHelpers.h"
#include "operate/ClickForms.h"

#include <algorithm>
#include <vector>

namespace orvane {
namespace {

std::vector<std::wstring> SplitLines(const std::wstring& text) {
    std::vector<std::wstring> lines(1);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r' || text[i] == L'\n') {
            if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
            lines.emplace_back();
        } else {
            lines.back() += text[i];
        }
    }
    return lines;
}

std::wstring JoinLines(const std::vector<std::wstring>& lines) {
    std::wstring text;
    for (size_t i = 0; i < lines.size(); ++i) text += (i ? L"\r\n" : L"") + lines[i];
    return text;
}

} // namespace

void TDozedeR64Form::Image1MouseEnter() {
    ForceForeground(Handle());
    AMousePos = -1;
}

void TDozedeR64Form::Image1MouseMove(int X, int Y) {
    const std::int32_t previous = AMousePos;
    AMousePos = CellAt(X, Y, IconSize);
    if (AMousePos == previous) return;
    if (AMousePos < 0 || AMousePos > TotalBtnCount - 1 ||
        static_cast<size_t>(AMousePos) >= TrayNotify.size()) {
        LblHint.Hide();
        return;
    }
    const std::wstring& tip = ToolTip[static_cast<size_t>(AMousePos)];
    if (tip.empty()) {
        LblHint.Hide();
    } else {
        const std::vector<std::wstring> lines = SplitLines(tip);
        platform::WindowDc dc(LblHint.Handle());
        const platform::UniqueFont font = LblHint.GetFont().Create();
        const platform::Selected selected(dc.Get(), font.Get());
        int width = 0;
        for (const std::wstring& line : lines) {
            SIZE extent{};
            GetTextExtentPoint32W(dc.Get(), line.c_str(), static_cast<int>(line.size()), &extent);
            width = std::max<int>(width, extent.cx);
        }
        width = std::min(width, Image1.Width());
        // The label takes the height its wrapped text needs at that width.
        const std::wstring text = JoinLines(lines);
        RECT needed{0, 0, width, 0};
        DrawTextW(dc.Get(), text.c_str(), static_cast<int>(text.size()), &needed,
                  DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        const int height = needed.bottom;
        LblHint.SetText(text);
        const Point place =
            HintPosition({X, Y}, width, height, Image1.Width(), ScrollBox1.Height());
        LblHint.SetBounds(place.X, place.Y, width, height);
        SetWindowPos(LblHint.Handle(), HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        LblHint.Show();
    }
    // The program's own icons of the companion's applications want no pointer news.
    if (TrayNotify[static_cast<size_t>(AMousePos)].hWnd != Handle())
        PostCallbackForms(AMousePos, ClickKind::Hover);
}

void TDozedeR64Form::Image1MouseLeave() {
    POINT pointer{};
    GetCursorPos(&pointer);
    ScreenToClient(Handle(), &pointer);
    if (pointer.x < Image1.Left() || pointer.x > Image1.Left() + Image1.Width() ||
        pointer.y < Image1.Top() || pointer.y > Image1.Top() + Image1.Height()) {
        LblHint.Hide();
    }
}

} // namespace orvane
