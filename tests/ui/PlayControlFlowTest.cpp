// Typing, Backspace, Delayed Play, Replay with Stop and Resume, Continuous Replay and Escape,
// the keys the box never takes, driven through the real window's controls.
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

#include "WindowFixture.h"

namespace kelvaro::test {
namespace {

constexpr int kEFrames = 4 * 2083;  // "e" at 12 wpm: a dot and three units of silence

class PlayControlFlowTest : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        Create();
    }
    QPushButton* Replay() { return Find<QPushButton>("ButtonReplayText"); }
    QPushButton* Stop() { return Find<QPushButton>("ButtonStop"); }
    QPushButton* Quit() { return Find<QPushButton>("ButtonQuitter"); }
};

TEST_F(PlayControlFlowTest, TypedLettersQueueAndPlayInOrder) {
    Type("eti");
    EXPECT_EQ(Queue(), "eti");
    EXPECT_EQ(CharacterFrames(), (std::vector<int>{kEFrames}));
    EXPECT_TRUE(Stop()->isVisible());
    EXPECT_FALSE(Quit()->isVisible());
    ASSERT_TRUE(Device.CompleteNext());
    EXPECT_EQ(CharacterFrames().back(), 6250 + 3 * 2083);  // "t"
    ASSERT_TRUE(Device.CompleteNext());
    EXPECT_EQ(CharacterFrames().back(), 6 * 2083);  // "i": two dots, their gaps, two gap units
    ASSERT_TRUE(Device.CompleteNext());
    EXPECT_EQ(CharacterFrames().size(), 3u);
    EXPECT_TRUE(Queue().empty());
    EXPECT_FALSE(Stop()->isVisible());
    EXPECT_TRUE(Quit()->isVisible());
    EXPECT_EQ(Box()->toPlainText(), "eti");
}

TEST_F(PlayControlFlowTest, BackspaceTakesBackTheLastQueuedCharacter) {
    Type("et");
    QTest::keyClick(Box(), Qt::Key_Backspace);
    EXPECT_EQ(Queue(), "e");
    EXPECT_EQ(Box()->toPlainText(), "e");
    Device.CompleteAll();
    EXPECT_EQ(CharacterFrames(), (std::vector<int>{kEFrames}));
}

TEST_F(PlayControlFlowTest, UnplayableAndDeadKeysAreHandled) {
    Type("e#");
    EXPECT_EQ(Queue(), "e#");
    Device.CompleteAll();
    EXPECT_EQ(CharacterFrames().size(), 1u);  // "#" has no code: skipped without a gap
    Type("^");
    EXPECT_EQ(Box()->toPlainText(), "e#");  // a dead key alone never lands in the box
    QTest::keyClick(Box(), Qt::Key_Return);
    EXPECT_EQ(Box()->toPlainText(), "e#");
}

TEST_F(PlayControlFlowTest, DelayedPlayGathersTextForALaterReplay) {
    Trigger("MenuDelayedPlay");
    Type("ee");
    EXPECT_TRUE(Queue().empty());
    EXPECT_TRUE(Device.History.empty());
    EXPECT_TRUE(Replay()->isEnabled());
    Replay()->click();
    EXPECT_TRUE(Form->ReplayIsActive());
    EXPECT_TRUE(Box()->isReadOnly());
    Device.CompleteAll();
    EXPECT_EQ(CharacterFrames(), (std::vector<int>{kEFrames, kEFrames}));
    EXPECT_FALSE(Form->ReplayIsActive());
    EXPECT_FALSE(Box()->isReadOnly());
    EXPECT_FALSE(Replay()->isChecked());
    EXPECT_EQ(Replay()->text(), "Replay &Text");
}

TEST_F(PlayControlFlowTest, StopDuringAReplayKeepsTheRestForResume) {
    Trigger("MenuDelayedPlay");
    Type("abcdefgh");
    Replay()->click();
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(Device.CompleteNext());
    }
    EXPECT_EQ(SelectedText(), "abcd");  // the fourth character sounds
    Stop()->click();
    EXPECT_EQ(Form->ReplayResume(), "efgh");
    EXPECT_EQ(CharacterFrames().size(), 4u);
    ASSERT_TRUE(Device.CompleteNext());  // "d" finishes; nothing follows
    EXPECT_EQ(CharacterFrames().size(), 4u);
    EXPECT_EQ(Replay()->text(), "Resume &Text");
    EXPECT_EQ(SelectedText(), "abcd");
    EXPECT_FALSE(Form->ReplayIsActive());

    Replay()->click();
    EXPECT_EQ(Queue(), "efgh");
    EXPECT_EQ(SelectedText(), "abcde");
    Device.CompleteAll();
    EXPECT_EQ(CharacterFrames().size(), 8u);
    EXPECT_EQ(Replay()->text(), "Replay &Text");
}

