// The set windows, the chosen set and the lessons' pages, labels and editor rules.
#include <gtest/gtest.h>

#include "practice/CharacterSets.h"
#include "practice/LessonBook.h"

namespace kelvaro {
namespace {

TEST(CharacterSetsTest, WindowsFollowTheLocalCountAndVocabularyKeepsTheCurrentOne) {
    EXPECT_EQ(CharacterSets::WindowFor(RandomSource::All, 3, 0, {}).Size, 47);
    EXPECT_EQ(CharacterSets::WindowFor(RandomSource::Local, 3, 0, {}).Start, 44);
    EXPECT_EQ(CharacterSets::WindowFor(RandomSource::Local, 0, 0, {}).Size, 0);
    EXPECT_EQ(CharacterSets::WindowFor(RandomSource::Stops, 0, 0, {}).Start, 36);
    const PoolWindow chosen = CharacterSets::WindowFor(RandomSource::Chosen, 0, 9, {});
    EXPECT_EQ(chosen.Start, 71);
    EXPECT_EQ(chosen.Size, 9);
    const PoolWindow kept = CharacterSets::WindowFor(RandomSource::Vocabulary, 0, 9, {26, 10});
    EXPECT_EQ(kept.Start, 26);
    EXPECT_EQ(kept.Size, 10);
}

TEST(CharacterSetsTest, UpperCaseEFoldsAndAccentedLettersAndHashAreDropped) {
    CharacterPool pool;
    // "EEEEt" with an e acute (0xE9), a hash and an A grave (0xC0) mixed in.
    const int count = CharacterSets::BuildChosenSet(pool,
                                                    "EE\xe9"
                                                    "EE#t\xc0",
                                                    0);
    ASSERT_EQ(count, 5);
    EXPECT_EQ(pool.Slot(71), 'e');
    EXPECT_EQ(pool.Slot(74), 'e');
    EXPECT_EQ(pool.Slot(75), 't');
}

TEST(CharacterSetsTest, LocalCharactersAndExtrasAreAcceptedAndTheTextIsCutAtSeventy) {
    CharacterPool pool;
    pool.SetSlot(44, 0xE9);
    CharacterSets::InstallExtras(pool);
    EXPECT_EQ(CharacterSets::BuildChosenSet(pool, "\xe9@(", 1), 3);
    EXPECT_EQ(pool.Slot(72), '@');
    EXPECT_EQ(pool.Slot(141), '!');
    EXPECT_EQ(CharacterSets::BuildChosenSet(pool, "\xe9", 0), 0);  // not local any more
    EXPECT_EQ(CharacterSets::BuildChosenSet(pool, std::string(75, 'k'), 0), 70);
}

TEST(LessonBookTest, LessonSevenIsLabelledFifteenAndLessonThreeKeepsItsNumber) {
    LessonBook book;
    const auto seven = book.LastMatchingItem(1, book.Lesson(7));
    ASSERT_TRUE(seven);
    EXPECT_EQ(LessonBook::NumberOf(1, *seven), 15);
    const auto three = book.LastMatchingItem(1, "endx0tawp1");
    ASSERT_TRUE(three);
    EXPECT_EQ(LessonBook::NumberOf(1, *three), 3);
    EXPECT_FALSE(book.LastMatchingItem(2, "endx0"));
}

TEST(LessonBookTest, PagesAndLabels) {
    EXPECT_EQ(LessonBook::PageLabel(1).substr(0, 8), "#01 #02 ");
    EXPECT_EQ(LessonBook::PageLabel(3),
              "#41 #42 #43 #44 #45 #46 #47 #48 #49 #50 #51 #52 #53 #54 #55 #56 #57 #58 #59 #60");
    EXPECT_EQ(LessonBook::NumberOf(2, 0), 21);
    EXPECT_TRUE(LessonBook::IsOnPage(40, 2));
    EXPECT_FALSE(LessonBook::IsOnPage(41, 2));
    LessonBook book;
    EXPECT_EQ(book.Lesson(21), " ");
    EXPECT_EQ(book.Lesson(20), "abcdefghijklmnopqrstuvwxyz0123456789+=?/'-,.");
}

TEST(LessonBookTest, LocalLessonNumbersOutsideOneToSixtyAreRefused) {
    EXPECT_FALSE(LessonBook::ParseLessonNumber("0"));
    EXPECT_FALSE(LessonBook::ParseLessonNumber("61"));
    EXPECT_FALSE(LessonBook::ParseLessonNumber("x"));
    EXPECT_FALSE(LessonBook::ParseLessonNumber(""));
    EXPECT_EQ(LessonBook::ParseLessonNumber("1"), 1);
    EXPECT_EQ(LessonBook::ParseLessonNumber("60"), 60);
    EXPECT_EQ(LessonBook::ParseLessonNumber("07"), 7);
}

TEST(LessonBookTest, EmptyLessonIsStoredBlankAndTextIsLowerCasedWithoutSpaces) {
    LessonBook book;
    book.SetLesson(22, "");
    EXPECT_EQ(book.Lesson(22), " ");
    EXPECT_TRUE(LessonBook::IsBlank(book.Lesson(22)));
    book.SetLesson(22, "A b C");
    EXPECT_EQ(book.Lesson(22), "abc");
    book.SetLesson(23, std::string(60, 'q'));
    EXPECT_EQ(book.Lesson(23).size(), 50u);
}

}  // namespace
}  // namespace kelvaro
