// A private folder for a test that writes files, removed with all it holds when the test ends,
// and the whole-file reads and writes those tests share.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace kelvaro::test {

inline std::string FileContents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void PutFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

/// A fixture whose Folder is new and empty for each test. A test that takes write bits away
/// from something inside gives them back before TearDown removes it.
class ScratchFolderTest : public ::testing::Test {
protected:
    explicit ScratchFolderTest(std::string prefix) : Prefix(std::move(prefix)) {}
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / (Prefix + "-XXXXXX")).string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        Folder = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(Folder); }

    std::filesystem::path Folder;

private:
    std::string Prefix;
};

}  // namespace kelvaro::test
