// The plain text of a rich-text (RTF) document, for playing it as a file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kelvaro {

/// Reads the words of a simple RTF document: paragraphs and line breaks become "\n", tabs "\t",
/// "\'hh" escapes are Windows-1252 bytes, "\uN" is a Unicode character (its fallback skipped);
/// font, colour and style tables, pictures and every "\*" destination are left out.
/// Returns UTF-8, or nothing when the bytes do not start as an RTF document or its groups do not
/// close; such a file is then shown as it is.
std::optional<std::string> RtfToPlainText(std::string_view bytes);

/// Whether the bytes start as an RTF document ("{\rtf", after blanks).
bool LooksLikeRtf(std::string_view bytes);

}  // namespace kelvaro
