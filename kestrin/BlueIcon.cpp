#include "kestrin/BlueIcon.h"

#include "board/IconEx.h"
#include "core/Profile.h"
#include "kestrin/AppFile.h"

#include <shlobj.h>

#include <vector>

namespace orvane::kestrin {
namespace {

constexpr int Side = 32;
constexpr int Frame = 3;
constexpr COLORREF Blue = RGB(0, 0, 255); // one of the 16 colours the picture is kept in

// The application's icon reduced inside a blue frame, fully opaque.
platform::UniqueIcon FramedIcon(HICON application) {
    const platform::WindowDc screen(nullptr);
    platform::UniqueBitmap color(CreateCompatibleBitmap(screen.Get(), Side, Side));
    platform::UniqueBitmap mask(CreateBitmap(Side, Side, 1, 1, nullptr));
    const platform::UniqueMemoryDc dc(CreateCompatibleDC(screen.Get()));
    if (!color || !mask || !dc) return {};
    {
        const platform::Selected into(dc.Get(), color.Get());
        const platform::UniqueBrush blue(CreateSolidBrush(Blue));
        RECT area{0, 0, Side, Side};
        FillRect(dc.Get(), &area, blue.Get());
        area = {Frame, Frame, Side - Frame, Side - Frame};
        FillRect(dc.Get(), &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        const int inner = Side - 2 * (Frame + 1);
        DrawIconEx(dc.Get(), Frame + 1, Frame + 1, application, inner, inner, 0, nullptr,
                   DI_NORMAL);
    }
    {
        const platform::Selected into(dc.Get(), mask.Get());
        PatBlt(dc.Get(), 0, 0, Side, Side, BLACKNESS);
    }
    ICONINFO info{TRUE, 0, 0, mask.Get(), color.Get()};
    return platform::UniqueIcon(CreateIconIndirect(&info));
}

} // namespace

std::wstring BlueIconPath(const std::wstring& dataFolder, std::int32_t number) {
    return dataFolder + L"Icon\\BlueIcon" + std::to_wstring(number) + L".ico";
}

void WriteBlueIcon(const std::wstring& path, const std::wstring& fileName) {
    const platform::UniqueIcon own = AppIcon(fileName);
    platform::UniqueIcon framed = FramedIcon(own ? own.Get() : LoadIconW(nullptr, IDI_APPLICATION));
    if (!framed) return;
    std::vector<std::uint8_t> bytes;
    try {
        TIconEx picture;
        picture.SetHandle(framed.Release());
        picture.SaveToStream(bytes);
    } catch (const EIconExError&) {
        return;
    }
    SHCreateDirectoryExW(nullptr, path.substr(0, path.find_last_of(L'\\')).c_str(), nullptr);
    // Orvane may be reading the picture: it is replaced whole.
    const std::wstring part = path + L".tmp";
    if (!WriteNewFile(part, bytes.data(), bytes.size()) || !MoveIntoPlace(part, path))
        DeleteFileW(part.c_str());
}

} // namespace orvane::kestrin
