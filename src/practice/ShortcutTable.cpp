// The user's shortcuts: up to 26 characters without a Morse code, each standing for a text.
#include "practice/ShortcutTable.h"

#include <algorithm>

namespace kelvaro {

void ShortcutTable::Load(const std::array<Slot, kSlotCount>& slots) {
    Table = slots;
    for (Slot& slot : Table) {
        if (slot.Text.size() > kMaxTextLength) {
            slot.Text.resize(kMaxTextLength);
        }
        if (slot.Character == 0) {
            slot.Text.clear();
        }
    }
}

std::optional<std::string> ShortcutTable::TextFor(std::uint8_t character) const {
    if (character == 0) {
        return std::nullopt;
    }
    for (const Slot& slot : Table) {
        if (slot.Character == character) {
            return slot.Text;
        }
    }
    return std::nullopt;
}

int ShortcutTable::FilledCount() const {
    return static_cast<int>(
        std::count_if(Table.begin(), Table.end(), [](const Slot& slot) { return slot.Character != 0; }));
}

bool ShortcutTable::IsAllowedCharacter(std::uint8_t lowerCode, const HasCodeTest& hasCode) {
    if (lowerCode <= ' ' || lowerCode == 0x7f) {
        return false;
    }
    return !(hasCode && hasCode(lowerCode));
}

ShortcutCheck ShortcutTable::CheckCharacter(std::string_view text, const HasCodeTest& hasCode) const {
    ShortcutCheck check;
    const ShortcutActionState emptyField{!PageIsFull(), true, true, ShortcutAction::None};
    if (text.empty()) {
        check.Actions = emptyField;
        return check;
    }
    const auto code = static_cast<std::uint8_t>(text.front());
    if (!IsAllowedCharacter(code, hasCode)) {
        check.ClearField = true;
        check.Beep = true;
        check.Actions = emptyField;
        return check;
    }
    if (const auto existing = TextFor(code)) {
        check.Text = *existing;
        check.Actions = {false, true, true, ShortcutAction::None};
        return check;
    }
    check.Text = std::string();
    check.Actions = {true, false, false, ShortcutAction::Create};
    return check;
}

ShortcutApplyResult ShortcutTable::Apply(ShortcutAction action, std::string_view character,
                                         std::string_view text, const HasCodeTest& hasCode) {
    ShortcutApplyResult result;
    if (character.empty() || text.empty() || action == ShortcutAction::None) {
        result.Beep = true;
        return result;
    }
    const auto code = static_cast<std::uint8_t>(character.front());
    const std::string stored(text.substr(0, kMaxTextLength));
    switch (action) {
        case ShortcutAction::Modify:
            for (Slot& slot : Table) {
                if (slot.Character == code) {
                    slot.Text = stored;
                    result.Changed = true;
                }
            }
            if (!result.Changed) {
                result.Beep = true;  // nothing to modify: Create it first
            }
            break;
        case ShortcutAction::Delete:
            for (Slot& slot : Table) {
                if (slot.Character == code) {
                    slot = Slot{};
                    result.Changed = true;
                }
            }
            result.PageFull = false;
            result.ClearFields = true;
            result.Actions = ShortcutActionState{true, true, true, ShortcutAction::None};
            break;
        case ShortcutAction::Create: {
            // A second slot for the same character could never be reached.
            if (!IsAllowedCharacter(code, hasCode) || IsShortcutKey(code)) {
                result.Beep = true;
                return result;
            }
            const auto free = std::find_if(Table.begin(), Table.end(),
                                           [](const Slot& slot) { return slot.Character == 0; });
            if (free == Table.end()) {
                result.Beep = true;
                return result;
            }
            *free = Slot{code, stored};
            result.Changed = true;
            if (PageIsFull()) {
                result.PageFull = true;
            }
            result.Actions = ShortcutActionState{false, true, true, ShortcutAction::None};
            break;
        }
        case ShortcutAction::None:
            break;
    }
    return result;
}

std::vector<std::string> ShortcutTable::ListRows() const {
    std::vector<std::string> rows;
    for (const Slot& slot : Table) {
        if (slot.Character != 0) {
            rows.push_back(" " + std::string(1, static_cast<char>(slot.Character)) + " = " + slot.Text);
        }
    }
    rows.resize(kSlotCount, " ");
    return rows;
}

}  // namespace kelvaro
