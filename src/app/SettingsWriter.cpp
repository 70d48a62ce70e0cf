// Writes the settings model as the bytes of the settings file kelvaro.dat.
#include "app/SettingsWriter.h"

#include <cstdint>
#include <string_view>

#include "app/SettingsFormat.h"

namespace kelvaro {

namespace {

using Model = SettingsModel;

constexpr int kHighestNoteHz = 1500;
constexpr int kNoteStepHz = 10;
constexpr int kExamTone = -1;
constexpr int kDefaultQuizDelayStep = 12;
constexpr std::size_t kMinAddressDigits = 3;

/// The text up to its first CR or LF.
std::string_view OneLine(std::string_view text) {
    return text.substr(0, text.find_first_of("\r\n"));
}

class LineBuilder {
public:
    void Add(std::string_view key, std::string_view value) {
        Bytes.append(key).append(OneLine(value)).append(SettingsFormat::kLineEnd);
    }
    void Add(std::string_view key, int value) { Add(key, std::to_string(value)); }
    void AddFlag(std::string_view key, bool on, std::string_view onWord, std::string_view offWord) {
        Add(key, on ? onWord : offWord);
    }
    /// A line that is not a setting: written as it is, up to its first CR or LF.
    void AddLine(std::string_view line) { Bytes.append(OneLine(line)).append(SettingsFormat::kLineEnd); }

