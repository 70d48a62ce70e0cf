// Text files for the File mode: encodings told apart, RTF read as its words, and every kind of
// bad file refused with its reason.
#include "app/PracticeTextFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/RtfText.h"
#include "support/ScratchFolder.h"

namespace kelvaro::test {
namespace {

TEST(PracticeTextEncoding, Utf8WithOrWithoutBomAndWindows1252GiveTheSameText) {
    const std::string expected = "caf\xC3\xA9 \xE2\x82\xAC 5";  // "café € 5" in UTF-8
    for (const std::string& bytes : {std::string("caf\xC3\xA9 \xE2\x82\xAC 5"),
                                     std::string("\xEF\xBB\xBF"
                                                 "caf\xC3\xA9 \xE2\x82\xAC 5"),
                                     std::string("caf\xE9 \x80 5")}) {
        const PracticeTextLoad load = PracticeTextFile::Parse(bytes);
        ASSERT_TRUE(load.Ok());
        EXPECT_EQ(load.Text, expected);
    }
}

TEST(PracticeTextEncoding, Utf16WithByteOrderMarkInBothOrders) {
    const PracticeTextLoad little = PracticeTextFile::Parse(std::string("\xFF\xFEh\0i\0\xE9\0", 8));
    const PracticeTextLoad big = PracticeTextFile::Parse(std::string("\xFE\xFF\0h\0i\0\xE9", 8));
    ASSERT_TRUE(little.Ok());
    ASSERT_TRUE(big.Ok());
    EXPECT_EQ(little.Text, "hi\xC3\xA9");
    EXPECT_EQ(big.Text, "hi\xC3\xA9");
    // An odd byte count or a lone surrogate is no UTF-16 text.
    EXPECT_EQ(PracticeTextFile::Parse(std::string("\xFF\xFEh\0i", 5)).Problem, PracticeTextProblem::Binary);
    EXPECT_EQ(PracticeTextFile::Parse(std::string("\xFF\xFE\x00\xDCh\0", 6)).Problem,
              PracticeTextProblem::Binary);
}

TEST(PracticeTextEncoding, LineEndsOfEveryKindBecomeOneLineBreak) {
    const PracticeTextLoad load = PracticeTextFile::Parse("a\r\nb\rc\nd\x01 is the fourth line of text");
    ASSERT_TRUE(load.Ok());
    EXPECT_EQ(load.Text, "a\nb\nc\nd is the fourth line of text");
}

TEST(PracticeTextEncoding, RefusesBinaryAndEmptyText) {
    EXPECT_EQ(PracticeTextFile::Parse(std::string("abc\0def", 7)).Problem, PracticeTextProblem::Binary);
    EXPECT_EQ(PracticeTextFile::Parse("\x01\x02\x03\x04 text").Problem, PracticeTextProblem::Binary);
    EXPECT_EQ(PracticeTextFile::Parse("").Problem, PracticeTextProblem::Empty);
    EXPECT_EQ(PracticeTextFile::Parse(" \r\n\t\r\n").Problem, PracticeTextProblem::Empty);
    EXPECT_EQ(PracticeTextFile::Parse("\xEF\xBB\xBF").Problem, PracticeTextProblem::Empty);
}

TEST(PracticeTextEncoding, PlayCodesKeepOnePositionPerShownUnit) {
    // é has an 8-bit code; the Greek alpha has none; the emoji is two UTF-16 units.
    const std::u16string shown = u"a\u00e9\u03b1\nb\t\U0001F600c";
    const std::string codes = PracticeTextFile::PlayCodes(shown);
    ASSERT_EQ(codes.size(), shown.size());
    EXPECT_EQ(codes, std::string("a\xE9\x7F b \x7F\x7F"
                                 "c"));
}

TEST(RtfText, ParagraphsEscapesAndUnicodeWithoutTheTables) {
    const std::string rtf =
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times;}}{\\colortbl;\\red0\\green0\\blue0;}"
        "{\\*\\generator Writer;}{\\info{\\title Lesson}}\\pard\\f0\\fs24 cq de f5abc\\par\n"
        "caf\\'e9 \\u8364?5\\tab x\\line {\\b bold} \\{ok\\}}";
    const auto text = RtfToPlainText(rtf);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(*text,
              "cq de f5abc\ncaf\xC3\xA9 \xE2\x82\xAC"
              "5\tx\nbold {ok}");
}

TEST(RtfText, WhatIsNotAWholeDocumentIsShownAsItIs) {
    EXPECT_FALSE(RtfToPlainText("plain text").has_value());
    EXPECT_FALSE(RtfToPlainText("{\\rtf1 never closed {\\b").has_value());
    // Through the reader: the unreadable document stays as its raw text.
    const PracticeTextLoad load = PracticeTextFile::Parse("{\\rtf1 abc");
    ASSERT_TRUE(load.Ok());
    EXPECT_EQ(load.Text, "{\\rtf1 abc");
    EXPECT_EQ(PracticeTextFile::Parse("{\\rtf1 {\\b abc}}").Text, "abc");
}

class PracticeTextFileLoadTest : public ScratchFolderTest {
protected:
    PracticeTextFileLoadTest() : ScratchFolderTest("kelvaro-text") {}
};

TEST_F(PracticeTextFileLoadTest, MissingDirectoryUnreadableAndTooLargeFilesAreRefused) {
    EXPECT_EQ(PracticeTextFile::Load((Folder / "missing.txt").string()).Problem,
              PracticeTextProblem::CannotOpen);
    EXPECT_EQ(PracticeTextFile::Load(Folder.string()).Problem, PracticeTextProblem::CannotOpen);
    EXPECT_EQ(PracticeTextFile::Load("").Problem, PracticeTextProblem::CannotOpen);

    PutFile(Folder / "large.txt", std::string(PracticeTextFile::kMaxBytes + 1, 'e'));
    EXPECT_EQ(PracticeTextFile::Load((Folder / "large.txt").string()).Problem, PracticeTextProblem::TooLarge);
    PutFile(Folder / "limit.txt", std::string(PracticeTextFile::kMaxBytes, 'e'));
    EXPECT_TRUE(PracticeTextFile::Load((Folder / "limit.txt").string()).Ok());

    if (::geteuid() != 0) {  // root reads whatever the permissions say
        PutFile(Folder / "locked.txt", "text");
        ::chmod((Folder / "locked.txt").c_str(), 0);
        EXPECT_EQ(PracticeTextFile::Load((Folder / "locked.txt").string()).Problem,
                  PracticeTextProblem::CannotOpen);
        ::chmod((Folder / "locked.txt").c_str(), 0600);
    }
    PutFile(Folder / "lesson.txt", "vvv cq\r\n");
    const PracticeTextLoad load = PracticeTextFile::Load((Folder / "lesson.txt").string());
    ASSERT_TRUE(load.Ok());
    EXPECT_EQ(load.Text, "vvv cq\n");
}

}  // namespace
}  // namespace kelvaro::test
