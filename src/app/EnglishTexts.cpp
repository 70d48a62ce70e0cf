// The English entries of the language table.
#include "app/EnglishTexts.h"

namespace kelvaro {

const std::map<std::string, std::string, std::less<>>& EnglishTexts() {
    static const std::map<std::string, std::string, std::less<>> kTexts = {
#include "app/texts/EnglishDialogs.inc"
#include "app/texts/EnglishFile.inc"
#include "app/texts/EnglishLanguages.inc"
#include "app/texts/EnglishLists.inc"
#include "app/texts/EnglishMainWindow.inc"
#include "app/texts/EnglishMonitor.inc"
#include "app/texts/EnglishPort.inc"
#include "app/texts/EnglishProgress.inc"
#include "app/texts/EnglishQuiz.inc"
#include "app/texts/EnglishRandom.inc"
#include "app/texts/EnglishSettingsFile.inc"
#include "app/texts/EnglishShell.inc"
    };
    return kTexts;
}

}  // namespace kelvaro
