#pragma once
// The icons that programs have given the taskbar window, as the collector keeps them: what
// Shell_NotifyIconW should answer, and which icons are shown, in the order they came.

#include "tray/NotifyMessage.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orvane {

struct IconEntry {
    std::uint64_t window = 0;
    std::uint32_t id = 0;
    std::optional<Guid> guid; // when given, it alone names the icon
    std::uint32_t callbackMessage = 0;
    std::wstring tip;
    std::uint32_t version = 0;
    bool hidden = false;
    std::uint64_t icon = 0;           // the caller's HICON (Windows form)
    std::optional<IconBits> iconBits; // the picture itself (Wine form)
    std::uint32_t pictureChanges = 0; // counts every picture given, so a copy can be rebuilt
};

class IconTable {
public:
    // So that one program cannot make the collector hold unbounded memory.
    static constexpr std::size_t MaxEntries = 1024;
    static constexpr std::size_t MaxPictureBytes = 32u << 20;

    // What Shell_NotifyIconW answers: false for an add of a known icon, a delete, focus or
    // version of an unknown one, an unknown version or code, or a full table.
    [[nodiscard]] bool Apply(const NotifyMessage& message);
    // Drops the icons of windows that are gone.
    void Prune(const std::function<bool(std::uint64_t window)>& isWindowAlive);
    // The shown icons in the order they were added.
    std::vector<IconEntry> Visible() const;
    // Every icon, hidden ones too.
    const std::vector<IconEntry>& Entries() const { return entries_; }
    std::size_t Size() const { return entries_.size(); }

private:
    std::vector<IconEntry>::iterator Find(const NotifyRecord& record);
    bool Update(IconEntry& entry, const NotifyRecord& record);
    static std::size_t PictureBytes(const IconEntry& entry);

    std::vector<IconEntry> entries_;
    std::size_t pictureBytes_ = 0;
};

} // namespace orvane
