// The three reference lists (alphabet, Q codes, abbreviations): their rows and what a click on
// a row plays.
#include "practice/ReferenceLists.h"

#include <cctype>

namespace kelvaro {

namespace {

// How a pattern is said: "di" for a dot, "dit" for a final dot, "dah" for a dash.
std::string Spoken(std::string_view pattern) {
    std::string said;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (i > 0) {
            said += ' ';
        }
        if (pattern[i] == '-') {
            said += "dah";
        } else {
            said += i + 1 == pattern.size() ? "dit" : "di";
        }
    }
    if (!said.empty()) {
        said[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(said[0])));
    }
    return said;
}

// " A  .-    Di dah": the name in two places, the pattern in a column of the given width
// (always one blank at least), then how it is said.
std::string Row(std::string_view name, std::string_view pattern, std::size_t patternWidth) {
    std::string row = " " + std::string(name);
    row.resize(4, ' ');
    row += pattern;
    row.append(pattern.size() < patternWidth ? patternWidth - pattern.size() : 1, ' ');
    return row + Spoken(pattern);
}

struct Entry {
    const char* Name;
    const char* Pattern;
};

constexpr std::array<Entry, 26> kLetters = {{
    {"A", ".-"},   {"B", "-..."}, {"C", "-.-."}, {"D", "-.."},  {"E", "."},    {"F", "..-."}, {"G", "--."},
    {"H", "...."}, {"I", ".."},   {"J", ".---"}, {"K", "-.-"},  {"L", ".-.."}, {"M", "--"},   {"N", "-."},
    {"O", "---"},  {"P", ".--."}, {"Q", "--.-"}, {"R", ".-."},  {"S", "..."},  {"T", "-"},    {"U", "..-"},
    {"V", "...-"}, {"W", ".--"},  {"X", "-..-"}, {"Y", "-.--"}, {"Z", "--.."},
}};
constexpr std::array<Entry, 10> kFigures = {{
    {"0", "-----"},
    {"1", ".----"},
    {"2", "..---"},
    {"3", "...--"},
    {"4", "....-"},
    {"5", "....."},
    {"6", "-...."},
    {"7", "--..."},
    {"8", "---.."},
    {"9", "----."},
}};
constexpr std::array<Entry, 7> kStops = {{
    {"?", "..--.."},
    {"/", "-..-."},
    {".", ".-.-.-"},
    {",", "--..--"},
    {"-", "-....-"},
    {"=", "-...-"},
    {"+", ".-.-."},
}};
constexpr std::array<Entry, 5> kSpecials = {{
    {"kn", "-.--."},
    {"as", ".-..."},
    {"hh", "........"},
    {"va", "...-.-"},
    {"@", ".--.-."},
}};

constexpr std::size_t kLetterPatternWidth = 6;
constexpr std::size_t kOtherPatternWidth = 7;

std::array<std::string, ReferenceLists::kAlphabetRows> BuildAlphabet() {
    std::array<std::string, ReferenceLists::kAlphabetRows> rows{};
    for (std::size_t i = 0; i < kLetters.size(); ++i) {
        rows[2 + i] = Row(kLetters[i].Name, kLetters[i].Pattern, kLetterPatternWidth);
    }
    for (std::size_t i = 0; i < kFigures.size(); ++i) {
        rows[33 + i] = Row(kFigures[i].Name, kFigures[i].Pattern, kOtherPatternWidth);
    }
    for (std::size_t i = 0; i < kStops.size(); ++i) {
        rows[48 + i] = Row(kStops[i].Name, kStops[i].Pattern, kOtherPatternWidth);
    }
    rows[56] = Row("'", ".----.", kOtherPatternWidth);
    for (std::size_t i = 0; i < kSpecials.size(); ++i) {
        rows[64 + 2 * i] = Row(kSpecials[i].Name, kSpecials[i].Pattern, kOtherPatternWidth);
    }
    return rows;
}

