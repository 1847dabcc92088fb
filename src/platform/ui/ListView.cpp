#include "platform/ui/ListView.h"

namespace orvane::ui {

ListView::ListView(Control& parent) {
    Create(ChildOf(parent, WC_LISTVIEWW,
                   LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP | WS_BORDER, false));
    ListView_SetExtendedListViewStyle(Handle(), LVS_EX_FULLROWSELECT);
    images_ = ImageList_Create(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                               ILC_COLOR32 | ILC_MASK, 4, 4);
    // The list keeps the image list when the window goes; the destructor frees it.
    ListView_SetImageList(Handle(), images_, LVSIL_SMALL);
}

ListView::~ListView() {
    if (Handle()) ListView_SetImageList(Handle(), nullptr, LVSIL_SMALL);
    if (images_) ImageList_Destroy(images_);
}

void ListView::AddColumn(const std::wstring& caption, int width) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t*>(caption.c_str());
    column.cx = width;
    ListView_InsertColumn(Handle(), columns_++, &column);
}

void ListView::Clear() {
    const int before = ItemIndex();
    ListView_DeleteAllItems(Handle());
    ImageList_RemoveAll(images_);
    if (before != -1 && OnSelect) OnSelect();
}

void ListView::AddItem(const std::vector<std::wstring>& texts, HICON icon) {
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = ItemCount();
    item.iImage = icon ? ImageList_AddIcon(images_, icon) : -1;
    item.pszText = const_cast<wchar_t*>(texts.empty() ? L"" : texts[0].c_str());
    const int row = ListView_InsertItem(Handle(), &item);
    for (size_t column = 1; column < texts.size(); ++column)
        ListView_SetItemText(Handle(), row, static_cast<int>(column),
                             const_cast<wchar_t*>(texts[column].c_str()));
}

int ListView::ItemCount() const {
    return ListView_GetItemCount(Handle());
}

std::wstring ListView::ItemText(int row, int column) const {
    // The list hands out at most what fits the buffer; grow it until the text fits.
    std::wstring text(256, L'\0');
    for (;;) {
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(text.size());
        const auto length = static_cast<size_t>(SendMessageW(
            Handle(), LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
        if (length + 1 < text.size() || text.size() >= 65536) {
            text.resize(length);
            return text;
        }
        text.assign(text.size() * 4, L'\0');
    }
}

int ListView::ItemIndex() const {
    return ListView_GetNextItem(Handle(), -1, LVNI_SELECTED);
}

void ListView::SetItemIndex(int index) {
    if (index == ItemIndex()) return;
    // The list reports the change itself (LVN_ITEMCHANGED).
    const UINT state = LVIS_SELECTED | LVIS_FOCUSED;
    if (index < 0) {
        ListView_SetItemState(Handle(), -1, 0, state);
    } else {
        ListView_SetItemState(Handle(), index, state, state);
        ListView_EnsureVisible(Handle(), index, FALSE);
    }
}

std::optional<LRESULT> ListView::Notify(const NMHDR& header) {
    if (header.code != LVN_ITEMCHANGED) return std::nullopt;
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if ((change.uChanged & LVIF_STATE) && ((change.uOldState ^ change.uNewState) & LVIS_SELECTED) &&
        OnSelect) {
        // Moving the selection deselects one row and selects another: report the second only.
        if ((change.uNewState & LVIS_SELECTED) || ItemIndex() == -1) OnSelect();
    }
    return 0;
}

} // namespace orvane::ui
