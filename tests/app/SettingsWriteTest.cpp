// Tests of writing kelvaro.dat: the default file byte for byte, round trips and what the lines cannot carry.
#include "app/SettingsWriter.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/SettingsReader.h"

namespace kelvaro {
namespace {

/// The file's lines; fails the test when a line does not end with CR LF.
std::vector<std::string> SplitCrLf(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "last line without CR LF";
            break;
        }
        const std::string line = bytes.substr(start, end - start);
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "stray line break in " << line;
        lines.push_back(line);
        start = end + 2;
    }
    return lines;
}

SettingsModel ReadBack(const std::string& bytes) {
    SettingsModel model;
    ReadSettingsFile(bytes, model);
    return model;
}

/// Every line that begins with the key.
std::vector<std::string> LinesOf(const std::string& bytes, std::string_view key) {
    std::vector<std::string> found;
    for (const std::string& line : SplitCrLf(bytes)) {
        if (line.starts_with(key)) {
            found.push_back(line);
        }
    }
    return found;
}

TEST(SettingsWrite, ADefaultRunWritesTheseLinesExactly) {
    std::vector<std::string> expected = {
        "SPEED=12",
        "SPACE=1",
        "SPACEW=1",
        "LANGUAGE=E",
        "LEVEL=-9",
        "RANDOM_COUNT=250",
        "WORDS=5",
        "MIXED=OFF",
        "VVVVV=OFF",
        "RANDOM=6",
        "COM=0",
        "MONITOR_CASE=LOWER",
        "MONITOR_CHANNEL=LEFT",
        "LEFT_THRESHOLD=64",
        "RIGHT_THRESHOLD=64",
        "NOISE_LEVEL=10",
        "QSB_LEVEL=10",
        "NOISE_BW=8",
        "NOTE=800",
        "DELAY=3",
        "PAGE=1",
        "QUIZ_COUNT=100",
        "MSG=73 de Q9ZZZ",
        "PTT=3",
        "CW=0",
        "TXDELAY=100",
        "LPT=0",
        "ADLPT=",
        "LPTX=OFF",
        "ADLPTX=",
        "PIN=0",
        "LOGIC=P",
        "MDPINT=",
        "INSTMF=0",
        "INSTMR=0",
        "INSTFN=0",
        "INSTFS=0",
        "ISOUND=-1",
        "OSOUND=-1",
        "LCASE=0",
        "LISTW=",
        "LASTCHOICE=1",
        "HINTS=1",
        "WINPOS=1,1",
        "SHEET=0",
        "DRIFT=10,1300,300",
        "ABORTDELAY=0",
        "RESUMEDELAY=0",
        "QUIZERROR=0",
    };
    ASSERT_EQ(expected.size(), 49u);
    expected.push_back("\x02\xFF\xFF");
    for (std::string_view lesson : SettingsModel::kBuiltInLessons) {
        expected.emplace_back(lesson);
    }
    const std::string bytes = WriteSettingsFile(SettingsModel{});
    EXPECT_EQ(SplitCrLf(bytes), expected);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    // Reading the default file back changes nothing.
    EXPECT_EQ(ReadBack(bytes), SettingsModel{});
}

SettingsModel EveryValueChanged() {
    SettingsModel model;
    model.SpeedWpm = 25;
    model.CharacterSpacing = 3;
    model.WordSpaceFactor = 4;
    model.LevelDb = -12;
    model.InterfaceLanguage = Language::Polish;
    model.RandomCount = 500;
    model.GroupLength = 0;
    model.Content = SettingsModel::GroupContent::NonMixed;
    model.AddLeadingVs = true;
    model.RandomSource = 9;
    model.LowerCaseGroups = true;
    model.WordListFile =
        "/home/op/mots fran\xE7"
        "ais.txt";
    model.MonitorUpperCase = true;
    model.Source = SettingsModel::MonitorSource::ElKeyReverse;
    model.LeftThreshold = 0;
    model.RightThreshold = 127;
    model.NoiseLevel = 20;
    model.QsbLevel = 0;
    model.NoiseBandwidth = 2;
    model.NoteFrequencyHz = 1200;
    model.NotePosition = 30;
    model.DriftStepHz = -5;
    model.DriftMaxHz = 1400;
    model.DriftMinHz = 250;
    model.QuizDelayStep = 1;
    model.QuizCount = 1000;
    model.VariableSpeed = true;
    model.DelayAdjust = true;
    model.AbortDelay = true;
    model.ResumeDelaySeconds = 3;
    model.ReplayLastError = true;
    model.LessonPage = 2;
    model.LessonTable[0] = "kmr";
    model.LessonTable[20] = "\xE9\xE8\xE0";
    model.ChosenCharacters = "kmr?\xE9";
    model.MaskStartChar = '[';
    model.MaskEndChar = 0;
    model.ShortcutTable[0] = {'Q', "qrl?"};
    model.ShortcutTable[1] = {'\xE9', std::string(36, 'x')};
    model.StoredMessages = {"cq cq de f6xyz", "", "tu 73", "", "", "sk"};
    model.LocalRows = {" \xE9  ..-..  e acute", " \xD1  --.--  N tilde"};
    model.ComPort = 4;
    model.PttLineMask = 0;
    model.CwLineMask = 2;
    model.TxDelayMs = 250;
    model.LptPort = 2;
    model.LptAddressOverride = 0x278;
    model.LptxOn = true;
    model.LptxAddressText = "d010";
    model.LptxAddress = 0xD010;
    model.LptPin = 3;
    model.NegativeLogic = true;
    model.InstructorPassword = "Prof \xC9t\xE9";
    model.InstructorMaskedFile = true;
    model.InstructorMaskedRandom = true;
    model.InstructorFixedNote = true;
    model.InstructorFixedSpeed = true;
    model.ShowSheetAtStart = true;
    model.ChosenSoundDevices = true;
    model.InputDeviceId = 0;
    model.OutputDeviceId = 3;
    model.LastChoice = 6;
    model.HintsShown = false;
    model.WindowTop = -20;
    model.WindowLeft = 1900;
    return model;
}

