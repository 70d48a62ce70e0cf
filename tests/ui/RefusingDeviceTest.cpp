// A sound device that refuses every buffer: one message, then the window is stopped and usable,
// whatever was playing.
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "WindowFixture.h"
#include "ui/QuizFeature.h"

namespace kelvaro::test {
namespace {

const QString kRefused = "Err 5 : Ecriture Carte Son StartClick";

class RefusingDeviceTest : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        Create();
        Device.FailWriteCode = 5;
    }
    QPushButton* Button(const char* name) { return Find<QPushButton>(name); }
    /// One message, nothing queued, Quit back in place of Stop, the text box usable.
    void ExpectOneMessageAndStopped() {
        ASSERT_EQ(Prompts.Messages.size(), 1U);
        EXPECT_EQ(Prompts.Messages[0], kRefused);
        EXPECT_TRUE(Queue().empty());
        EXPECT_TRUE(Form->Engine().BufferIdle());
        EXPECT_FALSE(Button("ButtonStop")->isVisible());
        EXPECT_TRUE(Button("ButtonQuitter")->isVisible());
        EXPECT_TRUE(Box()->isEnabled());
        EXPECT_FALSE(Box()->isReadOnly());
    }
};

TEST_F(RefusingDeviceTest, ATypedCharacter) {
    Type("p");
    ExpectOneMessageAndStopped();
}

TEST_F(RefusingDeviceTest, AReplayStopsAndResumesFromTheRefusedCharacter) {
    Trigger("MenuDelayedPlay");
    Type("paris");
    Button("ButtonReplayText")->click();
    ExpectOneMessageAndStopped();
    EXPECT_FALSE(Button("ButtonReplayText")->isChecked());
    EXPECT_EQ(Button("ButtonReplayText")->text(), "Resume &Text");

    Device.FailWriteCode = 0;
    Button("ButtonReplayText")->click();
    Device.CompleteAll();
    EXPECT_EQ(CharacterFrames().size(), 5U);
    EXPECT_EQ(Prompts.Messages.size(), 1U);
}

TEST_F(RefusingDeviceTest, ARandomSeries) {
    Find<QRadioButton>("RadioButtonRandom")->click();
    Find<QSpinBox>("SpinEditRandomNumber")->setValue(50);
    Button("BitBtnPlayRandom")->click();
    ExpectOneMessageAndStopped();
    EXPECT_TRUE(Button("BitBtnPlayRandom")->isVisible());
    EXPECT_FALSE(Button("BitBtnStopRandom")->isVisible());
    EXPECT_TRUE(Find<QRadioButton>("RadioButtonQuiz")->isEnabled());
}

TEST_F(RefusingDeviceTest, AQuiz) {
    Find<QRadioButton>("RadioButtonQuiz")->click();
    Button("ButtonQuizOK")->click();
    ExpectOneMessageAndStopped();
    EXPECT_FALSE(Form->findChild<QuizFeature*>("QuizFeature")->IsQuizRunning());
    EXPECT_TRUE(Button("ButtonQuizOK")->isVisible());
    EXPECT_FALSE(Button("ButtonQuizStop")->isVisible());
}

}  // namespace
}  // namespace kelvaro::test
