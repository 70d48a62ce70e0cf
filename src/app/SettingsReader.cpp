// Reads the settings file kelvaro.dat into the settings model.
#include "app/SettingsReader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "app/SettingsFormat.h"
#include "core/Cp1252.h"
#include "core/LocalCharacters.h"
#include "core/Rounding.h"

namespace kelvaro {

namespace {

using Model = SettingsModel;

constexpr int kMaxLessonLines = Model::kLessonCount;
constexpr int kMaxLocalLinesExamined = Model::kMaxLocalRows;
constexpr std::size_t kMaxRowLength = LocalCharacters::kMaxRowLength;
/// WINPOS= reads at most this many characters after its comma.
constexpr std::size_t kMaxWindowLeftLength = 100;
/// A port address is 16 bits: at most four hexadecimal digits.
constexpr std::size_t kMaxAddressDigits = 4;
constexpr int kLowestNoteHz = 100;
constexpr int kHighestNoteHz = 1500;
constexpr int kNoteStepHz = 10;
constexpr int kExamTone = -1;
constexpr int kTxDelayStepMs = 50;
constexpr int kTxDelayItemCount = 5;

/// A whole decimal number, optionally signed, that fits an int; nothing for anything else.
std::optional<int> ParseNumber(std::string_view text) {
    std::size_t index = 0;
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        index = 1;
    }
    if (index == text.size()) {
        return std::nullopt;
    }
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<int>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; index < text.size(); ++index) {
        if (text[index] < '0' || text[index] > '9') {
            return std::nullopt;
        }
        magnitude = magnitude * 10 + (text[index] - '0');
        if (magnitude > kLimit) {
            return std::nullopt;
        }
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

/// One to four hexadecimal digits and nothing else.
std::optional<int> ParseAddress(std::string_view digits) {
    if (digits.empty() || digits.size() > kMaxAddressDigits ||
        !std::all_of(digits.begin(), digits.end(), IsHexDigit)) {
        return std::nullopt;
    }
    int value = 0;
    for (char c : digits) {
        value = value * 16 + (c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10);
    }
    return value;
}

/// The address of an LPT address box, "[" + hex digits + "h]": the first character is
/// skipped and the hexadecimal digits that follow it are the address.
std::optional<int> ParseAddressBox(std::string_view text) {
    if (text.size() < 2) {
        return std::nullopt;
    }
    const std::string_view rest = text.substr(1);
    const std::size_t digitCount = std::find_if_not(rest.begin(), rest.end(), IsHexDigit) - rest.begin();
    return ParseAddress(rest.substr(0, digitCount));
}

/// ON/OFF, 1/0, UPPER/LOWER ...: the word for true, the word for false, anything else: nothing.
std::optional<bool> ParseFlag(std::string_view value, std::string_view onWord, std::string_view offWord) {
    if (value == onWord) {
        return true;
    }
    if (value == offWord) {
        return false;
    }
    return std::nullopt;
}

void SetFlag(bool& flag, std::string_view value, std::string_view onWord, std::string_view offWord) {
    if (const std::optional<bool> parsed = ParseFlag(value, onWord, offWord)) {
        flag = *parsed;
    }
}

void SetClamped(int& setting, std::string_view value, int lowest, int highest) {
    if (const std::optional<int> number = ParseNumber(value)) {
        setting = std::clamp(*number, lowest, highest);
    }
}

/// Takes the number only when it lies in lowest .. highest.
void SetInRange(int& setting, std::string_view value, int lowest, int highest) {
    if (const std::optional<int> number = ParseNumber(value);
        number && *number >= lowest && *number <= highest) {
        setting = *number;
    }
}

void SetNumber(int& setting, std::string_view value) {
    if (const std::optional<int> number = ParseNumber(value)) {
        setting = *number;
    }
}

struct ReadState {
    Model& Settings;
    int ShortcutsTaken = 0;
    int MessagesTaken = 0;
};

using KeyAction = void (*)(ReadState&, std::string_view value);

struct Key {
    std::string_view Name;
    KeyAction Apply;
};

void ReadNote(Model& settings, std::string_view value) {
    const std::optional<int> number = ParseNumber(value);
    if (!number) {
        return;
    }
    if (*number == kExamTone) {
        settings.NotePosition = kExamTone;
        return;
    }
    const int frequencyHz = std::clamp(*number, kLowestNoteHz, kHighestNoteHz);
    settings.NoteFrequencyHz = frequencyHz;
    settings.NotePosition = static_cast<int>(RoundRatio(kHighestNoteHz - frequencyHz, kNoteStepHz));
}

void ReadQuizDelay(Model& settings, std::string_view value) {
    for (int step = 1; step <= Model::kQuizDelayStepCount; ++step) {
        if (value == Model::QuizDelayText(step)) {
            settings.QuizDelayStep = step;
            return;
        }
    }
}

void ReadShortcut(ReadState& state, std::string_view value) {
    if (state.ShortcutsTaken == Model::kShortcutCount) {
        return;
    }
    Model::Shortcut& slot = state.Settings.ShortcutTable[static_cast<std::size_t>(state.ShortcutsTaken++)];
    slot.Letter = value.empty() ? '\0' : value.front();
    slot.Text = value.empty() ? std::string() : std::string(value.substr(1, Model::kShortcutTextLength));
}

void ReadMessage(ReadState& state, std::string_view value) {
    if (state.MessagesTaken == Model::kMessageCount) {
        return;
    }
    state.Settings.StoredMessages[static_cast<std::size_t>(state.MessagesTaken++)] = std::string(value);
}

void ReadTxDelay(Model& settings, std::string_view value) {
    const std::optional<int> milliseconds = ParseNumber(value);
    if (!milliseconds) {
        return;
    }
    // The item whose interval 50 x (item + 1) ms lies nearest, halves to the even item.
    const std::int64_t item = RoundRatio(std::int64_t{*milliseconds} - kTxDelayStepMs, kTxDelayStepMs);
    if (item >= 0 && item < kTxDelayItemCount) {
        settings.TxDelayMs = static_cast<int>(item + 1) * kTxDelayStepMs;
    }
}

void ReadLptAddress(Model& settings, std::string_view value) {
    if (value.empty()) {
        return;
    }
    settings.LptAddressOverride = ParseAddressBox(value).value_or(0);
}

void ReadLptxAddress(Model& settings, std::string_view value) {
    if (const std::optional<int> address = ParseAddress(value)) {
        settings.LptxAddressText = std::string(value);
        settings.LptxAddress = *address;
    } else {
        settings.LptxAddressText.clear();
        settings.LptxAddress = 0;
    }
}

void ReadSoundDevice(Model& settings, int& deviceId, std::string_view value) {
    if (value == "-1") {
        return;
    }
    settings.ChosenSoundDevices = true;
    SetNumber(deviceId, value);
}

void ReadWindowPosition(Model& settings, std::string_view value) {
    const std::size_t comma = value.find(',');
    if (comma == std::string_view::npos) {
        return;
    }
    SetNumber(settings.WindowTop, value.substr(0, comma));
    SetNumber(settings.WindowLeft, value.substr(comma + 1, kMaxWindowLeftLength));
}

/// "step,max,min"; each field that is not a number is skipped, and the fields after a
/// missing comma are not read.
void ReadDrift(Model& settings, std::string_view value) {
    std::array<int*, 3> fields = {&settings.DriftStepHz, &settings.DriftMaxHz, &settings.DriftMinHz};
    for (std::size_t field = 0; field < fields.size(); ++field) {
        const bool last = field + 1 == fields.size();
        const std::size_t comma = last ? std::string_view::npos : value.find(',');
        SetNumber(*fields[field], value.substr(0, comma));
        if (comma == std::string_view::npos) {
            return;
        }
        value.remove_prefix(comma + 1);
    }
}

void ReadResumeDelay(Model& settings, std::string_view value) {
    constexpr std::array<std::string_view, 4> kSeconds = {"0", "1", "2", "3"};
    for (std::size_t seconds = 0; seconds < kSeconds.size(); ++seconds) {
        if (value == kSeconds[seconds]) {
            settings.ResumeDelaySeconds = static_cast<int>(seconds);
        }
    }
}

/// The keys in table order. No key is the beginning of another, since each ends with "=".
/// A number is clamped to the range of the control that shows it (spin edits, sliders and
/// up-downs clamp what they are given) or, for menu items and radio groups, taken only when
/// it names one of them.
constexpr auto kKeys = std::to_array<Key>({
    {"SPEED=", [](ReadState& s, std::string_view v) { SetClamped(s.Settings.SpeedWpm, v, 5, 50); }},
    {"SPACE=", [](ReadState& s, std::string_view v) { SetClamped(s.Settings.CharacterSpacing, v, 1, 30); }},
    {"SPACEW=", [](ReadState& s, std::string_view v) { SetInRange(s.Settings.WordSpaceFactor, v, 1, 4); }},
    {"LANGUAGE=",
     [](ReadState& s, std::string_view v) {
         if (const auto language = SettingsFormat::LanguageFromLetter(v)) {
             s.Settings.InterfaceLanguage = *language;
         }
     }},
    {"LEVEL=", [](ReadState& s, std::string_view v) { SetClamped(s.Settings.LevelDb, v, -15, 0); }},
    {"RANDOM_COUNT=", [](ReadState& s, std::string_view v) { SetClamped(s.Settings.RandomCount, v, 5, 1000); }},
    {"WORDS=",
     [](ReadState& s, std::string_view v) {
         if (const std::optional<int> length = ParseNumber(v); length && (*length == 0 || (*length >= 2 && *length <= 8))) {
             s.Settings.GroupLength = *length;
         }
     }},
    {"MIXED=",
     [](ReadState& s, std::string_view v) {
         if (v == "ON") {
             s.Settings.Content = Model::GroupContent::NonMixed;
         } else if (v == "CALL") {
             s.Settings.Content = Model::GroupContent::Callsigns;
         } else if (v == "OFF") {
             s.Settings.Content = Model::GroupContent::Mixed;
         }
     }},
    {"VVVVV=", [](ReadState& s, std::string_view v) { SetFlag(s.Settings.AddLeadingVs, v, "ON", "OFF"); }},
    {"RANDOM=", [](ReadState& s, std::string_view v) { SetInRange(s.Settings.RandomSource, v, 1, 9); }},
    {"COM=", [](ReadState& s, std::string_view v) { SetInRange(s.Settings.ComPort, v, 0, 19); }},
    {"MONITOR_CASE=",
     [](ReadState& s, std::string_view v) { SetFlag(s.Settings.MonitorUpperCase, v, "UPPER", "LOWER"); }},
    {"MONITOR_CHANNEL=",
     [](ReadState& s, std::string_view v) {
         if (const auto source = SettingsFormat::SourceFromWord(v)) {
             s.Settings.Source = *source;
         }
     }},
    {"LEFT_THRESHOLD=", [](ReadState& s, std::string_view v) { SetClamped(s.Settings.LeftThreshold, v, 0, 127); }},
    {"RIGHT_THRESHOLD=",
     [](ReadState& s, std::string_view v) { SetClamped(s.Settings.RightThreshold, v, 0, 127); }},
    {"NOISE_LEVEL=", [](ReadState& s, std::string_view v) { SetClamped(s.Settings.NoiseLevel, v, 0, 20); }},
    {"QSB_LEVEL=", [](ReadState& s, std::string_view v) { SetClamped(s.Settings.QsbLevel, v, 0, 20); }},
    {"NOISE_BW=",
     [](ReadState& s, std::string_view v) {
         if (const std::optional<int> bandwidth = ParseNumber(v)) {
             const bool known = *bandwidth == 1 || *bandwidth == 2 || *bandwidth == 4 || *bandwidth == 8;
             s.Settings.NoiseBandwidth = known ? *bandwidth : 8;
         }
     }},
    {"NOTE=", [](ReadState& s, std::string_view v) { ReadNote(s.Settings, v); }},
    {"DELAY=", [](ReadState& s, std::string_view v) { ReadQuizDelay(s.Settings, v); }},
    {"PAGE=",
     [](ReadState& s, std::string_view v) {
         s.Settings.LessonPage = 1;
         SetInRange(s.Settings.LessonPage, v, 1, 3);
     }},
    {"QUIZ_COUNT=", [](ReadState& s, std::string_view v) { SetClamped(s.Settings.QuizCount, v, 5, 1000); }},
    {"SPEED_ADJUST=", [](ReadState& s, std::string_view) { s.Settings.VariableSpeed = true; }},
    {"DELAY_ADJUST=", [](ReadState& s, std::string_view) { s.Settings.DelayAdjust = true; }},
    {"SHORTCUT=", ReadShortcut},
    {"MSG=", ReadMessage},
    {"PTT=", [](ReadState& s, std::string_view v) { SetInRange(s.Settings.PttLineMask, v, 0, 3); }},
    {"CW=", [](ReadState& s, std::string_view v) { SetInRange(s.Settings.CwLineMask, v, 0, 3); }},
    {"TXDELAY=", [](ReadState& s, std::string_view v) { ReadTxDelay(s.Settings, v); }},
    {"LPT=", [](ReadState& s, std::string_view v) { SetInRange(s.Settings.LptPort, v, 0, 3); }},
    {"ADLPT=", [](ReadState& s, std::string_view v) { ReadLptAddress(s.Settings, v); }},
    {"LPTX=", [](ReadState& s, std::string_view v) { SetFlag(s.Settings.LptxOn, v, "ON", "OFF"); }},
    {"ADLPTX=", [](ReadState& s, std::string_view v) { ReadLptxAddress(s.Settings, v); }},
    {"PIN=", [](ReadState& s, std::string_view v) { SetInRange(s.Settings.LptPin, v, 0, 3); }},
    {"LOGIC=", [](ReadState& s, std::string_view v) { s.Settings.NegativeLogic = !v.empty() && v.front() == 'N'; }},
    {"MDPINT=",
     [](ReadState& s, std::string_view v) { s.Settings.InstructorPassword = SettingsFormat::UnscramblePassword(v); }},
    {SettingsFormat::kPasswordHexKey,
     [](ReadState& s, std::string_view v) {
         if (std::optional<std::string> password = SettingsFormat::FromHex(v)) {
             s.Settings.InstructorPassword = std::move(*password);
         }
     }},
    {"INSTMF=", [](ReadState& s, std::string_view v) { SetFlag(s.Settings.InstructorMaskedFile, v, "1", "0"); }},
    {"INSTMR=", [](ReadState& s, std::string_view v) { SetFlag(s.Settings.InstructorMaskedRandom, v, "1", "0"); }},
    {"INSTFN=", [](ReadState& s, std::string_view v) { SetFlag(s.Settings.InstructorFixedNote, v, "1", "0"); }},
    {"INSTFS=", [](ReadState& s, std::string_view v) { SetFlag(s.Settings.InstructorFixedSpeed, v, "1", "0"); }},
    {"ISOUND=", [](ReadState& s, std::string_view v) { ReadSoundDevice(s.Settings, s.Settings.InputDeviceId, v); }},
    {"OSOUND=", [](ReadState& s, std::string_view v) { ReadSoundDevice(s.Settings, s.Settings.OutputDeviceId, v); }},
    {"LCASE=", [](ReadState& s, std::string_view v) { SetFlag(s.Settings.LowerCaseGroups, v, "1", "0"); }},
    {"ISOUNDNAME=", [](ReadState& s, std::string_view v) { s.Settings.InputDeviceName = std::string(v); }},
    {"OSOUNDNAME=", [](ReadState& s, std::string_view v) { s.Settings.OutputDeviceName = std::string(v); }},
    {"LISTW=", [](ReadState& s, std::string_view v) { s.Settings.WordListFile = std::string(v); }},
    {"LASTCHOICE=",
     [](ReadState& s, std::string_view v) {
         s.Settings.LastChoice = 1;
         SetInRange(s.Settings.LastChoice, v, 1, 7);
     }},
    {"HINTS=", [](ReadState& s, std::string_view v) { SetFlag(s.Settings.HintsShown, v, "1", "0"); }},
    {"WINPOS=", [](ReadState& s, std::string_view v) { ReadWindowPosition(s.Settings, v); }},
    {"SHEET=", [](ReadState& s, std::string_view v) { SetFlag(s.Settings.ShowSheetAtStart, v, "1", "0"); }},
    {"DRIFT=", [](ReadState& s, std::string_view v) { ReadDrift(s.Settings, v); }},
    {"ABORTDELAY=", [](ReadState& s, std::string_view v) { SetFlag(s.Settings.AbortDelay, v, "1", "0"); }},
    {"RESUMEDELAY=", [](ReadState& s, std::string_view v) { ReadResumeDelay(s.Settings, v); }},
    {"QUIZERROR=", [](ReadState& s, std::string_view v) { SetFlag(s.Settings.ReplayLastError, v, "1", "0"); }},
});
static_assert(kKeys.size() == 55,
              "the 52 keys of the file, the password's hexadecimal form and the sound devices by name");

/// CR LF, LF and CR each end a line; a final line without an ending still counts.
std::vector<std::string_view> SplitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    std::size_t index = 0;
    while (index < bytes.size()) {
        const char c = bytes[index];
        if (c != '\r' && c != '\n') {
            ++index;
            continue;
        }
        lines.push_back(bytes.substr(start, index - start));
        if (c == '\r' && index + 1 < bytes.size() && bytes[index + 1] == '\n') {
            ++index;
        }
        start = ++index;
    }
    if (start < bytes.size()) {
        lines.push_back(bytes.substr(start));
    }
    return lines;
}

int DelimiterFromByte(char byte) {
    const auto code = static_cast<std::uint8_t>(byte);
    return code == SettingsFormat::kNoDelimiterByte ? Model::kNoDelimiter : code;
}

/// The marker line's second and third bytes; a byte the line lacks leaves its delimiter.
void ReadMarker(Model& settings, std::string_view line) {
    if (line.size() > 1) {
        settings.MaskStartChar = DelimiterFromByte(line[1]);
    }
    if (line.size() > 2) {
        settings.MaskEndChar = DelimiterFromByte(line[2]);
    }
}

void ReadSettingLine(ReadState& state, std::string_view line) {
    for (const Key& key : kKeys) {
        if (line.starts_with(key.Name)) {
            key.Apply(state, line.substr(key.Name.size()));
        }
    }
    if (line.front() == SettingsFormat::kChosenCharactersByte) {
        state.Settings.ChosenCharacters = Cp1252::ToLower(line.substr(1));
    }
    if (line.front() == SettingsFormat::kMarkerByte) {
        ReadMarker(state.Settings, line);
    }
}

bool BeginsLesson(std::string_view line) {
    return !line.empty() && line.front() != ' ';
}

/// Beyond the file's own test (longer than
/// four characters, blanks in the third and fourth place, not "@" nor a standard character
/// nor a character taken so far), the row must be one the local-character editor loads: a
/// character it accepts, in either case not taken yet, with a pattern.
bool IsLoadableRow(std::string_view row, const std::vector<std::string>& taken) {
    if (row.size() <= 4 || row[2] != ' ' || row[3] != ' ') {
        return false;
    }
    const auto character = static_cast<std::uint8_t>(row[1]);
    if (LocalCharacters::IsRefusedCharacter(character)) {
        return false;
    }
    const std::uint8_t lower = Cp1252::ToLower(character);
    const bool alreadyTaken = std::any_of(taken.begin(), taken.end(), [lower](const std::string& kept) {
        return kept.size() > 1 && Cp1252::ToLower(static_cast<std::uint8_t>(kept[1])) == lower;
    });
    return !alreadyTaken && !LocalCharacters::RowPattern(row).empty();
}

}  // namespace

