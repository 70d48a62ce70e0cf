// The candidate characters for random practice and the window the generators draw from.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace kelvaro {

/// A table of character codes, one per slot, counted from 0 (0 marks an unused slot):
///   0..43   the standard characters, always kStandardCharacters in that order;
///   44..69  the local characters in creation order, without holes (their count is kept by
///           the local-character editor);
///   70..    the regions of the random-character sets (chosen set, extras).
/// The random generators draw from the window PoolStart() .. PoolStart() + PoolSize() - 1.
/// Window thread only.
class CharacterPool {
public:
    static constexpr std::string_view kStandardCharacters = "abcdefghijklmnopqrstuvwxyz0123456789.,?/+'-=";
    static constexpr int kStandardCount = 44;
    static constexpr int kLocalStart = 44;
    static constexpr int kMaxLocal = 26;
    static constexpr int kSlotCount = 256;

    /// The standard characters in place, every other slot unused, the window on the 44
    /// standard characters (the set All with no local character).
    CharacterPool();

    /// index in 0 .. kSlotCount - 1.
    std::uint8_t Slot(int index) const;
    /// index in kStandardCount .. kSlotCount - 1: the standard slots never change.
    void SetSlot(int index, std::uint8_t code);

    /// The first slot index of the first slotCount slots from firstSlot that holds code.
    std::optional<int> FindSlot(std::uint8_t code, int firstSlot, int slotCount) const;

    int PoolStart() const { return Start; }
    int PoolSize() const { return Size; }
    /// Each within 0 .. kSlotCount; the caller keeps start + size within it too.
    void SetPoolStart(int start);
    void SetPoolSize(int size);

    /// True when the code, taken in lower case, is one of the 44 standard characters.
    static bool IsStandard(std::uint8_t code);

private:
    std::array<std::uint8_t, kSlotCount> Slots{};
    int Start = 0;
    int Size = kStandardCount;
};

}  // namespace kelvaro
