// The local-character editor: up to 26 user characters with their own patterns.
#include "core/LocalCharacters.h"

#include <algorithm>
#include <cassert>
#include <utility>

#include "core/Cp1252.h"

namespace kelvaro {

namespace {

constexpr std::uint8_t kBlank = ' ';
constexpr std::uint8_t kCommercialAt = '@';
/// The pattern of a row starts at its fifth character: " " + character + "  ".
constexpr std::size_t kRowPatternStart = 4;
constexpr std::size_t kBlanksAfterPattern = 2;

constexpr LocalActionState kAllEnabledNoneSelected{};
constexpr LocalActionState kCreateSelected{true, false, false, LocalAction::Create};
constexpr LocalActionState kExistingCharacter{false, true, true, LocalAction::None};
constexpr LocalActionState kModifySelected{false, true, true, LocalAction::Modify};

bool IsElement(char c) {
    return c == '.' || c == '-';
}

/// The '.' and '-' of the text, in order, the first maxLength of them.
std::string Elements(std::string_view text, std::size_t maxLength) {
    std::string elements;
    for (char c : text) {
        if (IsElement(c) && elements.size() < maxLength) {
            elements.push_back(c);
        }
    }
    return elements;
}

/// Where the pattern of a row ends: the first blank after its first element, or the end.
std::size_t RowPatternEnd(std::string_view row) {
    bool seenElement = false;
    for (std::size_t index = kRowPatternStart; index < row.size(); ++index) {
        if (IsElement(row[index])) {
            seenElement = true;
        } else if (row[index] == ' ' && seenElement) {
            return index;
        }
    }
    return row.size();
}

LocalApplyResult BeepAndKeep(bool focusCharacterField) {
    LocalApplyResult result;
    result.Beep = true;
    result.FocusCharacterField = focusCharacterField;
    return result;
}

}  // namespace

LocalCharacters::LocalCharacters(MorseTable& table, CharacterPool& pool) : Table(table), Pool(pool) {}

const std::string& LocalCharacters::Row(int listRow) const {
    assert(listRow >= kFirstRow && listRow < kFirstRow + CharacterPool::kMaxLocal);
    return Rows[listRow - kFirstRow];
}

LocalCharacterCheck LocalCharacters::CheckCharacter(std::string_view text,
                                                    const ShortcutKeyTest& isShortcutKey) const {
    assert(text.size() <= 1);
    LocalCharacterCheck check;
    if (text.empty()) {
        check.Actions = kAllEnabledNoneSelected;
        return check;
    }
    const std::uint8_t code = Cp1252::ToLower(static_cast<std::uint8_t>(text.front()));
    const bool isShortcut = isShortcutKey && isShortcutKey(code);
    if (IsRefusedCharacter(code) || isShortcut) {
        check.ClearField = true;
        check.Beep = true;
        // Only a blank (or a control code) also resets the action buttons.
        if (code <= kBlank) {
            check.Actions = kAllEnabledNoneSelected;
        }
        return check;
    }
    check.FieldText = std::string(1, static_cast<char>(code));
    check.FoundSlot = LocalSlot(code);
    if (check.FoundSlot) {
        check.Pattern = Table.Pattern(code);
        check.Comment = RowComment(Rows[*check.FoundSlot - CharacterPool::kLocalStart]);
        check.Actions = kExistingCharacter;
    } else {
        check.Pattern = std::string();
        check.Comment = std::string();
        check.Actions = kCreateSelected;
    }
    return check;
}

LocalPatternEdit LocalCharacters::FilterPattern(std::string_view text, int caretPosition) {
    LocalPatternEdit edit;
    edit.Text = Elements(text, text.size());
    edit.Changed = edit.Text.size() != text.size();
    edit.CaretPosition = caretPosition;
    if (edit.Changed) {
        edit.CaretPosition = std::clamp(caretPosition - 1, 0, static_cast<int>(edit.Text.size()));
    }
    return edit;
}

LocalApplyResult LocalCharacters::Apply(LocalAction action, std::string_view character,
                                        std::string_view pattern, std::string_view comment,
                                        PoolSet activeSet) {
    assert(character.size() <= 1);
    const std::string elements = Elements(pattern, kMaxPatternLength);
    if (character.empty() || elements.empty() || action == LocalAction::None) {
        return BeepAndKeep(true);
    }
    const std::uint8_t code = Cp1252::ToLower(static_cast<std::uint8_t>(character.front()));
    const std::string_view shortComment = comment.substr(0, kMaxCommentLength);
    const std::optional<int> slot = LocalSlot(code);

    LocalApplyResult result;
    switch (action) {
        case LocalAction::Modify:
            if (!slot) {
                return BeepAndKeep(true);
            }
            StoreBothCases(code, elements);
            Rows[*slot - CharacterPool::kLocalStart] = MakeRow(code, elements, shortComment);
            result.FocusCharacterField = true;
            break;
        case LocalAction::Delete:
            if (!slot) {
                return BeepAndKeep(true);
            }
            ClearBothCases(code);
            RemoveSlot(*slot);
            UpdatePoolSize(activeSet);
            result.PageFull = false;
            result.ClearFields = true;
            result.Actions = kAllEnabledNoneSelected;
            break;
        case LocalAction::Create:
            if (PageIsFull()) {
                return BeepAndKeep(false);
            }
            if (slot || IsRefusedCharacter(code)) {
                return BeepAndKeep(true);
            }
            Append(code, elements, MakeRow(code, elements, shortComment));
            UpdatePoolSize(activeSet);
            result.PageFull = PageIsFull();
            result.Actions = kModifySelected;
            result.FocusCharacterField = true;
            break;
        case LocalAction::None:
            break;
    }
    result.Changed = true;
    return result;
}

void LocalCharacters::UpdatePoolSize(PoolSet activeSet) {
    switch (activeSet) {
        case PoolSet::All:
            Pool.SetPoolSize(CharacterPool::kStandardCount + Count);
            break;
        case PoolSet::Local:
            Pool.SetPoolSize(Count);
            break;
        case PoolSet::Other:
            break;
    }
}

bool LocalCharacters::LoadRow(std::string_view row, std::uint8_t character, std::string_view pattern) {
    const std::uint8_t code = Cp1252::ToLower(character);
    const std::string elements = Elements(pattern, kMaxPatternLength);
    if (PageIsFull() || IsRefusedCharacter(code) || LocalSlot(code) || elements.empty()) {
        return false;
    }
    Append(code, elements, std::string(row.substr(0, kMaxRowLength)));
    return true;
}

std::string LocalCharacters::MakeRow(std::uint8_t character, std::string_view pattern,
                                     std::string_view comment) {
    std::string row = " ";
    row.push_back(static_cast<char>(character));
    row.append("  ").append(pattern).append("  ").append(comment);
    return row;
}

std::string LocalCharacters::RowPattern(std::string_view row) {
    if (row.size() <= kRowPatternStart) {
        return {};
    }
    const std::string_view field = row.substr(kRowPatternStart, RowPatternEnd(row) - kRowPatternStart);
    return Elements(field, field.size());
}

std::string LocalCharacters::RowComment(std::string_view row) {
    std::size_t start = RowPatternEnd(row);
    for (std::size_t blanks = 0; blanks < kBlanksAfterPattern && start < row.size() && row[start] == ' ';
         ++blanks) {
        ++start;
    }
    return std::string(row.substr(std::min(start, row.size())));
}

bool LocalCharacters::IsRefusedCharacter(std::uint8_t code) {
    return code <= kBlank || code == kCommercialAt || CharacterPool::IsStandard(code);
}

std::optional<int> LocalCharacters::LocalSlot(std::uint8_t lowerCode) const {
    return Pool.FindSlot(lowerCode, CharacterPool::kLocalStart, Count);
}

void LocalCharacters::StoreBothCases(std::uint8_t lowerCode, const std::string& pattern) {
    Table.SetPattern(lowerCode, pattern);
    Table.SetPattern(Cp1252::ToUpper(lowerCode), pattern);
}

void LocalCharacters::ClearBothCases(std::uint8_t lowerCode) {
    Table.Clear(lowerCode);
    Table.Clear(Cp1252::ToUpper(lowerCode));
}

void LocalCharacters::Append(std::uint8_t lowerCode, const std::string& pattern, std::string row) {
    assert(!PageIsFull());
    Pool.SetSlot(CharacterPool::kLocalStart + Count, lowerCode);
    Rows[Count] = std::move(row);
    StoreBothCases(lowerCode, pattern);
    ++Count;
}

void LocalCharacters::RemoveSlot(int slot) {
    const int first = slot - CharacterPool::kLocalStart;
    assert(first >= 0 && first < Count);
    for (int index = first; index + 1 < Count; ++index) {
        Pool.SetSlot(CharacterPool::kLocalStart + index, Pool.Slot(CharacterPool::kLocalStart + index + 1));
        Rows[index] = std::move(Rows[index + 1]);
    }
    --Count;
    Pool.SetSlot(CharacterPool::kLocalStart + Count, 0);
    Rows[Count].clear();
}

}  // namespace kelvaro
