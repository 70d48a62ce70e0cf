// Conversion between UTF-8 and the program's 8-bit character codes (Windows-1252).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kelvaro {

/// The Windows-1252 byte for a Unicode code point, or nothing when it has none.
std::optional<unsigned char> CodePointToCp1252(char32_t codePoint);
char32_t Cp1252ToCodePoint(unsigned char code);

/// Nothing when text is not valid UTF-8. Characters without an 8-bit code are dropped.
std::optional<std::string> Utf8ToCp1252(std::string_view text);
std::string Cp1252ToUtf8(std::string_view text);
/// Valid UTF-8 is read as UTF-8, anything else as Windows-1252 bytes.
std::string DecodeText(std::string_view bytes);

}  // namespace kelvaro
