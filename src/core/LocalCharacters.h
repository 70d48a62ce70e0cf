// The local-character editor: up to 26 user characters with their own patterns.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/CharacterPool.h"
#include "core/MorseTable.h"

namespace kelvaro {

/// The three action radio buttons of the editor panel; None when no button is selected.
enum class LocalAction { None, Create, Delete, Modify };

/// The active random-character set, as far as the editor's pool-size update is concerned.
enum class PoolSet { All, Local, Other };

/// Which actions the panel enables, and which one is selected.
struct LocalActionState {
    bool CreateEnabled = true;
    bool DeleteEnabled = true;
    bool ModifyEnabled = true;
    LocalAction Selected = LocalAction::None;

    bool operator==(const LocalActionState&) const = default;
};

/// What the panel does after its character field changed.
struct LocalCharacterCheck {
    /// The field's new text: the typed character in lower case, or empty when refused.
    std::string FieldText;
    bool ClearField = false;
    bool Beep = false;
    /// Nothing: the action buttons stay as they are.
    std::optional<LocalActionState> Actions;
    /// Texts for the pattern and comment fields; nothing: the fields stay as they are.
    std::optional<std::string> Pattern;
    std::optional<std::string> Comment;
    /// The pool slot of the character when it is already a local character.
    std::optional<int> FoundSlot;
};

/// The pattern field after filtering.
struct LocalPatternEdit {
    std::string Text;
    int CaretPosition = 0;
    /// Something was removed: the panel replaces its text and moves the caret.
    bool Changed = false;
};

/// What the panel does after its Enter button.
struct LocalApplyResult {
    /// The table, the pool or the list rows changed.
    bool Changed = false;
    bool Beep = false;
    bool FocusCharacterField = false;
    /// Empty the character, pattern and comment fields.
    bool ClearFields = false;
    /// Nothing: the action buttons stay as they are.
    std::optional<LocalActionState> Actions;
    /// Show (true) or clear (false) the page-full label; nothing: leave it.
    std::optional<bool> PageFull;
};

/// Keeps the local characters in step across the code table (both case forms), the pool
/// (slots 44 .. 43 + LocalCharacterCount, in creation order, lower case) and the 26 rows of
/// the alphabet list that belong to them (list rows 97 .. 122, in pool order). A row reads
/// " " + character + "  " + pattern + "  " + comment; a free row is empty.
///
/// Refused as local characters: a blank (or any control code), the 44 standard characters,
/// "@" and, in the editor, the user's shortcut keys; typed text is taken in lower case, so
/// "E" is refused like "e". Window thread only.
class LocalCharacters {
public:
    static constexpr int kFirstRow = 97;
    static constexpr int kMaxRowLength = 40;
    static constexpr int kMaxPatternLength = 10;
    static constexpr int kMaxCommentLength = 22;

    using ShortcutKeyTest = std::function<bool(std::uint8_t code)>;

    /// The table and the pool must outlive the editor.
    LocalCharacters(MorseTable& table, CharacterPool& pool);

    int LocalCharacterCount() const { return Count; }
    bool PageIsFull() const { return Count == CharacterPool::kMaxLocal; }
    /// listRow in kFirstRow .. kFirstRow + 25; empty when the row is free.
    const std::string& Row(int listRow) const;

    /// Validates the character field after a change. text holds at most one character;
    /// isShortcutKey (may be empty) is asked about the lower-case code.
    LocalCharacterCheck CheckCharacter(std::string_view text, const ShortcutKeyTest& isShortcutKey) const;

    /// Keeps only the '.' and '-' of the pattern field; when something was removed, the caret
    /// goes one position before where it was (never outside the new text).
    static LocalPatternEdit FilterPattern(std::string_view text, int caretPosition);

    /// Applies the selected action to the character of the field. The fields are those the
    /// panel holds after CheckCharacter and FilterPattern; the pattern keeps its first
    /// kMaxPatternLength elements and the comment its first kMaxCommentLength characters.
    /// Whatever would break the pool (a refused character, a Create of an existing local
    /// character, a Modify or Delete of a character that is not local) beeps and changes
    /// nothing. activeSet decides the pool-size update after a Create or a Delete.
    LocalApplyResult Apply(LocalAction action, std::string_view character, std::string_view pattern,
                           std::string_view comment, PoolSet activeSet);

    /// PoolSize becomes LocalCharacterCount + 44 for the set All, LocalCharacterCount for
    /// the set Local; any other set keeps its own size.
    void UpdatePoolSize(PoolSet activeSet);

    /// Takes one stored row at start-up: the row (cut to kMaxRowLength) goes to the next free
    /// list row, and the character, in lower case, becomes the next local character with the
    /// pattern (cut to kMaxPatternLength) on both case forms. Refused characters, characters
    /// already in the pool (in either case), an empty pattern and a full page load nothing.
    /// Returns whether the character was taken.
    bool LoadRow(std::string_view row, std::uint8_t character, std::string_view pattern);

    /// " " + character + "  " + pattern + "  " + comment.
    static std::string MakeRow(std::uint8_t character, std::string_view pattern, std::string_view comment);
    /// The pattern written in a row: the '.' and '-' from the fifth character on, up to the
    /// first blank that follows them; what lies after that blank never counts.
    static std::string RowPattern(std::string_view row);
    /// The text of a row after its pattern and the two blanks that follow it.
    static std::string RowComment(std::string_view row);
    /// A blank or control code, one of the 44 standard characters in either case, or "@".
    static bool IsRefusedCharacter(std::uint8_t code);

private:
    /// The pool slot of a local character given in lower case.
    std::optional<int> LocalSlot(std::uint8_t lowerCode) const;
    void StoreBothCases(std::uint8_t lowerCode, const std::string& pattern);
    void ClearBothCases(std::uint8_t lowerCode);
    void Append(std::uint8_t lowerCode, const std::string& pattern, std::string row);
    void RemoveSlot(int slot);

    MorseTable& Table;
    CharacterPool& Pool;
    /// Rows[i] is list row kFirstRow + i and belongs to pool slot kLocalStart + i.
    std::array<std::string, CharacterPool::kMaxLocal> Rows;
    int Count = 0;
};

}  // namespace kelvaro
