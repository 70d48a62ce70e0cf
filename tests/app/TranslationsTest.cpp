// The translations: every language has every entry, keeps the placeholders and accelerators,
// carries the fixed titles and start-up texts, and its catalogue matches the English of today.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "app/LanguageTable.h"
#include "app/PoFile.h"
#include "app/TranslationCatalogues.h"

namespace kelvaro {
namespace {

constexpr std::array<Language, 6> kTranslated = {Language::French,     Language::German,  Language::Italian,
                                                 Language::Portuguese, Language::Spanish, Language::Polish};

std::multiset<std::string> Placeholders(const std::string& text) {
    std::multiset<std::string> found;
    for (std::size_t at = text.find('%'); at != std::string::npos; at = text.find('%', at + 1)) {
        if (at + 1 < text.size() && text[at + 1] >= '1' && text[at + 1] <= '9') {
            found.insert(text.substr(at, 2));
        }
    }
    return found;
}

// A "&" before a letter or digit marks the keyboard accelerator; "&&" and "& " are plain text.
int Accelerators(const std::string& text) {
    int count = 0;
    for (std::size_t at = 0; at + 1 < text.size(); ++at) {
        if (text[at] == '&') {
            if (text[at + 1] == '&') {
                ++at;
            } else if (text[at + 1] != ' ') {
                ++count;
            }
        }
    }
    return count;
}

TEST(TranslationsTest, EveryLanguageHasEveryEnglishEntryWithItsPlaceholdersAndAccelerator) {
    const auto& english = LanguageTable::EnglishEntries();
    for (const Language language : kTranslated) {
        const auto& own = LanguageTable::EntriesOf(language);
        for (const auto& [entry, text] : english) {
            SCOPED_TRACE(std::string(CatalogueCode(language)) + " " + entry);
            const auto found = own.find(entry);
            ASSERT_NE(found, own.end()) << "no translation";
            EXPECT_FALSE(found->second.empty());
            EXPECT_EQ(Placeholders(found->second), Placeholders(text));
            EXPECT_EQ(Accelerators(found->second), Accelerators(text)) << found->second;
            EXPECT_EQ(std::count(found->second.begin(), found->second.end(), '\n'),
                      std::count(text.begin(), text.end(), '\n'));
        }
    }
}

TEST(TranslationsTest, CataloguesMatchTodaysEnglishAndHoldNoStaleEntries) {
    const auto& english = LanguageTable::EnglishEntries();
    for (const Language language : kTranslated) {
        const auto catalogue = ReadPoText(TranslationCatalogue(CatalogueCode(language)));
        ASSERT_FALSE(catalogue.empty()) << CatalogueCode(language);
        for (const auto& [entry, po] : catalogue) {
            SCOPED_TRACE(std::string(CatalogueCode(language)) + " " + entry);
            const auto found = english.find(entry);
            ASSERT_NE(found, english.end()) << "entry unknown to English";
            EXPECT_EQ(po.English, found->second) << "English changed: run scripts/update-translations.py";
            EXPECT_FALSE(po.Fuzzy);
        }
    }
}

TEST(TranslationsTest, TitlesAndStartUpTextsAreTheFixedOnesAndPolishKeepsTheEnglish) {
    struct Expected {
        Language Which;
        const char* Title;
        const char* Memory;
        const char* SoundCard;
        const char* Quit;
        const char* Settings;
    };
    const std::array<Expected, 7> cases = {{
        {Language::English, "KELVARO 4.0 - THE  MORSE  CODE  TEACHER  &  TRAINER", "Not enough memory !",
         "Can't open the sound card !", "You quit ! Are you sure ?", "Can't create kelvaro.dat !"},
        {Language::Polish, "KELVARO 4.0 - THE  MORSE  CODE  TEACHER  &  TRAINER", "Not enough memory !",
         "Can't open the sound card !", "You quit ! Are you sure ?", "Can't create kelvaro.dat !"},
        {Language::French, "KELVARO 4.0 - APPRENTISSAGE  ET  ENTRAINEMENT  AU  CODE  MORSE",
         "Mémoire insuffisante !", "Ne peut ouvrir la carte son !", "Vous quittez ! Etes-vous sûr ?",
         "Ne peut créer le fichier kelvaro.dat !"},
        {Language::German, "KELVARO 4.0 - DIE  MORSE  CODE  AKADEMIE", "Zu wenig Speicher!",
         "Kann nicht Sound-Karte öffnen!", "Sie verlassen Kelvaro! Sind Sie sicher?",
         "Kann nicht kelvaro.dat öffnen!"},
        {Language::Italian, "KELVARO 4.0 - VI INSEGNA IL CODICE MORSE E VI ALLENA",
         "Non vi è abbastanza memoria !", "Non posso attivare la scheda audio !",
         "State uscendo dal programma ! Ne siete sicuri ?", "Non posso creare kelvaro.dat !"},
        {Language::Portuguese, "KELVARO 4.0 - APRENDIZAGEM E TREINO DE CODIGO MORSE", "A memoria não chega !",
         "Não pode abrir a placa de som !", "Pediu para sair ! Tem a certeza ?",
         "Não pode criar o ficheiro kelvaro.dat !"},
        {Language::Spanish, "KELVARO 4.0 - EL PROFESOR Y ENTRENADOR DE CÓDIGO MORSE",
         "Memoria insuficiente !", "No se puede acceder a la placa de sonido !",
         "Sale del programa ! Esta usted seguro ?", "No se puede crear el archivo kelvaro.dat !"},
    }};
    LanguageTable table;
    for (const Expected& expected : cases) {
        table.Select(expected.Which);
        SCOPED_TRACE(std::string(CatalogueCode(expected.Which)));
        EXPECT_EQ(table.Text("TForm1.Caption"), expected.Title);
        EXPECT_EQ(table.Text("msg.not-enough-memory"), expected.Memory);
        EXPECT_EQ(table.Text("msg.cannot-open-sound-card"), expected.SoundCard);
        EXPECT_EQ(table.Text("msg.quit-confirmation"), expected.Quit);
        EXPECT_EQ(table.Text("msg.cannot-create-settings"), expected.Settings);
    }
}

TEST(TranslationsTest, PolishKeepsTheEnglishAlphabetHeadingsAndOthersHaveTheirOwn) {
    LanguageTable table;
    for (const Language language : kTranslated) {
        table.Select(language);
        const std::string heading = table.Text("ListAlphabet.Row0");
        if (language == Language::Polish) {
            EXPECT_EQ(heading, LanguageTable::EnglishEntries().at("ListAlphabet.Row0"));
        } else {
            EXPECT_NE(heading, LanguageTable::EnglishEntries().at("ListAlphabet.Row0"))
                << CatalogueCode(language);
        }
    }
}

TEST(TranslationsTest, PoReaderJoinsContinuedStringsDecodesEscapesAndSkipsHeaderAndFuzzy) {
    const auto entries = ReadPoText(R"PO(# header
msgid ""
msgstr ""
"Content-Type: text/plain; charset=UTF-8\n"

#: somewhere
msgctxt "A.Caption"
msgid "Mark\n"
"(Click)"
msgstr ""
"Note\n"
"(cliquez \"ici\")"

#, fuzzy
msgctxt "B.Caption"
msgid "Old"
msgstr "Vieux"
msgctxt "C.Caption"
msgid "Back\\slash"
msgstr "Tab\there"
)PO");
    ASSERT_EQ(entries.size(), 3U);
    EXPECT_EQ(entries.at("A.Caption").English, "Mark\n(Click)");
    EXPECT_EQ(entries.at("A.Caption").Translation, "Note\n(cliquez \"ici\")");
    EXPECT_FALSE(entries.at("A.Caption").Fuzzy);
    EXPECT_TRUE(entries.at("B.Caption").Fuzzy);
    EXPECT_FALSE(entries.at("C.Caption").Fuzzy);
    EXPECT_EQ(entries.at("C.Caption").English, "Back\\slash");
    EXPECT_EQ(entries.at("C.Caption").Translation, "Tab\there");
}

}  // namespace
}  // namespace kelvaro
