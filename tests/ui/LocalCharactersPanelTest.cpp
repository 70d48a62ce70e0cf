// The local-character panel driven through the real window: creating a character and playing
// it, refused input, the quiz's OK button while the panel is open, and rows kept across runs.
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "WindowFixture.h"
#include "core/LocalCharacters.h"

namespace kelvaro::test {
namespace {

constexpr int kUnit = 2083;                                              // frames of a dot at 12 wpm
constexpr int kEAcuteFrames = 4 * kUnit + 6250 + 5 * kUnit + 2 * kUnit;  // ..-.. and its gaps

class LocalCharactersPanelTest : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        Create();
    }
    QWidget* Panel() { return Find<QWidget>("PanelLocalCharacters"); }
    QLineEdit* Character() { return Find<QLineEdit>("EditLocalCharacter"); }
    QLineEdit* Code() { return Find<QLineEdit>("EditLocalCode"); }
    QLineEdit* Comment() { return Find<QLineEdit>("EditLocalComment"); }
    void Open() { Trigger("MenuLocalCharacters"); }
    /// Keys beyond ASCII, one press and release per character, as a keyboard sends them.
    static void TypeAccented(QWidget* widget, const QString& text) {
        for (const QChar character : text) {
            const auto key = static_cast<Qt::Key>(character.toUpper().unicode());
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(character));
            QApplication::sendEvent(widget, &press);
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(character));
            QApplication::sendEvent(widget, &release);
        }
    }
    void CreateEAcute() {
        Open();
        TypeAccented(Character(), QString::fromUtf8("é"));
        QTest::keyClicks(Code(), "..-..");
        QTest::keyClicks(Comment(), "e acute");
        ASSERT_TRUE(Find<QRadioButton>("RadioButtonLocalCreate")->isChecked());
        Find<QPushButton>("ButtonLocalCaractereEnter")->click();
    }
};

TEST_F(LocalCharactersPanelTest, CreatedCharacterIsPlayedFromTheTextBox) {
    CreateEAcute();
    EXPECT_EQ(Form->Locals().LocalCharacterCount(), 1);
    EXPECT_EQ(Form->Pool().Slot(CharacterPool::kLocalStart), 0xE9);
    EXPECT_EQ(Form->Pool().PoolSize(), 45);  // the set All grows with it
    EXPECT_TRUE(Find<QRadioButton>("RadioButtonLocalModify")->isChecked());
    EXPECT_FALSE(Find<QRadioButton>("RadioButtonLocalCreate")->isEnabled());
    Find<QPushButton>("ButtonLocalCaractereExit")->click();
    EXPECT_FALSE(Panel()->isVisible());

    TypeAccented(Box(), QString::fromUtf8("éÉ"));
    Device.CompleteAll();
    EXPECT_EQ(CharacterFrames(), (std::vector<int>{kEAcuteFrames, kEAcuteFrames}));
}

TEST_F(LocalCharactersPanelTest, StandardCharactersAreRefusedWithABeep) {
    Open();
    QTest::keyClicks(Character(), "E");
    EXPECT_TRUE(Character()->text().isEmpty());
    EXPECT_EQ(Prompts.Beeps, 1);
    QTest::keyClicks(Character(), " ");
    EXPECT_TRUE(Character()->text().isEmpty());
    EXPECT_EQ(Prompts.Beeps, 2);
    Find<QPushButton>("ButtonLocalCaractereEnter")->click();  // nothing to apply
    EXPECT_EQ(Prompts.Beeps, 3);
    EXPECT_EQ(Form->Locals().LocalCharacterCount(), 0);
}

TEST_F(LocalCharactersPanelTest, PatternFieldKeepsOnlyDotsAndDashes) {
    Open();
    QTest::keyClicks(Code(), "a.b-c");
    EXPECT_EQ(Code()->text(), ".-");
}

TEST_F(LocalCharactersPanelTest, KnownCharacterShowsItsPatternAndComment) {
    CreateEAcute();
    QTest::keyClick(Character(), Qt::Key_Backspace);
    TypeAccented(Character(), QString::fromUtf8("É"));
    EXPECT_EQ(Character()->text(), QString::fromUtf8("é"));
    EXPECT_EQ(Code()->text(), "..-..");
    EXPECT_EQ(Comment()->text(), "e acute");
    EXPECT_TRUE(Find<QRadioButton>("RadioButtonLocalDelete")->isEnabled());
    Find<QRadioButton>("RadioButtonLocalDelete")->click();
    Find<QPushButton>("ButtonLocalCaractereEnter")->click();
    EXPECT_EQ(Form->Locals().LocalCharacterCount(), 0);
    EXPECT_EQ(Form->Pool().PoolSize(), 44);
    EXPECT_TRUE(Character()->text().isEmpty());
}

TEST_F(LocalCharactersPanelTest, QuizOkIsDisabledWhileThePanelIsOpen) {
    QPushButton* ok = Find<QPushButton>("ButtonQuizOK");
    EXPECT_TRUE(ok->isEnabled());
    Open();
    EXPECT_TRUE(Panel()->isVisible());
    EXPECT_FALSE(ok->isEnabled());
    Find<QPushButton>("ButtonStop")->click();  // Stop only closes the panel
    EXPECT_FALSE(Panel()->isVisible());
    EXPECT_TRUE(ok->isEnabled());
}

TEST_F(LocalCharactersPanelTest, OpeningThePanelStopsARunningQuiz) {
    Find<QRadioButton>("RadioButtonQuiz")->click();
    Find<QPushButton>("ButtonQuizOK")->click();
    EXPECT_TRUE(Find<QPushButton>("ButtonQuizStop")->isVisible());
    Open();
    EXPECT_FALSE(Find<QPushButton>("ButtonQuizStop")->isVisible());
    EXPECT_TRUE(Find<QPushButton>("ButtonQuizOK")->isVisible());
    EXPECT_FALSE(Find<QPushButton>("ButtonQuizOK")->isEnabled());
}

TEST_F(LocalCharactersPanelTest, RowsAreKeptAcrossARestart) {
    CreateEAcute();
    Form->MenuOutilsQuitClick();
    Form.reset();
    Timers.clear();
    Create();
    EXPECT_EQ(Form->Locals().LocalCharacterCount(), 1);
    EXPECT_EQ(Form->Locals().Row(LocalCharacters::kFirstRow), " \xE9  ..-..  e acute");
    EXPECT_EQ(Form->Table().Pattern(0xC9), "..-..");
    EXPECT_EQ(Form->Pool().PoolSize(), 45);
}

}  // namespace
}  // namespace kelvaro::test
