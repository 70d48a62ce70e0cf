// The words, bytes and password scrambling shared by the settings reader and writer.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/SettingsModel.h"

namespace kelvaro {

/// The fixed vocabulary of kelvaro.dat. Lines end with CR LF; the file is 8-bit text.
class SettingsFormat {
public:
    SettingsFormat() = delete;

    static constexpr std::string_view kLineEnd = "\r\n";
    /// First byte of the chosen-characters line.
    static constexpr char kChosenCharactersByte = '\x01';
    /// First byte of the marker line that ends the settings and carries the delimiters.
    static constexpr char kMarkerByte = '\x02';
    /// A delimiter byte that stands for "no delimiter".
    static constexpr std::uint8_t kNoDelimiterByte = 0xFF;
    /// Carries an instructor password that the scrambled form cannot: see ScramblePassword.
    static constexpr std::string_view kPasswordHexKey = "MDPINT_HEX=";

    /// "E", "D", "F", "I", "P", "S" or "K".
    static std::string_view LanguageLetter(Language language);
    static std::optional<Language> LanguageFromLetter(std::string_view value);
    /// "LEFT", "RIGHT", "ELKEYN", "ELKEYR", "SIMPLEKEY" or "CTRLKEY".
    static std::string_view SourceWord(SettingsModel::MonitorSource source);
    static std::optional<SettingsModel::MonitorSource> SourceFromWord(std::string_view value);

    /// Character i of the password (counting from 1) becomes the byte (code + i x i) mod 256.
    static std::string ScramblePassword(std::string_view password);
    /// The reverse: code = (byte - i x i) mod 256.
    static std::string UnscramblePassword(std::string_view scrambled);
    /// True when the text holds a byte that cannot stand inside a line: NUL, LF or CR.
    static bool HasLineBreakingByte(std::string_view text);

    /// Two upper-case hexadecimal digits per byte.
    static std::string ToHex(std::string_view bytes);
    /// The bytes of an even run of hexadecimal digits (either case); nothing when it is not one.
    static std::optional<std::string> FromHex(std::string_view digits);
};

}  // namespace kelvaro
