// A small reader for gettext .po catalogues: the translations of the language table.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace kelvaro {

/// One catalogue entry: the entry name (msgctxt), the English text (msgid) and the translation
/// (msgstr). Entries marked "fuzzy" by a translator's tool are kept with Fuzzy set.
struct PoEntry {
    std::string English;
    std::string Translation;
    bool Fuzzy = false;
};

/// Reads the entries of a .po text keyed by their msgctxt; the header (empty msgid) and entries
/// without a msgctxt are left out. Escapes \n, \t, \", \\ are decoded; continued strings are
/// joined.
std::map<std::string, PoEntry, std::less<>> ReadPoText(std::string_view text);

}  // namespace kelvaro
