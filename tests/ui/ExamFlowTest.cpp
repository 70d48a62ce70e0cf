// The French exam through the real window: the warm-up from the word list, the pause window,
// the 184 characters of the groups phase, and Abort back to idle.
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "WindowFixture.h"
#include "ui/TFormPause.h"

namespace kelvaro::test {
namespace {

class ExamFlowTest : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        const QString words = Folder.path() + "/words.txt";
        QFile list(words);
        ASSERT_TRUE(list.open(QIODevice::WriteOnly));
        list.write("abc\r\ndefg\r\nhij\r\n");
        list.close();
        QFile settings(Folder.path() + "/kelvaro.dat");
        ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
        settings.write(("LISTW=" + words + "\r\n\x02\xff\xff\r\n").toLatin1());
        settings.close();
        Create({"/F"});  // the exam belongs to the French interface
        Find<QRadioButton>("RadioButtonRandom")->click();
        Trigger("menuExamen");
    }
    QString Phase() { return Find<QLabel>("PanelExamen")->text(); }
    TFormPause* Pause() { return Form->findChild<TFormPause*>(); }
};

TEST_F(ExamFlowTest, WarmUpThenPauseThenTheGroupsPhaseThenAbort) {
    ASSERT_TRUE(Find<QAction>("menuExamen")->isChecked());
    EXPECT_EQ(Form->Speed().SpeedWpm(), 12);
    Find<QPushButton>("BitBtnPlayRandom")->click();
    EXPECT_EQ(Phase(), "Phase 1: Echauffement 2 minutes");
    Device.CompleteAll();
    ASSERT_NE(Pause(), nullptr);
    EXPECT_TRUE(Pause()->isVisible());
    EXPECT_EQ(Prompts.InformationBeeps, 1);
    const std::size_t warmUp = CharacterFrames().size();
    EXPECT_GT(warmUp, 120u);  // "VVV ", words until 120 further letters, then "+"

    Find<QPushButton>("BitBtnIgnore")->click();
    EXPECT_FALSE(Pause()->isVisible());
    EXPECT_EQ(Phase(), "Phase 2: Groupes (150 lettres + 30 chiffres)");
    Device.CompleteAll();
    EXPECT_EQ(CharacterFrames().size() - warmUp, 184u);
    EXPECT_TRUE(Pause()->isVisible());

    Find<QPushButton>("BitBtnCancel")->click();
    EXPECT_FALSE(Pause()->isVisible());
    EXPECT_EQ(Phase(), " 3 Phases (groupes + textes)");
}

}  // namespace
}  // namespace kelvaro::test
