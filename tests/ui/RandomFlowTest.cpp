// The Random mode through the real window: a series on the fake device, the quick series, Stop,
// a series ending under an open side panel, the impairment switches, the settings it owns and
// the word lists it refuses.
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QToolButton>
#include <filesystem>

#include "WindowFixture.h"
#include "core/CharacterLayout.h"
#include "ui/RandomFeature.h"
#include "ui/TFormNoise.h"

namespace kelvaro::test {
namespace {

constexpr int kUnitFrames = 2083;  // 12 wpm
constexpr int kDashFrames = 6250;

class RandomFlowTest : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        Create();
    }
    RandomFeature& Random() { return *Form->findChild<RandomFeature*>(); }
    QPlainTextEdit* Memo() { return Find<QPlainTextEdit>("MemoRandom"); }
    QPushButton* Play() { return Find<QPushButton>("BitBtnPlayRandom"); }
    QPushButton* StopRandom() { return Find<QPushButton>("BitBtnStopRandom"); }
    void SelectRandom(int count) {
        Find<QRadioButton>("RadioButtonRandom")->click();
        Find<QSpinBox>("SpinEditRandomNumber")->setValue(count);
    }
    /// A character alone with the character gap after it.
    int PlainFrames(QChar shown) {
        const std::string& pattern = Form->Table().Pattern(static_cast<std::uint8_t>(shown.toLatin1()));
        int frames = 0;
        for (const char element : pattern) {
            frames += (element == '-' ? kDashFrames : kUnitFrames) + kUnitFrames;
        }
        return frames + 2 * kUnitFrames;
    }
    /// How many more units of silence the last character of a group gets.
    int WordGapExtraUnits() {
        CharacterContext completing;
        completing.CompletesGroup = true;
        return TrailingGapUnits(false, Form->Speed(), completing) -
               TrailingGapUnits(false, Form->Speed(), {});
    }
    std::string WriteFile(const char* name, const QByteArray& bytes) {
        const QString path = Folder.path() + "/" + name;
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path.toStdString();
    }
    void UseWordList(const std::string& path) {
        Random().ChooseWordList = [path] { return QString::fromStdString(path); };
    }
};

TEST_F(RandomFlowTest, PlayWithCountTenPlaysTenLettersInTwoGroupsWithAWordGapAfterEach) {
    SelectRandom(10);
    Trigger("MenuLetters");
    Play()->click();
    EXPECT_TRUE(StopRandom()->isVisible());
    EXPECT_FALSE(Box()->isEnabled());
    Device.CompleteAll();
    const QString memo = Memo()->toPlainText();
    ASSERT_TRUE(QRegularExpression("^[A-Z]{5} [A-Z]{5} $").match(memo).hasMatch()) << memo.toStdString();
    const std::vector<int> frames = CharacterFrames();
    ASSERT_EQ(frames.size(), 10u);
    const QString letters = QString(memo).remove(' ');
    for (int i = 0; i < 10; ++i) {
        const int extra = frames[static_cast<std::size_t>(i)] - PlainFrames(letters[i]);
        if (i == 4 || i == 9) {
            EXPECT_NEAR(extra, WordGapExtraUnits() * kUnitFrames, 2) << i;
        } else {
            EXPECT_EQ(extra, 0) << i;
        }
    }
    EXPECT_EQ(Prompts.InformationBeeps, 1);
    EXPECT_TRUE(Play()->isVisible());
    EXPECT_FALSE(Random().Series().Running());
    EXPECT_TRUE(Box()->isEnabled());
}

TEST_F(RandomFlowTest, QuickSeriesOfAThousandFillsThePaneAtOnceWithoutSound) {
    SelectRandom(1000);
    Memo()->setPlainText("old text");
    // The whole series is generated inside the one click, before any event runs.
    Trigger("MenuQuickRandom");
    const QString memo = Memo()->toPlainText();
    EXPECT_EQ(QString(memo).remove(' ').remove('\n').size(), 1000);
    EXPECT_FALSE(memo.contains("old"));
    EXPECT_TRUE(Device.History.empty());
    EXPECT_EQ(Prompts.InformationBeeps, 1);
    EXPECT_FALSE(Random().Series().Running());
    EXPECT_FALSE(Form->SilentRun());
    // The window is the user's again: typing sounds.
    Type("e");
    EXPECT_EQ(CharacterFrames().size(), 1u);
}