SettingsReadResult ReadSettingsFile(std::string_view bytes, SettingsModel& model) {
    SettingsReadResult result;
    const std::vector<std::string_view> lines = SplitLines(bytes);
    const auto marker = std::find_if(lines.rbegin(), lines.rend(), [](std::string_view line) {
        return !line.empty() && line.front() == SettingsFormat::kMarkerByte;
    });
    if (marker == lines.rend()) {
        return result;
    }
    result.MarkerFound = true;
    const std::size_t markerIndex = static_cast<std::size_t>(lines.rend() - marker) - 1;
    result.LineFollowsMarker = markerIndex + 1 < lines.size();

    ReadState state{model};
    for (std::size_t index = 0; index <= markerIndex; ++index) {
        if (lines[index].empty()) {
            result.StoppedAtEmptyLine = true;
            return result;
        }
        ReadSettingLine(state, lines[index]);
    }

    std::size_t index = markerIndex + 1;
    for (; index < lines.size() && result.LessonsRead < kMaxLessonLines && BeginsLesson(lines[index]);
         ++index) {
        model.LessonTable[static_cast<std::size_t>(result.LessonsRead++)] = Cp1252::ToLower(lines[index]);
    }

    for (int examined = 0; index < lines.size() && examined < kMaxLocalLinesExamined; ++index, ++examined) {
        if (model.LocalRows.size() == static_cast<std::size_t>(Model::kMaxLocalRows)) {
            break;
        }
        const std::string_view row = lines[index].substr(0, kMaxRowLength);
        if (IsLoadableRow(row, model.LocalRows)) {
            model.LocalRows.emplace_back(row);
        }
    }
    return result;
}

}  // namespace kelvaro
