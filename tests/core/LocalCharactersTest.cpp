// Tests of the local-character editor: field checks, Create/Modify/Delete and start-up loading.
#include "core/LocalCharacters.h"

#include <gtest/gtest.h>

#include <string>

#include "core/Cp1252.h"

namespace kelvaro {
namespace {

constexpr std::uint8_t kEAcute = 0xE9;
constexpr std::uint8_t kCapitalEAcute = 0xC9;

std::string Text(std::uint8_t code) { return std::string(1, static_cast<char>(code)); }

class LocalCharactersTest : public ::testing::Test {
protected:
    /// Creates a local character through the editor, as the panel would.
    LocalApplyResult Create(std::uint8_t code, const std::string& pattern, const std::string& comment = "",
                            PoolSet activeSet = PoolSet::All) {
        return Editor.Apply(LocalAction::Create, Text(code), pattern, comment, activeSet);
    }

    MorseTable Table;
    CharacterPool Pool;
    LocalCharacters Editor{Table, Pool};
    LocalCharacters::ShortcutKeyTest NoShortcuts;
};

// --- The character field --------------------------------------------------------------------

TEST_F(LocalCharactersTest, StandardLetterIsRefusedInEitherCase) {
    for (const char* typed : {"e", "E"}) {
        const LocalCharacterCheck check = Editor.CheckCharacter(typed, NoShortcuts);
        EXPECT_TRUE(check.ClearField) << typed;
        EXPECT_TRUE(check.Beep) << typed;
        EXPECT_EQ(check.FieldText, "") << typed;
        EXPECT_FALSE(check.Actions.has_value()) << typed;
    }
}

TEST_F(LocalCharactersTest, BlankIsRefusedAndResetsTheActions) {
    const LocalCharacterCheck check = Editor.CheckCharacter(" ", NoShortcuts);
    EXPECT_TRUE(check.Beep);
    EXPECT_TRUE(check.ClearField);
    EXPECT_EQ(check.Actions, LocalActionState{});
}

TEST_F(LocalCharactersTest, CommercialAtAndShortcutKeysAreRefused) {
    const LocalCharacters::ShortcutKeyTest shortcuts = [](std::uint8_t code) {
        return code == '#' || code == 0xF1;
    };
    EXPECT_TRUE(Editor.CheckCharacter("@", shortcuts).Beep);
    EXPECT_TRUE(Editor.CheckCharacter("#", shortcuts).Beep);
    EXPECT_TRUE(Editor.CheckCharacter("\xD1", shortcuts).Beep);  // asked in lower case
    EXPECT_FALSE(Editor.CheckCharacter("#", NoShortcuts).Beep);
}

TEST_F(LocalCharactersTest, EmptyFieldEnablesAllActionsWithoutChoosing) {
    const LocalCharacterCheck check = Editor.CheckCharacter("", NoShortcuts);
    EXPECT_FALSE(check.Beep);
    EXPECT_EQ(check.Actions, (LocalActionState{true, true, true, LocalAction::None}));
}

TEST_F(LocalCharactersTest, NewCharacterIsLowerCasedAndOffersCreateOnly) {
    const LocalCharacterCheck check = Editor.CheckCharacter(Text(kCapitalEAcute), NoShortcuts);
    EXPECT_FALSE(check.Beep);
    EXPECT_EQ(check.FieldText, Text(kEAcute));
    EXPECT_EQ(check.Pattern, "");
    EXPECT_EQ(check.Comment, "");
    EXPECT_FALSE(check.FoundSlot.has_value());
    EXPECT_EQ(check.Actions, (LocalActionState{true, false, false, LocalAction::Create}));
}

TEST_F(LocalCharactersTest, ExistingCharacterShowsItsPatternAndComment) {
    Create(0xF1, "--.--", "n tilde");
    Create(kEAcute, "..-..", "e - acute  x");
    const LocalCharacterCheck check = Editor.CheckCharacter(Text(kEAcute), NoShortcuts);
    EXPECT_EQ(check.FoundSlot, 45);
    EXPECT_EQ(check.Pattern, "..-..");
    EXPECT_EQ(check.Comment, "e - acute  x");
    EXPECT_EQ(check.Actions, (LocalActionState{false, true, true, LocalAction::None}));
}

// --- The pattern field ----------------------------------------------------------------------

TEST(LocalPatternFilter, KeepsOnlyDotsAndDashes) {
    const LocalPatternEdit edit = LocalCharacters::FilterPattern("a.b-c", 5);
    EXPECT_EQ(edit.Text, ".-");
    EXPECT_TRUE(edit.Changed);
    EXPECT_EQ(edit.CaretPosition, 2);
}

TEST(LocalPatternFilter, CaretStepsBackOverARemovedCharacter) {
    const LocalPatternEdit edit = LocalCharacters::FilterPattern(".x-", 2);
    EXPECT_EQ(edit.Text, ".-");
    EXPECT_EQ(edit.CaretPosition, 1);
    EXPECT_EQ(LocalCharacters::FilterPattern("x", 0).CaretPosition, 0);
}

TEST(LocalPatternFilter, CleanTextKeepsItsCaret) {
    const LocalPatternEdit edit = LocalCharacters::FilterPattern("..-", 2);
    EXPECT_FALSE(edit.Changed);
    EXPECT_EQ(edit.Text, "..-");
    EXPECT_EQ(edit.CaretPosition, 2);
}

// --- Create, Modify, Delete -----------------------------------------------------------------

TEST_F(LocalCharactersTest, CreateMakesBothCasesPlayableAndAppendsToThePool) {
    const LocalApplyResult result = Create(kEAcute, "..-..", "e acute");
    EXPECT_TRUE(result.Changed);
    EXPECT_FALSE(result.Beep);
    EXPECT_EQ(Table.Pattern(kEAcute), "..-..");
    EXPECT_EQ(Table.Pattern(kCapitalEAcute), "..-..");
    EXPECT_EQ(Pool.Slot(44), kEAcute);
    EXPECT_EQ(Editor.Row(97), " " + Text(kEAcute) + "  ..-..  e acute");
    EXPECT_EQ(Editor.LocalCharacterCount(), 1);
    EXPECT_EQ(Pool.PoolSize(), 45);
    EXPECT_EQ(result.PageFull, false);
    EXPECT_EQ(result.Actions, (LocalActionState{false, true, true, LocalAction::Modify}));
}

TEST_F(LocalCharactersTest, CreateWritesTheIrregularCasePartners) {
    Create(0x9A, ".--..");  // s caron
    Create(0xFF, "-.---");  // y diaeresis
    Create(0xF7, "..-.-");  // division sign, no case
    EXPECT_EQ(Table.Pattern(0x8A), ".--..");
    EXPECT_EQ(Table.Pattern(0x9F), "-.---");
    EXPECT_FALSE(Table.HasPattern(0xD7));
    EXPECT_EQ(Cp1252::ToUpper(0xF7), 0xF7);
    EXPECT_EQ(Cp1252::ToLower(0xD7), 0xD7);
    EXPECT_EQ(Cp1252::ToLower(0xDE), 0xFE);
    EXPECT_EQ(Cp1252::ToUpper(0xDF), 0xDF);
}

TEST_F(LocalCharactersTest, MissingFieldOrActionBeepsAndChangesNothing) {
    EXPECT_TRUE(Editor.Apply(LocalAction::Create, "", "..", "", PoolSet::All).Beep);
    EXPECT_TRUE(Editor.Apply(LocalAction::Create, Text(kEAcute), "", "", PoolSet::All).Beep);
    EXPECT_TRUE(Editor.Apply(LocalAction::Create, Text(kEAcute), "xy", "", PoolSet::All).Beep);
    EXPECT_TRUE(Editor.Apply(LocalAction::None, Text(kEAcute), "..", "", PoolSet::All).Beep);
    EXPECT_TRUE(Editor.Apply(LocalAction::Modify, Text(kEAcute), "..", "", PoolSet::All).Beep);
    EXPECT_TRUE(Editor.Apply(LocalAction::Delete, Text(kEAcute), "..", "", PoolSet::All).Beep);
    EXPECT_TRUE(Create('e', "....").Beep);
    EXPECT_EQ(Editor.LocalCharacterCount(), 0);
    EXPECT_FALSE(Table.HasPattern(kEAcute));
    EXPECT_EQ(Table.Pattern('e'), ".");
}

TEST_F(LocalCharactersTest, CreatingTheSameCharacterTwiceIsRefused) {
    Create(kEAcute, "..-..");
    EXPECT_TRUE(Create(kCapitalEAcute, "...").Beep);
    EXPECT_EQ(Editor.LocalCharacterCount(), 1);
    EXPECT_EQ(Table.Pattern(kEAcute), "..-..");
}

TEST_F(LocalCharactersTest, ModifyRewritesPatternAndRowInPlace) {
    Create(0xF1, "--.--", "n tilde");
    Create(kEAcute, "..-..", "e acute");
    const LocalApplyResult result =
        Editor.Apply(LocalAction::Modify, Text(kEAcute), ".-..-", "accent", PoolSet::All);
    EXPECT_TRUE(result.Changed);
    EXPECT_FALSE(result.Actions.has_value());
    EXPECT_FALSE(result.PageFull.has_value());
    EXPECT_EQ(Table.Pattern(kCapitalEAcute), ".-..-");
    EXPECT_EQ(Editor.Row(98), " " + Text(kEAcute) + "  .-..-  accent");
    EXPECT_EQ(Pool.Slot(45), kEAcute);
}

TEST_F(LocalCharactersTest, LongFieldsAreCutToThePanelLimits) {
    Create(kEAcute, "-----------", std::string(30, 'c'));
    EXPECT_EQ(Table.Pattern(kEAcute), "----------");
    EXPECT_EQ(LocalCharacters::RowComment(Editor.Row(97)), std::string(22, 'c'));
}

TEST_F(LocalCharactersTest, DeletingTheFirstOfThreeClosesTheGap) {
    Create(kEAcute, "..-..", "one");
    Create(0xF1, "--.--", "two");
    Create(0xFC, "..--", "three");
    const LocalApplyResult result = Editor.Apply(LocalAction::Delete, Text(kEAcute), "..-..", "", PoolSet::All);
    EXPECT_TRUE(result.ClearFields);
    EXPECT_EQ(result.PageFull, false);
    EXPECT_EQ(Editor.LocalCharacterCount(), 2);
    EXPECT_EQ(Pool.Slot(44), 0xF1);
    EXPECT_EQ(Pool.Slot(45), 0xFC);
    EXPECT_EQ(Pool.Slot(46), 0);
    EXPECT_EQ(LocalCharacters::RowComment(Editor.Row(97)), "two");
    EXPECT_EQ(LocalCharacters::RowComment(Editor.Row(98)), "three");
    EXPECT_EQ(Editor.Row(99), "");
    EXPECT_FALSE(Table.HasPattern(kEAcute));
    EXPECT_FALSE(Table.HasPattern(kCapitalEAcute));
    EXPECT_EQ(Table.Pattern(0xDC), "..--");
    EXPECT_EQ(Pool.PoolSize(), 46);
}

TEST_F(LocalCharactersTest, DeletingTheLastCharacterFreesItsSlotAndRow) {
    Create(kEAcute, "..-..", "one");
    Create(0xF1, "--.--", "two");
    Editor.Apply(LocalAction::Delete, Text(0xF1), "--.--", "", PoolSet::All);
    EXPECT_EQ(Pool.Slot(44), kEAcute);
    EXPECT_EQ(Pool.Slot(45), 0);
    EXPECT_EQ(Editor.Row(98), "");
    EXPECT_EQ(Editor.CheckCharacter("\xF1", NoShortcuts).Actions->Selected, LocalAction::Create);
}

TEST_F(LocalCharactersTest, TwentySeventhCreateIsRefusedAndChangesNothing) {
    // The signs 0xA1 .. 0xBA: 26 characters with no case and no code.
    for (int code = 0xA1; code <= 0xBA; ++code) {
        const LocalApplyResult result = Create(static_cast<std::uint8_t>(code), ".-.-");
        EXPECT_EQ(result.PageFull, code == 0xBA) << code;
    }
    ASSERT_TRUE(Editor.PageIsFull());
    const LocalApplyResult refused = Create(kEAcute, "..-..");
    EXPECT_TRUE(refused.Beep);
    EXPECT_FALSE(refused.Changed);
    EXPECT_EQ(Editor.LocalCharacterCount(), 26);
    EXPECT_FALSE(Table.HasPattern(kEAcute));
    EXPECT_EQ(Pool.Slot(70), 0);
    EXPECT_EQ(Pool.PoolSize(), 70);
}

TEST_F(LocalCharactersTest, PoolSizeFollowsTheActiveSet) {
    Create(kEAcute, "..-..", "", PoolSet::Local);
    EXPECT_EQ(Pool.PoolSize(), 1);
    Pool.SetPoolSize(7);
    Create(0xF1, "--.--", "", PoolSet::Other);
    EXPECT_EQ(Pool.PoolSize(), 7);
    Editor.Apply(LocalAction::Delete, Text(0xF1), "--.--", "", PoolSet::Local);
    EXPECT_EQ(Pool.PoolSize(), 1);
}

// --- Rows and start-up loading --------------------------------------------------------------

TEST(LocalRows, PatternStopsAtTheBlankAfterIt) {
    const std::string row = " " + Text(kCapitalEAcute) + "  ..-.  e-acute - x";
    EXPECT_EQ(LocalCharacters::RowPattern(row), "..-.");
    EXPECT_EQ(LocalCharacters::RowComment(row), "e-acute - x");
    EXPECT_EQ(LocalCharacters::RowPattern(" x  "), "");
    EXPECT_EQ(LocalCharacters::RowComment(" x  .-"), "");
}

TEST_F(LocalCharactersTest, LoadingTakesCharactersInLowerCase) {
    const std::string row = " " + Text(kCapitalEAcute) + "  ..-.  e-acute";
    EXPECT_TRUE(Editor.LoadRow(row, kCapitalEAcute, LocalCharacters::RowPattern(row)));
    EXPECT_EQ(Pool.Slot(44), kEAcute);
    EXPECT_EQ(Table.Pattern(kEAcute), "..-.");
    EXPECT_EQ(Table.Pattern(kCapitalEAcute), "..-.");
    EXPECT_EQ(Editor.Row(97), row);
    EXPECT_EQ(Pool.PoolSize(), 44);  // the stored random set decides it afterwards
}

TEST_F(LocalCharactersTest, LoadingSkipsDuplicatesCommercialAtAndEmptyPatterns) {
    EXPECT_TRUE(Editor.LoadRow(" \xE9  ..-..  e acute", kEAcute, "..-.."));
    EXPECT_FALSE(Editor.LoadRow(" \xE9  ...  again", kEAcute, "..."));
    EXPECT_FALSE(Editor.LoadRow(" \xC9  ...  capital", kCapitalEAcute, "..."));
    EXPECT_FALSE(Editor.LoadRow(" e  ....  e", 'e', "...."));
    EXPECT_FALSE(Editor.LoadRow(" E  ....  E", 'E', "...."));
    EXPECT_FALSE(Editor.LoadRow(" @  .-.-  at", '@', ".-.-"));
    EXPECT_FALSE(Editor.LoadRow(" \xF1  x", 0xF1, ""));
    EXPECT_EQ(Editor.LocalCharacterCount(), 1);
    EXPECT_EQ(Table.Pattern(kEAcute), "..-..");
    EXPECT_EQ(Table.Pattern('E'), ".");
    EXPECT_EQ(Table.Pattern('@'), ".--.-.");
    EXPECT_EQ(Editor.Row(98), "");
}

TEST_F(LocalCharactersTest, LoadedRowsAreCutToFortyCharacters) {
    const std::string row = " \xF1  --.--  " + std::string(50, 'n');
    ASSERT_TRUE(Editor.LoadRow(row, 0xF1, "--.--"));
    EXPECT_EQ(Editor.Row(97), row.substr(0, 40));
    EXPECT_EQ(Editor.CheckCharacter("\xF1", {}).Comment, std::string(29, 'n'));
}

}  // namespace
}  // namespace kelvaro
