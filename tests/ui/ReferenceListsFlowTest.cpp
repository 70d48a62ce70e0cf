// The reference lists through the real window: what a click, a right click or Enter on a row
// hands to the sound device, compared with typing the same text into the box.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "WindowFixture.h"

namespace kelvaro::test {
namespace {

constexpr int kShortcutRow = 128;

class ReferenceListsFlowTest : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        Create();
    }
    QListWidget* List(const char* name) { return Find<QListWidget>(name); }
    void ClickRow(QListWidget* list, int row, Qt::MouseButton button = Qt::LeftButton) {
        QListWidgetItem* item = list->item(row);
        list->scrollToItem(item);
        const QPoint centre = list->visualItemRect(item).center();
        QTest::mousePress(list->viewport(), button, {}, centre);
        QTest::mouseRelease(list->viewport(), button, {}, centre);
    }
    /// The frames of every character the device got, after playing everything out.
    std::vector<int> PlayedFrames() {
        Device.CompleteAll();
        std::vector<int> frames = CharacterFrames();
        Device.History.clear();
        return frames;
    }
    std::vector<int> TypedFrames(const QString& text) {
        Box()->clear();
        // Key events carry any character, where Qt Test's typing knows only ASCII.
        for (const QChar character : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(character));
            QApplication::sendEvent(Box(), &press);
        }
        return PlayedFrames();
    }
    /// What the window played so far sounds exactly like typing the text.
    void ExpectSameAsTyped(const QString& text) {
        const std::vector<int> played = PlayedFrames();
        EXPECT_EQ(played, TypedFrames(text)) << text.toStdString();
    }
    void CreateShortcut(const QString& character, const QString& text) {
        Trigger("MenuLocalShortcuts");
        QTest::keyClicks(Find<QLineEdit>("EditShortcut"), character);
        Find<QLineEdit>("EditShortcutText")->setText(text);
        Find<QPushButton>("ButtonShortcutEnter")->click();
        Find<QPushButton>("ButtonShortcutExit")->click();
    }
};

TEST_F(ReferenceListsFlowTest, TheAlphabetIsShownAtStartWithItsHeadingsAndFirstRowsSelected) {
    EXPECT_TRUE(Find<QRadioButton>("RadioButtonAlphabet")->isChecked());
    QListWidget* alphabet = List("ListAlphabet");
    EXPECT_TRUE(alphabet->isVisible());
    EXPECT_FALSE(List("ListCodeQ")->isVisible());
    ASSERT_EQ(alphabet->count(), 154);
    EXPECT_EQ(alphabet->item(0)->text(), "       LETTERS");
    EXPECT_EQ(alphabet->item(2)->text(), " A  .-    Di dah");
    EXPECT_EQ(alphabet->item(67)->text(), "           (=Wait)");
    EXPECT_EQ(alphabet->item(126)->text(), "       see Tools/Shortcuts");
    EXPECT_EQ(List("ListCodeQ")->item(0)->text(), "QRA = to Send location or station name");
    EXPECT_EQ(List("ListAbreviations")->item(50)->text(), " XYL :ex-young lady, wife");
    for (const char* name : {"ListAlphabet", "ListCodeQ", "ListAbreviations"}) {
        EXPECT_EQ(List(name)->currentRow(), 0) << name;
    }
}

TEST_F(ReferenceListsFlowTest, HeadingsNotesAndRightClicksPlayNothing) {
    QListWidget* alphabet = List("ListAlphabet");
    for (int row : {0, 1, 55, 67, 95, 126, 150}) {
        ClickRow(alphabet, row);
    }
    ClickRow(alphabet, 2, Qt::RightButton);
    Find<QRadioButton>("RadioButtonCodeQ")->click();
    ClickRow(List("ListCodeQ"), 3, Qt::RightButton);
    Find<QRadioButton>("RadioButtonAbrev")->click();
    QListWidget* abbreviations = List("ListAbreviations");
    for (int row : {0, 1, 2, 54, 55}) {
        ClickRow(abbreviations, row);
    }
    ClickRow(abbreviations, 4, Qt::RightButton);
    EXPECT_TRUE(Queue().empty());
    EXPECT_TRUE(Device.History.empty());
    // The same rows do play on a left click.
    ClickRow(abbreviations, 4);
    ExpectSameAsTyped("ABT ");
}

TEST_F(ReferenceListsFlowTest, AProsignRowSoundsAsOneCharacterAndLettersAsThemselves) {
    QListWidget* alphabet = List("ListAlphabet");
    ClickRow(alphabet, 66);  // " as .-...  Di dah di di dit"
    const std::vector<int> prosign = PlayedFrames();
    ASSERT_EQ(prosign.size(), 1u);
    EXPECT_EQ(prosign, TypedFrames("!"));  // "!" has the same pattern as AS
    EXPECT_NE(prosign, TypedFrames("as"));
    for (int row : {2, 27, 33, 48, 56, 72}) {
        ClickRow(alphabet, row);
        const std::vector<int> clicked = PlayedFrames();
        const QString shown = alphabet->item(row)->text();
        EXPECT_EQ(clicked, TypedFrames(shown.mid(1, 1))) << shown.toStdString();
    }
}

