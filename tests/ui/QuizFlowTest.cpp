// The quiz driven through the real window: questions, verdicts, the report, the adaptation of
// speed and delay, Stop, Alt+M, Enter and Escape, side panels and replays that keep it out, and
// the quiz settings kept across a restart.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "WindowFixture.h"
#include "ui/ControlsPane.h"
#include "ui/QuizFeature.h"
#include "ui/RandomFeature.h"

namespace kelvaro::test {
namespace {

constexpr int kEFrames = 4 * 2083;         // "e" at 12 wpm with the quiz's three-unit gap
constexpr int kTFrames = 6250 + 3 * 2083;  // "t"

class QuizFlowTest : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        Create();
        SelectQuiz();
    }
    void SelectQuiz() { Find<QRadioButton>("RadioButtonQuiz")->click(); }
    QuizFeature& Quiz() { return *Form->findChild<QuizFeature*>("QuizFeature"); }
    ManualTimer& Answer() { return dynamic_cast<ManualTimer&>(Quiz().TimerQuiz()); }
    ManualTimer& End() { return dynamic_cast<ManualTimer&>(Quiz().TimerFinQuiz()); }
    ManualTimer& Resume() { return dynamic_cast<ManualTimer&>(Quiz().ResumeTimer()); }
    ManualTimer& Early() { return dynamic_cast<ManualTimer&>(Quiz().EarlyVerdictTimer()); }
    QPushButton* Ok() { return Find<QPushButton>("ButtonQuizOK"); }
    QPushButton* QuizStop() { return Find<QPushButton>("ButtonQuizStop"); }
    QLineEdit* Reply() { return Find<QLineEdit>("EditReponseQuiz"); }
    QString Mark() { return Find<QLineEdit>("EditMark")->text(); }
    QString Revise() { return Find<QLineEdit>("EditRevise")->text(); }
    int Speed() { return Form->Speed().SpeedWpm(); }

    /// The next questions are all this character.
    void AskOnly(char question) {
        const auto slot = CharacterPool::kStandardCharacters.find(question);
        Form->Pool().SetPoolStart(static_cast<int>(slot));
        Form->Pool().SetPoolSize(1);
    }
    /// Plays the question asked, types the answer (none when empty) and lets the delay run out.
    void PlayAndAnswer(const QString& answer) {
        Device.CompleteAll();
        ASSERT_TRUE(Answer().Enabled());
        if (!answer.isEmpty()) {
            QTest::keyClicks(Reply(), answer);
        }
        ASSERT_TRUE(Answer().Tick());
    }
    bool FaceShown(const char* name) { return !Find<QWidget>(name)->isHidden(); }
    /// Vocabulary checked on a one-line word list (chosen in the Random mode, where it is offered).
    void CheckVocabulary() {
        const QString list = Folder.path() + "/words.txt";
        QFile words(list);
        ASSERT_TRUE(words.open(QIODevice::WriteOnly));
        words.write("paris\r\n");
        words.close();
        Form->findChild<RandomFeature*>()->ChooseWordList = [list] { return list; };
        Find<QRadioButton>("RadioButtonRandom")->click();
        Trigger("MenuListWords");
    }
    void SetQuizCount(int count) { Find<QSpinBox>("SpinEditQuizNumber")->setValue(count); }
};

TEST_F(QuizFlowTest, FiveQuestionsAskFiveCharactersThenStop) {
    SetQuizCount(5);
    AskOnly('e');
    Ok()->click();
    EXPECT_TRUE(Quiz().IsQuizRunning());
    EXPECT_FALSE(Ok()->isVisible());
    EXPECT_TRUE(QuizStop()->isVisible());
    EXPECT_FALSE(Box()->isEnabled());
    for (int question = 1; question <= 5; ++question) {
        PlayAndAnswer("e");
        EXPECT_TRUE(FaceShown("VisageHa"));
        EXPECT_FALSE(FaceShown("Visage0"));
    }
    EXPECT_EQ(CharacterFrames(), std::vector<int>(5, kEFrames));
    EXPECT_EQ(Prompts.InformationBeeps, 1);
    EXPECT_TRUE(End().Enabled());
    EXPECT_TRUE(Quiz().IsQuizRunning());
    ASSERT_TRUE(End().Tick());
    EXPECT_FALSE(End().Enabled());
    EXPECT_FALSE(Quiz().IsQuizRunning());
    EXPECT_TRUE(Ok()->isVisible());
    EXPECT_FALSE(QuizStop()->isVisible());
    EXPECT_TRUE(Box()->isEnabled());
    EXPECT_EQ(Mark(), "5/5 = 100%");
    EXPECT_TRUE(Queue().empty());
    EXPECT_EQ(Device.PendingCount(), 0u);
}

