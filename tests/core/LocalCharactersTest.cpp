// Tests of the local-character editor: field checks, Create/Modify/Delete and start-up loading.
#include "core/LocalCharacters.h"

#include <gtest/gtest.h>

#include <string>

#include "core/Cp1252.h"

namespace kelvaro {
namespace {

constexpr std::uint8_t kEAcute = 0xE9;
constexpr std::uint8_t kCapitalEAcute = 0xC9;
constexpr std::uint8_t kNTilde = 0xF1;

std::string Text(std::uint8_t code) {
    return std::string(1, static_cast<char>(code));
}

class LocalCharactersTest : public ::testing::Test {
protected:
    LocalApplyResult Run(LocalAction action, std::uint8_t code, const std::string& pattern,
                         const std::string& comment = "", PoolSet activeSet = PoolSet::All) {
        return Editor.Apply(action, Text(code), pattern, comment, activeSet);
    }

    MorseTable Table;
    CharacterPool Pool;
    LocalCharacters Editor{Table, Pool};
    LocalCharacters::ShortcutKeyTest Shortcuts = [](std::uint8_t code) { return code == '#'; };
};

TEST_F(LocalCharactersTest, RefusedCharactersAreClearedWithABeep) {
    for (const char* typed : {"e", "E", "@", "#", " "}) {
        const LocalCharacterCheck check = Editor.CheckCharacter(typed, Shortcuts);
        EXPECT_TRUE(check.ClearField && check.Beep) << typed;
        // Only the blank also resets the action buttons.
        EXPECT_EQ(check.Actions.has_value(), typed[0] == ' ') << typed;
    }
    EXPECT_FALSE(Editor.CheckCharacter("#", {}).Beep);
    EXPECT_EQ(Editor.CheckCharacter("", Shortcuts).Actions, LocalActionState{});
}

TEST_F(LocalCharactersTest, NewCharacterIsLowerCasedAndOffersCreateOnly) {
    const LocalCharacterCheck check = Editor.CheckCharacter(Text(kCapitalEAcute), Shortcuts);
    EXPECT_FALSE(check.Beep);
    EXPECT_EQ(check.FieldText, Text(kEAcute));
    EXPECT_EQ(check.Pattern, "");
    EXPECT_EQ(check.Actions, (LocalActionState{true, false, false, LocalAction::Create}));
}

TEST_F(LocalCharactersTest, ExistingCharacterShowsItsPatternAndComment) {
    Run(LocalAction::Create, kNTilde, "--.--", "n tilde");
    Run(LocalAction::Create, kEAcute, "..-..", "e - acute  x");
    const LocalCharacterCheck check = Editor.CheckCharacter(Text(kCapitalEAcute), Shortcuts);
    EXPECT_EQ(check.FoundSlot, 45);
    EXPECT_EQ(check.Pattern, "..-..");
    EXPECT_EQ(check.Comment, "e - acute  x");
    EXPECT_EQ(check.Actions, (LocalActionState{false, true, true, LocalAction::None}));
}

TEST(LocalPatternFilter, KeepsDotsAndDashesAndStepsTheCaretBack) {
    const LocalPatternEdit pasted = LocalCharacters::FilterPattern("a.b-c", 5);
    EXPECT_EQ(pasted.Text, ".-");
    EXPECT_EQ(pasted.CaretPosition, 2);
    EXPECT_EQ(LocalCharacters::FilterPattern(".x-", 2).CaretPosition, 1);
    EXPECT_EQ(LocalCharacters::FilterPattern("x", 0).CaretPosition, 0);
    const LocalPatternEdit clean = LocalCharacters::FilterPattern("..-", 2);
    EXPECT_FALSE(clean.Changed);
    EXPECT_EQ(clean.CaretPosition, 2);
}

TEST_F(LocalCharactersTest, CreateMakesBothCasesPlayableAndAppendsToThePool) {
    const LocalApplyResult result = Run(LocalAction::Create, kEAcute, "..-..", "e acute");
    EXPECT_TRUE(result.Changed);
    EXPECT_EQ(Table.Pattern(kEAcute), "..-..");
    EXPECT_EQ(Table.Pattern(kCapitalEAcute), "..-..");
    EXPECT_EQ(Pool.Slot(44), kEAcute);
    EXPECT_EQ(Editor.Row(97), " " + Text(kEAcute) + "  ..-..  e acute");
    EXPECT_EQ(Pool.PoolSize(), 45);
    EXPECT_EQ(result.PageFull, false);
    EXPECT_EQ(result.Actions, (LocalActionState{false, true, true, LocalAction::Modify}));
}

TEST_F(LocalCharactersTest, CreateWritesTheIrregularCasePartners) {
    Run(LocalAction::Create, 0x9A, ".--..");  // s caron
    Run(LocalAction::Create, 0xFF, "-.---");  // y diaeresis
    Run(LocalAction::Create, 0xF7, "..-.-");  // division sign, no case
    EXPECT_EQ(Table.Pattern(0x8A), ".--..");
    EXPECT_EQ(Table.Pattern(0x9F), "-.---");
    EXPECT_FALSE(Table.HasPattern(0xD7));
    EXPECT_EQ(Cp1252::ToLower(0xDE), 0xFE);
    EXPECT_EQ(Cp1252::ToUpper(0xDF), 0xDF);
}

TEST_F(LocalCharactersTest, MissingFieldsActionOrLocalCharacterBeepAndChangeNothing) {
    Run(LocalAction::Create, kEAcute, "..-..");
    EXPECT_TRUE(Editor.Apply(LocalAction::Create, "", "..", "", PoolSet::All).Beep);
    EXPECT_TRUE(Run(LocalAction::Create, kNTilde, "xy").Beep);
    EXPECT_TRUE(Run(LocalAction::None, kNTilde, "..").Beep);
    EXPECT_TRUE(Run(LocalAction::Modify, kNTilde, "..").Beep);
    EXPECT_TRUE(Run(LocalAction::Delete, kNTilde, "..").Beep);
    EXPECT_TRUE(Run(LocalAction::Create, 'e', "....").Beep);
    EXPECT_TRUE(Run(LocalAction::Create, kCapitalEAcute, "...").Beep);
    EXPECT_EQ(Editor.LocalCharacterCount(), 1);
    EXPECT_EQ(Table.Pattern(kEAcute), "..-..");
    EXPECT_EQ(Table.Pattern('e'), ".");
    EXPECT_FALSE(Table.HasPattern(kNTilde));
}

TEST_F(LocalCharactersTest, ModifyRewritesPatternAndRowInPlaceWithinTheFieldLimits) {
    Run(LocalAction::Create, kNTilde, "--.--", "n tilde");
    Run(LocalAction::Create, kEAcute, "..-..", "e acute");
    const LocalApplyResult result = Run(LocalAction::Modify, kEAcute, "-----------", std::string(30, 'c'));
    EXPECT_FALSE(result.Actions.has_value() || result.PageFull.has_value());
    EXPECT_EQ(Table.Pattern(kCapitalEAcute), "----------");
    EXPECT_EQ(Editor.Row(98), " " + Text(kEAcute) + "  ----------  " + std::string(22, 'c'));
    EXPECT_EQ(Pool.Slot(45), kEAcute);
}

TEST_F(LocalCharactersTest, DeletingTheFirstOfThreeClosesTheGap) {
    Run(LocalAction::Create, kEAcute, "..-..", "one");
    Run(LocalAction::Create, kNTilde, "--.--", "two");
    Run(LocalAction::Create, 0xFC, "..--", "three");
    const LocalApplyResult result = Run(LocalAction::Delete, kEAcute, "..-..");
    EXPECT_TRUE(result.ClearFields);
    EXPECT_EQ(result.PageFull, false);
    EXPECT_EQ(Pool.Slot(44), kNTilde);
    EXPECT_EQ(Pool.Slot(45), 0xFC);
    EXPECT_EQ(Pool.Slot(46), 0);
    EXPECT_EQ(LocalCharacters::RowComment(Editor.Row(97)), "two");
    EXPECT_EQ(LocalCharacters::RowComment(Editor.Row(98)), "three");
    EXPECT_EQ(Editor.Row(99), "");
    EXPECT_FALSE(Table.HasPattern(kEAcute) || Table.HasPattern(kCapitalEAcute));
    EXPECT_EQ(Table.Pattern(0xDC), "..--");
    EXPECT_EQ(Pool.PoolSize(), 46);
}

TEST_F(LocalCharactersTest, DeletingTheLastCharacterFreesItsSlotAndRow) {
    Run(LocalAction::Create, kEAcute, "..-..", "", PoolSet::Local);
    Run(LocalAction::Create, kNTilde, "--.--", "", PoolSet::Local);
    Run(LocalAction::Delete, kNTilde, "--.--", "", PoolSet::Local);
    EXPECT_EQ(Pool.Slot(45), 0);
    EXPECT_EQ(Editor.Row(98), "");
    EXPECT_EQ(Pool.PoolSize(), 1);
    Pool.SetPoolSize(7);
    Run(LocalAction::Create, kNTilde, "--.--", "", PoolSet::Other);
    EXPECT_EQ(Pool.PoolSize(), 7);
}

TEST_F(LocalCharactersTest, TwentySeventhCreateIsRefusedAndChangesNothing) {
    // The signs 0xA1 .. 0xBA: 26 characters with no case and no code.
    for (int code = 0xA1; code <= 0xBA; ++code) {
        EXPECT_EQ(Run(LocalAction::Create, static_cast<std::uint8_t>(code), ".-.-").PageFull, code == 0xBA);
    }
    const LocalApplyResult refused = Run(LocalAction::Create, kEAcute, "..-..");
    EXPECT_TRUE(refused.Beep && !refused.Changed);
    EXPECT_EQ(Editor.LocalCharacterCount(), 26);
    EXPECT_FALSE(Table.HasPattern(kEAcute));
    EXPECT_EQ(Pool.Slot(70), 0);
    EXPECT_EQ(Pool.PoolSize(), 70);
}

TEST_F(LocalCharactersTest, LoadingTakesTheRowsPatternAndTheLowerCase) {
    const std::string row = " " + Text(kCapitalEAcute) + "  ..-.  e-acute - x" + std::string(30, 'n');
    EXPECT_EQ(LocalCharacters::RowPattern(row), "..-.");
    EXPECT_TRUE(Editor.LoadRow(row, kCapitalEAcute, LocalCharacters::RowPattern(row)));
    EXPECT_EQ(Pool.Slot(44), kEAcute);
    EXPECT_EQ(Table.Pattern(kEAcute), "..-.");
    EXPECT_EQ(Table.Pattern(kCapitalEAcute), "..-.");
    EXPECT_EQ(Editor.Row(97), row.substr(0, 40));
    EXPECT_EQ(Editor.CheckCharacter(Text(kEAcute), {}).Comment, "e-acute - x" + std::string(19, 'n'));
    EXPECT_EQ(Pool.PoolSize(), 44);  // the stored random set decides it afterwards
}

TEST_F(LocalCharactersTest, LoadingSkipsDuplicatesCommercialAtAndEmptyPatterns) {
    EXPECT_TRUE(Editor.LoadRow(" \xE9  ..-..  e acute", kEAcute, "..-.."));
    EXPECT_FALSE(Editor.LoadRow(" \xC9  ...  capital", kCapitalEAcute, "..."));
    EXPECT_FALSE(Editor.LoadRow(" E  ....  E", 'E', "...."));
    EXPECT_FALSE(Editor.LoadRow(" @  .-.-  at", '@', ".-.-"));
    EXPECT_FALSE(Editor.LoadRow(" \xF1  x", kNTilde, ""));
    EXPECT_EQ(Editor.LocalCharacterCount(), 1);
    EXPECT_EQ(Table.Pattern(kEAcute), "..-..");
    EXPECT_EQ(Table.Pattern('e'), ".");
    EXPECT_EQ(Table.Pattern('@'), ".--.-.");
    EXPECT_EQ(Editor.Row(98), "");
}

}  // namespace
}  // namespace kelvaro
