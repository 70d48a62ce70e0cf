// The three reference lists (alphabet, Q codes, abbreviations): their rows and what a click on
// a row plays.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace kelvaro {

/// Rows are kept per interface language, named by the settings file's letter (E, F, D, I, P,
/// S, K); a language without its own rows shows the English ones. Q-code and abbreviation rows
/// are UTF-8; the alphabet's character rows are the program's 8-bit codes.
class ReferenceLists {
public:
    static constexpr int kAlphabetRows = 154;
    static constexpr int kQCodeRows = 30;
    static constexpr int kAbbreviationRows = 64;
    /// The heading and note rows of the alphabet list, which the language table fills.
    static constexpr std::array<int, 23> kAlphabetHeadingRows = {
        0, 1, 30, 31, 32, 46, 47, 55, 61, 62, 63, 65, 67, 69, 71, 92, 93, 94, 95, 123, 124, 125, 126};
    /// Rows 97 .. 122 hold the local characters, rows 128 .. 153 the shortcuts.
    static constexpr int kFirstLocalRow = 97;
    static constexpr int kFirstShortcutRow = 128;
    /// From this row on, a row plays the text after its first five characters.
    static constexpr int kShortcutTextFromRow = 125;

    /// The alphabet list's fixed rows that are the same in every language (letters, figures,
    /// stops, prosigns, "@"); every other row is empty here.
    static const std::array<std::string, kAlphabetRows>& AlphabetCharacterRows();
    static const std::array<std::string_view, kQCodeRows>& QCodeRows(char languageCode);
    static const std::array<std::string_view, kAbbreviationRows>& AbbreviationRows(char languageCode);

    /// What a click on an alphabet row plays: its character (a prosign row its single code),
    /// the text of a shortcut row; nothing for headings, notes and blank rows.
    static std::optional<std::string> AlphabetPlayText(int row, std::string_view entry);
    /// The code and the blank after it (played as a word gap).
    static std::optional<std::string> QCodePlayText(std::string_view entry);
    /// The abbreviation up to its colon, the blank before the colon included.
    static std::optional<std::string> AbbreviationPlayText(std::string_view entry);
};

}  // namespace kelvaro
