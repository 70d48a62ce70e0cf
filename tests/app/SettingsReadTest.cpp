// Tests of reading kelvaro.dat: the file's structure, every key's rule and the records after the marker.
#include "app/SettingsReader.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>

#include "core/LocalCharacters.h"

namespace kelvaro {
namespace {

constexpr std::string_view kMarker = "\x02\xFF\xFF";

/// The lines, each ended with CR LF.
std::string Lines(std::initializer_list<std::string_view> lines) {
    std::string bytes;
    for (std::string_view line : lines) {
        bytes.append(line).append("\r\n");
    }
    return bytes;
}

/// Setting lines followed by the default marker.
std::string Settings(std::initializer_list<std::string_view> lines) {
    return Lines(lines) + Lines({kMarker});
}

SettingsModel Read(std::string_view bytes) {
    SettingsModel model;
    ReadSettingsFile(bytes, model);
    return model;
}

TEST(SettingsFileStructure, WithoutAMarkerNothingIsUsed) {
    SettingsModel model;
    const SettingsReadResult result = ReadSettingsFile(Lines({"SPEED=20", "\x01xyz", "abc"}), model);
    EXPECT_FALSE(result.MarkerFound);
    EXPECT_EQ(model, SettingsModel{});
    EXPECT_EQ(Read(""), SettingsModel{});
}

TEST(SettingsFileStructure, AnEmptyLineBeforeTheMarkerEndsAllReading) {
    SettingsModel model;
    const SettingsReadResult result =
        ReadSettingsFile(Lines({"SPEED=20", "", "SPACE=3", kMarker, "abc", " \xE9  ..-..  e acute"}), model);
    EXPECT_TRUE(result.MarkerFound);
    EXPECT_TRUE(result.StoppedAtEmptyLine);
    EXPECT_TRUE(result.LineFollowsMarker);
    EXPECT_EQ(model.SpeedWpm, 20);
    EXPECT_EQ(model.CharacterSpacing, 1);
    EXPECT_EQ(model.LessonTable, SettingsModel::DefaultLessonTable());
    EXPECT_TRUE(model.LocalRows.empty());
}

TEST(SettingsFileStructure, CrLfLfAndCrAllEndALineAndLfCrEndsTwo) {
    const SettingsModel mixed = Read("SPEED=20\nSPACE=3\rLEVEL=-6\r\n\x02\xFF\xFF");
    EXPECT_EQ(mixed.SpeedWpm, 20);
    EXPECT_EQ(mixed.CharacterSpacing, 3);
    EXPECT_EQ(mixed.LevelDb, -6);
    // LF then CR leaves an empty line between them.
    const SettingsModel split = Read("SPEED=20\n\rSPACE=3\r\n\x02\xFF\xFF\r\n");
    EXPECT_EQ(split.SpeedWpm, 20);
    EXPECT_EQ(split.CharacterSpacing, 1);
}

TEST(SettingsFileStructure, TheLastMarkerCountsAndEarlierOnesAreSettingLines) {
    SettingsModel model;
    const SettingsReadResult result =
        ReadSettingsFile(Lines({"\x02<>", "SPEED=20", "\x02[\xFF", "ABC", "SPEED=30"}), model);
    EXPECT_EQ(model.SpeedWpm, 20);
    EXPECT_EQ(model.MaskStartChar, '[');
    EXPECT_EQ(model.MaskEndChar, SettingsModel::kNoDelimiter);
    // After the marker a setting line is only a lesson, lower-cased like any other.
    EXPECT_EQ(result.LessonsRead, 2);
    EXPECT_EQ(model.LessonTable[0], "abc");
    EXPECT_EQ(model.LessonTable[1], "speed=30");
}

TEST(SettingsFileStructure, AShortMarkerKeepsTheDelimitersItLacks) {
    SettingsModel model;
    model.MaskStartChar = '<';
    model.MaskEndChar = '>';
    ReadSettingsFile("\x02", model);
    EXPECT_EQ(model.MaskStartChar, '<');
    ReadSettingsFile("\x02*", model);
    EXPECT_EQ(model.MaskStartChar, '*');
    EXPECT_EQ(model.MaskEndChar, '>');
}

TEST(SettingsFileStructure, KeysMatchExactlyAndValuesAreNotTrimmed) {
    const SettingsModel model =
        Read(Settings({"speed=20", "SPEED =21", "SPEED= 22", "SPEED=23 ", "XSPEED=24"}));
    EXPECT_EQ(model.SpeedWpm, 12);
    EXPECT_EQ(Read(Settings({"LISTW= my words.txt "})).WordListFile, " my words.txt ");
}

TEST(SettingsFileStructure, ChosenCharactersAreLowerCased) {
    EXPECT_EQ(Read(Settings({"\x01"
                             "ABC\xC9?"}))
                  .ChosenCharacters,
              "abc\xE9?");
    EXPECT_EQ(Read(Settings({})).ChosenCharacters, " ");
}

TEST(SettingsRepeatedKeys, TheLastLineWins) {
    const SettingsModel model =
        Read(Settings({"SPEED=20", "SPEED=25", "VVVVV=ON", "VVVVV=OFF", "LPT=2", "LPT=0"}));
    EXPECT_EQ(model.SpeedWpm, 25);
    EXPECT_FALSE(model.AddLeadingVs);
    EXPECT_EQ(model.LptPort, 0);
}

TEST(SettingsRepeatedKeys, AtMost26ShortcutsAndSixMessagesAreTaken) {
    std::string lines;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        lines += std::string("SHORTCUT=") + letter + "text\r\n";
    }
    lines += "SHORTCUT=#27th\r\n";
    for (int message = 1; message <= 7; ++message) {
        lines += "MSG=message " + std::to_string(message) + "\r\n";
    }
    const SettingsModel model = Read(lines + Lines({kMarker}));
    EXPECT_EQ(model.ShortcutTable.back(), (SettingsModel::Shortcut{'Z', "text"}));
    EXPECT_EQ(model.StoredMessages.front(), "message 1");
    EXPECT_EQ(model.StoredMessages.back(), "message 6");
}

TEST(SettingsRepeatedKeys, AShortcutIsALetterAndAtMost36Characters) {
    const std::string forty = "0123456789012345678901234567890123456789";
    const SettingsModel model = Read(Settings({"SHORTCUT=A" + forty, "SHORTCUT=", "SHORTCUT=Bcq de"}));
    EXPECT_EQ(model.ShortcutTable[0], (SettingsModel::Shortcut{'A', forty.substr(0, 36)}));
    // An empty line still takes its slot.
    EXPECT_EQ(model.ShortcutTable[1], SettingsModel::Shortcut{});
    EXPECT_EQ(model.ShortcutTable[2], (SettingsModel::Shortcut{'B', "cq de"}));
}

TEST(SettingsKeyValues, QuizDelayMatchesTheStepTextsOnly) {
    EXPECT_EQ(Read(Settings({"DELAY=8"})).QuizDelayStep, 17);
    EXPECT_EQ(SettingsModel::QuizDelayIntervalMs(17), 8000);
    EXPECT_EQ(Read(Settings({"DELAY=0.25"})).QuizDelayStep, 1);
    for (const char* unknown : {"DELAY=10", "DELAY=3.0", "DELAY=0,5", "DELAY="}) {
        EXPECT_EQ(Read(Settings({"DELAY=9", unknown})).QuizDelayStep, 18) << unknown;
    }
}

TEST(SettingsKeyValues, NoteIsClampedAndItsPositionRoundsHalvesToEven) {
    const SettingsModel high = Read(Settings({"NOTE=2000"}));
    EXPECT_EQ(high.NoteFrequencyHz, 1500);
    EXPECT_EQ(high.NotePosition, 0);
    const SettingsModel low = Read(Settings({"NOTE=50"}));
    EXPECT_EQ(low.NoteFrequencyHz, 100);
    EXPECT_EQ(low.NotePosition, 140);
    // (1500 - 805) / 10 = 69.5 goes to 70, (1500 - 815) / 10 = 68.5 to 68.
    EXPECT_EQ(Read(Settings({"NOTE=805"})).NotePosition, 70);
    EXPECT_EQ(Read(Settings({"NOTE=805"})).NoteFrequencyHz, 805);
    EXPECT_EQ(Read(Settings({"NOTE=815"})).NotePosition, 68);
    const SettingsModel fraction = Read(Settings({"NOTE=600", "NOTE=700.5"}));
    EXPECT_EQ(fraction.NoteFrequencyHz, 600);
    EXPECT_EQ(fraction.NotePosition, 90);
    const SettingsModel exam = Read(Settings({"NOTE=600", "NOTE=-1"}));
    EXPECT_EQ(exam.NotePosition, -1);
    EXPECT_EQ(exam.NoteFrequencyHz, 600);
}

TEST(SettingsKeyValues, FallbacksForBandwidthPageAndLastChoice) {
    EXPECT_EQ(Read(Settings({"NOISE_BW=3"})).NoiseBandwidth, 8);
    EXPECT_EQ(Read(Settings({"NOISE_BW=4"})).NoiseBandwidth, 4);
    EXPECT_EQ(Read(Settings({"NOISE_BW=2", "NOISE_BW=x"})).NoiseBandwidth, 2);
    for (const char* bad : {"LASTCHOICE=0", "LASTCHOICE=9", "LASTCHOICE=A"}) {
        EXPECT_EQ(Read(Settings({"LASTCHOICE=5", bad})).LastChoice, 1) << bad;
    }
    EXPECT_EQ(Read(Settings({"LASTCHOICE=7"})).LastChoice, 7);
    EXPECT_EQ(Read(Settings({"PAGE=3", "PAGE=5"})).LessonPage, 1);
    EXPECT_EQ(Read(Settings({"PAGE=3", "PAGE="})).LessonPage, 1);
    EXPECT_EQ(Read(Settings({"PAGE=3"})).LessonPage, 3);
}

TEST(SettingsKeyValues, ABadNumberLeavesTheSettingAndAGoodOneIsClampedToItsControl) {
    for (const char* bad :
         {"SPEED=abc", "SPEED=", "SPEED=-", "SPEED=2x", "SPEED=99999999999", "SPEED=0x14"}) {
        EXPECT_EQ(Read(Settings({"SPEED=20", bad})).SpeedWpm, 20) << bad;
    }
    EXPECT_EQ(Read(Settings({"SPEED=+25"})).SpeedWpm, 25);
    EXPECT_EQ(Read(Settings({"SPEED=0"})).SpeedWpm, 5);
    EXPECT_EQ(Read(Settings({"SPEED=80"})).SpeedWpm, 50);
    EXPECT_EQ(Read(Settings({"LEVEL=-40"})).LevelDb, -15);
    EXPECT_EQ(Read(Settings({"LEFT_THRESHOLD=200"})).LeftThreshold, 127);
    EXPECT_EQ(Read(Settings({"QUIZ_COUNT=2"})).QuizCount, 5);
    // Keys whose values the window cannot show are ignored rather than clamped.
    EXPECT_EQ(Read(Settings({"SPACEW=9"})).WordSpaceFactor, 1);
    EXPECT_EQ(Read(Settings({"WORDS=1"})).GroupLength, 5);
    EXPECT_EQ(Read(Settings({"WORDS=0"})).GroupLength, 0);
    EXPECT_EQ(Read(Settings({"PIN=4"})).LptPin, 0);
    EXPECT_EQ(Read(Settings({"PTT=5"})).PttLineMask, 3);
    EXPECT_EQ(Read(Settings({"COM=20"})).ComPort, 0);
    EXPECT_EQ(Read(Settings({"COM=19"})).ComPort, 19);
}

TEST(SettingsKeyValues, TxDelayTakesTheNearestItemHalvesToEven) {
    EXPECT_EQ(Read(Settings({"TXDELAY=125"})).TxDelayMs, 150);  // item 1.5 -> 2
    EXPECT_EQ(Read(Settings({"TXDELAY=75"})).TxDelayMs, 50);    // item 0.5 -> 0
    EXPECT_EQ(Read(Settings({"TXDELAY=275"})).TxDelayMs, 250);  // item 4.5 -> 4
    EXPECT_EQ(Read(Settings({"TXDELAY=25"})).TxDelayMs, 50);    // item -0.5 -> 0
    for (const char* outside : {"TXDELAY=300", "TXDELAY=0", "TXDELAY=-2147483648", "TXDELAY=2147483647"}) {
        EXPECT_EQ(Read(Settings({"TXDELAY=200", outside})).TxDelayMs, 200) << outside;
    }
}

TEST(SettingsKeyValues, WindowPositionAndDriftReadEachFieldOnItsOwn) {
    const SettingsModel position = Read(Settings({"WINPOS=x,20"}));
    EXPECT_EQ(position.WindowTop, 1);
    EXPECT_EQ(position.WindowLeft, 20);
    EXPECT_EQ(Read(Settings({"WINPOS=10"})).WindowTop, 1);
    EXPECT_EQ(Read(Settings({"WINPOS=-10,30"})).WindowTop, -10);

    const SettingsModel drift = Read(Settings({"DRIFT=5,1000,200"}));
    EXPECT_EQ(drift.DriftStepHz, 5);
    EXPECT_EQ(drift.DriftMaxHz, 1000);
    EXPECT_EQ(drift.DriftMinHz, 200);
    // The first field is "5;1000" (bad); after "200" there is no comma, so the third is not read.
    const SettingsModel partial = Read(Settings({"DRIFT=5;1000,200"}));
    EXPECT_EQ(partial.DriftStepHz, 10);
    EXPECT_EQ(partial.DriftMaxHz, 200);
    EXPECT_EQ(partial.DriftMinHz, 300);
    EXPECT_EQ(Read(Settings({"DRIFT=10,1300,300,5"})).DriftMinHz, 300);
}

TEST(SettingsKeyValues, LptAddressBoxGivesTheHexadecimalAddress) {
    EXPECT_EQ(Read(Settings({"ADLPT=[2BCh]"})).LptAddressOverride, 0x2BC);
    EXPECT_EQ(Read(Settings({"ADLPT=[2BCh]", "ADLPT="})).LptAddressOverride, 0x2BC);
    EXPECT_EQ(Read(Settings({"ADLPT=[2BCh]", "ADLPT=[xyzh]"})).LptAddressOverride, 0);
    // A four-digit address of a plug-in card is kept whole; more than 16 bits is bad.
    EXPECT_EQ(Read(Settings({"ADLPT=[d010h]"})).LptAddressOverride, 0xD010);
    EXPECT_EQ(Read(Settings({"ADLPT=[2BCh]", "ADLPT=[12345h]"})).LptAddressOverride, 0);
}

TEST(SettingsKeyValues, LptxAddressKeepsItsTextOrEmptiesIt) {
    const SettingsModel good = Read(Settings({"ADLPTX=03bc"}));
    EXPECT_EQ(good.LptxAddressText, "03bc");
    EXPECT_EQ(good.LptxAddress, 0x3BC);
    const SettingsModel bad = Read(Settings({"ADLPTX=0378", "ADLPTX=3G"}));
    EXPECT_EQ(bad.LptxAddressText, "");
    EXPECT_EQ(bad.LptxAddress, 0);
}

TEST(SettingsKeyValues, WordsFlagsAndKeysAlone) {
    const SettingsModel model = Read(
        Settings({"LANGUAGE=F", "MIXED=CALL", "MONITOR_CHANNEL=CTRLKEY", "MONITOR_CASE=UPPER", "LOGIC=Nx",
                  "SPEED_ADJUST=OFF", "DELAY_ADJUST=", "HINTS=0", "RESUMEDELAY=2", "INSTFS=1", "LCASE=1"}));
    EXPECT_EQ(model.InterfaceLanguage, Language::French);
    EXPECT_EQ(model.Content, SettingsModel::GroupContent::Callsigns);
    EXPECT_EQ(model.Source, SettingsModel::MonitorSource::CtrlKey);
    EXPECT_TRUE(model.MonitorUpperCase);
    EXPECT_TRUE(model.NegativeLogic);
    EXPECT_TRUE(model.VariableSpeed);
    EXPECT_TRUE(model.DelayAdjust);
    EXPECT_FALSE(model.HintsShown);
    EXPECT_EQ(model.ResumeDelaySeconds, 2);
    EXPECT_TRUE(model.InstructorFixedSpeed);
    EXPECT_TRUE(model.LowerCaseGroups);

    const SettingsModel unknown = Read(Settings({"LANGUAGE=f", "MIXED=on", "MONITOR_CHANNEL=left ",
                                                 "LOGIC=", "HINTS=no", "RESUMEDELAY=4", "INSTFS=yes"}));
    EXPECT_EQ(unknown, SettingsModel{});
}

TEST(SettingsKeyValues, SoundDevicesOtherThanMinusOneChooseTheDevices) {
    const SettingsModel chosen = Read(Settings({"ISOUND=2", "OSOUND=x"}));
    EXPECT_TRUE(chosen.ChosenSoundDevices);
    EXPECT_EQ(chosen.InputDeviceId, 2);
    EXPECT_EQ(chosen.OutputDeviceId, -1);
    EXPECT_FALSE(Read(Settings({"ISOUND=-1", "OSOUND=-1"})).ChosenSoundDevices);
}

TEST(SettingsKeyValues, PasswordIsUnscrambledByPosition) {
    // 'a' + 1, 'b' + 4, 'c' + 9.
    EXPECT_EQ(Read(Settings({"MDPINT=bfl"})).InstructorPassword, "abc");
    // The fifth character wraps: 0xF0 + 25 = 0x109 is stored as 0x09.
    EXPECT_EQ(Read(Settings({"MDPINT=bflt\x09"})).InstructorPassword, "abcd\xF0");
    EXPECT_EQ(Read(Settings({"MDPINT=bfl", "MDPINT="})).InstructorPassword, "");
    EXPECT_EQ(Read(Settings({"MDPINT=", "MDPINT_HEX=61FF0A"})).InstructorPassword, "a\xFF\n");
    EXPECT_EQ(Read(Settings({"MDPINT=bfl", "MDPINT_HEX=6"})).InstructorPassword, "abc");
}

TEST(SettingsLessons, LessonsFollowTheMarkerUntilABlankOrEmptyLine) {
    SettingsModel model;
    const SettingsReadResult result =
        ReadSettingsFile(Lines({kMarker, "ABC", "d\xC9", " \xE9  ..-..  x", "fgh"}), model);
    EXPECT_EQ(result.LessonsRead, 2);
    EXPECT_EQ(model.LessonTable[0], "abc");
    EXPECT_EQ(model.LessonTable[1], "d\xE9");
    EXPECT_EQ(model.LessonTable[2], SettingsModel::kBuiltInLessons[2]);

    SettingsModel none;
    const SettingsReadResult empty = ReadSettingsFile(Lines({kMarker, "", "abc"}), none);
    EXPECT_TRUE(empty.LineFollowsMarker);
    EXPECT_EQ(empty.LessonsRead, 0);
    EXPECT_FALSE(ReadSettingsFile(Lines({kMarker}), none).LineFollowsMarker);
}

TEST(SettingsLessons, SixtyLessonsAtMostThenTheLocalRowsBegin) {
    std::string bytes = Lines({kMarker});
    for (int lesson = 1; lesson <= 61; ++lesson) {
        bytes += "l" + std::to_string(lesson) + "\r\n";
    }
    bytes += "x\xE9  .-.-  no blank first\r\n";
    SettingsModel model;
    EXPECT_EQ(ReadSettingsFile(bytes, model).LessonsRead, 60);
    EXPECT_EQ(model.LessonTable[59], "l60");
    // The 61st line was examined as a local row (and refused); the next one is taken.
    ASSERT_EQ(model.LocalRows.size(), 1u);
    EXPECT_EQ(model.LocalRows[0], "x\xE9  .-.-  no blank first");
}

TEST(SettingsLocalCharacters, AnAccentedCapitalWithAHyphenInItsComment) {
    const std::string row = " \xC9  ..-.  e-acute";
    const SettingsModel model = Read(Lines({kMarker, "abc", row}));
    EXPECT_EQ(model.LessonTable[0], "abc");
    ASSERT_EQ(model.LocalRows.size(), 1u);
    EXPECT_EQ(model.LocalRows[0], row);
    EXPECT_EQ(LocalCharacters::RowPattern(model.LocalRows[0]), "..-.");
}

TEST(SettingsLocalCharacters, RefusedCharactersAndRowsWithoutAPatternAreSkipped) {
    const SettingsModel model = Read(Lines({kMarker, " @  .--.-.  at", " e  .  standard", " E  .  capital",
                                            " \xE9  abc", " \xF1 --.--  one blank", " \xF1  --.--  n tilde",
                                            " \xD1  --.--  again, capital", " \xE9  ..-.."}));
    ASSERT_EQ(model.LocalRows.size(), 2u);
    EXPECT_EQ(model.LocalRows[0], " \xF1  --.--  n tilde");
    EXPECT_EQ(model.LocalRows[1], " \xE9  ..-..");
}

TEST(SettingsLocalCharacters, TwentySixLinesAreExaminedAndRowsAreCutTo40) {
    std::string bytes = Lines({kMarker, " \xE9  ..-..  " + std::string(50, 'c')});
    for (int refused = 0; refused < 25; ++refused) {
        bytes += " e  .  refused\r\n";
    }
    bytes += " \xF1  --.--  27th line\r\n";
    const SettingsModel model = Read(bytes);
    ASSERT_EQ(model.LocalRows.size(), 1u);
    EXPECT_EQ(model.LocalRows[0].size(), 40u);
}

}  // namespace
}  // namespace kelvaro