TEST_F(PlayControlFlowTest, ContinuousReplayGoesRoundAfterItsStandby) {
    Trigger("MenuDelayedPlay");
    Trigger("MenuStandby10s");
    Type("ee");
    Replay()->click();
    EXPECT_EQ(Queue(), "ee ");  // one blank closes each round
    Device.CompleteAll();
    EXPECT_EQ(CharacterFrames().size(), 3u);
    EXPECT_TRUE(Boucle().Enabled());
    EXPECT_EQ(Boucle().IntervalMs, 10000);
    EXPECT_TRUE(Stop()->isVisible());

    ASSERT_TRUE(Boucle().Tick());
    EXPECT_FALSE(Boucle().Enabled());
    EXPECT_EQ(Queue(), "ee ");
    Device.CompleteAll();
    EXPECT_EQ(CharacterFrames().size(), 6u);
    EXPECT_TRUE(Boucle().Enabled());

    Stop()->click();  // in the standby: the loop ends and the box is the user's again
    EXPECT_FALSE(Boucle().Enabled());
    EXPECT_FALSE(Box()->isReadOnly());
    EXPECT_TRUE(Quit()->isVisible());
}

TEST_F(PlayControlFlowTest, StopDuringAContinuousReplayEndsTheLoop) {
    Trigger("MenuDelayedPlay");
    Trigger("MenuStanby1s");
    Type("ee");
    Replay()->click();
    ASSERT_TRUE(Device.CompleteNext());
    Stop()->click();
    Device.CompleteAll();
    EXPECT_FALSE(Boucle().Enabled());
    EXPECT_FALSE(Form->ReplayIsActive());
}

TEST_F(PlayControlFlowTest, EscapeClosesTheSpacingPanelWithoutStoppingPlayback) {
    Trigger("MenuDelayedPlay");
    Type("paris");
    Replay()->click();
    Trigger("EspacePlus");
    QWidget* panel = Find<QWidget>("PanelEspace");
    EXPECT_TRUE(panel->isVisible());
    QTest::keyClick(Form.get(), Qt::Key_Escape);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_TRUE(Form->ReplayIsActive());
    EXPECT_EQ(Queue(), "paris");
    QTest::keyClick(Form.get(), Qt::Key_Escape);  // now Escape is Stop
    EXPECT_EQ(Form->ReplayResume(), "aris");
}

TEST_F(PlayControlFlowTest, ContinuousReplayIsTickedOnlyByAStandby) {
    QAction* parent = Find<QMenu>("MenuContinuous")->menuAction();
    ASSERT_EQ(parent->shortcut(), QKeySequence("Shift+Ctrl+F8"));
    parent->trigger();  // what its shortcut does
    EXPECT_FALSE(parent->isChecked());
    Trigger("MenuDelayedPlay");
    Type("ee");
    Replay()->click();
    EXPECT_EQ(Queue(), "ee");  // no blank for a round that never comes
    Device.CompleteAll();
    EXPECT_FALSE(Boucle().Enabled());
    EXPECT_FALSE(Stop()->isVisible());

    Trigger("MenuStandby10s");
    EXPECT_TRUE(parent->isChecked());
    parent->trigger();
    EXPECT_TRUE(parent->isChecked());
    Trigger("MenuNoBoucle");
    EXPECT_FALSE(parent->isChecked());
}

// Up, Down, Page Up and Page Down move in the reference lists; Enter never breaks the line.
TEST_F(PlayControlFlowTest, ListKeysAndEnterNeverReachTheBox) {
    Trigger("MenuDelayedPlay");
    const QString text = QString("paris ").repeated(40);
    Type(text);
    const int end = Box()->textCursor().position();
    ASSERT_EQ(end, text.size());
    for (Qt::Key key : {Qt::Key_Up, Qt::Key_PageUp, Qt::Key_Return, Qt::Key_Enter}) {
        QTest::keyClick(Box(), key);
        EXPECT_EQ(Box()->textCursor().position(), end) << key;
    }
    Box()->MoveCaretToStart();
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_PageDown}) {
        QTest::keyClick(Box(), key);
        EXPECT_EQ(Box()->textCursor().position(), 0) << key;
    }
    EXPECT_EQ(Box()->toPlainText(), text);
}

TEST_F(PlayControlFlowTest, ClearEmptiesTheBoxAndWhatTypingQueued) {
    Type("eee");
    Find<QToolButton>("SpeedButtonRAZtext")->click();
    EXPECT_TRUE(Box()->toPlainText().isEmpty());
    EXPECT_TRUE(Queue().empty());
    ASSERT_TRUE(Device.CompleteNext());
    EXPECT_EQ(CharacterFrames().size(), 1u);
    EXPECT_FALSE(Replay()->isEnabled());
}

TEST_F(PlayControlFlowTest, SpeedAndSpacingShowTheRealSpeed) {
    auto* speed = Find<QSpinBox>("UpDownVitesse");
    auto* label = Find<QLabel>("LabelVitesseCorrigee");
    EXPECT_EQ(label->text(), "Real speed (wpm) = 12.0");
    EXPECT_TRUE(speed->toolTip().isEmpty());
    Trigger("EspacePlus");
    Find<QSpinBox>("SpinEditEspace")->setValue(3);
    EXPECT_EQ(label->text(), "Real speed (wpm) = 7.4");
    EXPECT_EQ(speed->toolTip(), "Real speed (wpm) = 7.4");
    Trigger("UpSpeed");
    EXPECT_EQ(speed->value(), 13);
    speed->setValue(50);
    Trigger("UpSpeed");
    EXPECT_EQ(speed->value(), 50);
    Type("e");
    EXPECT_EQ(CharacterFrames().back(), 500 + 500 + 8 * 500);  // spacing 3: 8 gap units
}

}  // namespace
}  // namespace kelvaro::test