TEST_F(QuizFlowTest, NeutralFaceWhileWaitingForTheAnswer) {
    AskOnly('e');
    Ok()->click();
    Device.CompleteAll();
    EXPECT_TRUE(FaceShown("Visage0"));
    EXPECT_EQ(Answer().IntervalMs, 3000);
    PlayAndAnswer("");  // the next question plays; the wrong face stays until it ends
    EXPECT_TRUE(FaceShown("VisageHo"));
    Device.CompleteAll();
    EXPECT_TRUE(FaceShown("Visage0"));
    EXPECT_EQ(Mark(), "0/1 = 0%");
}

TEST_F(QuizFlowTest, ReviseListIsSortedWithoutResumeDelay) {
    AskOnly('t');
    Ok()->click();
    AskOnly('e');
    PlayAndAnswer("x");
    AskOnly('t');
    PlayAndAnswer("x");
    PlayAndAnswer("x");
    EXPECT_TRUE(Revise().isEmpty());  // shown only when the quiz stops
    QuizStop()->click();
    EXPECT_EQ(Revise(), "et");
    EXPECT_EQ(Mark(), "0/3 = 0%");
}

TEST_F(QuizFlowTest, ReviseListFollowsTheErrorsWithAResumeDelay) {
    Trigger("MenuReprise1s");
    EXPECT_TRUE(Find<QMenu>("MenuQuizReprise")->menuAction()->isChecked());
    AskOnly('t');
    Ok()->click();
    PlayAndAnswer("x");
    EXPECT_EQ(Revise(), "t");
    EXPECT_TRUE(Resume().Enabled());
    EXPECT_EQ(Resume().IntervalMs, 1000);
    EXPECT_EQ(CharacterFrames().size(), 1u);  // nothing is asked during the wait
    AskOnly('e');
    ASSERT_TRUE(Resume().Tick());
    EXPECT_FALSE(Resume().Enabled());
    PlayAndAnswer("x");
    EXPECT_EQ(Revise(), "te");
    AskOnly('t');
    ASSERT_TRUE(Resume().Tick());
    PlayAndAnswer("x");
    EXPECT_EQ(Revise(), "tet");
    EXPECT_EQ(CharacterFrames(), (std::vector<int>{kTFrames, kEFrames, kTFrames}));

    Trigger("MenuReprise0s");
    EXPECT_FALSE(Find<QMenu>("MenuQuizReprise")->menuAction()->isChecked());
}

TEST_F(QuizFlowTest, StopDuringTheResumeWaitAsksNothingMore) {
    Trigger("MenuReprise3s");
    AskOnly('t');
    Ok()->click();
    PlayAndAnswer("x");
    ASSERT_TRUE(Resume().Enabled());
    QuizStop()->click();
    EXPECT_FALSE(Resume().Enabled());
    EXPECT_EQ(Mark(), "0/1 = 0%");
    EXPECT_FALSE(Quiz().IsQuizRunning());
    EXPECT_TRUE(Queue().empty());
}

TEST_F(QuizFlowTest, ErroneousCharacterIsAskedAgainUntilRight) {
    Trigger("MenuQuizErreur");
    AskOnly('t');
    Ok()->click();
    AskOnly('e');  // a random draw would now give "e"
    PlayAndAnswer("x");
    PlayAndAnswer("");
    PlayAndAnswer("t");
    PlayAndAnswer("e");
    EXPECT_EQ(CharacterFrames(), (std::vector<int>{kTFrames, kTFrames, kTFrames, kEFrames, kEFrames}));
    EXPECT_EQ(Mark(), "2/4 = 50%");
}