TEST_F(RandomFlowTest, StopOfThePaneLetsTheSoundingCharacterEndAndGeneratesNoMore) {
    SelectRandom(250);
    Play()->click();
    ASSERT_EQ(CharacterFrames().size(), 1u);
    StopRandom()->click();
    Device.CompleteAll();
    EXPECT_EQ(CharacterFrames().size(), 1u);
    EXPECT_TRUE(Play()->isVisible());
    EXPECT_FALSE(StopRandom()->isVisible());
    EXPECT_EQ(Prompts.InformationBeeps, 0);
    Play()->click();  // a new series starts on a new line
    Device.CompleteNext();
    EXPECT_EQ(Memo()->toPlainText().count('\n'), 1);
}

// Whether the count runs out or the pane's Stop is pressed, the window is the user's again and
// the side panel stays as it was, with what was typed in it.
TEST_F(RandomFlowTest, SeriesEndingUnderAnOpenSidePanelGivesTheWindowBackAndKeepsThePanel) {
    struct EndCase {
        const char* OpenItem;
        const char* Panel;
        bool StopPressed;
    };
    const EndCase cases[] = {
        {"MenuChoixCaracteres", "PanelChoixRandom", false},
        {"MenuChoixCaracteres", "PanelChoixRandom", true},
        {"EspacePlus", "PanelEspace", false},
        {"MenuLocallesson", "PanelLocalLesson", false},
    };
    auto* box = Find<QComboBox>("BoxCaracteresChoix");
    auto* quizMode = Find<QRadioButton>("RadioButtonQuiz");
    int beeps = 0;
    for (const EndCase& end : cases) {
        SCOPED_TRACE(std::string(end.OpenItem) + (end.StopPressed ? " Stop" : " count"));
        const bool chosen = std::string(end.Panel) == "PanelChoixRandom";
        SelectRandom(5);
        Trigger("MenuLetters");
        Play()->click();
        ASSERT_FALSE(Box()->isEnabled());
        ASSERT_FALSE(quizMode->isEnabled());
        Trigger(end.OpenItem);
        if (chosen) {
            box->setEditText("xyz");
        }
        if (end.StopPressed) {
            StopRandom()->click();
        } else {
            ++beeps;
        }
        Device.CompleteAll();
        EXPECT_EQ(Prompts.InformationBeeps, beeps);
        EXPECT_FALSE(Random().Series().Running());
        EXPECT_TRUE(Box()->isEnabled());
        EXPECT_TRUE(quizMode->isEnabled());
        EXPECT_TRUE(Play()->isVisible());
        EXPECT_TRUE(Find<QWidget>("ButtonQuitter")->isVisible());
        EXPECT_FALSE(Find<QWidget>("ButtonStop")->isVisible());
        ASSERT_TRUE(Find<QWidget>(end.Panel)->isVisible());
        if (chosen) {
            // The typed set was not lost: confirming it now builds it.
            EXPECT_EQ(box->currentText(), "xyz");
            Find<QPushButton>("ButtonChoixCaractereOK")->click();
            EXPECT_EQ(Form->Pool().PoolSize(), 3);
        } else {
            QTest::keyClick(Form.get(), Qt::Key_Escape);  // Escape closes the panel, never quits
            EXPECT_FALSE(Terminated);
        }
        EXPECT_FALSE(Find<QWidget>(end.Panel)->isVisible());
    }
}

TEST_F(RandomFlowTest, ClearDuringASeriesWarnsAndKeepsTheText) {
    SelectRandom(250);
    Play()->click();
    Trigger("ClearMemoRandom");
    ASSERT_FALSE(Prompts.Messages.empty());
    EXPECT_EQ(Prompts.Messages.back(), "Stop random before clearing !");
    EXPECT_FALSE(Memo()->toPlainText().isEmpty());
    Find<QPushButton>("ButtonStop")->click();
    Trigger("ClearMemoRandom");
    EXPECT_TRUE(Memo()->toPlainText().isEmpty());
    Trigger("ClearMemoRandom");
    EXPECT_EQ(Prompts.Messages.back(), "Nothing to clear !");
}

