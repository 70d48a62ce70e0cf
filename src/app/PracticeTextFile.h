// Reading a text file to play in the File mode: plain text in UTF-8, UTF-16 or Windows-1252, or
// the words of an RTF document; anything else is refused with a reason.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kelvaro {

/// Why a file could not be taken; the window turns each into a message.
enum class PracticeTextProblem { None, CannotOpen, Empty, Binary, TooLarge };

struct PracticeTextLoad {
    PracticeTextProblem Problem = PracticeTextProblem::None;
    /// The text to show, in UTF-8, lines ended by "\n".
    std::string Text;

    bool Ok() const { return Problem == PracticeTextProblem::None; }
};

/// A file larger than kMaxBytes is refused before it is read: a text to practise with is far
/// smaller, and loading a huge file would stall the window. A NUL byte or many control
/// characters mark a binary file. Valid UTF-8 (with or without its byte-order mark) is read as
/// UTF-8, a UTF-16 byte-order mark selects UTF-16, anything else is Windows-1252.
class PracticeTextFile {
public:
    static constexpr std::size_t kMaxBytes = 1024u * 1024u;

    static PracticeTextLoad Load(const std::string& path);
    /// The same rules on bytes already read.
    static PracticeTextLoad Parse(std::string_view bytes);

    /// What the engine plays for a shown text (UTF-16, as the window holds it): one 8-bit
    /// code per UTF-16 unit, so that the n-th code is the n-th position of the text. A line
    /// break or a tab is a blank (a word gap); a character without an 8-bit code, and each half
    /// of a surrogate pair, becomes kNoCode, which the engine skips without sound.
    static std::string PlayCodes(std::u16string_view shown);
    static constexpr char kNoCode = '\x7f';
};

}  // namespace kelvaro