TEST_F(QuizFlowTest, FiveRightRaiseTheSpeedOneWrongLowersIt) {
    Find<QCheckBox>("CheckBoxVitMod")->click();
    EXPECT_TRUE(Find<QCheckBox>("CheckBoxDelayAdjust")->isEnabled());
    AskOnly('e');
    Ok()->click();
    for (int i = 0; i < 4; ++i) {
        PlayAndAnswer("e");
    }
    EXPECT_EQ(Speed(), 12);
    PlayAndAnswer("e");
    EXPECT_EQ(Speed(), 13);
    PlayAndAnswer("e");
    PlayAndAnswer("t");
    EXPECT_EQ(Speed(), 12);
    for (int i = 0; i < 4; ++i) {
        PlayAndAnswer("e");
    }
    EXPECT_EQ(Speed(), 12);  // the streak started again after the wrong answer
    PlayAndAnswer("e");
    EXPECT_EQ(Speed(), 13);
    EXPECT_EQ(Answer().IntervalMs, 3000);  // the delay follows only with "Variable delay"
}

TEST_F(QuizFlowTest, SpeedStaysWithinFiveAndFifty) {
    Find<QCheckBox>("CheckBoxVitMod")->click();
    Form->findChild<ControlsPane*>()->UpDownVitesse->setValue(50);
    AskOnly('e');
    Ok()->click();
    for (int i = 0; i < 5; ++i) {
        PlayAndAnswer("e");
    }
    EXPECT_EQ(Speed(), 50);
    QuizStop()->click();
    Form->findChild<ControlsPane*>()->UpDownVitesse->setValue(5);
    Ok()->click();
    PlayAndAnswer("t");
    EXPECT_EQ(Speed(), 5);
}

TEST_F(QuizFlowTest, DelayFollowsTheResults) {
    Find<QCheckBox>("CheckBoxVitMod")->click();
    Find<QCheckBox>("CheckBoxDelayAdjust")->click();
    QSpinBox* delay = Find<QSpinBox>("UpDownDelay");
    AskOnly('e');
    Ok()->click();
    PlayAndAnswer("t");  // counter -1: one step longer
    EXPECT_EQ(delay->value(), 13);
    EXPECT_EQ(Find<QLineEdit>("EditDelay")->text(), "4");
    EXPECT_EQ(Answer().IntervalMs, 4000);
    for (int i = 0; i < 5; ++i) {
        PlayAndAnswer("e");  // counter back to 0: one step shorter
    }
    EXPECT_EQ(delay->value(), 12);
    EXPECT_EQ(Answer().IntervalMs, 3000);
    for (int streak = 0; streak < 4; ++streak) {
        for (int i = 0; i < 5; ++i) {
            PlayAndAnswer("e");
        }
    }
    EXPECT_EQ(delay->value(), 12);  // counter 4
    for (int i = 0; i < 5; ++i) {
        PlayAndAnswer("e");
    }
    EXPECT_EQ(delay->value(), 11);  // counter 5
    EXPECT_EQ(Answer().IntervalMs, 2750);
}

TEST_F(QuizFlowTest, HiddenDelayItemsMoveOneStepWithinRange) {
    QSpinBox* delay = Find<QSpinBox>("UpDownDelay");
    delay->setValue(18);
    Trigger("UpDelai");
    EXPECT_EQ(delay->value(), 18);
    EXPECT_EQ(Find<QLineEdit>("EditDelay")->text(), "9");
    EXPECT_EQ(Answer().IntervalMs, 9000);
    Trigger("DownDelai");
    EXPECT_EQ(Find<QLineEdit>("EditDelay")->text(), "8");
    delay->setValue(1);
    Trigger("DownDelai");
    EXPECT_EQ(Find<QLineEdit>("EditDelay")->text(), "0.25");
    EXPECT_EQ(Answer().IntervalMs, 250);
    EXPECT_EQ(Find<QAction>("UpDelai")->shortcut(), QKeySequence("Ctrl+Alt+U"));
}

TEST_F(QuizFlowTest, ClearReportDuringAQuizCountsTheQuestionInProgress) {
    AskOnly('e');
    Ok()->click();
    PlayAndAnswer("t");
    PlayAndAnswer("t");
    Device.CompleteAll();
    Find<QPushButton>("ButtonResetReport")->click();
    EXPECT_TRUE(Mark().isEmpty());
    QTest::keyClicks(Reply(), "e");
    ASSERT_TRUE(Answer().Tick());
    EXPECT_EQ(Mark(), "1/1 = 100%");
}

