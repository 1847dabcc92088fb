#pragma once
#include "platform/ui/Control.h"

namespace orvane::ui {

class TabSheet;

// Tabs over pages; only the page of the selected tab is shown.
class PageControl : public Control {
public:
    explicit PageControl(Control& parent);

    int PageCount() const { return static_cast<int>(pages_.size()); }
    TabSheet& Page(int index) const { return *pages_.at(static_cast<size_t>(index)); }
    int ActivePageIndex() const;
    // Runs OnChange when another page comes to the front, as the user's choice does.
    void SetActivePageIndex(int index);

    std::function<void()> OnChange;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::optional<LRESULT> Notify(const NMHDR& header) override;

private:
    friend class TabSheet;
    void AddPage(TabSheet& page, const std::wstring& caption);
    void RemovePage(TabSheet& page);
    void PlacePages();
    void ShowActivePage();

    std::vector<TabSheet*> pages_;
};

// One page of a page control; its controls are its children.
class TabSheet : public Control {
public:
    TabSheet(PageControl& pages, const std::wstring& caption);
    ~TabSheet() override;
    const std::wstring& Caption() const { return caption_; }

private:
    PageControl& pages_;
    std::wstring caption_;
};

} // namespace orvane::ui