TEST_F(RandomFlowTest, ImpairmentSwitchesActOnlyWhileRandomGroupsPlay) {
    SelectRandom(250);
    auto* noise = Find<QToolButton>("SpeedButtonNoise");
    auto* qsb = Find<QToolButton>("SpeedButtonQSB");
    auto* drift = Find<QToolButton>("SpeedButtonDrift");
    noise->click();
    qsb->click();
    drift->click();
    EXPECT_TRUE(noise->isChecked());
    EXPECT_FALSE(Form->ContextForCharacter().NoiseOn);  // nothing plays yet
    Type("e");
    EXPECT_EQ(CharacterFrames().size(), 1u);
    EXPECT_EQ(Form->Engine().NoteFrequency(), 800.0);  // typed text never drifts
    Device.CompleteAll();
    Play()->click();
    const CharacterContext playing = Form->ContextForCharacter();
    EXPECT_TRUE(playing.NoiseOn);
    EXPECT_TRUE(playing.QsbOn);
    EXPECT_TRUE(playing.DriftOn);
    EXPECT_EQ(Form->Engine().NoteFrequency(), 810.0);  // one step per generated character
    Device.CompleteNext();
    EXPECT_EQ(Form->Engine().NoteFrequency(), 820.0);
    StopRandom()->click();
    EXPECT_EQ(Form->Engine().NoteFrequency(), 800.0);  // Stop brings the pitch back
    EXPECT_FALSE(Form->ContextForCharacter().NoiseOn);
    noise->click();
    Play()->click();
    EXPECT_FALSE(Form->ContextForCharacter().NoiseOn);
    EXPECT_TRUE(Form->ContextForCharacter().QsbOn);
}

TEST_F(RandomFlowTest, RightClickOpensTheDialogAndDoesNotToggle) {
    auto* noise = Find<QToolButton>("SpeedButtonNoise");
    SelectRandom(250);
    QTest::mouseClick(noise, Qt::RightButton);
    EXPECT_FALSE(noise->isChecked());
    EXPECT_TRUE(Form->findChild<TFormNoise*>()->isVisible());
}

TEST_F(RandomFlowTest, NoCharacterInTheSetIsReportedAtPlay) {
    SelectRandom(250);
    Trigger("MenuLocal");  // no local character yet
    Play()->click();
    ASSERT_FALSE(Prompts.Messages.empty());
    EXPECT_EQ(Prompts.Messages.back(), "No morse characters to play !");
    EXPECT_TRUE(Device.History.empty());
    EXPECT_FALSE(Find<QRadioButton>("RadioButtonRandom")->isChecked());
    EXPECT_TRUE(Play()->isVisible());
    EXPECT_TRUE(Box()->isEnabled());
}

TEST_F(RandomFlowTest, VocabularyLineOfEightLettersIsPlayedWholeWithCountFive) {
    UseWordList(WriteFile("words.txt", "abcdefgh\r\n"));
    SelectRandom(5);
    Trigger("MenuListWords");
    EXPECT_TRUE(Prompts.Messages.empty());
    Play()->click();
    Device.CompleteAll();
    EXPECT_EQ(CharacterFrames().size(), 8u);
    EXPECT_EQ(Memo()->toPlainText(), "ABCDEFGH");
}

TEST_F(RandomFlowTest, UnreadableEmptyBinaryAndHugeWordListsAreReported) {
    SelectRandom(5);
    const std::string huge = WriteFile("huge.txt", "x");
    std::filesystem::resize_file(huge, 40u * 1024u * 1024u);
    for (const std::string& path :
         {(Folder.path() + "/missing.txt").toStdString(), WriteFile("empty.txt", ""),
          WriteFile("binary.txt", QByteArray("ab\0\1cd", 6)), huge}) {
        Prompts.Messages.clear();
        UseWordList(path);
        Trigger("MenuLetters");
        Trigger("MenuListWords");
        ASSERT_EQ(Prompts.Messages.size(), 1u) << path;
        EXPECT_EQ(Prompts.Messages.front(), "Ne peut ouvrir le fichier");
        EXPECT_TRUE(Random().WordListFile().empty());
        EXPECT_TRUE(Find<QAction>("MenuListWords")->isChecked());
    }
    Random().ChooseWordList = [] { return QString(); };
    Play()->click();
    EXPECT_EQ(Prompts.Messages.back(), "No morse characters to play !");
    EXPECT_TRUE(Device.History.empty());
}

