#include "board/Geometry.h"
#include "board/IconEx.h"
#include "board/ResizeBitmap.h"
#include "companion/Protocol.h"
#include "core/DozedeR64Form.h"
#include "core/Elapsed.h"
#include "platform/Clock.h"
#include "platform/Handles.h"
#include "platform/ui/Application.h"
#include "resources/Texts.h"

#include <cstring>
#include <map>

namespace orvane {
namespace {

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Blue = RGB(0, 0, 255);

// The icon of the program that runs the owner window's process; null when there is none.
HICON OwnerProgramIcon(DWORD pid) {
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

// Written to the bits: the system's fill of a picture of the largest size costs several times
// as long.
void Whiten(ui::Bitmap& picture) {
    GdiFlush();
    for (int y = 0; y < picture.Height(); ++y)
        std::memset(picture.ScanLine(y), 0xFF, static_cast<size_t>(picture.Width()) * 3);
}

} // namespace

ui::Bitmap TDozedeR64Form::CellPicture(HICON icon, bool placeholder) {
    TIconEx picture;
    picture.SetHandle(icon);
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
    if (IconSize <= 32) return cell;
    return ResizeBitmap(cell, IconSize, IconSize);
}

void TDozedeR64Form::DrawIcon() {
    const std::uint32_t drawing = ++BoardDrawing;
    Button1.SetTop(ClientHeight() - Button1Height - 5);
    ScrollBox1.SetBounds(0, 0, ClientWidth(), Button1.Top());
    Image1.SetBounds(0, 0, Image1.Width(), Image1.Height());
    Image1.ClearPicture();
    Whiten(Image1.Picture());
    Image1.Changed();
    // The snapshot's handles belong to their programs. One left by a program that ended, or
    // under Wine any of another process, cannot be drawn here: the owner's program icon
    // stands in for it, made once per owner process and drawing.
    std::map<DWORD, ui::Bitmap> ownerPictures;
    // New cells are shown at most once a frame: a paint per cell costs more than the cell.
    RECT unshown{};
    std::uint32_t shown = platform::Now();
    KestrinWnd = FindWindowW(protocol::CompanionClass, nullptr);
    // Messages are processed between the cells: every round looks at the snapshot anew, and
    // a drawing started meanwhile takes over.
    for (std::int32_t i = 0; i < BoardEntries() && static_cast<size_t>(i) < TrayNotify.size();
         ++i) {
        const TTrayNotify entry = TrayNotify[static_cast<size_t>(i)];
        if (!entry.hIcon) continue;
        const bool ownItem = entry.hWnd && (entry.hWnd == KestrinWnd || entry.hWnd == Handle()) &&
                             entry.uID < KestrinItem.size();
        ui::Bitmap made;
        const ui::Bitmap* picture = &made;
        try {
            if (const ui::Bitmap* collected = CollectedCellPicture(i); collected && !ownItem) {
                picture = collected;
            } else if (ownItem) {
                const bool placeholder =
                    ToolTip[static_cast<size_t>(i)].find(texts::NotRunning) != std::wstring::npos;
                made = CellPicture(ItemAppIcon(static_cast<std::int32_t>(entry.uID)), placeholder);
            } else if (const HICON copy = CopyIcon(entry.hIcon)) {
                made = CellPicture(copy, false);
            } else {
                DWORD pid = 0;
                GetWindowThreadProcessId(entry.hWnd, &pid);
                auto found = ownerPictures.find(pid);
                if (found == ownerPictures.end()) {
                    found =
                        ownerPictures
                            .emplace(pid, CellPicture(pid ? OwnerProgramIcon(pid) : nullptr, false))
                            .first;
                }
                picture = &found->second;
            }
        } catch (const EIconExError&) {
            continue; // one unusable icon costs its own cell only
        }
        if (IconSize > 32 && picture == &made) {
            ui::App().ProcessMessages();
            if (drawing != BoardDrawing || !Image1.HasPicture()) return;
        }
        const Point corner = CellOrigin(i, IconSize);
        Image1.GetCanvas().Draw(corner.X, corner.Y, *picture);
        const RECT cell{corner.X, corner.Y, corner.X + picture->Width(),
                        corner.Y + picture->Height()};
        UnionRect(&unshown, &unshown, &cell);
        if (Elapsed(platform::Now(), shown) >= 16) {
            Image1.Changed(&unshown);
            unshown = {};
            shown = platform::Now();
        }
    }
    Image1.Changed(&unshown);
}

} // namespace orvane
