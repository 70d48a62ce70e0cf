// The user's shortcuts: up to 26 characters without a Morse code, each standing for a text.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvaro {

/// The three action radio buttons of the shortcut panel; None when no button is selected.
enum class ShortcutAction { None, Create, Delete, Modify };

/// Which actions the panel enables, and which one is selected.
struct ShortcutActionState {
    bool CreateEnabled = true;
    bool DeleteEnabled = true;
    bool ModifyEnabled = true;
    ShortcutAction Selected = ShortcutAction::None;

    bool operator==(const ShortcutActionState&) const = default;
};

/// What the panel does after its character field changed.
struct ShortcutCheck {
    bool ClearField = false;
    bool Beep = false;
    /// A text for the text field; nothing: the field stays as it is.
    std::optional<std::string> Text;
    ShortcutActionState Actions;
};

/// What the panel does after its Enter button.
struct ShortcutApplyResult {
    bool Changed = false;
    bool Beep = false;
    /// Empty the character and text fields.
    bool ClearFields = false;
    /// Nothing: the action buttons stay as they are.
    std::optional<ShortcutActionState> Actions;
    /// Show (true) or clear (false) the page-full label; nothing: leave it.
    std::optional<bool> PageFull;
};

/// 26 slots filled in the order of creation; a deleted slot leaves a hole that the next
/// creation fills. Characters and texts are the program's 8-bit codes.
///
/// A shortcut character must be one the code table cannot play: a blank, a control code or
/// any character with a pattern (the standard characters, "@", the local characters and the
/// other signs) is refused, since the engine only expands characters that have no code.
class ShortcutTable {
public:
    static constexpr int kSlotCount = 26;
    static constexpr std::size_t kMaxTextLength = 36;

    struct Slot {
        std::uint8_t Character = 0;  // 0: a free slot
        std::string Text;

        bool operator==(const Slot&) const = default;
    };

    /// Whether a character has a Morse code (asked about the lower-case character).
    using HasCodeTest = std::function<bool(std::uint8_t code)>;

    const std::array<Slot, kSlotCount>& Slots() const { return Table; }
    /// Replaces every slot (start-up); texts are cut to kMaxTextLength.
    void Load(const std::array<Slot, kSlotCount>& slots);

    /// The text of the first slot holding the character, or nothing.
    std::optional<std::string> TextFor(std::uint8_t character) const;
    bool IsShortcutKey(std::uint8_t character) const { return TextFor(character).has_value(); }
    int FilledCount() const;
    bool PageIsFull() const { return FilledCount() == kSlotCount; }

    /// Whether a character may become a shortcut at all.
    static bool IsAllowedCharacter(std::uint8_t lowerCode, const HasCodeTest& hasCode);

    /// Validates the character field after a change: text holds at most one character, in
    /// lower case.
    ShortcutCheck CheckCharacter(std::string_view text, const HasCodeTest& hasCode) const;
    /// Applies the selected action to the character and text of the fields.
    ShortcutApplyResult Apply(ShortcutAction action, std::string_view character, std::string_view text,
                              const HasCodeTest& hasCode);

    /// The 26 shortcut rows of the alphabet list: " " + character + " = " + text for every
    /// filled slot in slot order, then single blanks.
    std::vector<std::string> ListRows() const;

private:
    std::array<Slot, kSlotCount> Table{};
};

}  // namespace kelvaro
