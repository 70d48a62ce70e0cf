// Reading a vocabulary word list: one word or phrase per line, refused when it is no text.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kelvaro {

/// Why a word list could not be taken.
enum class WordListProblem { None, Unreadable, Empty, Binary, TooLarge };

struct WordListLoad {
    WordListProblem Problem = WordListProblem::None;
    /// The non-empty lines, in the program's 8-bit codes, without their line ends.
    std::vector<std::string> Lines;

    bool Ok() const { return Problem == WordListProblem::None; }
};

/// Text that is valid UTF-8 is read as UTF-8, anything else as Windows-1252. A file larger
/// than kMaxBytes is refused without being read, so a wrong choice never stalls the window;
/// a NUL byte marks a binary file.
class WordListFile {
public:
    static constexpr std::size_t kMaxBytes = 4u * 1024u * 1024u;

    static WordListLoad Load(const std::string& path);
    /// The same rules on bytes already read.
    static WordListLoad Parse(const std::string& bytes);
};

}  // namespace kelvaro
