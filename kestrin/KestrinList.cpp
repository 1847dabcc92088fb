#include "kestrin/KestrinList.h"

#include "companion/Protocol.h"
#include "platform/NamedLock.h"
#include "platform/Win.h"

namespace orvane::kestrin {
namespace {

constexpr wchar_t ItemCount[] = L"ItemCount";
constexpr wchar_t BeforeStart[] = L"KestrinBeforeStart";
constexpr wchar_t ItemFileName[] = L"ItemFileName";
constexpr wchar_t ItemBeforeStartText[] = L"ItemBeforeStartText";
constexpr wchar_t ItemBit[] = L"ItemBit";
constexpr wchar_t IsShowOnTaskBar[] = L"IsShowOnTaskBar";
constexpr wchar_t Value[] = L"Value";

// The key of item `number` if `key` is one, else -1.
std::int32_t ItemNumber(const std::wstring& key) {
    if (key.empty() || key.size() > 9) return -1;
    std::int32_t number = 0;
    for (wchar_t c : key) {
        if (c < L'0' || c > L'9') return -1;
        number = number * 10 + (c - L'0');
    }
    return std::to_wstring(number) == key ? number : -1;
}

} // namespace

KestrinList KestrinFile::Load() const {
    const IniFile ini(path_);
    KestrinList list;
    list.KestrinBeforeStart = ini.ReadBool(BeforeStart, Value, true);
    const std::int32_t count = ini.ReadCount(ItemCount, Value, ItemFileName);
    list.Items.resize(static_cast<size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) {
        const std::wstring n = std::to_wstring(i);
        KestrinEntry& item = list.Items[static_cast<size_t>(i)];
        item.FileName = ini.ReadString(ItemFileName, n, L"");
        item.BeforeStartText = ini.ReadString(ItemBeforeStartText, n, L"");
        item.Bit = ini.ReadInteger(ItemBit, n, 0);
        item.IsShowOnTaskBar = ini.ReadBool(IsShowOnTaskBar, n, false);
        item.FileNumber = i;
    }
    return list;
}

void KestrinFile::Save(KestrinList& list) {
    // The list is written whole or not at all: Orvane may read the file at any moment, and
    // writes its claims under the same lock.
    platform::NamedLock lock(protocol::KestrinFileLock);
    if (!lock.Take(protocol::KestrinFileLockWait))
        throw ProfileWriteError("Kestrin.ini is locked by another writer");
    IniEdit edit{IniFile(path_)};
    IniFile& ini = edit.File();
    std::vector<KestrinEntry>& items = list.Items;
    for (KestrinEntry& item : items) {
        if (item.FileNumber >= 0)
            item.Bit = ini.ReadInteger(ItemBit, std::to_wstring(item.FileNumber), item.Bit);
    }
    const auto count = static_cast<std::int32_t>(items.size());
    for (std::int32_t i = 0; i < count; ++i) {
        const std::wstring n = std::to_wstring(i);
        KestrinEntry& item = items[static_cast<size_t>(i)];
        ini.WriteString(ItemFileName, n, item.FileName);
        ini.WriteString(ItemBeforeStartText, n, item.BeforeStartText);
        ini.WriteInteger(ItemBit, n, item.Bit);
        ini.WriteBool(IsShowOnTaskBar, n, item.IsShowOnTaskBar);
        item.FileNumber = i;
    }
    ini.WriteInteger(ItemCount, Value, count);
    ini.WriteBool(BeforeStart, Value, list.KestrinBeforeStart);
    for (const wchar_t* section : {ItemFileName, ItemBeforeStartText, ItemBit, IsShowOnTaskBar}) {
        for (const std::wstring& key : ini.ReadKeys(section)) {
            const std::int32_t number = ItemNumber(key);
            if (number < 0 || number >= count) ini.DeleteKey(section, key);
        }
    }
    edit.Commit();
}

} // namespace orvane::kestrin
