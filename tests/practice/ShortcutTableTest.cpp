// The shortcut table: which characters may be shortcuts, the panel's actions, slot reuse and
// the rows of the alphabet list.
#include <gtest/gtest.h>

#include "core/MorseTable.h"
#include "practice/ShortcutTable.h"

namespace kelvaro {
namespace {

class ShortcutTableTest : public ::testing::Test {
protected:
    ShortcutTableTest() {
        Codes.SetPattern(0xE9, "..-..");  // a local character
        HasCode = [this](std::uint8_t code) { return Codes.HasPattern(code); };
    }
    ShortcutApplyResult Create(char character, std::string_view text) {
        return Shortcuts.Apply(ShortcutAction::Create, std::string(1, character), text, HasCode);
    }

    MorseTable Codes;
    ShortcutTable::HasCodeTest HasCode;
    ShortcutTable Shortcuts;
};

TEST_F(ShortcutTableTest, OnlyCharactersWithoutACodeMayBeShortcuts) {
    for (const char refused : std::string("a7 @.?=\x01")) {
        const ShortcutCheck check = Shortcuts.CheckCharacter(std::string(1, refused), HasCode);
        EXPECT_TRUE(check.ClearField) << refused;
        EXPECT_TRUE(check.Beep) << refused;
    }
    EXPECT_TRUE(Shortcuts.CheckCharacter("\xE9", HasCode).Beep);  // local character
    EXPECT_TRUE(Shortcuts.CheckCharacter("!", HasCode).Beep);     // plays AS: never expanded

    const ShortcutCheck hash = Shortcuts.CheckCharacter("#", HasCode);
    EXPECT_FALSE(hash.Beep);
    EXPECT_EQ(hash.Actions, (ShortcutActionState{true, false, false, ShortcutAction::Create}));
    EXPECT_EQ(hash.Text, "");

    const ShortcutCheck empty = Shortcuts.CheckCharacter("", HasCode);
    EXPECT_EQ(empty.Actions, (ShortcutActionState{true, true, true, ShortcutAction::None}));
}

TEST_F(ShortcutTableTest, CreateModifyDeleteAndTheFieldsThatFollow) {
    const ShortcutApplyResult created = Create('#', "CQ CQ");
    EXPECT_TRUE(created.Changed);
    EXPECT_EQ(created.Actions, (ShortcutActionState{false, true, true, ShortcutAction::None}));
    EXPECT_EQ(Shortcuts.TextFor('#'), "CQ CQ");

    const ShortcutCheck known = Shortcuts.CheckCharacter("#", HasCode);
    EXPECT_EQ(known.Text, "CQ CQ");
    EXPECT_EQ(known.Actions, (ShortcutActionState{false, true, true, ShortcutAction::None}));
    EXPECT_TRUE(Create('#', "again").Beep);  // a second slot for # could never be reached

    EXPECT_TRUE(Shortcuts.Apply(ShortcutAction::Modify, "#", std::string(40, 'x'), HasCode).Changed);
    EXPECT_EQ(Shortcuts.TextFor('#'), std::string(ShortcutTable::kMaxTextLength, 'x'));

    const ShortcutApplyResult deleted = Shortcuts.Apply(ShortcutAction::Delete, "#", "x", HasCode);
    EXPECT_TRUE(deleted.Changed);
    EXPECT_TRUE(deleted.ClearFields);
    EXPECT_EQ(deleted.PageFull, false);
    EXPECT_FALSE(Shortcuts.TextFor('#'));

    for (auto [action, character, text] :
         {std::tuple{ShortcutAction::None, "#", "x"}, std::tuple{ShortcutAction::Create, "", "x"},
          std::tuple{ShortcutAction::Create, "#", ""}}) {
        const ShortcutApplyResult refused = Shortcuts.Apply(action, character, text, HasCode);
        EXPECT_TRUE(refused.Beep);
        EXPECT_FALSE(refused.Changed);
    }
    EXPECT_EQ(Shortcuts.FilledCount(), 0);
}

TEST_F(ShortcutTableTest, ADeletedSlotIsFilledByTheNextCreationAndRowsFollowSlotOrder) {
    for (const char character : std::string("#$%&*")) {
        ASSERT_TRUE(Create(character, std::string("text ") + character).Changed);
    }
    Shortcuts.Apply(ShortcutAction::Delete, "%", "x", HasCode);
    std::vector<std::string> rows = Shortcuts.ListRows();
    ASSERT_EQ(rows.size(), 26u);
    EXPECT_EQ(rows[2], " & = text &");  // no gap
    EXPECT_EQ(rows[4], " ");
    Create('~', "new");
    EXPECT_EQ(Shortcuts.Slots()[2].Character, '~');
    rows = Shortcuts.ListRows();
    EXPECT_EQ((std::vector<std::string>(rows.begin(), rows.begin() + 6)),
              (std::vector<std::string>{" # = text #", " $ = text $", " ~ = new", " & = text &",
                                        " * = text *", " "}));
}

TEST_F(ShortcutTableTest, TheTwentySeventhCreateBeepsAndThePageShowsFull) {
    std::string characters = "#$%&*[]^_`{|}~\x80\x81\x83\x84\x85\x86\x87\x88\x89\x8a\x8b\x8c";
    ASSERT_EQ(characters.size(), 26u);
    for (std::size_t i = 0; i < characters.size(); ++i) {
        const ShortcutApplyResult result = Create(characters[i], "x");
        ASSERT_TRUE(result.Changed) << i;
        EXPECT_EQ(result.PageFull == std::optional<bool>(true), i == 25) << i;
    }
    EXPECT_TRUE(Shortcuts.PageIsFull());
    EXPECT_FALSE(Shortcuts.CheckCharacter("", HasCode).Actions.CreateEnabled);
    const ShortcutApplyResult full = Create('\x8e', "x");
    EXPECT_TRUE(full.Beep);
    EXPECT_FALSE(full.Changed);
}

TEST_F(ShortcutTableTest, LoadCutsLongTextsAndForgetsTextsOfFreeSlots) {
    std::array<ShortcutTable::Slot, ShortcutTable::kSlotCount> slots{};
    slots[0] = {'#', std::string(40, 'y')};
    slots[1] = {0, "orphan"};
    Shortcuts.Load(slots);
    EXPECT_EQ(Shortcuts.TextFor('#')->size(), ShortcutTable::kMaxTextLength);
    EXPECT_FALSE(Shortcuts.TextFor(0));
    EXPECT_EQ(Shortcuts.FilledCount(), 1);
}

}  // namespace
}  // namespace kelvaro
