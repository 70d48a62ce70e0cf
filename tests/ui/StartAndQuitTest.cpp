// Start-up and quitting through the real window: the settings applied and written back, the
// command line, the two quit paths, Escape with a panel open, no sound card, hints.
#include <QCloseEvent>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>

#include "WindowFixture.h"
#include "app/SettingsFile.h"
#include "app/SettingsWriter.h"

namespace kelvaro::test {
namespace {

class StartAndQuitTest : public WindowFixture {
protected:
    QByteArray SettingsBytes() {
        QFile file(Folder.path() + "/kelvaro.dat");
        if (!file.open(QIODevice::ReadOnly)) {
            return {};
        }
        return file.readAll();
    }
    void WriteSettings(const std::string& bytes) {
        QFile file(Folder.path() + "/kelvaro.dat");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    static std::string Replace(std::string text, const std::string& from, const std::string& to) {
        const auto at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        if (at != std::string::npos) {
            text.replace(at, from.size(), to);
        }
        return text;
    }
};

TEST_F(StartAndQuitTest, OwnedSettingsAreAppliedAndEveryKeyComesBack) {
    SettingsModel stored;
    stored.SpeedWpm = 25;
    stored.CharacterSpacing = 2;
    stored.WordSpaceFactor = 3;
    stored.LevelDb = -3;
    stored.NoiseLevel = 4;
    stored.NoiseBandwidth = 2;
    stored.QsbLevel = 17;
    stored.NotePosition = 85;
    stored.NoteFrequencyHz = 650;
    stored.DriftStepHz = 25;
    stored.DriftMaxHz = 1400;
    stored.DriftMinHz = 200;
    stored.HintsShown = false;
    stored.WindowTop = 40;
    stored.WindowLeft = 60;
    // Keys whose controls come later travel through unchanged.
    stored.ComPort = 3;
    stored.CwLineMask = 2;
    stored.TxDelayMs = 200;
    stored.RandomSource = 2;
    stored.QuizCount = 40;
    stored.InstructorPassword = "abc";
    stored.StoredMessages[3] = "cq de test";
    stored.ShortcutTable[0] = {'%', "qrz?"};
    const std::string bytes = WriteSettingsFile(stored);
    WriteSettings(bytes);

    Create();
    EXPECT_EQ(Find<QSpinBox>("UpDownVitesse")->value(), 25);
    EXPECT_EQ(Find<QSpinBox>("SpinEditEspace")->value(), 2);
    EXPECT_TRUE(Find<QAction>("MenuEspaceMot3")->isChecked());
    EXPECT_EQ(Find<QSpinBox>("UpDownAmplitude")->value(), -3);
    EXPECT_NEAR(Form->Engine().ToneGain(), 0.707946, 1e-6);
    EXPECT_DOUBLE_EQ(Form->Engine().NoteFrequency(), 650.0);
    EXPECT_EQ(Form->Engine().NoiseRange(), 52429);
    EXPECT_EQ(Form->Engine().NoiseBandwidth(), 2);
    EXPECT_EQ(Form->Engine().Qsb().DepthDb, 17);
    EXPECT_EQ(Form->Engine().Drift().StepSetting, 25);
    EXPECT_EQ(Form->Engine().Drift().MaxHz, 1400);
    EXPECT_TRUE(Find<QAction>("MenuHideHints")->isChecked());

    Form->MenuOutilsQuitClick();
    EXPECT_TRUE(Terminated);
    EXPECT_EQ(SettingsBytes().toStdString(), bytes);
}

TEST_F(StartAndQuitTest, CommandLineOverridesTheFileAndIsSaved) {
    WriteSettings(Replace(WriteSettingsFile(SettingsModel{}), "SPEED=12\r\n", "SPEED=20\r\n"));
    Create({"s=25", "/f", "/E", "ignored=40"});
    EXPECT_EQ(Find<QSpinBox>("UpDownVitesse")->value(), 25);
    EXPECT_EQ(Form->Texts().Current(), Language::English);  // the third parameter wins
    Form->MenuOutilsQuitClick();
    EXPECT_NE(SettingsBytes().indexOf("SPEED=25\r\n"), -1);
    EXPECT_NE(SettingsBytes().indexOf("LANGUAGE=E\r\n"), -1);
}

TEST_F(StartAndQuitTest, FrenchFromTheCommandLineIsSavedAsF) {
    Create({"/F"});
    Form->MenuOutilsQuitClick();
    EXPECT_NE(SettingsBytes().indexOf("LANGUAGE=F\r\n"), -1);
}

TEST_F(StartAndQuitTest, QuitButtonAsksAndNoKeepsEverythingRunning) {
    Create();
    Prompts.Answer = false;
    Find<QPushButton>("ButtonQuitter")->click();
    ASSERT_EQ(Prompts.Questions.size(), 1u);
    EXPECT_EQ(Prompts.Questions[0], "You quit ! Are you sure ?");
    EXPECT_FALSE(Terminated);
    EXPECT_TRUE(SettingsBytes().isEmpty());

    Prompts.Answer = true;
    Find<QPushButton>("ButtonQuitter")->click();
    EXPECT_TRUE(Terminated);
    EXPECT_FALSE(SettingsBytes().isEmpty());
    EXPECT_FALSE(Device.IsOpen());
}

TEST_F(StartAndQuitTest, EscapeClosesAnOpenPanelFirstThenAsksToQuit) {
    Create();
    Trigger("EspacePlus");
    Prompts.Answer = false;
    QTest::keyClick(Form.get(), Qt::Key_Escape);
    EXPECT_FALSE(Find<QWidget>("PanelEspace")->isVisible());
    EXPECT_TRUE(Prompts.Questions.empty());
    QTest::keyClick(Form.get(), Qt::Key_Escape);
    EXPECT_EQ(Prompts.Questions.size(), 1u);
    EXPECT_FALSE(Terminated);
}

TEST_F(StartAndQuitTest, CloseBoxQuitsWithoutAskingAndSaves) {
    Create();
    Form->close();
    EXPECT_TRUE(Prompts.Questions.empty());
    EXPECT_TRUE(Terminated);
    EXPECT_FALSE(SettingsBytes().isEmpty());
}

TEST_F(StartAndQuitTest, NoSoundCardIsReportedOnceAndTextsStillAdvance) {
    Device.FailOpenCode = -9996;
    Create();
    ASSERT_EQ(Prompts.Messages.size(), 1u);
    EXPECT_EQ(Prompts.Messages[0], "Err -9996 : Can't open the sound card !");
    EXPECT_TRUE(Form->Engine().NoSoundCard());
    Type("ee");
    ManualTimer& timer1 = *Timers.at(0);
    EXPECT_TRUE(timer1.Enabled());
    ASSERT_TRUE(timer1.Tick());
    ASSERT_TRUE(timer1.Tick());
    EXPECT_TRUE(Queue().empty());
    EXPECT_FALSE(timer1.Enabled());
    Form->MenuOutilsQuitClick();
    EXPECT_TRUE(Terminated);
    EXPECT_EQ(Prompts.Messages.size(), 1u);
}

TEST_F(StartAndQuitTest, AFailedSaveIsReportedAndQuittingGoesOn) {
    // A plain file stands where the settings folder should be: nothing can be written there,
    // whatever the user's rights.
    QFile blocker(Folder.path() + "/not-a-folder");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    SettingsPath = (Folder.path() + "/not-a-folder/kelvaro.dat").toStdString();
    Create();
    EXPECT_TRUE(Prompts.Messages.empty());
    Form->MenuOutilsQuitClick();
    EXPECT_TRUE(Terminated);
    ASSERT_EQ(Prompts.Messages.size(), 1u);
    EXPECT_EQ(Prompts.Messages[0], "Can't create kelvaro.dat !");
}

}  // namespace
}  // namespace kelvaro::test
