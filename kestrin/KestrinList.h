#pragma once
// Kestrin.ini: the applications whose windows Orvane keeps in the notification area. Orvane
// reads every key and writes one: ItemBit 64 when it claims an item.

#include "core/Profile.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orvane::kestrin {

struct KestrinEntry {
    std::wstring FileName;        // full path of the executable
    std::wstring BeforeStartText; // extra text of the placeholder tip
    std::int32_t Bit = 0;         // 64 once Orvane has claimed the item
    bool IsShowOnTaskBar = false; // the window keeps its taskbar button
    // The item's number in the file as last read or written; -1 for an item not yet stored.
    std::int32_t FileNumber = -1;
};

struct KestrinList {
    bool KestrinBeforeStart = true; // placeholders for applications not running
    std::vector<KestrinEntry> Items;
};

class KestrinFile {
public:
    explicit KestrinFile(const std::wstring& dataFolder) : path_(dataFolder + L"Kestrin.ini") {}

    const std::wstring& Path() const { return path_; }
    // Missing keys take their defaults; the count is believed only as far as there are
    // file names, so a damaged count costs neither time nor memory.
    KestrinList Load() const;
    // Writes the whole list numbered from 0 and removes the keys of numbers beyond it.
    // Orvane may have claimed an item since it was read: its ItemBit is taken from the file
    // under the item's old number, so that the claim moves with the item.
    void Save(KestrinList& list);

private:
    // Each load and save reads the file anew: Orvane writes into it meanwhile.
    std::wstring path_;
};

} // namespace orvane::kestrin