TEST(SettingsWrite, EveryValueComesBackAsWritten) {
    const SettingsModel model = EveryValueChanged();
    const std::string bytes = WriteSettingsFile(model);
    SettingsModel back;
    const SettingsReadResult result = ReadSettingsFile(bytes, back);
    EXPECT_TRUE(result.MarkerFound);
    EXPECT_FALSE(result.StoppedAtEmptyLine);
    // Lessons are written without gaps: slot 21 comes back as slot 21 only because 1..20 are full.
    EXPECT_EQ(result.LessonsRead, 21);
    EXPECT_EQ(back, model);
    EXPECT_EQ(WriteSettingsFile(back), bytes);
}

TEST(SettingsWrite, OptionalLinesAndTheirPlaces) {
    const std::vector<std::string> lines = SplitCrLf(WriteSettingsFile(EveryValueChanged()));
    const std::vector<std::string> slice(lines.begin() + 21, lines.begin() + 29);
    EXPECT_EQ(slice, (std::vector<std::string>{"QUIZ_COUNT=1000", "SPEED_ADJUST=ON", "DELAY_ADJUST=ON",
                                               "SHORTCUT=Qqrl?", "SHORTCUT=\xE9" + std::string(36, 'x'),
                                               "MSG=cq cq de f6xyz", "MSG=", "MSG=tu 73"}));
    EXPECT_EQ(lines[30], "MSG=");
    EXPECT_EQ(lines[31], "MSG=sk");
    EXPECT_EQ(lines[32], "PTT=0");
    EXPECT_EQ(lines[lines.size() - 25], "\x01kmr?\xE9");
    EXPECT_EQ(lines[lines.size() - 24], std::string("\x02[\0", 3));
}

TEST(SettingsWrite, ClearedMessagesStayClearedInTheirSlots) {
    SettingsModel model;
    model.StoredMessages = {"", "", "qrz?", "", "", ""};
    EXPECT_EQ(LinesOf(WriteSettingsFile(model), "MSG="),
              (std::vector<std::string>{"MSG=", "MSG=", "MSG=qrz?"}));
    EXPECT_EQ(ReadBack(WriteSettingsFile(model)).StoredMessages, model.StoredMessages);

    model.StoredMessages = {};
    EXPECT_EQ(LinesOf(WriteSettingsFile(model), "MSG="), (std::vector<std::string>{"MSG="}));
    EXPECT_EQ(ReadBack(WriteSettingsFile(model)).StoredMessages, model.StoredMessages);
}

TEST(SettingsWrite, ShortcutsNeedALetterAndATextAndCloseUpOnReading) {
    SettingsModel model;
    model.ShortcutTable[0] = {'A', ""};
    model.ShortcutTable[1] = {'\0', "no letter"};
    model.ShortcutTable[5] = {'B', "73"};
    const std::string bytes = WriteSettingsFile(model);
    EXPECT_EQ(LinesOf(bytes, "SHORTCUT="), (std::vector<std::string>{"SHORTCUT=B73"}));
    EXPECT_EQ(ReadBack(bytes).ShortcutTable[0], (SettingsModel::Shortcut{'B', "73"}));
}

