// The plain text of a rich-text (RTF) document, for playing it as a file.
#include "app/RtfText.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <vector>

#include "app/TextEncoding.h"

namespace kelvaro {

namespace {

// Destinations whose content is never text of the document.
constexpr std::array<std::string_view, 17> kSkippedDestinations = {
    "fonttbl",  "colortbl",  "stylesheet",        "info",    "pict",
    "header",   "footer",    "headerl",           "headerr", "footerl",
    "footerr",  "listtable", "listoverridetable", "rsidtbl", "generator",
    "xmlnstbl", "themedata"};

struct Group {
    bool Skipped = false;
    int UnicodeSkip = 1;  // \ucN: how many fallback characters follow each \uN
};

void AppendCodePoint(std::string& out, char32_t codePoint) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool IsSkippedDestination(std::string_view word) {
    for (std::string_view skipped : kSkippedDestinations) {
        if (word == skipped) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool LooksLikeRtf(std::string_view bytes) {
    const std::size_t start = bytes.find_first_not_of(" \t\r\n");
    return start != std::string_view::npos && bytes.substr(start).starts_with("{\\rtf");
}

std::optional<std::string> RtfToPlainText(std::string_view bytes) {
    if (!LooksLikeRtf(bytes)) {
        return std::nullopt;
    }
    std::string out;
    std::vector<Group> groups;
    int fallbackToSkip = 0;
    auto skipped = [&] { return !groups.empty() && groups.back().Skipped; };
    auto emit = [&](char32_t codePoint) {
        if (fallbackToSkip > 0) {
            --fallbackToSkip;
            return;
        }
        if (!skipped()) {
            AppendCodePoint(out, codePoint);
        }
    };
    // The first control word of a group tells whether the group is a destination to leave out.
    bool groupStart = false;
    std::size_t i = bytes.find('{');
    while (i < bytes.size()) {
        const char c = bytes[i];
        if (c == '{') {
            groups.push_back(groups.empty() ? Group{} : groups.back());
            groupStart = true;
            ++i;
            continue;
        }
        if (c == '}') {
            if (groups.empty()) {
                return std::nullopt;
            }
            groups.pop_back();
            groupStart = false;
            fallbackToSkip = 0;
            ++i;
            if (groups.empty()) {
                break;  // the document's own group is closed: what follows is not part of it
            }
            continue;
        }
        if (c == '\r' || c == '\n') {
            ++i;
            continue;
        }
        if (c != '\\') {
            groupStart = false;
            emit(Cp1252ToCodePoint(static_cast<unsigned char>(c)));
            ++i;
            continue;
        }
        // A control symbol or word.
        if (i + 1 >= bytes.size()) {
            return std::nullopt;
        }
        const char next = bytes[i + 1];
        if (next == '\\' || next == '{' || next == '}') {
            groupStart = false;
            emit(static_cast<unsigned char>(next));
            i += 2;
            continue;
        }
        if (next == '*') {
            if (!groups.empty()) {
                groups.back().Skipped = true;
            }
            i += 2;
            continue;
        }
        if (next == '\'') {
            groupStart = false;
            const int high = i + 2 < bytes.size() ? HexValue(bytes[i + 2]) : -1;
            const int low = i + 3 < bytes.size() ? HexValue(bytes[i + 3]) : -1;
            if (high >= 0 && low >= 0) {
                emit(Cp1252ToCodePoint(static_cast<unsigned char>(high * 16 + low)));
                i += 4;
            } else {
                i += 2;
            }
            continue;
        }
        if (next == '~') {
            emit(U' ');
            i += 2;
            continue;
        }
        if (next == '\n' || next == '\r') {
            emit(U'\n');
            i += 2;
            continue;
        }
        if (!std::isalpha(static_cast<unsigned char>(next))) {
            i += 2;  // \- \_ \: and the like carry no text
            continue;
        }
        std::size_t j = i + 1;
        while (j < bytes.size() && std::isalpha(static_cast<unsigned char>(bytes[j]))) {
            ++j;
        }
        const std::string_view word = bytes.substr(i + 1, j - i - 1);
        bool hasNumber = false;
        long number = 0;
        bool negative = false;
        if (j < bytes.size() && bytes[j] == '-') {
            negative = true;
            ++j;
        }
        while (j < bytes.size() && std::isdigit(static_cast<unsigned char>(bytes[j]))) {
            hasNumber = true;
            if (number < 1000000) {
                number = number * 10 + (bytes[j] - '0');
            }
            ++j;
        }
        if (negative) {
            number = -number;
        }
        if (j < bytes.size() && bytes[j] == ' ') {
            ++j;  // the delimiting blank belongs to the control word
        }
        i = j;
        const bool firstOfGroup = groupStart;
        groupStart = false;
        if (firstOfGroup && IsSkippedDestination(word) && !groups.empty()) {
            groups.back().Skipped = true;
            continue;
        }
        if (word == "par" || word == "line" || word == "row") {
            emit(U'\n');
        } else if (word == "tab" || word == "cell") {
            emit(U'\t');
        } else if (word == "emdash" || word == "endash") {
            emit(U'-');
        } else if (word == "lquote" || word == "rquote") {
            emit(U'\'');
        } else if (word == "ldblquote" || word == "rdblquote") {
            emit(U'"');
        } else if (word == "bullet") {
            emit(U'\u2022');
        } else if (word == "uc" && hasNumber && !groups.empty()) {
            groups.back().UnicodeSkip = static_cast<int>(std::max(0L, number));
        } else if (word == "u" && hasNumber) {
            const long value = number < 0 ? number + 65536 : number;
            fallbackToSkip = 0;
            emit(static_cast<char32_t>(value));
            fallbackToSkip = groups.empty() ? 1 : groups.back().UnicodeSkip;
        }
    }
    if (!groups.empty()) {
        return std::nullopt;  // a group that never closes: not a document we can read
    }
    return out;
}

}  // namespace kelvaro
