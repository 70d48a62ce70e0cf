// The entry sheet through the real window: the "always show" option follows the modes and
// the loaded file, the sheet buttons show it anyway, its first place, the focus after Play, and
// the option kept in the settings file.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "WindowFixture.h"
#include "app/SettingsWriter.h"
#include "ui/FileFeature.h"
#include "ui/TFormSaisie.h"

namespace kelvaro::test {
namespace {

class EntrySheetTest : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        Create();
        Form->move(100, 80);
    }
    TFormSaisie* Sheet() { return Form->findChild<TFormSaisie*>("TFormSaisie"); }
    void LoadFile(const QByteArray& text) {
        const QString path = Folder.path() + "/sheet.txt";
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.close();
        Form->findChild<FileFeature*>()->ChooseFile = [path] { return path; };
        Find<QRadioButton>("RadioButtonFile")->click();
    }
};

TEST_F(EntrySheetTest, AlwaysShowFollowsTheRandomModeAndTheLoadedFile) {
    ASSERT_NE(Sheet(), nullptr);
    Trigger("MenuSaisie");  // on, but no random or file pane shows yet
    EXPECT_FALSE(Sheet()->isVisible());
    Find<QRadioButton>("RadioButtonRandom")->click();
    ASSERT_TRUE(Sheet()->isVisible());
    EXPECT_EQ(Sheet()->windowTitle(), "Entry sheet");
    EXPECT_EQ(Sheet()->pos(), Form->pos() + QPoint(245, 170));
    Find<QRadioButton>("RadioButtonQuiz")->click();
    EXPECT_FALSE(Sheet()->isVisible());
    LoadFile("cq cq");
    EXPECT_TRUE(Sheet()->isVisible());
    // Once placed, the sheet stays where the student put it.
    Sheet()->move(300, 300);
    Find<QRadioButton>("RadioButtonQuiz")->click();
    Find<QRadioButton>("RadioButtonRandom")->click();
    EXPECT_EQ(Sheet()->pos(), QPoint(300, 300));
    Trigger("MenuSaisie");  // off
    EXPECT_FALSE(Sheet()->isVisible());
    Find<QRadioButton>("RadioButtonQuiz")->click();
    Find<QRadioButton>("RadioButtonRandom")->click();
    EXPECT_FALSE(Sheet()->isVisible());
}

TEST_F(EntrySheetTest, TheSheetButtonsShowItWhateverTheOptionSays) {
    Find<QRadioButton>("RadioButtonRandom")->click();
    EXPECT_FALSE(Sheet()->isVisible());
    Find<QToolButton>("SpeedButtonSaisie")->click();
    EXPECT_TRUE(Sheet()->isVisible());
    Sheet()->hide();
    LoadFile("vvv");
    EXPECT_FALSE(Sheet()->isVisible());
    Find<QToolButton>("SpeedButtonSaisieFile")->click();
    EXPECT_TRUE(Sheet()->isVisible());
}

TEST_F(EntrySheetTest, AfterPlayInTheRandomModeTheStudentTypesOnTheSheet) {
    Trigger("MenuSaisie");
    Find<QRadioButton>("RadioButtonRandom")->click();
    ASSERT_TRUE(Sheet()->isVisible());
    Form->activateWindow();
    Find<QPushButton>("BitBtnPlayRandom")->click();
    EXPECT_TRUE(QTest::qWaitFor([this] { return Sheet()->MemoSaisie->hasFocus(); }, 1000));
    Find<QPushButton>("ButtonStop")->click();
    Device.CompleteAll();
}

TEST_F(EntrySheetTest, TheOptionIsKeptInTheSettingsFile) {
    Trigger("MenuSaisie");
    EXPECT_TRUE(Form->CollectSettings().ShowSheetAtStart);
    Form.reset();
    SettingsModel stored;
    stored.ShowSheetAtStart = true;
    stored.LastChoice = 4;
    QFile file(Folder.path() + "/kelvaro.dat");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const std::string bytes = WriteSettingsFile(stored);
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    file.close();
    Create();
    EXPECT_TRUE(Find<QAction>("MenuSaisie")->isChecked());
    EXPECT_TRUE(Sheet()->isVisible());  // the random mode was restored with it
}

}  // namespace
}  // namespace kelvaro::test
