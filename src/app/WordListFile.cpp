// Reading a vocabulary word list: one word or phrase per line, refused when it is no text.
#include "app/WordListFile.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "app/TextEncoding.h"

namespace kelvaro {

WordListLoad WordListFile::Load(const std::string& path) {
    WordListLoad result;
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(path, error)) {
        result.Problem = WordListProblem::Unreadable;
        return result;
    }
    const auto size = std::filesystem::file_size(path, error);
    if (error) {
        result.Problem = WordListProblem::Unreadable;
        return result;
    }
    if (size > kMaxBytes) {
        result.Problem = WordListProblem::TooLarge;
        return result;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        result.Problem = WordListProblem::Unreadable;
        return result;
    }
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(size));
    // Read at most one byte past the cap: a file that grew since its size was taken is
    // still refused.
    std::istreambuf_iterator<char> it(in);
    for (; it != std::istreambuf_iterator<char>() && bytes.size() <= kMaxBytes; ++it) {
        bytes += *it;
    }
    if (in.bad()) {
        result.Problem = WordListProblem::Unreadable;
        return result;
    }
    if (bytes.size() > kMaxBytes) {
        result.Problem = WordListProblem::TooLarge;
        return result;
    }
    return Parse(bytes);
}

WordListLoad WordListFile::Parse(const std::string& bytes) {
    WordListLoad result;
    if (bytes.find('\0') != std::string::npos) {
        result.Problem = WordListProblem::Binary;
        return result;
    }
    const std::string text = DecodeText(bytes);
    std::string line;
    auto flush = [&] {
        if (line.find_first_not_of(" \t") != std::string::npos) {
            result.Lines.push_back(line);
        }
        line.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            flush();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            continue;
        }
        line += c == '\t' ? ' ' : c;
    }
    flush();
    if (result.Lines.empty()) {
        result.Problem = WordListProblem::Empty;
    }
    return result;
}

}  // namespace kelvaro
