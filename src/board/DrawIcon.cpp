#include "board/Geometry.h"
#include "board/IconEx.h"
#include "board/ResizeBitmap.h"
#include "core/DozedeR64Form.h"
#include "platform/Handles.h"
#include "platform/ui/Application.h"
#include "resources/Texts.h"

namespace orvane {
namespace {

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Blue = RGB(0, 0, 255);

// A copy of the icon that this process can draw. The snapshot's handles belong to their
// programs: a handle left by a program that ended, or any handle of another process under
// Wine, cannot be used here; the owner's program icon stands in for it then.
HICON DrawableCopy(HICON icon, HWND owner) {
    if (const HICON copy = CopyIcon(icon)) return copy;
    DWORD pid = 0;
    if (!GetWindowThreadProcessId(owner, &pid)) return nullptr;
    // Wine answers the caller's own image to a handle with limited query rights.
    const platform::UniqueHandle process(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid));
    if (!process) return nullptr;
    std::wstring path(32768, L'\0');
    DWORD size = static_cast<DWORD>(path.size());
    if (!QueryFullProcessImageNameW(process.Get(), 0, path.data(), &size)) return nullptr;
    path.resize(std::max<size_t>(size, MAX_PATH) + 1, L'\0');
    WORD index = 0;
    return ExtractAssociatedIconW(GetModuleHandleW(nullptr), path.data(), &index);
}

} // namespace

ui::Bitmap TDozedeR64Form::DrawCell(std::int32_t i) {
    const TTrayNotify entry = TrayNotify[static_cast<size_t>(i)];
    TIconEx picture;
    KestrinWnd = FindWindowW(L"TKestrinForm", nullptr);
    const bool ownItem = entry.hWnd && (entry.hWnd == KestrinWnd || entry.hWnd == Handle()) &&
                         entry.uID < KestrinItem.size();
    bool placeholder = false;
    if (ownItem) {
        picture.SetHandle(ItemAppIcon(static_cast<std::int32_t>(entry.uID)));
        placeholder = ToolTip[static_cast<size_t>(i)].find(texts::NotRunning) != std::wstring::npos;
    } else {
        picture.SetHandle(DrawableCopy(entry.hIcon, entry.hWnd));
    }
    picture.SetWidth(32);
    picture.SetHeight(32);
    const int side = placeholder ? 34 : 32;
    ui::Bitmap cell(side, side);
    if (placeholder) {
        cell.GetCanvas().Rectangle({0, 0, side, side}, Blue, White);
        picture.Draw(cell.GetCanvas(), {1, 1, 33, 33});
    } else {
        cell.GetCanvas().FillRect({0, 0, side, side}, White);
        picture.Draw(cell.GetCanvas(), {0, 0, 32, 32});
    }
    return cell;
}

void TDozedeR64Form::DrawIcon() {
    const std::uint32_t drawing = ++BoardDrawing;
    Button1.SetTop(ClientHeight() - Button1Height - 5);
    ScrollBox1.SetBounds(0, 0, ClientWidth(), Button1.Top());
    Image1.SetBounds(0, 0, Image1.Width(), Image1.Height());
    Image1.ClearPicture();
    Image1.GetCanvas().FillRect({0, 0, Image1.Width(), Image1.Height()}, White);
    // Messages are processed between the cells: every round looks at the snapshot anew, and
    // a drawing started meanwhile takes over.
    for (std::int32_t i = 0; i < TotalBtnCount && static_cast<size_t>(i) < TrayNotify.size(); ++i) {
        if (!TrayNotify[static_cast<size_t>(i)].hIcon) continue;
        ui::Bitmap cell;
        try {
            cell = DrawCell(i);
        } catch (const EIconExError&) {
            continue; // one unusable icon costs its own cell only
        }
        const Point corner = CellOrigin(i, IconSize);
        if (IconSize > 32) {
            ui::Bitmap enlarged = ResizeBitmap(cell, IconSize, IconSize);
            ui::App().ProcessMessages();
            if (drawing != BoardDrawing || !Image1.HasPicture()) return;
            Image1.GetCanvas().Draw(corner.X, corner.Y, enlarged);
        } else {
            Image1.GetCanvas().Draw(corner.X, corner.Y, cell);
        }
    }
}

} // namespace orvane