constexpr std::array<std::string_view, ReferenceLists::kQCodeRows> kEnglishQCodes = {
    "QRA = to Send location or station name",
    "QRB = to Send Distance between stations",
    "QRG = to send Frequency value",
    "QRH = to Inform that Frequency Drift occurs",
    "QRI = to Send Signal tonality",
    "QRK = to Send Signal Intelligibility value",
    "QRL = to be Busy",
    "QRM = to be Interfered",
    "QRN = to be Troubled with Static",
    "QRO = to Increase power",
    "QRP = to Decrease power",
    "QRQ = to Send faster",
    "QRS = to Send more slowly",
    "QRT = to Stop sending",
    "QRU = to Inform if anything is to be sent",
    "QRV = to be Ready",
    "QRX = to Call later",
    "QRZ = to Send Station Call",
    "QSA = to Send Signal Strength value",
    "QSB = to Inform that Fading occurs",
    "QSD = to Inform of bad Keying",
    "QSK = to Listen between signals",
    "QSL = to Acknowledge",
    "QSO = to Communicate on the air",
    "QSP = to Relay the communication",
    "QSU = to Transmit on the same frequency",
    "QSV = to Send a serie of letter V",
    "QSY = to Transmit on an other frequency",
    "QTH = to Send Geographical position",
    "QTR = to Send Time",
};

constexpr std::array<std::string_view, ReferenceLists::kAbbreviationRows> kEnglishAbbreviations = {
    "                              ABBREVIATIONS",
    "                              ==============",
    "          English",
    "          =======",
    " ABT : about",
    " ANT : antenna",
    " BURO : QSL bureau",
    " CFM : confirm",
    " CLDY : cloudy",
    " CLR : clear",
    " CQ : general call",
    " CUL : see you later",
    " DR : dear",
    " DX : long distance",
    " FB : fine business, excellent",
    " FER : for",
    " GA : good afternoon, go ahead",
    " GB : good bye",
    " GD : good day",
    " GE : good evening",
    " GL : good luck",
    " GM : good morning",
    " GN : good night",
    " GP : ground plane antenna",
    " HPE : hope",
    " HPECUAGN : hope see you again",
    " HPECUL : hope see you later",
    " HW : how",
    " LW : long wire antenna",
    " MNI : many",
    " NR : number",
    " OM : old man",
    " PSE : please",
    " PWR : power",
    " R : received, roger",
    " RIG : station equipment",
    " RPT : repeat, report",
    " RPT AA : repeat all after",
    " RPT AB : repeat all before",
    " RPRT : report",
    " RST : readability, strength, tone",
    " RX : receiver",
    " STN : station",
    " TEMP : temperature",
    " TKS : thanks",
    " TU : thank you",
    " TX : transmitter",
    " UR : your",
    " VY : very",
    " WX : weather",
    " XYL :ex-young lady, wife",
    " YL : young lady",
    " 5NN : 599",
    " 1TT : 100",
    " ",
    "          French (English)",
    "          ================",
    " BCP : beaucoup (many)",
    " BJR : bonjour (good morning)",
    " BSR : bonsoir (good evening)",
    " DPT : d\xC3\xA9partement (county)",
    " MCI : merci (thanks)",
    " PR : pour (for)",
    " SVP : s'il vous pla\xC3\xAEt (please)",
};

}  // namespace

const std::array<std::string, ReferenceLists::kAlphabetRows>& ReferenceLists::AlphabetCharacterRows() {
    static const std::array<std::string, kAlphabetRows> kRows = BuildAlphabet();
    return kRows;
}

const std::array<std::string_view, ReferenceLists::kQCodeRows>& ReferenceLists::QCodeRows(char) {
    return kEnglishQCodes;
}

const std::array<std::string_view, ReferenceLists::kAbbreviationRows>& ReferenceLists::AbbreviationRows(
    char) {
    return kEnglishAbbreviations;
}

std::optional<std::string> ReferenceLists::AlphabetPlayText(int row, std::string_view entry) {
    if (row < 0 || entry.size() < 2 || entry[1] == ' ') {
        return std::nullopt;
    }
    if (row >= kShortcutTextFromRow) {
        if (entry.size() <= 5) {
            return std::nullopt;
        }
        return std::string(entry.substr(5));
    }
    switch (entry[1]) {
        case 'a':
            return std::string(1, '\x01');  // AS
        case 'h':
            return std::string(1, '\x02');  // HH
        case 'k':
            return std::string(1, '\x03');  // KN
        case 'v':
            return std::string(1, '\x04');  // VA
        default:
            return std::string(1, entry[1]);
    }
}

std::optional<std::string> ReferenceLists::QCodePlayText(std::string_view entry) {
    if (entry.size() < 4) {
        return std::nullopt;
    }
    return std::string(entry.substr(0, 4));
}

std::optional<std::string> ReferenceLists::AbbreviationPlayText(std::string_view entry) {
    if (entry.size() < 2 || entry[1] == ' ') {
        return std::nullopt;
    }
    const std::size_t colon = entry.find(':');
    if (colon == std::string_view::npos || colon < 2) {
        return std::nullopt;
    }
    return std::string(entry.substr(1, colon - 1));
}

}  // namespace kelvaro
