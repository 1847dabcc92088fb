#include "tray/IconTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvane {
namespace {

NotifyMessage Message(std::uint32_t code, std::uint64_t window, std::uint32_t id,
                      std::uint32_t flags = 0, std::optional<Guid> guid = std::nullopt) {
    NotifyMessage message{NotifyForm::Windows, code, {}};
    message.record.window = window;
    message.record.id = id;
    message.record.flags = flags | (guid ? NifGuid : 0);
    message.record.guid = guid;
    message.record.tip = L"tip " + std::to_wstring(id);
    return message;
}

// "window:id" of each shown entry, in order.
std::vector<std::string> Shown(const IconTable& table) {
    std::vector<std::string> shown;
    for (const IconEntry& e : table.Visible())
        shown.push_back(std::to_string(e.window) + ":" + std::to_string(e.id));
    return shown;
}

TEST(IconTable, AnswersAndOrderOfASequence) {
    const struct {
        std::uint32_t code;
        std::uint64_t window;
        std::uint32_t id;
        bool answer;
    } steps[] = {
        {NimAdd, 1, 1, true},       {NimAdd, 1, 2, true},      {NimAdd, 1, 1, false},
        {NimModify, 2, 1, true},    {NimDelete, 1, 1, true},   {NimDelete, 1, 1, false},
        {NimSetFocus, 1, 1, false}, {NimSetFocus, 2, 1, true}, {NimAdd, 1, 1, true},
        {NimModify, 1, 2, true},    {7, 1, 2, false},
    };
    IconTable table;
    for (const auto& s : steps) {
        SCOPED_TRACE(testing::Message() << s.code << " " << s.window << ":" << s.id);
        EXPECT_EQ(table.Apply(Message(s.code, s.window, s.id, NifTip)), s.answer);
    }
    EXPECT_EQ(Shown(table), (std::vector<std::string>{"1:2", "2:1", "1:1"}));
}

TEST(IconTable, ModifyTakesOnlyFlaggedFieldsAndCountsPictures) {
    IconTable table;
    NotifyMessage add = Message(NimAdd, 5, 1, NifMessage | NifTip | NifIcon);
    add.record.callbackMessage = 0x8001;
    add.record.icon = 0x1234;
    ASSERT_TRUE(table.Apply(add));
    NotifyMessage modify = Message(NimModify, 5, 1, NifIcon);
    modify.record.iconBits = IconBits{1, 1, 1, 1, {1, 2}, {3, 4}};
    modify.record.tip = L"ignored";
    ASSERT_TRUE(table.Apply(modify));
    ASSERT_TRUE(table.Apply(Message(NimModify, 5, 1, NifTip)));
    const IconEntry entry = table.Visible().at(0);
    EXPECT_EQ(entry.callbackMessage, 0x8001u);
    EXPECT_EQ(entry.tip, L"tip 1");
    EXPECT_EQ(entry.icon, 0u);
    EXPECT_EQ(entry.iconBits, modify.record.iconBits);
    EXPECT_EQ(entry.pictureChanges, 2u);
}

TEST(IconTable, VersionAndHiddenState) {
    IconTable table;
    ASSERT_TRUE(table.Apply(Message(NimAdd, 5, 1)));
    NotifyMessage version = Message(NimSetVersion, 5, 1);
    for (const auto& [value, answer, kept] :
         {std::tuple{4u, true, 4u}, {5u, false, 4u}, {3u, true, 3u}, {0u, true, 0u}}) {
        version.record.version = value;
        EXPECT_EQ(table.Apply(version), answer) << value;
        EXPECT_EQ(table.Visible().at(0).version, kept);
    }
    EXPECT_FALSE(table.Apply(Message(NimSetVersion, 5, 2)));

    NotifyMessage state = Message(NimModify, 5, 1, NifState);
    for (const auto& [value, mask, shown] :
         {std::tuple{1u, 1u, 0u}, {0u, 0u, 0u}, {0u, 2u, 0u}, {0u, 1u, 1u}, {1u, 0u, 1u}}) {
        state.record.state = value;
        state.record.stateMask = mask;
        ASSERT_TRUE(table.Apply(state));
        EXPECT_EQ(table.Visible().size(), shown) << value << "/" << mask;
    }
    EXPECT_EQ(table.Size(), 1u);
}

TEST(IconTable, GuidAloneNamesAnIcon) {
    const Guid first{1}, second{2};
    IconTable table;
    EXPECT_TRUE(table.Apply(Message(NimAdd, 5, 1, 0, first)));
    EXPECT_TRUE(table.Apply(Message(NimAdd, 5, 1, 0, second)));
    EXPECT_TRUE(table.Apply(Message(NimAdd, 5, 1)));
    EXPECT_FALSE(table.Apply(Message(NimAdd, 6, 9, 0, first)));
    EXPECT_TRUE(table.Apply(Message(NimDelete, 7, 7, 0, second)));
    EXPECT_EQ(table.Size(), 2u);
}

TEST(IconTable, PruneDropsIconsOfGoneWindows) {
    IconTable table;
    for (std::uint64_t window : {1, 2, 3, 2})
        ASSERT_TRUE(table.Apply(Message(NimAdd, window, static_cast<std::uint32_t>(table.Size()))));
    table.Prune([](std::uint64_t window) { return window != 2; });
    EXPECT_EQ(Shown(table), (std::vector<std::string>{"1:0", "3:2"}));
}

TEST(IconTable, BoundedInEntriesAndPictureBytes) {
    IconTable table;
    for (std::uint32_t id = 0; id < IconTable::MaxEntries; ++id)
        ASSERT_TRUE(table.Apply(Message(NimAdd, 1, id)));
    EXPECT_FALSE(table.Apply(Message(NimAdd, 1, 5000)));
    EXPECT_FALSE(table.Apply(Message(NimModify, 1, 5000)));
    EXPECT_TRUE(table.Apply(Message(NimModify, 1, 0, NifTip)));
    EXPECT_TRUE(table.Apply(Message(NimDelete, 1, 0)));
    EXPECT_TRUE(table.Apply(Message(NimAdd, 1, 5000)));

    IconTable pictures;
    NotifyMessage big = Message(NimAdd, 1, 0, NifIcon);
    big.record.iconBits = IconBits{
        256, 256, 1, 32, std::vector<std::uint8_t>(8192), std::vector<std::uint8_t>(262144)};
    const std::size_t fit = IconTable::MaxPictureBytes / (8192 + 262144);
    for (std::uint32_t id = 0; id < fit; ++id) {
        big.record.id = id;
        ASSERT_TRUE(pictures.Apply(big));
    }
    big.record.id = 9999;
    EXPECT_FALSE(pictures.Apply(big));
    ASSERT_TRUE(pictures.Apply(Message(NimModify, 1, 0, NifIcon))); // frees one picture
    EXPECT_TRUE(pictures.Apply(big));
}

} // namespace
} // namespace orvane
