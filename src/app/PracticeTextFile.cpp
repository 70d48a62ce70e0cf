// Reading a text file to play in the File mode: plain text in UTF-8, UTF-16 or Windows-1252, or
// the words of an RTF document; anything else is refused with a reason.
#include "app/PracticeTextFile.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

#include "app/RtfText.h"
#include "app/TextEncoding.h"

namespace kelvaro {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// UTF-16 after its byte-order mark; nothing when the units do not pair up.
std::optional<std::string> FromUtf16(std::string_view bytes, bool bigEndian) {
    if (bytes.size() % 2 != 0) {
        return std::nullopt;
    }
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        char32_t unit = bigEndian ? (a << 8 | b) : (b << 8 | a);
        if (unit >= 0xD800 && unit < 0xDC00) {
            if (i + 3 >= bytes.size()) {
                return std::nullopt;
            }
            const auto c = static_cast<unsigned char>(bytes[i + 2]);
            const auto d = static_cast<unsigned char>(bytes[i + 3]);
            const char32_t low = bigEndian ? (c << 8 | d) : (d << 8 | c);
            if (low < 0xDC00 || low >= 0xE000) {
                return std::nullopt;
            }
            unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        } else if (unit >= 0xDC00 && unit < 0xE000) {
            return std::nullopt;
        }
        if (unit == 0) {
            return std::nullopt;
        }
        AppendUtf8(out, unit);
    }
    return out;
}

// Plain text holds no NUL and few control characters besides tabs, line ends and form feeds.
bool LooksBinary(std::string_view bytes) {
    std::size_t controls = 0;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == 0) {
            return true;
        }
        if (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r' && byte != '\f') {
            ++controls;
        }
    }
    return controls * 20 > bytes.size();  // more than one in twenty
}

// Line ends become "\n"; other control characters but tabs are dropped.
std::string NormaliseLines(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else if (c == '\f') {
            out += '\n';
        } else if (static_cast<unsigned char>(c) >= 0x20 || c == '\n' || c == '\t') {
            out += c;
        }
    }
    return out;
}

}  // namespace

PracticeTextLoad PracticeTextFile::Load(const std::string& path) {
    PracticeTextLoad result;
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(path, error)) {
        result.Problem = PracticeTextProblem::CannotOpen;
        return result;
    }
    const auto size = std::filesystem::file_size(path, error);
    if (error) {
        result.Problem = PracticeTextProblem::CannotOpen;
        return result;
    }
    if (size > kMaxBytes) {
        result.Problem = PracticeTextProblem::TooLarge;
        return result;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        result.Problem = PracticeTextProblem::CannotOpen;
        return result;
    }
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(size));
    // At most one byte past the cap: a file that grew since its size was taken is still refused.
    std::istreambuf_iterator<char> it(in);
    for (; it != std::istreambuf_iterator<char>() && bytes.size() <= kMaxBytes; ++it) {
        bytes += *it;
    }
    if (in.bad()) {
        result.Problem = PracticeTextProblem::CannotOpen;
        return result;
    }
    if (bytes.size() > kMaxBytes) {
        result.Problem = PracticeTextProblem::TooLarge;
        return result;
    }
    return Parse(bytes);
}

PracticeTextLoad PracticeTextFile::Parse(std::string_view bytes) {
    PracticeTextLoad result;
    std::string text;
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        const auto decoded = FromUtf16(bytes.substr(2), bytes[0] == '\xFE');
        if (!decoded) {
            result.Problem = PracticeTextProblem::Binary;
            return result;
        }
        text = *decoded;
    } else {
        if (bytes.starts_with(kUtf8Bom)) {
            bytes.remove_prefix(kUtf8Bom.size());
        }
        if (LooksBinary(bytes)) {
            result.Problem = PracticeTextProblem::Binary;
            return result;
        }
        if (Utf8ToCp1252(bytes)) {
            text = std::string(bytes);  // valid UTF-8
        } else {
            text = Cp1252ToUtf8(bytes);
        }
    }
    if (LooksLikeRtf(text)) {
        // An RTF document we cannot follow is shown as it is rather than refused.
        if (auto plain = RtfToPlainText(text)) {
            text = std::move(*plain);
        }
    }
    text = NormaliseLines(text);
    if (text.find_first_not_of(" \t\n") == std::string::npos) {
        result.Problem = PracticeTextProblem::Empty;
        return result;
    }
    result.Text = std::move(text);
    return result;
}

std::string PracticeTextFile::PlayCodes(std::u16string_view shown) {
    std::string codes;
    codes.reserve(shown.size());
    for (const char16_t unit : shown) {
        if (unit == u'\n' || unit == u'\t' || unit == u'\r' || unit == u'\u2029' || unit == u'\u2028') {
            codes += ' ';
        } else if (unit >= 0xD800 && unit < 0xE000) {
            codes += kNoCode;
        } else if (const auto code = CodePointToCp1252(unit)) {
            codes += static_cast<char>(*code);
        } else {
            codes += kNoCode;
        }
    }
    return codes;
}

}  // namespace kelvaro
