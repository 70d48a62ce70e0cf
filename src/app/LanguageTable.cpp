// Every text the user sees, once per interface language, looked up by entry name.
#include "app/LanguageTable.h"

#include "app/EnglishTexts.h"
#include "app/PoFile.h"
#include "app/TranslationCatalogues.h"

namespace kelvaro {

namespace {

using Texts = std::map<std::string, std::string, std::less<>>;

// The translated entries of one language, read once from its compiled-in catalogue. Entries a
// translator left empty or marked fuzzy are left out, so they show in English.
Texts ReadTranslations(Language language) {
    Texts texts;
    for (auto& [entry, po] : ReadPoText(TranslationCatalogue(CatalogueCode(language)))) {
        if (!po.Translation.empty() && !po.Fuzzy) {
            texts.emplace(entry, std::move(po.Translation));
        }
    }
    return texts;
}

const Texts& TranslatedTexts(Language language) {
    static const std::array<Texts, 7> kTables = [] {
        std::array<Texts, 7> tables;
        for (const Language each : kAllLanguages) {
            if (each != Language::English) {
                tables[static_cast<std::size_t>(each)] = ReadTranslations(each);
            }
        }
        return tables;
    }();
    return language == Language::English ? EnglishTexts() : kTables[static_cast<std::size_t>(language)];
}

}  // namespace

std::string_view CatalogueCode(Language language) {
    switch (language) {
        case Language::English:
            return "en";
        case Language::French:
            return "fr";
        case Language::German:
            return "de";
        case Language::Italian:
            return "it";
        case Language::Portuguese:
            return "pt";
        case Language::Spanish:
            return "es";
        case Language::Polish:
            return "pl";
    }
    return "en";
}

LanguageTable::LanguageTable(Language language) : Active(language), Entries(&EnglishTexts()) {
    Select(language);
}

void LanguageTable::Select(Language language) {
    Active = language;
    Entries = &TranslatedTexts(language);
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

const std::map<std::string, std::string, std::less<>>& LanguageTable::EntriesOf(Language language) {
    return TranslatedTexts(language);
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
