// Stored messages and shortcuts through the real window: the panel's refusals, expansion when
// typed, queued or replayed, slot reuse, the message buttons and labels, and the settings.
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <fstream>

#include "WindowFixture.h"

namespace kelvaro::test {
namespace {

class MessagesShortcutsFlowTest : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        Create();
    }
    QLineEdit* ShortcutField() { return Find<QLineEdit>("EditShortcut"); }
    QLineEdit* ShortcutTextField() { return Find<QLineEdit>("EditShortcutText"); }
    QRadioButton* Action(const char* name) { return Find<QRadioButton>(name); }
    void EnterShortcut(const QString& character, const QString& text, const char* action) {
        ShortcutField()->clear();
        QTest::keyClicks(ShortcutField(), character);
        ShortcutTextField()->setText(text);
        Action(action)->setChecked(true);
        Find<QPushButton>("ButtonShortcutEnter")->click();
    }
    QString AlphabetRow(int row) { return Find<QListWidget>("ListAlphabet")->item(row)->text(); }
    void ClickLabel(const char* name, Qt::MouseButton button = Qt::LeftButton) {
        QWidget* label = Find<QWidget>(name);
        QTest::mouseClick(label, button, {}, label->rect().center());
    }
    std::vector<int> PlayedFrames() {
        Device.CompleteAll();
        std::vector<int> frames = CharacterFrames();
        Device.History.clear();
        return frames;
    }
    std::vector<int> TypedFrames(const QString& text) {
        Box()->clear();
        Type(text);
        return PlayedFrames();
    }
    std::string SettingsText() {
        std::ifstream in((Folder.path() + "/kelvaro.dat").toStdString(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
};

TEST_F(MessagesShortcutsFlowTest, StandardCharactersAreRefusedWithABeepAndAHashOffersCreate) {
    Trigger("MenuLocalShortcuts");
    EXPECT_TRUE(Find<QWidget>("PanelLocalShortcut")->isVisible());
    for (const char* refused : {"a", "A", "7", "@", " ", "?"}) {
        const int beeps = Prompts.Beeps;
        QTest::keyClicks(ShortcutField(), refused);
        EXPECT_EQ(Prompts.Beeps, beeps + 1) << refused;
        EXPECT_TRUE(ShortcutField()->text().isEmpty()) << refused;
    }
    const int beeps = Prompts.Beeps;
    QTest::keyClicks(ShortcutField(), "#");
    EXPECT_EQ(Prompts.Beeps, beeps);
    EXPECT_EQ(ShortcutField()->text(), "#");
    EXPECT_TRUE(Action("RadioButtonShortcutCreate")->isChecked());
    EXPECT_FALSE(Action("RadioButtonShortcutDelete")->isEnabled());
    // Enter without a text beeps and creates nothing.
    Find<QPushButton>("ButtonShortcutEnter")->click();
    EXPECT_EQ(Prompts.Beeps, beeps + 1);
    EXPECT_EQ(AlphabetRow(128), " ");
    // Escape closes the panel through its Exit.
    Form->ButtonStopClick();
    EXPECT_FALSE(Find<QWidget>("PanelLocalShortcut")->isVisible());
    EXPECT_TRUE(ShortcutField()->text().isEmpty());
}

TEST_F(MessagesShortcutsFlowTest, AShortcutTypedInTheBoxOrMetInTheQueuePlaysItsText) {
    Trigger("MenuLocalShortcuts");
    EnterShortcut("#", "CQ CQ", "RadioButtonShortcutCreate");
    EXPECT_EQ(AlphabetRow(128), " # = CQ CQ");
    Find<QPushButton>("ButtonShortcutExit")->click();
    // A local character cannot take the key of a shortcut.
    Trigger("MenuLocalCharacters");
    const int beeps = Prompts.Beeps;
    QTest::keyClicks(Find<QLineEdit>("EditLocalCharacter"), "#");
    EXPECT_EQ(Prompts.Beeps, beeps + 1);
    Find<QPushButton>("ButtonLocalCaractereExit")->click();

    const std::vector<int> cqcq = TypedFrames("CQ CQ");
    ASSERT_EQ(cqcq.size(), 5u);
    Box()->clear();
    Type("#");
    EXPECT_EQ(Box()->toPlainText(), "CQ CQ");  // the box shows the text in place of the key
    EXPECT_EQ(PlayedFrames(), cqcq);

    // Anywhere in the queue, as in a file or a message: "de #" sounds as "de CQ CQ".
    Find<QLineEdit>("EditMsg2")->setText("de #");
    ClickLabel("StaticTextMsg2");
    const std::vector<int> queued = PlayedFrames();
    EXPECT_EQ(queued, TypedFrames("de CQ CQ"));

    // Replaying a box that holds the key: the text of the shortcut does not move the
    // highlight, which stays on the characters of the box.
    Trigger("MenuLocalShortcuts");
    EnterShortcut("#", "EE", "RadioButtonShortcutModify");
    Find<QPushButton>("ButtonShortcutExit")->click();
    Find<QLineEdit>("EditMsg3")->setText("t#m");
    Find<QPushButton>("ButtonMsg3")->click();
    EXPECT_EQ(Box()->toPlainText(), "t#m");
    const std::vector<QString> highlight = {"t", "t#", "t#", "t#m"};
    for (const QString& expected : highlight) {
        EXPECT_EQ(SelectedText(), expected);
        ASSERT_TRUE(Device.CompleteNext());
    }
    Device.CompleteAll();
    EXPECT_EQ(CharacterFrames().size(), 4u);
}

TEST_F(MessagesShortcutsFlowTest, ADeletedSlotIsReusedAndTheAlphabetListShowsSlotOrderWithoutGaps) {
    Trigger("MenuLocalShortcuts");
    const QStringList keys = {"#", "$", "%", "&", "*"};
    for (const QString& key : keys) {
        EnterShortcut(key, "text " + key, "RadioButtonShortcutCreate");
    }
    EnterShortcut("%", "ignored", "RadioButtonShortcutDelete");
    EXPECT_TRUE(ShortcutField()->text().isEmpty());
    EXPECT_EQ(AlphabetRow(130), " & = text &");
    EXPECT_EQ(AlphabetRow(131), " * = text *");
    EXPECT_EQ(AlphabetRow(132), " ");
    EnterShortcut("~", "new one", "RadioButtonShortcutCreate");
    const QStringList expected = {" # = text #", " $ = text $", " ~ = new one",
                                  " & = text &", " * = text *", " "};
    for (int i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(AlphabetRow(128 + i), expected[i]);
    }
    // The slots, holes included, are what the settings file keeps.
    const SettingsModel saved = Form->CollectSettings();
    EXPECT_EQ(saved.ShortcutTable[2].Letter, '~');
    EXPECT_EQ(saved.ShortcutTable[2].Text, "new one");
}

TEST_F(MessagesShortcutsFlowTest, TheTwentySeventhShortcutFindsThePageFull) {
    Trigger("MenuLocalShortcuts");
    const QString keys = "#$%&*[]^_`{|}~";
    int created = 0;
    for (const QChar key : keys) {
        EnterShortcut(key, QString("x%1").arg(created++), "RadioButtonShortcutCreate");
    }
    // Twelve more from the upper half of the 8-bit codes.
    const QString more = QString::fromUtf8("¤¦§¨©ª«¬®¯°±");
    for (const QChar key : more) {
        ShortcutField()->setText(QString(key));
        ShortcutTextField()->setText("y");
        Action("RadioButtonShortcutCreate")->setChecked(true);
        Find<QPushButton>("ButtonShortcutEnter")->click();
    }
    EXPECT_EQ(Find<QLabel>("LabelShortcutPlein")->text(), "Shortcut page is full !");
    EXPECT_EQ(AlphabetRow(153).left(4), QString::fromUtf8(" ± ="));
    Find<QPushButton>("ButtonShortcutExit")->click();
    Trigger("MenuLocalShortcuts");
    EXPECT_EQ(Find<QLabel>("LabelShortcutPlein")->text(), "Shortcut page is full !");
    EXPECT_FALSE(Action("RadioButtonShortcutCreate")->isEnabled());
    const int beeps = Prompts.Beeps;
    ShortcutField()->setText(QString::fromUtf8("µ"));
    ShortcutTextField()->setText("z");
    Action("RadioButtonShortcutCreate")->setChecked(true);
    Find<QPushButton>("ButtonShortcutEnter")->click();
    EXPECT_EQ(Prompts.Beeps, beeps + 1);
    // Deleting one makes room again.
    EnterShortcut("#", "x", "RadioButtonShortcutDelete");
    EXPECT_TRUE(Find<QLabel>("LabelShortcutPlein")->text().isEmpty());
}

TEST_F(MessagesShortcutsFlowTest, MessageButtonsPlayThroughTheBoxAndARightClickOpensThePanel) {
    QPushButton* first = Find<QPushButton>("ButtonMsg1");
    EXPECT_EQ(first->toolTip(), "73 de Q9ZZZ");
    EXPECT_EQ(Find<QLabel>("LabelMsg")->text(), "MSG # >>");
    first->click();
    EXPECT_EQ(Box()->toPlainText(), "73 de Q9ZZZ");
    EXPECT_TRUE(Find<QPushButton>("ButtonReplayText")->isChecked());
    for (int i = 1; i <= 6; ++i) {
        EXPECT_FALSE(Find<QPushButton>(QString("ButtonMsg%1").arg(i).toUtf8().constData())->isEnabled()) << i;
    }
    const std::vector<int> played = PlayedFrames();
    EXPECT_EQ(played.size(), 11u);
    EXPECT_TRUE(first->isEnabled());

    // An empty message does nothing, from its button or its label.
    Find<QPushButton>("ButtonMsg2")->click();
    ClickLabel("StaticTextMsg2");
    EXPECT_TRUE(Queue().empty());
    EXPECT_TRUE(Device.History.empty());
    EXPECT_EQ(Box()->toPlainText(), "73 de Q9ZZZ");

    auto* panel = Find<QDockWidget>("PanelMsg");
    EXPECT_FALSE(panel->isVisible());
    ClickLabel("ButtonMsg2", Qt::RightButton);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(Form->focusWidget(), Find<QLineEdit>("EditMsg1"));
    Find<QLineEdit>("EditMsg2")->setText("qrz?");
    EXPECT_EQ(Find<QPushButton>("ButtonMsg2")->toolTip(), "qrz?");
    // Opening another panel closes this one; floating it hides its title and close button.
    Trigger("MenuLocalShortcuts");
    EXPECT_FALSE(panel->isVisible());
    Find<QPushButton>("ButtonShortcutExit")->click();
    Trigger("MenuLocalMessages");
    // A message played from its label stops with Stop while the panel stays open.
    Find<QLineEdit>("EditMsg5")->setText("test test test");
    ClickLabel("StaticTextMsg5");
    EXPECT_FALSE(Find<QRadioButton>("RadioButtonQuiz")->isEnabled());
    Device.CompleteNext();
    Form->ButtonStopClick();
    EXPECT_TRUE(panel->isVisible());
    EXPECT_TRUE(Queue().empty());
    EXPECT_TRUE(Find<QRadioButton>("RadioButtonQuiz")->isEnabled());
    Device.CompleteAll();
    EXPECT_EQ(CharacterFrames().size(), 2u);
    panel->setFloating(true);
    EXPECT_FALSE(Find<QLabel>("LabelPanelMsg")->isVisible());
    EXPECT_FALSE(Find<QPushButton>("ButtonCloseMsg")->isVisible());
    panel->setFloating(false);
    EXPECT_TRUE(Find<QPushButton>("ButtonCloseMsg")->isVisible());
    Find<QPushButton>("ButtonCloseMsg")->click();
    EXPECT_FALSE(panel->isVisible());
}

TEST_F(MessagesShortcutsFlowTest, EveryPracticeModeHoldsTheMessageButtonsWhileItPlays) {
    QPushButton* button = Find<QPushButton>("ButtonMsg4");
    // A random series.
    Find<QRadioButton>("RadioButtonRandom")->click();
    Find<QSpinBox>("SpinEditRandomNumber")->setValue(5);
    Find<QPushButton>("BitBtnPlayRandom")->click();
    EXPECT_FALSE(button->isEnabled());
    Device.CompleteAll();
    EXPECT_TRUE(button->isEnabled());
    // A quiz, until Stop.
    Find<QRadioButton>("RadioButtonQuiz")->click();
    Find<QPushButton>("ButtonQuizOK")->click();
    EXPECT_FALSE(button->isEnabled());
    Form->ButtonStopClick();
    EXPECT_TRUE(button->isEnabled());
    Device.CompleteAll();
    // A replay of the box, stopped half-way.
    Find<QRadioButton>("RadioButtonAlphabet")->click();
    Box()->setPlainText("paris paris");
    Find<QPushButton>("ButtonReplayText")->click();
    EXPECT_FALSE(button->isEnabled());
    Device.CompleteNext();
    Form->ButtonStopClick();
    EXPECT_TRUE(button->isEnabled());
    Device.CompleteAll();
}

TEST_F(MessagesShortcutsFlowTest, MessagesAndShortcutsSurviveARestart) {
    Trigger("MenuLocalShortcuts");
    EnterShortcut("#", "CQ CQ DE F5ABC", "RadioButtonShortcutCreate");
    Find<QPushButton>("ButtonShortcutExit")->click();
    Trigger("MenuLocalMessages");
    Find<QLineEdit>("EditMsg1")->clear();
    Find<QLineEdit>("EditMsg3")->setText("tu 73");
    Form->MenuOutilsQuitClick();
    const std::string written = SettingsText();
    EXPECT_NE(written.find("SHORTCUT=#CQ CQ DE F5ABC"), std::string::npos);
    EXPECT_NE(written.find("MSG=tu 73"), std::string::npos);
    EXPECT_EQ(written.find("73 de Q9ZZZ"), std::string::npos);

    Form.reset();
    Create();
    EXPECT_EQ(Find<QLineEdit>("EditMsg3")->text(), "tu 73");
    EXPECT_EQ(Find<QPushButton>("ButtonMsg3")->toolTip(), "tu 73");
    EXPECT_TRUE(Find<QLineEdit>("EditMsg1")->text().isEmpty());
    EXPECT_EQ(AlphabetRow(128), " # = CQ CQ DE F5ABC");
    Type("#");
    EXPECT_EQ(Box()->toPlainText(), "CQ CQ DE F5ABC");
}

}  // namespace
}  // namespace kelvaro::test
