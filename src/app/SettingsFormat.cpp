// The words, bytes and password scrambling shared by the settings reader and writer.
#include "app/SettingsFormat.h"

#include <cstddef>

namespace kelvaro {

namespace {

using MonitorSource = SettingsModel::MonitorSource;

constexpr std::array<std::string_view, 6> kSourceWords = {"LEFT",   "RIGHT",     "ELKEYN",
                                                          "ELKEYR", "SIMPLEKEY", "CTRLKEY"};
constexpr std::array<MonitorSource, 6> kSources = {MonitorSource::Left,        MonitorSource::Right,
                                                   MonitorSource::ElKeyNormal, MonitorSource::ElKeyReverse,
                                                   MonitorSource::SimpleKey,   MonitorSource::CtrlKey};

constexpr std::string_view kHexDigits = "0123456789ABCDEF";

/// (i x i) mod 256 for the position i counted from 1; unsigned arithmetic wraps by a
/// multiple of 256, so the remainder stays right for any length.
std::uint8_t PositionOffset(std::size_t index) {
    const std::size_t position = index + 1;
    return static_cast<std::uint8_t>(position * position);
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

}  // namespace

std::string_view SettingsFormat::LanguageLetter(Language language) {
    static constexpr std::string_view kLetters = "EFDIPSK";
    const char letter = LanguageCode(language);
    return kLetters.substr(kLetters.find(letter), 1);
}

std::optional<Language> SettingsFormat::LanguageFromLetter(std::string_view value) {
    Language language = Language::English;
    if (value.size() == 1 && LanguageFromCode(value[0], language)) {
        return language;
    }
    return std::nullopt;
}

std::string_view SettingsFormat::SourceWord(MonitorSource source) {
    for (std::size_t i = 0; i < kSources.size(); ++i) {
        if (kSources[i] == source) {
            return kSourceWords[i];
        }
    }
    return kSourceWords[0];
}

std::optional<MonitorSource> SettingsFormat::SourceFromWord(std::string_view value) {
    for (std::size_t i = 0; i < kSourceWords.size(); ++i) {
        if (kSourceWords[i] == value) {
            return kSources[i];
        }
    }
    return std::nullopt;
}

std::string SettingsFormat::ScramblePassword(std::string_view password) {
    std::string scrambled(password);
    for (std::size_t i = 0; i < scrambled.size(); ++i) {
        scrambled[i] = static_cast<char>(static_cast<std::uint8_t>(scrambled[i]) + PositionOffset(i));
    }
    return scrambled;
}

std::string SettingsFormat::UnscramblePassword(std::string_view scrambled) {
    std::string password(scrambled);
    for (std::size_t i = 0; i < password.size(); ++i) {
        password[i] = static_cast<char>(static_cast<std::uint8_t>(password[i]) - PositionOffset(i));
    }
    return password;
}

bool SettingsFormat::HasLineBreakingByte(std::string_view text) {
    return text.find_first_of(std::string_view("\0\n\r", 3)) != std::string_view::npos;
}

std::string SettingsFormat::ToHex(std::string_view bytes) {
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (char c : bytes) {
        const auto code = static_cast<std::uint8_t>(c);
        hex.push_back(kHexDigits[code >> 4]);
        hex.push_back(kHexDigits[code & 0x0F]);
    }
    return hex;
}

std::optional<std::string> SettingsFormat::FromHex(std::string_view digits) {
    if (digits.size() % 2 != 0) {
        return std::nullopt;
    }
    std::string bytes;
    bytes.reserve(digits.size() / 2);
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        const int high = HexValue(digits[i]);
        const int low = HexValue(digits[i + 1]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<char>(high * 16 + low));
    }
    return bytes;
}

}  // namespace kelvaro
