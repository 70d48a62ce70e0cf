// Instructor mode through the real dialog: first use, Cancel, a wrong password, lifting the
// locks, and the locks and scrambled password across a restart.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <fstream>

#include "WindowFixture.h"
#include "ui/TFormInstructor.h"

namespace kelvaro::test {
namespace {

class InstructorFlowTest : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        Create();
    }
    TFormInstructor* Dialog() { return Form->findChild<TFormInstructor*>("TFormInstructor"); }
    QCheckBox* Box(const char* name) { return Dialog()->findChild<QCheckBox*>(name); }
    void Open() {
        Trigger("MenuInstructor");
        ASSERT_TRUE(Dialog()->isVisible());
    }
    void Ok(const QString& password) {
        Dialog()->EditPassword->setText(password);
        Dialog()->BitBtnOK->click();
    }
    QPushButton* HideButton() { return Find<QPushButton>("ButtonHide"); }
    /// The memo shows its groups: not blacked out, and Hide can be used.
    bool RandomShown() {
        return HideButton()->isEnabled() && Find<QPlainTextEdit>("MemoRandom")->styleSheet().isEmpty();
    }
    std::string PasswordLine() {
        std::ifstream in((Folder.path() + "/kelvaro.dat").toStdString(), std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        const std::size_t start = text.find("MDPINT=");
        return text.substr(start + 7, text.find_first_of("\r\n", start) - start - 7);
    }
    void Restart() {
        Form->MenuOutilsQuitClick();
        Form.reset();
        Create();
    }
};

TEST_F(InstructorFlowTest, TheFirstLockNeedsAPasswordAndTheFirstAcceptedOkCreatesIt) {
    Open();
    EXPECT_EQ(Dialog()->windowTitle(), "Instructor limitations");
    Box("CheckBoxMaskedRandom")->setChecked(true);
    Ok("");
    EXPECT_EQ(Prompts.Beeps, 1);
    EXPECT_TRUE(Dialog()->LabelPassword->isVisible());
    EXPECT_EQ(Dialog()->LabelPassword->text(), "Please create a password to accept limitations");
    EXPECT_TRUE(Dialog()->isVisible());
    EXPECT_TRUE(RandomShown());

    Ok("Teach");
    EXPECT_FALSE(Dialog()->isVisible());
    EXPECT_FALSE(HideButton()->isEnabled());
    EXPECT_EQ(HideButton()->text(), "Show");
    EXPECT_NE(Find<QPlainTextEdit>("MemoRandom")->styleSheet().indexOf("black"), -1);
    EXPECT_EQ(Form->CollectSettings().InstructorPassword, "Teach");
    EXPECT_TRUE(Form->CollectSettings().InstructorMaskedRandom);
}

TEST_F(InstructorFlowTest, CancelPutsTheBoxesBackAsTheyWereWhenTheDialogOpened) {
    Open();
    Box("CheckBoxMaskedRandom")->setChecked(true);
    Ok("pw");
    Open();
    EXPECT_TRUE(Dialog()->EditPassword->text().isEmpty());
    Box("CheckBoxMaskedRandom")->setChecked(false);
    Box("CheckBoxFixedSpeed")->setChecked(true);
    Box("CheckBoxFixedNote")->setChecked(true);
    Dialog()->BitBtnCancel->click();
    EXPECT_FALSE(Dialog()->isVisible());
    EXPECT_TRUE(Box("CheckBoxMaskedRandom")->isChecked());
    EXPECT_FALSE(Box("CheckBoxFixedSpeed")->isChecked());
    EXPECT_FALSE(Box("CheckBoxFixedNote")->isChecked());
    EXPECT_TRUE(Find<QSpinBox>("UpDownVitesse")->isEnabled());
    EXPECT_TRUE(Find<QAction>("MenuNote")->isEnabled());
    EXPECT_FALSE(HideButton()->isEnabled());
    // Closing the window (Escape) is a Cancel too.
    Open();
    Box("CheckBoxFixedSpeed")->setChecked(true);
    QTest::keyClick(Dialog(), Qt::Key_Escape);
    EXPECT_FALSE(Dialog()->isVisible());
    EXPECT_FALSE(Box("CheckBoxFixedSpeed")->isChecked());
}

TEST_F(InstructorFlowTest, AWrongPasswordAppliesNothingAndTheRightOneLocksSpeedAndNote) {
    Open();
    Box("CheckBoxFixedSpeed")->setChecked(true);
    Ok("Secret");
    EXPECT_FALSE(Find<QSpinBox>("UpDownVitesse")->isEnabled());
    const int speed = Find<QSpinBox>("UpDownVitesse")->value();
    Trigger("UpSpeed");  // Ctrl+U
    EXPECT_EQ(Find<QSpinBox>("UpDownVitesse")->value(), speed);

    Open();
    Box("CheckBoxFixedSpeed")->setChecked(false);
    Box("CheckBoxFixedNote")->setChecked(true);
    const int beeps = Prompts.Beeps;
    Ok("secret");
    EXPECT_EQ(Prompts.Beeps, beeps + 1);
    EXPECT_TRUE(Dialog()->LabelIncorrectPassword->isVisible());
    EXPECT_EQ(Dialog()->LabelIncorrectPassword->text(), "Incorrect password");
    EXPECT_FALSE(Dialog()->LabelPassword->isVisible());
    EXPECT_FALSE(Find<QSpinBox>("UpDownVitesse")->isEnabled());
    EXPECT_TRUE(Find<QAction>("MenuNote")->isEnabled());

    Ok("Secret");
    EXPECT_TRUE(Find<QSpinBox>("UpDownVitesse")->isEnabled());
    EXPECT_FALSE(Find<QAction>("MenuNote")->isEnabled());
    Trigger("UpSpeed");
    EXPECT_EQ(Find<QSpinBox>("UpDownVitesse")->value(), speed + 1);
}

TEST_F(InstructorFlowTest, InhibitWithThePasswordLiftsEveryLockAndForgetsThePassword) {
    Open();
    for (const char* name :
         {"CheckBoxMaskedFile", "CheckBoxMaskedRandom", "CheckBoxFixedNote", "CheckBoxFixedSpeed"}) {
        Box(name)->setChecked(true);
    }
    Ok("abc");
    Open();
    Dialog()->CheckBoxInhibitInstructor->setChecked(true);
    Ok("abc");
    EXPECT_FALSE(Dialog()->isVisible());
    for (const char* name :
         {"CheckBoxMaskedFile", "CheckBoxMaskedRandom", "CheckBoxFixedNote", "CheckBoxFixedSpeed"}) {
        EXPECT_FALSE(Box(name)->isChecked()) << name;
    }
    EXPECT_TRUE(RandomShown());
    EXPECT_EQ(HideButton()->text(), "Hide");
    EXPECT_TRUE(Find<QSpinBox>("UpDownVitesse")->isEnabled());
    EXPECT_TRUE(Find<QAction>("MenuNote")->isEnabled());
    Restart();
    EXPECT_EQ(PasswordLine(), "");
    // No password any more: a new lock asks for one again.
    Open();
    Box("CheckBoxFixedNote")->setChecked(true);
    Ok("");
    EXPECT_TRUE(Dialog()->LabelPassword->isVisible());
}

TEST_F(InstructorFlowTest, LocksAndTheScrambledPasswordSurviveARestart) {
    struct Case {
        const char* Password;
        std::string Stored;
    };
    const Case cases[] = {{"a", "b"}, {"ab", "bf"}, {"abc", "bfl"}, {"Zz9", std::string{'[', '~', 'B'}}};
    for (const Case& each : cases) {
        Open();
        if (!Form->CollectSettings().InstructorPassword.empty()) {
            Dialog()->CheckBoxInhibitInstructor->setChecked(true);
            Ok(QString::fromStdString(Form->CollectSettings().InstructorPassword));
            Open();
        }
        Box("CheckBoxMaskedRandom")->setChecked(true);
        Box("CheckBoxFixedSpeed")->setChecked(true);
        Ok(each.Password);
        Restart();
        EXPECT_EQ(PasswordLine(), each.Stored) << each.Password;
        // The locks are in force from the start, and the boxes show them.
        EXPECT_FALSE(RandomShown()) << each.Password;
        EXPECT_FALSE(Find<QSpinBox>("UpDownVitesse")->isEnabled());
        EXPECT_TRUE(Box("CheckBoxMaskedRandom")->isChecked());
        EXPECT_TRUE(Box("CheckBoxFixedSpeed")->isChecked());
        EXPECT_FALSE(Box("CheckBoxFixedNote")->isChecked());
        // The password read back is the one typed.
        Open();
        Box("CheckBoxFixedSpeed")->setChecked(false);
        Ok(QString(each.Password) + "x");
        EXPECT_TRUE(Dialog()->LabelIncorrectPassword->isVisible());
        Ok(each.Password);
        EXPECT_TRUE(Find<QSpinBox>("UpDownVitesse")->isEnabled()) << each.Password;
    }
}

}  // namespace
}  // namespace kelvaro::test