TEST_F(QuizFlowTest, StopBetweenQuestionAndVerdictDoesNotCount) {
    AskOnly('e');
    Ok()->click();
    PlayAndAnswer("e");
    Device.CompleteAll();
    ASSERT_TRUE(Answer().Enabled());
    Find<QPushButton>("ButtonStop")->click();
    EXPECT_FALSE(Answer().Enabled());
    EXPECT_TRUE(FaceShown("Visage0"));
    EXPECT_EQ(Quiz().Report().Asked(), 1);
    Ok()->click();  // the next verdict shows the true count
    PlayAndAnswer("e");
    EXPECT_EQ(Mark(), "2/2 = 100%");

    QuizStop()->click();  // stopped while the question itself still plays
    Ok()->click();
    QuizStop()->click();
    EXPECT_EQ(Quiz().Report().Asked(), 2);
}

TEST_F(QuizFlowTest, ShortenDelayJudgesHalfASecondAfterTheKey) {
    Find<QCheckBox>("CheckBoxAbortDelay")->click();
    AskOnly('e');
    Ok()->click();
    Device.CompleteAll();
    QTest::keyClicks(Reply(), "E");
    EXPECT_EQ(Reply()->text(), "e");
    EXPECT_FALSE(Answer().Enabled());
    EXPECT_TRUE(Early().Enabled());
    ASSERT_TRUE(Early().Tick());
    EXPECT_EQ(Mark(), "1/1 = 100%");
    EXPECT_TRUE(Reply()->text().isEmpty());  // cleared for the next question
    EXPECT_FALSE(Early().Enabled());         // the program's own clearing is no answer
}

TEST_F(QuizFlowTest, EmptySetIsReportedAndNothingIsAsked) {
    Form->Pool().SetPoolSize(0);
    Ok()->click();
    ASSERT_EQ(Prompts.Messages.size(), 1u);
    EXPECT_EQ(Prompts.Messages.back(), "No morse characters to play !");
    EXPECT_FALSE(Quiz().IsQuizRunning());
    EXPECT_TRUE(Ok()->isVisible());
    EXPECT_TRUE(Box()->isEnabled());
    EXPECT_TRUE(Device.History.empty());
}

TEST_F(QuizFlowTest, AltMSendsTheMarkInMorse) {
    AskOnly('e');
    SetQuizCount(5);
    Ok()->click();
    PlayAndAnswer("e");
    PlayAndAnswer("t");
    QuizStop()->click();
    Device.CompleteAll();
    const std::size_t before = CharacterFrames().size();
    Form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    QTest::keyClick(Form.get(), Qt::Key_M, Qt::AltModifier);
    // A button reached by its accelerator clicks itself a moment later, as if pressed.
    EXPECT_TRUE(QTest::qWaitFor([this] { return !Queue().empty(); }, 2000));
    EXPECT_EQ(Queue(), "1/2");
    Device.CompleteAll();
    EXPECT_EQ(CharacterFrames().size(), before + 3);
}

TEST_F(QuizFlowTest, MarkIsNotSentWhileAQuizRuns) {
    AskOnly('e');
    Ok()->click();
    Find<QPushButton>("ButtonMark")->click();
    EXPECT_EQ(Queue(), "e");
}

TEST_F(QuizFlowTest, QuizKeysSurviveARestart) {
    Find<QSpinBox>("SpinEditQuizNumber")->setValue(25);
    Find<QSpinBox>("UpDownDelay")->setValue(18);
    Find<QCheckBox>("CheckBoxVitMod")->setChecked(true);
    Find<QCheckBox>("CheckBoxDelayAdjust")->setChecked(true);
    Find<QCheckBox>("CheckBoxAbortDelay")->setChecked(true);
    Trigger("MenuReprise2s");
    Trigger("MenuQuizErreur");
    Form->MenuOutilsQuitClick();
    Form.reset();
    Timers.clear();
    Create();
    EXPECT_EQ(Find<QSpinBox>("SpinEditQuizNumber")->value(), 25);
    EXPECT_EQ(Find<QLineEdit>("EditDelay")->text(), "9");
    EXPECT_EQ(Answer().IntervalMs, 9000);
    EXPECT_TRUE(Find<QCheckBox>("CheckBoxVitMod")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>("CheckBoxDelayAdjust")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>("CheckBoxDelayAdjust")->isEnabled());
    EXPECT_TRUE(Find<QCheckBox>("CheckBoxAbortDelay")->isChecked());
    EXPECT_TRUE(Find<QAction>("MenuReprise2s")->isChecked());
    EXPECT_TRUE(Find<QMenu>("MenuQuizReprise")->menuAction()->isChecked());
    EXPECT_TRUE(Find<QAction>("MenuQuizErreur")->isChecked());

    // Back to the defaults: the keys that are written only when on disappear again.
    Find<QCheckBox>("CheckBoxVitMod")->setChecked(false);
    Find<QCheckBox>("CheckBoxDelayAdjust")->setChecked(false);
    Trigger("MenuReprise0s");
    Trigger("MenuQuizErreur");
    const SettingsModel collected = Form->CollectSettings();
    EXPECT_FALSE(collected.VariableSpeed);
    EXPECT_FALSE(collected.DelayAdjust);
    EXPECT_EQ(collected.ResumeDelaySeconds, 0);
    EXPECT_FALSE(collected.ReplayLastError);
    EXPECT_EQ(collected.QuizDelayStep, 18);
}

