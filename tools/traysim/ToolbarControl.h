#pragma once
#include "platform/Win.h"

#include <string>
#include <vector>

namespace traysim {

struct Cell {
    int width;
    int height;
    int image; // side of the pictures in the image list
};

// A common-controls toolbar whose buttons carry a data value, a text that is not drawn
// (the tip) and a picture from the toolbar's own image list.
class ToolbarControl {
public:
    ToolbarControl(HWND parent, const wchar_t* title, Cell cell, bool wrap);
    ToolbarControl(const ToolbarControl&) = delete;
    ToolbarControl& operator=(const ToolbarControl&) = delete;
    ~ToolbarControl();

    HWND Window() const { return window_; }
    const Cell& CellSize() const { return cell_; }

    void Add(int command, DWORD_PTR data, const std::wstring& tip, HICON icon, bool hidden);
    void Remove(int command);
    void SetTip(int command, const std::wstring& tip);
    void SetIcon(int command, HICON icon);
    void SetHidden(int command, bool hidden);
    // Commands in button order.
    std::vector<int> Commands() const;
    int VisibleCount() const;
    // The command of the button under a point in client coordinates, or 0.
    int CommandAt(POINT point) const;
    void Place(int x, int y, int width, int height);
    // The answer to the toolbar's NM_CUSTOMDRAW, which goes to its parent.
    LRESULT CustomDraw(const NMTBCUSTOMDRAW& draw) const;

private:
    int ImageOf(int command) const;
    int TakeImage(HICON icon);
    void Refit();

    HWND window_;
    Cell cell_;
    HIMAGELIST images_;
    std::vector<int> freeImages_;
};

} // namespace traysim
