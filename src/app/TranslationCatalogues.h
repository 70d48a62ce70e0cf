// The .po catalogues of the interface languages, compiled into the program.
#pragma once

#include <string_view>

namespace kelvaro {

/// The text of translations/<code>.po ("fr", "de", "it", "pt", "es", "pl"); empty for an
/// unknown code.
std::string_view TranslationCatalogue(std::string_view code);

}  // namespace kelvaro