TEST_F(ReferenceListsFlowTest, QCodesAndAbbreviationsEndWithAWordGapAndHoldTheOtherModesMeanwhile) {
    Find<QRadioButton>("RadioButtonAbrev")->click();
    QListWidget* abbreviations = List("ListAbreviations");
    ClickRow(abbreviations, 50);  // " XYL :ex-young lady, wife"
    EXPECT_FALSE(Find<QRadioButton>("RadioButtonRandom")->isEnabled());
    EXPECT_FALSE(Find<QRadioButton>("RadioButtonAlphabet")->isEnabled());
    EXPECT_TRUE(Find<QRadioButton>("RadioButtonAbrev")->isEnabled());
    const std::vector<int> xyl = PlayedFrames();
    EXPECT_TRUE(Find<QRadioButton>("RadioButtonRandom")->isEnabled());
    EXPECT_TRUE(Find<QRadioButton>("RadioButtonAlphabet")->isEnabled());
    ASSERT_EQ(xyl.size(), 4u);
    EXPECT_EQ(xyl, TypedFrames("XYL "));
    EXPECT_NE(xyl, TypedFrames("XYL"));

    ClickRow(abbreviations, 37);  // " RPT AA : repeat all after"
    ExpectSameAsTyped("RPT AA ");

    Find<QRadioButton>("RadioButtonCodeQ")->click();
    ClickRow(List("ListCodeQ"), 0);
    EXPECT_EQ(Queue(), "QRA ");
    // Stop gives the modes back at once.
    Form->ButtonStopClick();
    EXPECT_TRUE(Find<QRadioButton>("RadioButtonQuiz")->isEnabled());
    Device.CompleteAll();
}

TEST_F(ReferenceListsFlowTest, EnterPlaysTheSelectedRowAndTheArrowsMoveTheSelection) {
    QListWidget* alphabet = List("ListAlphabet");
    Box()->setFocus();
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(Box(), Qt::Key_Down);
    }
    QTest::keyClick(Box(), Qt::Key_Up);
    EXPECT_EQ(alphabet->currentRow(), 2);
    QTest::keyClick(Box(), Qt::Key_Return);
    EXPECT_TRUE(Box()->toPlainText().isEmpty());  // the box takes no line break
    ExpectSameAsTyped("A");
    QTest::keyClick(Box(), Qt::Key_Up);
    QTest::keyClick(Box(), Qt::Key_Up);
    QTest::keyClick(Box(), Qt::Key_Up);
    EXPECT_EQ(alphabet->currentRow(), 0);
    // Enter on the list itself plays its row too.
    alphabet->setCurrentRow(27);
    QTest::keyClick(alphabet, Qt::Key_Return);
    ExpectSameAsTyped("Z");
}

TEST_F(ReferenceListsFlowTest, ShortcutAndLocalCharacterRowsFollowTheirPanels) {
    CreateShortcut("#", "CQ TEST");
    QListWidget* alphabet = List("ListAlphabet");
    EXPECT_EQ(alphabet->item(kShortcutRow)->text(), " # = CQ TEST");
    ClickRow(alphabet, kShortcutRow);
    const std::vector<int> shortcut = PlayedFrames();
    EXPECT_EQ(shortcut.size(), 7u);
    EXPECT_EQ(shortcut, TypedFrames("CQ TEST"));

    Trigger("MenuLocalCharacters");
    Find<QLineEdit>("EditLocalCharacter")->setText(QString::fromUtf8("é"));
    Find<QLineEdit>("EditLocalCode")->setText("..-..");
    Find<QLineEdit>("EditLocalComment")->setText("e acute");
    Find<QPushButton>("ButtonLocalCaractereEnter")->click();
    Find<QPushButton>("ButtonLocalCaractereExit")->click();
    EXPECT_EQ(alphabet->item(97)->text(), QString::fromUtf8(" é  ..-..  e acute"));
    ClickRow(alphabet, 97);
    ExpectSameAsTyped(QString::fromUtf8("é"));
}

TEST_F(ReferenceListsFlowTest, TheChosenListIsTheModeOfTheNextStart) {
    Find<QRadioButton>("RadioButtonAbrev")->click();
    EXPECT_EQ(Form->CollectSettings().LastChoice, 3);
    Form->MenuOutilsQuitClick();
    Form.reset();
    Create();
    EXPECT_TRUE(Find<QRadioButton>("RadioButtonAbrev")->isChecked());
    EXPECT_TRUE(List("ListAbreviations")->isVisible());
    EXPECT_FALSE(List("ListAlphabet")->isVisible());
    Find<QRadioButton>("RadioButtonCodeQ")->click();
    EXPECT_EQ(Form->CollectSettings().LastChoice, 2);
    Find<QRadioButton>("RadioButtonAlphabet")->click();
    EXPECT_EQ(Form->CollectSettings().LastChoice, 1);
}

}  // namespace
}  // namespace kelvaro::test
