// Every judged quiz answer goes into the practice history with what was asked and answered.
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "WindowFixture.h"
#include "ui/ProgressFeature.h"
#include "ui/QuizFeature.h"

namespace kelvaro::test {
namespace {

class QuizHistoryTest : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        Create();
        Find<QRadioButton>("RadioButtonQuiz")->click();
    }
    ManualTimer& Answer() {
        return dynamic_cast<ManualTimer&>(Form->findChild<QuizFeature*>("QuizFeature")->TimerQuiz());
    }
};

TEST_F(QuizHistoryTest, EachAnswerIsStoredRightWrongOrMissing) {
    Find<QSpinBox>("SpinEditQuizNumber")->setValue(5);
    const auto slot = CharacterPool::kStandardCharacters.find('k');
    Form->Pool().SetPoolStart(static_cast<int>(slot));
    Form->Pool().SetPoolSize(1);
    Find<QPushButton>("ButtonQuizOK")->click();
    const QStringList answers = {"k", "r", "", "k", "K"};
    for (const QString& answer : answers) {
        Device.CompleteAll();
        ASSERT_TRUE(Answer().Enabled());
        if (!answer.isEmpty()) {
            QTest::keyClicks(Find<QLineEdit>("EditReponseQuiz"), answer);
        }
        ASSERT_TRUE(Answer().Tick());
    }
    PracticeHistory* history = Form->findChild<ProgressFeature*>()->History();
    ASSERT_NE(history, nullptr);
    const std::vector<HistoryRun> runs = history->LastRuns(0);
    ASSERT_EQ(runs.size(), 5u);
    const std::uint8_t copied[] = {'k', 'r', 0, 'k', 'k'};
    for (std::size_t i = 0; i < runs.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(runs[i].Mode, "quiz");
        EXPECT_EQ(runs[i].SpeedWpm, Form->Speed().SpeedWpm());
        ASSERT_EQ(runs[i].Answers.size(), 1u);
        EXPECT_EQ(runs[i].Answers[0].Sent, 'k');
        EXPECT_EQ(runs[i].Answers[0].Copied, copied[i]);
        EXPECT_EQ(runs[i].Answers[0].Right, copied[i] == 'k');
        if (copied[i] == 0) {
            EXPECT_EQ(runs[i].Answers[0].AnswerMs, -1);
        } else {
            EXPECT_GE(runs[i].Answers[0].AnswerMs, 0);
        }
    }
}

}  // namespace
}  // namespace kelvaro::test
