// A small reader for gettext .po catalogues: the translations of the language table.
#include "app/PoFile.h"

namespace kelvaro {

namespace {

std::string_view Trim(std::string_view line) {
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) {
        line.remove_prefix(1);
    }
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r')) {
        line.remove_suffix(1);
    }
    return line;
}

// The text of a quoted .po string, escapes decoded; false when the line is not one.
bool Unquote(std::string_view quoted, std::string& out) {
    if (quoted.size() < 2 || quoted.front() != '"' || quoted.back() != '"') {
        return false;
    }
    quoted = quoted.substr(1, quoted.size() - 2);
    for (std::size_t i = 0; i < quoted.size(); ++i) {
        char c = quoted[i];
        if (c == '\\' && i + 1 < quoted.size()) {
            const char next = quoted[++i];
            switch (next) {
                case 'n':
                    c = '\n';
                    break;
                case 't':
                    c = '\t';
                    break;
                default:
                    c = next;
                    break;
            }
        }
        out.push_back(c);
    }
    return true;
}

struct Pending {
    std::string Context;
    PoEntry Entry;
    bool HasContext = false;
    std::string* Target = nullptr;
};

void Flush(Pending& pending, std::map<std::string, PoEntry, std::less<>>& entries) {
    if (pending.HasContext && !pending.Entry.English.empty()) {
        entries[pending.Context] = pending.Entry;
    }
    pending = Pending{};
}

}  // namespace

std::map<std::string, PoEntry, std::less<>> ReadPoText(std::string_view text) {
    std::map<std::string, PoEntry, std::less<>> entries;
    Pending pending;
    bool sawString = false;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = Trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (line.empty()) {
            continue;
        }
        if (line.front() == '#') {
            if (sawString) {
                Flush(pending, entries);
                sawString = false;
            }
            if (line.starts_with("#,") && line.find("fuzzy") != std::string_view::npos) {
                pending.Entry.Fuzzy = true;
            }
            continue;
        }
        auto keyword = [&](std::string_view word) {
            if (!line.starts_with(word) || line.size() <= word.size() || line[word.size()] != ' ') {
                return false;
            }
            line = Trim(line.substr(word.size()));
            return true;
        };
        if (keyword("msgctxt")) {
            if (sawString) {
                Flush(pending, entries);
            }
            pending.HasContext = true;
            pending.Target = &pending.Context;
        } else if (keyword("msgid")) {
            if (sawString && pending.Target != &pending.Context) {
                Flush(pending, entries);
            }
            pending.Target = &pending.Entry.English;
        } else if (keyword("msgstr")) {
            pending.Target = &pending.Entry.Translation;
        }
        if (pending.Target != nullptr) {
            std::string part;
            if (Unquote(line, part)) {
                *pending.Target += part;
                sawString = true;
            }
        }
    }
    Flush(pending, entries);
    return entries;
}

}  // namespace kelvaro
