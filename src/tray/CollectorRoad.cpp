#include "board/Geometry.h"
#include "core/DozedeR64Form.h"
#include "platform/Input.h"
#include "platform/Shell.h"
#include "resources/Texts.h"
#include "tray/Collector.h"

#include <algorithm>

namespace orvane {
namespace {

// Orvane's own cells after the collected icons: the quick settings and the notification
// centre, which hold the volume, network and battery on Windows 11.
struct QuickCell {
    UINT id;
    const wchar_t* tip;
    WORD key;
    WORD icon; // resource number
};
constexpr QuickCell QuickCells[] = {
    {0xFFFF0001u, texts::QuickSettingsTip, 'A', 2},
    {0xFFFF0002u, texts::NotificationCentreTip, 'N', 3},
};

const QuickCell* QuickCellOf(UINT id) {
    for (const QuickCell& cell : QuickCells)
        if (cell.id == id) return &cell;
    return nullptr;
}

} // namespace

bool TDozedeR64Form::ShellHasTrayToolbar() {
    HWND window = platform::FindShellTaskbar();
    for (const wchar_t* child : {L"TrayNotifyWnd", L"SysPager", L"ToolbarWindow32"})
        window = window ? FindWindowExW(window, nullptr, child, nullptr) : nullptr;
    return window != nullptr;
}

void TDozedeR64Form::ApplyTrayRoad() {
    const bool wanted =
        TrayRoad == TrayRoadCollector || (TrayRoad == TrayRoadAuto && !ShellHasTrayToolbar());
    if (wanted == (IconCollector != nullptr)) return;
    if (wanted) {
        ListenerThread().Run([this] { IconCollector = std::make_unique<Collector>(); });
    } else {
        StopCollector();
    }
}

void TDozedeR64Form::StopCollector() {
    if (!IconCollector) return;
    ListenerThread().Run([this] { IconCollector.reset(); });
}

void TDozedeR64Form::TakeCollectedIcons() {
    std::vector<CollectedIcon> icons = IconCollector->Icons();
    if (QuickCellPictures.empty()) {
        for (const QuickCell& cell : QuickCells) {
            QuickCellPictures.push_back(std::make_shared<platform::UniqueIcon>(static_cast<HICON>(
                LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(cell.icon), IMAGE_ICON, 0, 0,
                           LR_DEFAULTSIZE))));
        }
    }
    TrayNotify.clear();
    ToolTip.clear();
    TrayIconVersion.clear();
    std::vector<std::shared_ptr<platform::UniqueIcon>> pictures;
    for (CollectedIcon& icon : icons) {
        TrayNotify.push_back({icon.window, icon.id, icon.callbackMessage, 0,
                              icon.picture ? icon.picture->Get() : nullptr});
        ToolTip.push_back(std::move(icon.tip));
        TrayIconVersion.push_back(icon.version);
        pictures.push_back(std::move(icon.picture));
    }
    for (size_t i = 0; i < std::size(QuickCells); ++i) {
        TrayNotify.push_back({Handle(), QuickCells[i].id, 0, 0, QuickCellPictures[i]->Get()});
        ToolTip.emplace_back(QuickCells[i].tip);
        TrayIconVersion.push_back(0);
        pictures.push_back(QuickCellPictures[i]);
    }
    // The enlarged pictures of icons that are gone go with them.
    std::erase_if(CollectedCellPictures, [&](const auto& cached) {
        return std::none_of(pictures.begin(), pictures.end(),
                            [&](const auto& picture) { return picture.get() == cached.first; });
    });
    CollectedPictures = std::move(pictures);
    TotalBtnCount = static_cast<std::int32_t>(TrayNotify.size());
    IconCountOnTaskTray = TotalBtnCount;
    IconCountOnOverflowWindow = 0;
    IconCountOnSystemIconTray = 0;
    ShowButtonExists = false;
}

const ui::Bitmap* TDozedeR64Form::CollectedCellPicture(std::int32_t i) {
    if (i < 0 || i >= std::ssize(CollectedPictures) || !CollectedPictures[static_cast<size_t>(i)])
        return nullptr;
    if (CollectedCellSize != IconSize) {
        CollectedCellPictures.clear();
        CollectedCellSize = IconSize;
    }
    const platform::UniqueIcon* picture = CollectedPictures[static_cast<size_t>(i)].get();
    auto found = CollectedCellPictures.find(picture);
    if (found == CollectedCellPictures.end()) {
        const HICON copy = CopyIcon(picture->Get());
        if (!copy) return nullptr;
        found = CollectedCellPictures.emplace(picture, CellPicture(copy, false)).first;
    }
    return &found->second;
}

bool TDozedeR64Form::OperateQuickCell(std::int32_t IconID) {
    if (IconID < 0 || IconID >= std::ssize(TrayNotify)) return false;
    const QuickCell* cell = QuickCellOf(TrayNotify[static_cast<size_t>(IconID)].uID);
    if (!cell) return false;
    std::vector<INPUT> records(4);
    const WORD keys[] = {VK_LWIN, cell->key, cell->key, VK_LWIN};
    for (size_t i = 0; i < records.size(); ++i) {
        records[i].type = INPUT_KEYBOARD;
        records[i].ki.wVk = keys[i];
        if (i >= 2) records[i].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    platform::Use<platform::Input>().Send(records);
    return true;
}

RECT TDozedeR64Form::CellScreenRect(std::int32_t IconID) {
    const Point origin = CellOrigin(IconID, IconSize);
    POINT corner{origin.X, origin.Y};
    ClientToScreen(Image1.Handle(), &corner);
    return {corner.x, corner.y, corner.x + IconSize, corner.y + IconSize};
}

void TDozedeR64Form::PublishCollectedCells(bool shown) {
    if (!IconCollector) return;
    std::vector<CollectedCell> cells;
    for (std::int32_t i = 0; shown && i < TotalBtnCount && i < std::ssize(TrayNotify); ++i) {
        const TTrayNotify& entry = TrayNotify[static_cast<size_t>(i)];
        if (entry.hWnd != Handle()) cells.push_back({entry.hWnd, entry.uID, CellScreenRect(i)});
    }
    IconCollector->SetCells(std::move(cells));
}

std::uint32_t TDozedeR64Form::IconVersion(std::int32_t IconID) const {
    return IconID >= 0 && IconID < std::ssize(TrayIconVersion)
               ? TrayIconVersion[static_cast<size_t>(IconID)]
               : 0;
}

} // namespace orvane
