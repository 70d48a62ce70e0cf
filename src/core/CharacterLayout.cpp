// How much silence follows a character: the character gap, the word gap, and their exceptions.
#include "core/CharacterLayout.h"

namespace kelvaro {

int TrailingGapUnits(bool isBlank, const SpeedSettings& speed, const CharacterContext& context) {
    const int wordGapUnits = 3 * speed.WordSpaceFactor();
    if (isBlank) {
        return wordGapUnits;
    }
    if (context.PaddleHeld) {
        return 0;
    }
    if (context.QuizRunning) {
        return 2;
    }
    if (context.CompletesGroup) {
        return wordGapUnits + speed.CharGapUnits();
    }
    return speed.CharGapUnits();
}

}  // namespace kelvaro