TEST_F(RandomFlowTest, ChosenTextEqualToLessonSevenIsLabelledFifteenAndBuildsThePool) {
    SelectRandom(250);
    Trigger("MenuChoixCaracteres");
    auto* box = Find<QComboBox>("BoxCaracteresChoix");
    box->setEditText("endx0tawp1mgzq2iuvh3");
    Find<QPushButton>("ButtonChoixCaractereOK")->click();
    EXPECT_EQ(Find<QLabel>("PanelRandomLesson")->text(), " Lesson #15");
    EXPECT_EQ(Form->Pool().PoolStart(), 71);
    EXPECT_EQ(Form->Pool().PoolSize(), 20);
    Trigger("MenuChoixCaracteres");
    box->setEditText(" ");
    Find<QPushButton>("ButtonChoixCaractereOK")->click();
    EXPECT_EQ(Prompts.Beeps, 1);  // a blank text is refused and the panel stays
    EXPECT_TRUE(Find<QWidget>("PanelChoixRandom")->isVisible());
    Find<QPushButton>("ButtonCancelChoix")->click();
    EXPECT_EQ(box->currentText(), "endx0tawp1mgzq2iuvh3");
}

TEST_F(RandomFlowTest, LocalLessonEditorStoresLessonsAndRefusesBadNumbers) {
    Trigger("MenuLocallesson");
    auto* number = Find<QLineEdit>("EditNumeroLesson");
    auto* lesson = Find<QLineEdit>("EditCaractereLesson");
    QTest::keyClicks(number, "61");
    EXPECT_EQ(Prompts.Beeps, 1);
    EXPECT_TRUE(number->text().isEmpty());
    QTest::keyClicks(number, "22");
    EXPECT_TRUE(lesson->text().isEmpty());  // a blank lesson shows empty
    QTest::keyClicks(lesson, "A B c");
    EXPECT_EQ(lesson->text(), "abc");
    Find<QPushButton>("ButtonLocalLessonEnter")->click();
    EXPECT_EQ(Random().Lessons().Lesson(22), "abc");
    Find<QPushButton>("ButtonLocalLessonExit")->click();
    EXPECT_FALSE(Find<QWidget>("PanelLocalLesson")->isVisible());
}

TEST_F(RandomFlowTest, OwnedSettingsComeBackAfterARestart) {
    SelectRandom(35);
    Trigger("MenuLettersFigures");
    Trigger("menuCallsigns");
    Trigger("MenuAddV");
    Trigger("menulowercase");
    Trigger("MenuLocallesson");
    QTest::keyClicks(Find<QLineEdit>("EditNumeroLesson"), "21");
    QTest::keyClicks(Find<QLineEdit>("EditCaractereLesson"), "kmr");
    Find<QPushButton>("ButtonLocalLessonEnter")->click();
    Find<QPushButton>("ButtonLocalLessonExit")->click();
    Trigger("MenuOutilsQuit");
    ASSERT_TRUE(Terminated);
    Form.reset();

    Create();
    const SettingsModel settings = Form->CollectSettings();
    EXPECT_EQ(settings.RandomCount, 35);
    EXPECT_EQ(settings.RandomSource, 5);
    EXPECT_EQ(settings.Content, SettingsModel::GroupContent::Callsigns);
    EXPECT_TRUE(settings.AddLeadingVs);
    EXPECT_TRUE(settings.LowerCaseGroups);
    EXPECT_EQ(settings.LessonTable[20], "kmr");
    EXPECT_EQ(settings.LastChoice, 4);
    EXPECT_TRUE(Find<QRadioButton>("RadioButtonRandom")->isChecked());
    EXPECT_TRUE(Find<QWidget>("GroupBoxRandom")->isVisible());
    EXPECT_TRUE(Find<QAction>("menuCallsigns")->isChecked());

    Find<QSpinBox>("SpinEditRandomNumber")->setValue(10);
    Find<QPushButton>("BitBtnPlayRandom")->click();
    Device.CompleteAll();
    EXPECT_TRUE(Memo()->toPlainText().startsWith("vvvvv "));
}