TEST(SettingsWrite, PasswordsAreScrambledUnlessTheLineCannotCarryThem) {
    SettingsModel model;
    model.InstructorPassword = "abc";
    EXPECT_EQ(LinesOf(WriteSettingsFile(model), "MDPINT"), (std::vector<std::string>{"MDPINT=bfl"}));

    // 0xE9 + 6 x 6 = 0x10D gives CR, 0xFF + 1 gives NUL and a tab + 1 gives LF.
    const std::pair<std::string, std::string> unwritable[] = {
        {"abcde\xE9", "MDPINT_HEX=6162636465E9"}, {"\xFF", "MDPINT_HEX=FF"}, {"\t", "MDPINT_HEX=09"}};
    for (const auto& [password, hexLine] : unwritable) {
        model.InstructorPassword = password;
        const std::string bytes = WriteSettingsFile(model);
        EXPECT_EQ(LinesOf(bytes, "MDPINT"), (std::vector<std::string>{"MDPINT=", hexLine}));
        EXPECT_EQ(ReadBack(bytes).InstructorPassword, password);
    }
    // 0xF6 at position 3 gives 0xFF: a byte the line carries, so the scrambled form stays.
    model.InstructorPassword = "ab\xF6";
    EXPECT_EQ(LinesOf(WriteSettingsFile(model), "MDPINT"), (std::vector<std::string>{"MDPINT=bf\xFF"}));
}

TEST(SettingsWrite, LptAddressIsWrittenOnlyForASelectedPort) {
    SettingsModel model;
    model.LptAddressOverride = 0x378;
    EXPECT_EQ(LinesOf(WriteSettingsFile(model), "ADLPT="), (std::vector<std::string>{"ADLPT="}));
    model.LptPort = 1;
    EXPECT_EQ(LinesOf(WriteSettingsFile(model), "ADLPT="), (std::vector<std::string>{"ADLPT=[378h]"}));
    model.LptAddressOverride = 0x2B;
    EXPECT_EQ(LinesOf(WriteSettingsFile(model), "ADLPT="), (std::vector<std::string>{"ADLPT=[02Bh]"}));
    model.LptAddressOverride = 0xD010;
    const std::string bytes = WriteSettingsFile(model);
    EXPECT_EQ(LinesOf(bytes, "ADLPT="), (std::vector<std::string>{"ADLPT=[D010h]"}));
    EXPECT_EQ(ReadBack(bytes).LptAddressOverride, 0xD010);
}

TEST(SettingsWrite, WhatALineCannotCarryIsSettledWithoutBreakingTheFile) {
    SettingsModel model;
    model.WordListFile = "words.txt\r\nSPEED=50";
    model.MaskStartChar = '\n';
    model.MaskEndChar = 255;
    model.LessonTable[1] = "\x02xyz";
    model.LessonTable[2] = " ";
    model.LocalRows = {"x\xE9  ..-..  no leading blank"};
    model.ChosenCharacters = " abc";
    const std::string bytes = WriteSettingsFile(model);
    EXPECT_EQ(LinesOf(bytes, "LISTW="), (std::vector<std::string>{"LISTW=words.txt"}));
    EXPECT_EQ(LinesOf(bytes, "SPEED="), (std::vector<std::string>{"SPEED=12"}));
    EXPECT_TRUE(LinesOf(bytes, "\x01").empty());

    const SettingsModel back = ReadBack(bytes);
    EXPECT_EQ(back.MaskStartChar, SettingsModel::kNoDelimiter);
    EXPECT_EQ(back.MaskEndChar, SettingsModel::kNoDelimiter);
    EXPECT_EQ(back.LessonTable[1], SettingsModel::kBuiltInLessons[3]);
    EXPECT_EQ(back.LocalRows, (std::vector<std::string>{" \xE9  ..-..  no leading blank"}));
    EXPECT_EQ(WriteSettingsFile(back), WriteSettingsFile(ReadBack(WriteSettingsFile(back))));
}

TEST(SettingsWrite, SoundDevicesAndTheExamToneAreWrittenFromTheirSwitches) {
    SettingsModel model;
    model.InputDeviceId = 2;
    model.OutputDeviceId = 3;
    model.NotePosition = -1;
    model.NoteFrequencyHz = 1000;
    const std::string bytes = WriteSettingsFile(model);
    EXPECT_EQ(LinesOf(bytes, "ISOUND="), (std::vector<std::string>{"ISOUND=-1"}));
    EXPECT_EQ(LinesOf(bytes, "OSOUND="), (std::vector<std::string>{"OSOUND=-1"}));
    EXPECT_EQ(LinesOf(bytes, "NOTE="), (std::vector<std::string>{"NOTE=-1"}));
    model.NotePosition = 140;
    EXPECT_EQ(LinesOf(WriteSettingsFile(model), "NOTE="), (std::vector<std::string>{"NOTE=100"}));
}

}  // namespace
}  // namespace kelvaro