TEST_F(QuizFlowTest, EverySidePanelStopsTheQuizAndHoldsOkUntilItCloses) {
    struct SidePanelCase {
        const char* OpenItem;
        const char* Panel;
        const char* CloseButton;
    };
    const SidePanelCase cases[] = {
        {"MenuChoixCaracteres", "PanelChoixRandom", "ButtonCancelChoix"},
        {"MenuLocallesson", "PanelLocalLesson", "ButtonLocalLessonExit"},
        {"EspacePlus", "PanelEspace", "BitBtnOKEspace"},
        {"MenuPort", "PanelPort", "ButtonClosePanelPort"},
        {"MenuLocalCharacters", "PanelLocalCharacters", "ButtonLocalCaractereExit"},
    };
    for (const SidePanelCase& side : cases) {
        SCOPED_TRACE(side.OpenItem);
        AskOnly('e');
        Ok()->click();
        ASSERT_TRUE(Quiz().IsQuizRunning());
        Trigger(side.OpenItem);
        EXPECT_TRUE(Find<QWidget>(side.Panel)->isVisible());
        EXPECT_FALSE(Quiz().IsQuizRunning());
        EXPECT_TRUE(Queue().empty());
        EXPECT_TRUE(Ok()->isVisible());
        EXPECT_FALSE(Ok()->isEnabled());
        EXPECT_TRUE(Box()->isEnabled());
        QTest::keyClick(Box(), Qt::Key_Return);
        EXPECT_FALSE(Quiz().IsQuizRunning());
        Find<QPushButton>(side.CloseButton)->click();
        EXPECT_FALSE(Find<QWidget>(side.Panel)->isVisible());
        EXPECT_TRUE(Ok()->isEnabled());
        Device.CompleteAll();
    }
}

TEST_F(QuizFlowTest, WithVocabularyCheckedOkWaitsForAConfirmedSet) {
    CheckVocabulary();
    SelectQuiz();
    EXPECT_TRUE(Find<QWidget>("PanelChoixRandom")->isVisible());
    EXPECT_FALSE(Find<QPushButton>("ButtonCancelChoix")->isEnabled());
    EXPECT_FALSE(Ok()->isEnabled());
    QTest::keyClick(Box(), Qt::Key_Return);
    Ok()->click();
    EXPECT_FALSE(Quiz().IsQuizRunning());
    EXPECT_TRUE(Queue().empty());

    Find<QComboBox>("BoxCaracteresChoix")->setEditText("t");
    Find<QPushButton>("ButtonChoixCaractereOK")->click();
    EXPECT_TRUE(Ok()->isEnabled());
    QTest::keyClick(Box(), Qt::Key_Return);
    EXPECT_TRUE(Quiz().IsQuizRunning());
    EXPECT_EQ(Queue(), "t");
}

TEST_F(QuizFlowTest, EnterPressesOkAndEscapeTheQuizStopWhichRestartsTheStreak) {
    Find<QCheckBox>("CheckBoxVitMod")->setChecked(true);
    AskOnly('e');
    const int speed = Speed();
    QTest::keyClick(Box(), Qt::Key_Return);
    ASSERT_TRUE(Quiz().IsQuizRunning());
    EXPECT_TRUE(Box()->toPlainText().isEmpty());
    for (int right = 0; right < 3; ++right) {
        PlayAndAnswer("e");
    }
    QTest::keyClick(Reply(), Qt::Key_Escape);
    EXPECT_FALSE(Quiz().IsQuizRunning());
    EXPECT_FALSE(Terminated);

    QTest::keyClick(Box(), Qt::Key_Return);
    ASSERT_TRUE(Quiz().IsQuizRunning());
    for (int right = 0; right < 2; ++right) {
        PlayAndAnswer("e");
    }
    EXPECT_EQ(Speed(), speed);  // three before Escape and two after are no streak of five
    for (int right = 0; right < 3; ++right) {
        PlayAndAnswer("e");
    }
    EXPECT_EQ(Speed(), speed + 1);
}

