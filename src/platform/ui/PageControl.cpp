#include "platform/ui/PageControl.h"

#include <algorithm>

namespace orvane::ui {

PageControl::PageControl(Control& parent) {
    Params params =
        ChildOf(parent, WC_TABCONTROLW, WS_TABSTOP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, true);
    params.ExStyle = WS_EX_CONTROLPARENT;
    Create(params);
}

int PageControl::ActivePageIndex() const {
    return static_cast<int>(SendMessageW(Handle(), TCM_GETCURSEL, 0, 0));
}

void PageControl::SetActivePageIndex(int index) {
    const int before = ActivePageIndex();
    SendMessageW(Handle(), TCM_SETCURSEL, index, 0);
    ShowActivePage();
    if (ActivePageIndex() != before && OnChange) OnChange();
}

void PageControl::AddPage(TabSheet& page, const std::wstring& caption) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(caption.c_str());
    SendMessageW(Handle(), TCM_INSERTITEMW, pages_.size(), reinterpret_cast<LPARAM>(&item));
    pages_.push_back(&page);
    if (ActivePageIndex() < 0) SendMessageW(Handle(), TCM_SETCURSEL, 0, 0);
}

void PageControl::RemovePage(TabSheet& page) {
    const auto found = std::find(pages_.begin(), pages_.end(), &page);
    if (found == pages_.end()) return;
    SendMessageW(Handle(), TCM_DELETEITEM, found - pages_.begin(), 0);
    pages_.erase(found);
}

void PageControl::PlacePages() {
    RECT area;
    GetClientRect(Handle(), &area);
    SendMessageW(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    for (TabSheet* page : pages_)
        page->SetBounds(area.left, area.top, area.right - area.left, area.bottom - area.top);
}

void PageControl::ShowActivePage() {
    const int active = ActivePageIndex();
    for (int i = 0; i < PageCount(); ++i) Page(i).SetVisible(i == active);
}

std::optional<LRESULT> PageControl::Notify(const NMHDR& header) {
    if (header.code != TCN_SELCHANGE) return std::nullopt;
    ShowActivePage();
    if (OnChange) OnChange();
    return 0;
}

LRESULT PageControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
    case WM_SETFONT: {
        // The tabs' height follows the font.
        const LRESULT result = Control::WndProc(message, wParam, lParam);
        PlacePages();
        return result;
    }
    default:
        break;
    }
    return Control::WndProc(message, wParam, lParam);
}

TabSheet::TabSheet(PageControl& pages, const std::wstring& caption)
    : pages_(pages), caption_(caption) {
    Params params = ChildOf(pages, OwnClass(L"OrvaneTabSheet"), WS_CLIPCHILDREN, false);
    params.ExStyle = WS_EX_CONTROLPARENT;
    params.PaintBackground = true;
    Create(params);
    pages_.AddPage(*this, caption);
    pages_.PlacePages();
    pages_.ShowActivePage();
}

TabSheet::~TabSheet() {
    pages_.RemovePage(*this);
}

} // namespace orvane::ui
