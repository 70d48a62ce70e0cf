// The candidate characters for random practice and the window the generators draw from.
#include "core/CharacterPool.h"

#include <cassert>

#include "core/Cp1252.h"

namespace kelvaro {

static_assert(CharacterPool::kStandardCharacters.size() == CharacterPool::kStandardCount);

CharacterPool::CharacterPool() {
    for (int index = 0; index < kStandardCount; ++index) {
        Slots[index] = static_cast<std::uint8_t>(kStandardCharacters[index]);
    }
}

std::uint8_t CharacterPool::Slot(int index) const {
    assert(index >= 0 && index < kSlotCount);
    return Slots[index];
}

void CharacterPool::SetSlot(int index, std::uint8_t code) {
    assert(index >= kStandardCount && index < kSlotCount);
    Slots[index] = code;
}

std::optional<int> CharacterPool::FindSlot(std::uint8_t code, int firstSlot, int slotCount) const {
    assert(firstSlot >= 0 && slotCount >= 0 && firstSlot + slotCount <= kSlotCount);
    for (int index = firstSlot; index < firstSlot + slotCount; ++index) {
        if (Slots[index] == code) {
            return index;
        }
    }
    return std::nullopt;
}

void CharacterPool::SetPoolStart(int start) {
    assert(start >= 0 && start <= kSlotCount);
    Start = start;
}

void CharacterPool::SetPoolSize(int size) {
    assert(size >= 0 && size <= kSlotCount);
    Size = size;
}

bool CharacterPool::IsStandard(std::uint8_t code) {
    return kStandardCharacters.find(static_cast<char>(Cp1252::ToLower(code))) != std::string_view::npos;
}

}  // namespace kelvaro