TEST_F(RandomFlowTest, RandomLengthAndChosenSetSurviveARestart) {
    SelectRandom(250);
    Trigger("MenuRandomWords");
    Trigger("MenuChoixCaracteres");
    Find<QComboBox>("BoxCaracteresChoix")->setEditText("EEEEt");
    Find<QPushButton>("ButtonChoixCaractereOK")->click();
    EXPECT_EQ(Form->Pool().PoolSize(), 5);
    Trigger("MenuOutilsQuit");
    Form.reset();
    Create();
    const SettingsModel settings = Form->CollectSettings();
    EXPECT_EQ(settings.GroupLength, 0);
    EXPECT_EQ(settings.RandomSource, 7);
    EXPECT_EQ(settings.ChosenCharacters, "eeeet");
    EXPECT_EQ(Form->Pool().PoolStart(), 71);
    EXPECT_EQ(Form->Pool().PoolSize(), 5);
    EXPECT_EQ(Find<QLabel>("PanelRandomLesson")->text(), " Chosen characters");
}

}  // namespace
}  // namespace kelvaro::test

namespace kelvaro::test {
namespace {

class RandomDescriptionTest : public WindowFixture {};

TEST_F(RandomDescriptionTest, DescriptionFollowsTheSpeedAndSpacing) {
    Create();
    auto* words = Find<QLabel>("LabelWords");
    Find<QSpinBox>("UpDownVitesse")->setValue(20);
    EXPECT_TRUE(words->text().endsWith("Real speed (wpm) = 20.0")) << words->text().toStdString();
    Trigger("EspacePlus");
    Find<QSpinBox>("SpinEditEspace")->setValue(2);
    EXPECT_TRUE(words->text().contains("Spacing between characters=2")) << words->text().toStdString();
}

TEST_F(RandomFlowTest, ThePortPanelStopsARunningSeriesAndOtherPanelsLeaveItPlaying) {
    SelectRandom(10);
    Trigger("MenuLetters");
    Play()->click();
    Trigger("EspacePlus");
    EXPECT_TRUE(Random().Series().Running());
    EXPECT_TRUE(StopRandom()->isVisible());

    Trigger("MenuPort");
    EXPECT_TRUE(Find<QWidget>("PanelPort")->isVisible());
    EXPECT_FALSE(Find<QWidget>("PanelEspace")->isVisible());
    EXPECT_FALSE(Random().Series().Running());
    EXPECT_TRUE(Play()->isVisible());
    EXPECT_TRUE(Box()->isEnabled());
    Device.CompleteAll();
    EXPECT_FALSE(Random().Series().Running());
}

TEST_F(RandomFlowTest, SavedGroupsReplaceAFileWholeAndNeverWriteThroughAReadOnlyOne) {
    SelectRandom(10);
    Trigger("MenuLetters");
    Play()->click();
    Device.CompleteAll();
    const QString memo = Memo()->toPlainText();
    ASSERT_FALSE(memo.isEmpty());

    // An earlier, longer save is replaced whole: CR LF between lines, nothing of the old left.
    const std::string saved = WriteFile("Random1.txt", QByteArray(4000, 'x'));
    Random().ChooseSaveFile = [saved] { return QString::fromStdString(saved); };
    Trigger("SaveMemoRandom1");
    QFile written(QString::fromStdString(saved));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(written.readAll()), QString(memo).replace("\n", "\r\n"));
    EXPECT_TRUE(Prompts.Messages.empty());

    // A file the user made read-only keeps its bytes, and the user is told why.
    const std::string locked = WriteFile("Locked.txt", "keep me");
    std::filesystem::permissions(locked, std::filesystem::perms::owner_read);
    Random().ChooseSaveFile = [locked] { return QString::fromStdString(locked); };
    Trigger("SaveMemoRandom1");
    QFile kept(QString::fromStdString(locked));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("keep me"));
    ASSERT_EQ(Prompts.Messages.size(), 1u);
    EXPECT_TRUE(Prompts.Messages[0].contains("Locked.txt")) << Prompts.Messages[0].toStdString();
}

}  // namespace
}  // namespace kelvaro::test