    std::string Bytes;
};

std::string_view ContentWord(Model::GroupContent content) {
    switch (content) {
        case Model::GroupContent::NonMixed:
            return "ON";
        case Model::GroupContent::Callsigns:
            return "CALL";
        case Model::GroupContent::Mixed:
            break;
    }
    return "OFF";
}

int NoteValue(const Model& model) {
    return model.NotePosition == kExamTone ? kExamTone : kHighestNoteHz - kNoteStepHz * model.NotePosition;
}

std::string_view QuizDelayText(int step) {
    const bool known = step >= 1 && step <= Model::kQuizDelayStepCount;
    return Model::QuizDelayText(known ? step : kDefaultQuizDelayStep);
}

/// "[" + the address in upper-case hexadecimal, at least three digits, + "h]".
std::string AddressBoxText(int address) {
    constexpr std::string_view kHexDigits = "0123456789ABCDEF";
    std::string digits;
    for (auto rest = static_cast<unsigned int>(address); rest != 0 || digits.size() < kMinAddressDigits;
         rest >>= 4) {
        digits.insert(digits.begin(), kHexDigits[rest & 0x0F]);
    }
    return "[" + digits + "h]";
}

char DelimiterByte(int delimiter) {
    const bool carried = delimiter >= 0 && delimiter < SettingsFormat::kNoDelimiterByte &&
                         delimiter != '\n' && delimiter != '\r';
    return static_cast<char>(carried ? delimiter : SettingsFormat::kNoDelimiterByte);
}

void AddShortcuts(LineBuilder& lines, const Model& model) {
    for (const Model::Shortcut& shortcut : model.ShortcutTable) {
        const bool hasLetter = shortcut.Letter != '\0' && shortcut.Letter != '\r' && shortcut.Letter != '\n';
        if (hasLetter && !OneLine(shortcut.Text).empty()) {
            lines.Add("SHORTCUT=", std::string(1, shortcut.Letter) + std::string(OneLine(shortcut.Text)));
        }
    }
}

void AddMessages(LineBuilder& lines, const Model& model) {
    std::size_t count = model.StoredMessages.size();
    while (count > 0 && OneLine(model.StoredMessages[count - 1]).empty()) {
        --count;
    }
    if (count == 0) {
        lines.Add("MSG=", "");
    }
    for (std::size_t slot = 0; slot < count; ++slot) {
        lines.Add("MSG=", model.StoredMessages[slot]);
    }
}

void AddPassword(LineBuilder& lines, const Model& model) {
    const std::string scrambled = SettingsFormat::ScramblePassword(model.InstructorPassword);
    if (!SettingsFormat::HasLineBreakingByte(scrambled)) {
        lines.Add("MDPINT=", scrambled);
        return;
    }
    lines.Add("MDPINT=", "");
    lines.Add(SettingsFormat::kPasswordHexKey, SettingsFormat::ToHex(model.InstructorPassword));
}

void AddSettings(LineBuilder& lines, const Model& model) {
    lines.Add("SPEED=", model.SpeedWpm);
    lines.Add("SPACE=", model.CharacterSpacing);
    lines.Add("SPACEW=", model.WordSpaceFactor);
    lines.Add("LANGUAGE=", SettingsFormat::LanguageLetter(model.InterfaceLanguage));
    lines.Add("LEVEL=", model.LevelDb);
    lines.Add("RANDOM_COUNT=", model.RandomCount);
    lines.Add("WORDS=", model.GroupLength);
    lines.Add("MIXED=", ContentWord(model.Content));
    lines.AddFlag("VVVVV=", model.AddLeadingVs, "ON", "OFF");
    lines.Add("RANDOM=", model.RandomSource);
    lines.Add("COM=", model.ComPort);
    lines.AddFlag("MONITOR_CASE=", model.MonitorUpperCase, "UPPER", "LOWER");
    lines.Add("MONITOR_CHANNEL=", SettingsFormat::SourceWord(model.Source));
    lines.Add("LEFT_THRESHOLD=", model.LeftThreshold);
    lines.Add("RIGHT_THRESHOLD=", model.RightThreshold);
    lines.Add("NOISE_LEVEL=", model.NoiseLevel);
    lines.Add("QSB_LEVEL=", model.QsbLevel);
    lines.Add("NOISE_BW=", model.NoiseBandwidth);
    lines.Add("NOTE=", NoteValue(model));
    lines.Add("DELAY=", QuizDelayText(model.QuizDelayStep));
    lines.Add("PAGE=", model.LessonPage);
    lines.Add("QUIZ_COUNT=", model.QuizCount);
    if (model.VariableSpeed) {
        lines.Add("SPEED_ADJUST=", "ON");
    }
    if (model.DelayAdjust) {
        lines.Add("DELAY_ADJUST=", "ON");
    }
    AddShortcuts(lines, model);
    AddMessages(lines, model);
    lines.Add("PTT=", model.PttLineMask);
    lines.Add("CW=", model.CwLineMask);
    lines.Add("TXDELAY=", model.TxDelayMs);
    lines.Add("LPT=", model.LptPort);
    const bool keepsAddress = model.LptPort != 0 && model.LptAddressOverride != 0;
    lines.Add("ADLPT=", keepsAddress ? AddressBoxText(model.LptAddressOverride) : std::string());
    lines.AddFlag("LPTX=", model.LptxOn, "ON", "OFF");
    lines.Add("ADLPTX=", model.LptxAddressText);
    lines.Add("PIN=", model.LptPin);
    lines.AddFlag("LOGIC=", model.NegativeLogic, "N", "P");
    AddPassword(lines, model);
    lines.AddFlag("INSTMF=", model.InstructorMaskedFile, "1", "0");
    lines.AddFlag("INSTMR=", model.InstructorMaskedRandom, "1", "0");
    lines.AddFlag("INSTFN=", model.InstructorFixedNote, "1", "0");
    lines.AddFlag("INSTFS=", model.InstructorFixedSpeed, "1", "0");
    lines.Add("ISOUND=", model.ChosenSoundDevices ? model.InputDeviceId : -1);
    lines.Add("OSOUND=", model.ChosenSoundDevices ? model.OutputDeviceId : -1);
    if (model.ChosenSoundDevices && !model.InputDeviceName.empty()) {
        lines.Add("ISOUNDNAME=", model.InputDeviceName);
    }
    if (model.ChosenSoundDevices && !model.OutputDeviceName.empty()) {
        lines.Add("OSOUNDNAME=", model.OutputDeviceName);
    }
    lines.AddFlag("LCASE=", model.LowerCaseGroups, "1", "0");
    lines.Add("LISTW=", model.WordListFile);
    lines.Add("LASTCHOICE=", model.LastChoice);
    lines.AddFlag("HINTS=", model.HintsShown, "1", "0");
    lines.Add("WINPOS=", std::to_string(model.WindowTop) + "," + std::to_string(model.WindowLeft));
    lines.AddFlag("SHEET=", model.ShowSheetAtStart, "1", "0");
    lines.Add("DRIFT=", std::to_string(model.DriftStepHz) + "," + std::to_string(model.DriftMaxHz) + "," +
                            std::to_string(model.DriftMinHz));
    lines.AddFlag("ABORTDELAY=", model.AbortDelay, "1", "0");
    lines.Add("RESUMEDELAY=", model.ResumeDelaySeconds);
    lines.AddFlag("QUIZERROR=", model.ReplayLastError, "1", "0");
}

void AddTrailingRecords(LineBuilder& lines, const Model& model) {
    const std::string_view chosen = OneLine(model.ChosenCharacters);
    if (!chosen.empty() && chosen.front() != ' ') {
        lines.AddLine(std::string(1, SettingsFormat::kChosenCharactersByte) + std::string(chosen));
    }
    lines.AddLine(std::string{SettingsFormat::kMarkerByte, DelimiterByte(model.MaskStartChar),
                              DelimiterByte(model.MaskEndChar)});
    for (const std::string& lesson : model.LessonTable) {
        const std::string_view text = OneLine(lesson);
        if (!text.empty() && text.front() != ' ' && text.front() != SettingsFormat::kMarkerByte) {
            lines.AddLine(text);
        }
    }
    for (const std::string& row : model.LocalRows) {
        std::string line(OneLine(row));
        if (!line.empty()) {
            line.front() = ' ';
            lines.AddLine(line);
        }
    }
}

}  // namespace

std::string WriteSettingsFile(const SettingsModel& model) {
    LineBuilder lines;
    AddSettings(lines, model);
    AddTrailingRecords(lines, model);
    return std::move(lines.Bytes);
}

}  // namespace kelvaro
