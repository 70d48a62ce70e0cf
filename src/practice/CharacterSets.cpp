// The random-character sets: their pool windows, the chosen set and the classes of characters.
#include "practice/CharacterSets.h"

#include <algorithm>

namespace kelvaro {

PoolWindow CharacterSets::WindowFor(RandomSource source, int localCount, int chosenCount,
                                    PoolWindow current) {
    switch (source) {
        case RandomSource::Letters:
            return {0, 26};
        case RandomSource::Figures:
            return {26, 10};
        case RandomSource::Stops:
            return {36, 8};
        case RandomSource::Local:
            return {CharacterPool::kLocalStart, localCount};
        case RandomSource::LettersFigures:
        case RandomSource::Exam:
            return {0, 36};
        case RandomSource::All:
            return {0, CharacterPool::kStandardCount + localCount};
        case RandomSource::Chosen:
            return {kChosenStart, chosenCount};
        case RandomSource::Vocabulary:
            return current;
    }
    return current;
}

void CharacterSets::InstallExtras(CharacterPool& pool) {
    for (std::size_t i = 0; i < kExtras.size(); ++i) {
        pool.SetSlot(kExtrasStart + static_cast<int>(i), static_cast<std::uint8_t>(kExtras[i]));
    }
}

int CharacterSets::BuildChosenSet(CharacterPool& pool, std::string_view text, int localCount) {
    int count = 0;
    for (const char raw : text.substr(0, std::min<std::size_t>(text.size(), kMaxChosen))) {
        auto code = static_cast<std::uint8_t>(raw);
        if (code >= 'A' && code <= 'Z') {
            code = static_cast<std::uint8_t>(code - 'A' + 'a');
        }
        const bool accepted = code != 0 && (CharacterPool::IsStandard(code) ||
                                            pool.FindSlot(code, CharacterPool::kLocalStart, localCount) ||
                                            kExtras.find(static_cast<char>(code)) != std::string_view::npos);
        if (accepted) {
            pool.SetSlot(kChosenStart + count, code);
            ++count;
        }
    }
    return count;
}

CharacterClass CharacterSets::ClassOf(std::uint8_t code) {
    if (code >= '0' && code <= '9') {
        return CharacterClass::Figure;
    }
    if (code >= 'a' && code <= 'z') {
        return CharacterClass::Letter;
    }
    return CharacterClass::Other;
}

}  // namespace kelvaro
