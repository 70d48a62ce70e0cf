// Every text the user sees, once per interface language, looked up by entry name.
#pragma once

#include <array>
#include <map>
#include <string>
#include <string_view>

namespace kelvaro {

enum class Language { English, French, German, Italian, Portuguese, Spanish, Polish };

inline constexpr std::array<Language, 7> kAllLanguages = {
    Language::English,    Language::French,  Language::German, Language::Italian,
    Language::Portuguese, Language::Spanish, Language::Polish};

/// Entries are named after what they label: "<ControlName>.Caption", "<ControlName>.Hint",
/// or "msg.<name>" for messages. Texts are UTF-8. A language lacking an entry falls back to
/// English, and an entry unknown to English comes back as its own name, so a missing text
/// is visible rather than blank.
class LanguageTable {
public:
    explicit LanguageTable(Language language = Language::English);

    Language Current() const { return Active; }
    void Select(Language language);

    std::string Text(std::string_view entry) const;
    bool Has(std::string_view entry) const;

    /// The English entries (for tests that check every named text exists).
    static const std::map<std::string, std::string, std::less<>>& EnglishEntries();
    /// The entries a language's own catalogue provides (English: the English entries).
    static const std::map<std::string, std::string, std::less<>>& EntriesOf(Language language);

private:
    Language Active;
    const std::map<std::string, std::string, std::less<>>* Entries;
};

/// The name of a language's translation catalogue (translations/<code>.po): "fr", "de", ...
std::string_view CatalogueCode(Language language);

/// The settings file's letter for a language (E, F, D, I, P, S, K), and back.
char LanguageCode(Language language);
bool LanguageFromCode(char code, Language& language);

}  // namespace kelvaro
