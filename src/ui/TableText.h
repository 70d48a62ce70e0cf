// The language table's texts as Qt strings, for every widget of the program.
#pragma once

#include <QString>
#include <string_view>

#include "app/LanguageTable.h"

namespace kelvaro {

/// The entry's text in the interface language (the table holds UTF-8).
inline QString TableText(const LanguageTable& texts, std::string_view entry) {
    return QString::fromStdString(texts.Text(entry));
}

}  // namespace kelvaro
