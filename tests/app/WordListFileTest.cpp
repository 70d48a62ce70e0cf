// Word lists: lines in either encoding, and the files that are refused (unreadable, empty,
// binary, too large).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/WordListFile.h"

namespace kelvaro {
namespace {

class WordListFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        Folder = std::filesystem::temp_directory_path() /
                 ("kelvaro-words-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(Folder);
    }
    void TearDown() override { std::filesystem::remove_all(Folder); }
    std::string Write(const std::string& name, const std::string& bytes) {
        const auto path = Folder / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }
    std::filesystem::path Folder;
};

TEST_F(WordListFileTest, LinesOfAnyEndingAndBlankLinesSkipped) {
    const WordListLoad load = WordListFile::Load(Write("a.txt", "bonjour\r\n\r\nau revoir\rmerci\n   \nfin"));
    ASSERT_TRUE(load.Ok());
    EXPECT_EQ(load.Lines, (std::vector<std::string>{"bonjour", "au revoir", "merci", "fin"}));
}

TEST_F(WordListFileTest, Utf8AndWindows1252AreBothReadAsEightBitCodes) {
    EXPECT_EQ(WordListFile::Parse("caf\xc3\xa9").Lines.front(), "caf\xe9");
    EXPECT_EQ(WordListFile::Parse("caf\xe9").Lines.front(), "caf\xe9");
}

TEST_F(WordListFileTest, MissingEmptyBinaryAndHugeFilesAreRefused) {
    EXPECT_EQ(WordListFile::Load((Folder / "none.txt").string()).Problem, WordListProblem::Unreadable);
    EXPECT_EQ(WordListFile::Load(Folder.string()).Problem, WordListProblem::Unreadable);
    EXPECT_EQ(WordListFile::Load("").Problem, WordListProblem::Unreadable);
    EXPECT_EQ(WordListFile::Load(Write("empty.txt", "")).Problem, WordListProblem::Empty);
    EXPECT_EQ(WordListFile::Load(Write("blank.txt", "\r\n \n")).Problem, WordListProblem::Empty);
    EXPECT_EQ(WordListFile::Load(Write("bin.txt", std::string("ab\0cd", 5))).Problem,
              WordListProblem::Binary);
    EXPECT_EQ(WordListFile::Load(Write("big.txt", std::string(WordListFile::kMaxBytes + 1, 'a'))).Problem,
              WordListProblem::TooLarge);
    const WordListLoad atCap =
        WordListFile::Load(Write("cap.txt", std::string(WordListFile::kMaxBytes, 'a')));
    EXPECT_TRUE(atCap.Ok());
}

}  // namespace
}  // namespace kelvaro
