#include "board/IconEx.h"
#include "companion/ItemTexts.h"
#include "companion/Protocol.h"
#include "core/DozedeR64Form.h"
#include "platform/NamedLock.h"
#include "platform/Text.h"

namespace orvane {
namespace {

std::int32_t ReadItemCount(const IniFile& ini) {
    return ini.ReadCount(L"ItemCount", L"Value",
                         {L"ItemFileName", L"ItemBeforeStartText", L"ItemBit", L"IsShowOnTaskBar"});
}

} // namespace

IniFile TDozedeR64Form::KestrinFile() const {
    return IniFile(DataFolda + L"Kestrin.ini");
}

void TDozedeR64Form::LoadKestrinItems() {
    if (!KestrinFile().Exists()) return;
    ReadKestrinItems();
    NID.assign(static_cast<size_t>(KestrinItemCount), NOTIFYICONDATAW{});
}

void TDozedeR64Form::ReadKestrinItems() {
    const IniFile ini = KestrinFile();
    KestrinItemCount = ReadItemCount(ini);
    KestrinBeforeStart = ini.ReadBool(L"KestrinBeforeStart", L"Value", true);
    KestrinItem.assign(static_cast<size_t>(KestrinItemCount), {});
    for (std::int32_t i = 0; i < KestrinItemCount; ++i) {
        const std::wstring n = std::to_wstring(i);
        TKestrinItem& item = KestrinItem[static_cast<size_t>(i)];
        item.FileName = ini.ReadString(L"ItemFileName", n, L"");
        item.Bit = ini.ReadInteger(L"ItemBit", n, 0);
        item.BeforeStartText = ini.ReadString(L"ItemBeforeStartText", n, L"");
        item.IsShowOnTaskBar = ini.ReadBool(L"IsShowOnTaskBar", n, false);
    }
}

bool TDozedeR64Form::ClaimItem(const std::wstring& fileName) {
    // The companion may have renumbered its items since they were read: the claim goes to
    // the item's path as the file has it now.
    platform::NamedLock lock(protocol::KestrinFileLock);
    if (!lock.Take(protocol::KestrinFileLockWait)) return false;
    try {
        IniEdit edit(KestrinFile());
        IniFile& ini = edit.File();
        const std::wstring wanted = platform::Lowered(fileName);
        const std::int32_t count = ReadItemCount(ini);
        for (std::int32_t i = 0; i < count; ++i) {
            const std::wstring n = std::to_wstring(i);
            if (platform::Lowered(ini.ReadString(L"ItemFileName", n, L"")) != wanted) continue;
            ini.WriteInteger(L"ItemBit", n, 64);
            edit.Commit();
            return true;
        }
    } catch (const ProfileWriteError&) {
    }
    return false;
}

void TDozedeR64Form::PrepareItemRecord(std::int32_t i, HICON icon, const std::wstring& tip) {
    NOTIFYICONDATAW& record = NID.at(static_cast<size_t>(i));
    record.cbSize = sizeof(NOTIFYICONDATAW);
    record.hWnd = Handle();
    record.uID = static_cast<UINT>(i);
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = OwnTrayIconCallback;
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

void TDozedeR64Form::SetRecordIcon(std::int32_t i, HICON icon) {
    NID.at(static_cast<size_t>(i)).hIcon = icon;
    if (NIDIcon.size() < NID.size()) NIDIcon.resize(NID.size());
    NIDIcon[static_cast<size_t>(i)].Reset(icon);
}

HICON TDozedeR64Form::PlaceholderIconCopy(std::int32_t i) {
    // The file's picture goes at once; the record keeps a copy of its handle.
    return CopyIcon(PlaceholderIcon(i)->Handle());
}

bool TDozedeR64Form::ShowItemRecord(std::int32_t i, DWORD message) {
    return Shell_NotifyIconW(message, &NID.at(static_cast<size_t>(i))) != FALSE;
}

void TDozedeR64Form::DeleteItemRecord(std::int32_t i) {
    if (static_cast<size_t>(i) >= NID.size()) return;
    NOTIFYICONDATAW& record = NID[static_cast<size_t>(i)];
    Shell_NotifyIconW(NIM_DELETE, &record);
    record.cbSize = 0;
    if (static_cast<size_t>(i) < NIDIcon.size()) NIDIcon[static_cast<size_t>(i)].Reset();
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
