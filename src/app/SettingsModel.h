// Every value that the settings file kelvaro.dat carries from one run to the next.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "app/LanguageTable.h"
#include "practice/LessonBook.h"

namespace kelvaro {

/// The user's choices as the settings file holds them, with the values a first start uses.
/// The window fills the model from its controls before saving and applies it after loading;
/// values whose owner is not built yet (ports, instructor, sound devices, quiz) travel through
/// the model unchanged, so that no choice in a user's file is ever dropped.
///
/// Text is 8-bit Windows-1252, as the file is. Numbers are kept inside the range of the
/// control that owns them (the reader clamps); a value named "...Text" is kept as the user
/// left it because the file carries the text rather than a number.
struct SettingsModel {
    static constexpr int kLessonCount = 60;
    static constexpr int kLessonsPerPage = 20;
    static constexpr int kShortcutCount = 26;
    static constexpr std::size_t kShortcutTextLength = 36;
    static constexpr int kMessageCount = 6;
    static constexpr int kMaxLocalRows = 26;
    static constexpr int kNoDelimiter = -1;
    /// The quiz answer delay steps 1 .. 18 ("0.25" s .. "9" s); step 12 is "3".
    static constexpr int kQuizDelayStepCount = 18;
    static constexpr std::string_view kFirstMessage = "73 de Q9ZZZ";
    static constexpr const std::array<std::string_view, kLessonsPerPage>& kBuiltInLessons =
        LessonBook::kBuiltInLessons;

    /// What a random group is made of (MIXED= OFF, ON, CALL).
    enum class GroupContent { Mixed, NonMixed, Callsigns };
    /// The monitoring source: two audio channels and four keys (MONITOR_CHANNEL=).
    enum class MonitorSource { Left, Right, ElKeyNormal, ElKeyReverse, SimpleKey, CtrlKey };

    /// A keyboard shortcut: pressing Letter plays Text. Letter '\0' marks a free slot.
    struct Shortcut {
        char Letter = '\0';
        std::string Text;

        bool operator==(const Shortcut&) const = default;
    };

    // Speed, spacing and level.
    int SpeedWpm = 12;         // 5 .. 50
    int CharacterSpacing = 1;  // 1 .. 30, the spacing spin edit
    int WordSpaceFactor = 1;   // 1 .. 4
    int LevelDb = -9;          // -15 .. 0
    /// The interface language (LANGUAGE= E, D, F, I, P, S, K).
    Language InterfaceLanguage = Language::English;

    // Random groups.
    int RandomCount = 250;  // 5 .. 1000 characters per series
    int GroupLength = 5;    // 2 .. 8, or 0 for random lengths
    GroupContent Content = GroupContent::Mixed;
    bool AddLeadingVs = false;
    int RandomSource = 6;  // 1 .. 9: the checked character set, 6 = All
    bool LowerCaseGroups = false;
    std::string WordListFile;  // empty: no vocabulary list

    // Monitoring and the audio decoder.
    bool MonitorUpperCase = false;
    MonitorSource Source = MonitorSource::Left;
    int LeftThreshold = 64;   // 0 .. 127
    int RightThreshold = 64;  // 0 .. 127

    // Tone, noise, fading and drift (applied to their dialogs once all windows exist).
    int NoiseLevel = 10;        // 0 .. 20
    int QsbLevel = 10;          // 0 .. 20
    int NoiseBandwidth = 8;     // 1, 2, 4 or 8
    int NoteFrequencyHz = 800;  // 100 .. 1500, the tone a run starts with
    int NotePosition = 70;      // 0 .. 140 (1500 - 10 x position Hz), -1 = exam tone
    int DriftStepHz = 10;       // per character
    int DriftMaxHz = 1300;
    int DriftMinHz = 300;

    // Quiz.
    int QuizDelayStep = 12;  // 1 .. kQuizDelayStepCount
    int QuizCount = 100;     // 5 .. 1000
    bool VariableSpeed = false;
    bool DelayAdjust = false;
    bool AbortDelay = false;
    int ResumeDelaySeconds = 0;  // 0 .. 3, 0 = off
    bool ReplayLastError = false;

    // Lessons and chosen characters.
    int LessonPage = 1;  // 1 .. 3
    /// Slots 1 .. 60 at indexes 0 .. 59; a blank slot holds a single space.
    std::array<std::string, kLessonCount> LessonTable = DefaultLessonTable();
    /// The text of the lesson box; a single space when none was chosen.
    std::string ChosenCharacters = " ";
    /// The masked-text delimiters as character codes 0 .. 255, or kNoDelimiter.
    int MaskStartChar = kNoDelimiter;
    int MaskEndChar = kNoDelimiter;

    // Messages, shortcuts and local characters.
    std::array<Shortcut, kShortcutCount> ShortcutTable{};
    std::array<std::string, kMessageCount> StoredMessages{std::string(kFirstMessage)};
    /// The rows of the alphabet list for the local characters, as the list shows them:
    /// " " + character + "  " + pattern + "  " + comment, at most 40 characters each.
    std::vector<std::string> LocalRows;

    // Transmitter ports.
    int ComPort = 0;      // 0 = none, else COMn (1 .. 19)
    int PttLineMask = 3;  // bit 0 DTR, bit 1 RTS
    int CwLineMask = 0;   // bit 0 DTR, bit 1 RTS
    int TxDelayMs = 100;  // 50, 100, 150, 200 or 250
    int LptPort = 0;      // 0 = none, 1 .. 3 = LPT1 .. LPT3
    /// The base address shown for the selected LPT port; 0 when there is none to keep.
    int LptAddressOverride = 0;
    bool LptxOn = false;
    /// The LPTx address as typed (at most four hexadecimal digits), and its value (0 if none).
    std::string LptxAddressText;
    int LptxAddress = 0;
    int LptPin = 0;  // 0 .. 3: pin 1, 14, 16, 17
    bool NegativeLogic = false;

    // Instructor mode.
    std::string InstructorPassword;  // empty: no password
    bool InstructorMaskedFile = false;
    bool InstructorMaskedRandom = false;
    bool InstructorFixedNote = false;
    bool InstructorFixedSpeed = false;
    bool ShowSheetAtStart = false;

    // Sound devices: the system's choice unless the user picked devices.
    bool ChosenSoundDevices = false;
    int InputDeviceId = -1;
    int OutputDeviceId = -1;
    /// The chosen devices by name (the numbers change when a headset is plugged in); empty:
    /// only the number is known.
    std::string InputDeviceName;
    std::string OutputDeviceName;

    // The shell.
    int LastChoice = 1;  // 1 .. 7: the practice mode selected at start
    bool HintsShown = true;
    int WindowTop = 1;
    int WindowLeft = 1;

    bool operator==(const SettingsModel&) const = default;

    /// Page 1 holds the 20 built-in lessons, pages 2 and 3 blank slots.
    static std::array<std::string, kLessonCount> DefaultLessonTable();
    /// The text of a quiz delay step ("0.25" .. "9") and its interval; step in 1 .. 18.
    static std::string_view QuizDelayText(int step);
    static int QuizDelayIntervalMs(int step);
};

}  // namespace kelvaro
