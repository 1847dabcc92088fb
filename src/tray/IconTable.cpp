#include "tray/IconTable.h"

#include <algorithm>

namespace orvane {

std::vector<IconEntry>::iterator IconTable::Find(const NotifyRecord& record) {
    return std::find_if(entries_.begin(), entries_.end(), [&record](const IconEntry& entry) {
        if (record.guid || entry.guid) return entry.guid == record.guid;
        return entry.window == record.window && entry.id == record.id;
    });
}

std::size_t IconTable::PictureBytes(const IconEntry& entry) {
    return entry.iconBits ? entry.iconBits->mask.size() + entry.iconBits->colour.size() : 0;
}

// Takes the flagged fields; false, with the entry unchanged, when the picture would not fit.
bool IconTable::Update(IconEntry& entry, const NotifyRecord& record) {
    if (record.flags & NifIcon) {
        const std::size_t before = PictureBytes(entry);
        const std::size_t after =
            record.iconBits ? record.iconBits->mask.size() + record.iconBits->colour.size() : 0;
        if (pictureBytes_ - before + after > MaxPictureBytes) return false;
        pictureBytes_ = pictureBytes_ - before + after;
        entry.icon = record.icon;
        entry.iconBits = record.iconBits;
        ++entry.pictureChanges;
    }
    if (record.flags & NifMessage) entry.callbackMessage = record.callbackMessage;
    if (record.flags & NifTip) entry.tip = record.tip;
    if ((record.flags & NifState) && (record.stateMask & NisHidden))
        entry.hidden = (record.state & NisHidden) != 0;
    return true;
}

bool IconTable::Apply(const NotifyMessage& message) {
    const NotifyRecord& record = message.record;
    const auto found = Find(record);
    const bool known = found != entries_.end();
    switch (message.code) {
    case NimAdd:
    case NimModify: {
        if (known) return message.code == NimModify && Update(*found, record);
        if (entries_.size() >= MaxEntries) return false;
        IconEntry entry;
        entry.window = record.window;
        entry.id = record.id;
        entry.guid = record.guid;
        if (!Update(entry, record)) return false;
        entries_.push_back(std::move(entry));
        return true;
    }
    case NimDelete:
        if (!known) return false;
        pictureBytes_ -= PictureBytes(*found);
        entries_.erase(found);
        return true;
    case NimSetFocus:
        return known;
    case NimSetVersion:
        if (!known || (record.version != 0 && record.version != 3 && record.version != 4))
            return false;
        found->version = record.version;
        return true;
    default:
        return false;
    }
}

void IconTable::Prune(const std::function<bool(std::uint64_t window)>& isWindowAlive) {
    std::erase_if(entries_, [&](const IconEntry& entry) { return !isWindowAlive(entry.window); });
    pictureBytes_ = 0;
    for (const IconEntry& entry : entries_) pictureBytes_ += PictureBytes(entry);
}

std::vector<IconEntry> IconTable::Visible() const {
    std::vector<IconEntry> shown;
    for (const IconEntry& entry : entries_) {
        if (!entry.hidden) shown.push_back(entry);
    }
    return shown;
}

} // namespace orvane