TEST_F(QuizFlowTest, ReplayOfTheTextBoxKeepsTheQuizOutUntilItEnds) {
    Trigger("MenuDelayedPlay");
    Type("ee");
    AskOnly('t');
    auto* quizMode = Find<QRadioButton>("RadioButtonQuiz");
    auto* randomMode = Find<QRadioButton>("RadioButtonRandom");
    Find<QPushButton>("ButtonReplayText")->click();
    EXPECT_FALSE(Ok()->isEnabled());
    EXPECT_FALSE(quizMode->isEnabled());
    EXPECT_FALSE(randomMode->isEnabled());
    Ok()->click();
    QTest::keyClick(Box(), Qt::Key_Return);
    EXPECT_FALSE(Quiz().IsQuizRunning());
    EXPECT_EQ(Queue(), "ee");
    Device.CompleteAll();
    EXPECT_EQ(CharacterFrames().size(), 2u);
    EXPECT_TRUE(Ok()->isEnabled());
    EXPECT_TRUE(quizMode->isEnabled());
    EXPECT_TRUE(randomMode->isEnabled());

    // A continuous replay keeps them out through its standby, until Stop.
    Trigger("MenuStandby10s");
    Find<QPushButton>("ButtonReplayText")->click();
    Device.CompleteAll();
    ASSERT_TRUE(Boucle().Enabled());
    EXPECT_FALSE(Ok()->isEnabled());
    Find<QPushButton>("ButtonStop")->click();
    EXPECT_TRUE(Ok()->isEnabled());
    EXPECT_TRUE(randomMode->isEnabled());
    Ok()->click();
    EXPECT_TRUE(Quiz().IsQuizRunning());
    EXPECT_EQ(Queue(), "t");
}

TEST_F(QuizFlowTest, SelectedQuizComesBackAtTheNextStart) {
    // With Vocabulary checked, the restored quiz asks for a set before anything else.
    CheckVocabulary();
    SelectQuiz();
    Form->MenuOutilsQuitClick();
    QFile saved(Folder.path() + "/kelvaro.dat");
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_NE(saved.readAll().indexOf("LASTCHOICE=6\r\n"), -1);
    Form.reset();
    Timers.clear();
    Create();
    EXPECT_TRUE(Find<QRadioButton>("RadioButtonQuiz")->isChecked());
    EXPECT_TRUE(Find<QWidget>("QuizGroupBox")->isVisible());
    EXPECT_TRUE(Find<QWidget>("PanelChoixRandom")->isVisible());
    EXPECT_FALSE(Ok()->isEnabled());
    EXPECT_EQ(Form->CollectSettings().LastChoice, 6);
    Find<QRadioButton>("RadioButtonRandom")->click();
    EXPECT_EQ(Form->CollectSettings().LastChoice, 4);
}

}  // namespace
}  // namespace kelvaro::test

namespace kelvaro::test {
namespace {

class QuizModeTest : public WindowFixture {};

TEST_F(QuizModeTest, RandomOnlyCommandsAreOffWhileTheQuizIsSelected) {
    Create();
    Find<QRadioButton>("RadioButtonRandom")->click();
    EXPECT_TRUE(Find<QAction>("MenuQuickRandom")->isEnabled());
    EXPECT_TRUE(Find<QAction>("MenuListWords")->isEnabled());
    Find<QRadioButton>("RadioButtonQuiz")->click();
    EXPECT_FALSE(Find<QAction>("MenuQuickRandom")->isEnabled());
    EXPECT_FALSE(Find<QAction>("MenuListWords")->isEnabled());
    EXPECT_FALSE(Find<QAction>("menuExamen")->isEnabled());
    Find<QRadioButton>("RadioButtonRandom")->click();
    EXPECT_TRUE(Find<QAction>("MenuQuickRandom")->isEnabled());
}

}  // namespace
}  // namespace kelvaro::test
