#include "board/IconEx.h"
#include "companion/ItemTexts.h"
#include "core/DozedeR64Form.h"

namespace orvane {

IniFile TDozedeR64Form::KestrinFile() const {
    return IniFile(DataFolda + L"Kestrin.ini");
}

void TDozedeR64Form::LoadKestrinItems() {
    const IniFile ini = KestrinFile();
    if (!ini.Exists()) return;
    KestrinItemCount =
        ini.ReadCount(L"ItemCount", L"Value",
                      {L"ItemFileName", L"ItemBeforeStartText", L"ItemBit", L"IsShowOnTaskBar"});
    KestrinBeforeStart = ini.ReadBool(L"KestrinBeforeStart", L"Value", true);
    KestrinItem.assign(static_cast<size_t>(KestrinItemCount), {});
    NID.assign(static_cast<size_t>(KestrinItemCount), NOTIFYICONDATAW{});
    for (std::int32_t i = 0; i < KestrinItemCount; ++i) {
        const std::wstring n = std::to_wstring(i);
        TKestrinItem& item = KestrinItem[static_cast<size_t>(i)];
        item.FileName = ini.ReadString(L"ItemFileName", n, L"");
        item.BeforeStartText = ini.ReadString(L"ItemBeforeStartText", n, L"");
        item.Bit = ini.ReadInteger(L"ItemBit", n, 0);
        item.IsShowOnTaskBar = ini.ReadBool(L"IsShowOnTaskBar", n, false);
    }
}

void TDozedeR64Form::PrepareItemRecord(std::int32_t i, HICON icon, const std::wstring& tip) {
    NOTIFYICONDATAW& record = NID.at(static_cast<size_t>(i));
    record.cbSize = sizeof(NOTIFYICONDATAW);
    record.hWnd = Handle();
    record.uID = static_cast<UINT>(i);
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = 0x52C;
    record.hIcon = icon;
    SetItemTip(i, tip);
}

void TDozedeR64Form::SetItemTip(std::int32_t i, std::wstring_view tip) {
    NOTIFYICONDATAW& record = NID.at(static_cast<size_t>(i));
    std::fill(std::begin(record.szTip), std::end(record.szTip), L'\0');
    const std::wstring_view cut = CutTip(tip, std::size(record.szTip) - 1);
    std::copy(cut.begin(), cut.end(), record.szTip);
}

HICON TDozedeR64Form::ItemAppIcon(std::int32_t i) {
    const std::wstring& fileName = KestrinItem.at(static_cast<size_t>(i)).FileName;
    // The call may write the path of the file the icon came from into the buffer.
    std::wstring path = fileName;
    path.resize(std::max<size_t>(path.size(), MAX_PATH) + 1, L'\0');
    WORD index = 0;
    return ExtractAssociatedIconW(GetModuleHandleW(nullptr), path.data(), &index);
}

std::unique_ptr<TIconEx> TDozedeR64Form::PlaceholderIcon(std::int32_t i) {
    auto picture = std::make_unique<TIconEx>();
    picture->LoadFromFile(DataFolda + L"Icon\\BlueIcon" + std::to_wstring(i) + L".ico");
    picture->SetWidth(16);
    picture->SetHeight(16);
    picture->Handle(); // a damaged file fails here, before any record is touched
    return picture;
}

std::wstring TDozedeR64Form::PlaceholderTip(std::int32_t i) const {
    const TKestrinItem& item = KestrinItem.at(static_cast<size_t>(i));
    return PlaceholderTipText(item.FileName, item.BeforeStartText);
}

} // namespace orvane
