// Every text the user sees, once per interface language, looked up by entry name.
#include "app/LanguageTable.h"

#include "app/EnglishTexts.h"

namespace kelvaro {

LanguageTable::LanguageTable(Language language) : Active(language), Entries(&EnglishTexts()) {
    Select(language);
}

void LanguageTable::Select(Language language) {
    Active = language;
    // Only the English table exists so far; every language reads it until its own arrives.
    Entries = &EnglishTexts();
}

std::string LanguageTable::Text(std::string_view entry) const {
    if (const auto found = Entries->find(entry); found != Entries->end()) {
        return found->second;
    }
    if (const auto english = EnglishTexts().find(entry); english != EnglishTexts().end()) {
        return english->second;
    }
    return std::string(entry);
}

bool LanguageTable::Has(std::string_view entry) const {
    return Entries->find(entry) != Entries->end();
}

const std::map<std::string, std::string, std::less<>>& LanguageTable::EnglishEntries() {
    return EnglishTexts();
}

char LanguageCode(Language language) {
    switch (language) {
        case Language::English:
            return 'E';
        case Language::French:
            return 'F';
        case Language::German:
            return 'D';
        case Language::Italian:
            return 'I';
        case Language::Portuguese:
            return 'P';
        case Language::Spanish:
            return 'S';
        case Language::Polish:
            return 'K';
    }
    return 'E';
}

bool LanguageFromCode(char code, Language& language) {
    switch (code) {
        case 'E':
            language = Language::English;
            return true;
        case 'F':
            language = Language::French;
            return true;
        case 'D':
            language = Language::German;
            return true;
        case 'I':
            language = Language::Italian;
            return true;
        case 'P':
            language = Language::Portuguese;
            return true;
        case 'S':
            language = Language::Spanish;
            return true;
        case 'K':
            language = Language::Polish;
            return true;
        default:
            return false;
    }
}

}  // namespace kelvaro
