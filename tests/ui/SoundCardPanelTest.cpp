// Choosing the sound devices through the real window: the lists by name, when the output is
// opened again, the choice across a restart and a replug, and a device that has gone.
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>

#include <cstdlib>

#include "WindowFixture.h"
#include "platform/PulseSoundDevices.h"

namespace kelvaro::test {
namespace {

class SoundCardPanelTest : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        SoundDevices.Inputs = {{"alsa_input.pci", "Built-in Audio Analog Stereo"},
                               {"kelvaro_sink.monitor", "Monitor of Null Output"}};
        SoundDevices.Outputs = {{"alsa_output.pci", "Built-in Audio Analog Stereo"},
                                {"kelvaro_sink", "Null Output"}};
        Create();
    }
    QWidget* Panel() { return Find<QWidget>("PanelCarteSon"); }
    QComboBox* Inputs() { return Find<QComboBox>("ComboBoxChoixIn"); }
    QComboBox* Outputs() { return Find<QComboBox>("ComboBoxChoixOut"); }
    void Ok() { Find<QPushButton>("BitBtnOKCarteSon")->click(); }
    void ChooseMine(int input, int output) {
        Trigger("MenuSoundCard");
        Find<QRadioButton>("RadioButtonCarteMoi")->click();
        Inputs()->setCurrentIndex(input);
        Outputs()->setCurrentIndex(output);
        Ok();
    }
    void Restart() {
        Form->MenuOutilsQuitClick();
        Form.reset();
        Create();
    }
    QByteArray SettingsFile() {
        QFile file(Folder.path() + "/kelvaro.dat");
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(SoundCardPanelTest, ListsTheDevicesByNameAndReopensOnlyWhenTheChoiceChanges) {
    const int opensAtStart = Device.OpenCount;
    EXPECT_EQ(Device.OpenedDevice, -1);
    Trigger("MenuSoundCard");
    ASSERT_TRUE(Panel()->isVisible());
    ASSERT_EQ(Outputs()->count(), 2);
    EXPECT_EQ(Outputs()->itemText(1), "Null Output");
    EXPECT_EQ(Inputs()->itemText(1), "Monitor of Null Output");
    EXPECT_EQ(Outputs()->currentText(), "");  // the system's choice
    Ok();
    EXPECT_FALSE(Panel()->isVisible());
    EXPECT_EQ(Device.OpenCount, opensAtStart);  // already in force

    ChooseMine(1, 1);
    EXPECT_EQ(Device.OpenCount, opensAtStart + 1);
    EXPECT_EQ(Device.OpenedName, "kelvaro_sink");
    EXPECT_EQ(Device.OpenedDevice, 1);

    Trigger("MenuSoundCard");
    EXPECT_EQ(Outputs()->currentText(), "Null Output");
    EXPECT_EQ(Inputs()->currentText(), "Monitor of Null Output");
    Ok();  // the same two devices
    EXPECT_EQ(Device.OpenCount, opensAtStart + 1);

    Trigger("MenuSoundCard");
    Outputs()->setCurrentIndex(-1);
    Ok();  // nothing chosen: a beep, the panel stays
    EXPECT_EQ(Prompts.Beeps, 1);
    EXPECT_TRUE(Panel()->isVisible());
    Find<QRadioButton>("RadioButtonCarteWin")->click();
    Ok();
    EXPECT_EQ(Device.OpenCount, opensAtStart + 2);
    EXPECT_EQ(Device.OpenedDevice, -1);
    EXPECT_EQ(Device.OpenedName, "");
    EXPECT_TRUE(Prompts.Messages.empty());
}

TEST_F(SoundCardPanelTest, TheChoiceSurvivesARestartAndAHeadsetPluggedInBeforeIt) {
    ChooseMine(1, 1);
    Restart();
    EXPECT_TRUE(SettingsFile().contains("OSOUND=1\r\n")) << SettingsFile().toStdString();
    EXPECT_TRUE(SettingsFile().contains("OSOUNDNAME=kelvaro_sink\r\n"));
    EXPECT_EQ(Device.OpenedName, "kelvaro_sink");

    // A USB headset comes first in the lists now: the numbers move, the names do not.
    SoundDevices.Outputs.insert(SoundDevices.Outputs.begin(), {"usb_headset", "USB Headset"});
    SoundDevices.Inputs.insert(SoundDevices.Inputs.begin(), {"usb_headset_mic", "USB Headset Mic"});
    Restart();
    EXPECT_EQ(Device.OpenedName, "kelvaro_sink");
    EXPECT_EQ(Device.OpenedDevice, 2);
    Trigger("MenuSoundCard");
    EXPECT_EQ(Outputs()->currentText(), "Null Output");
    EXPECT_EQ(Inputs()->currentText(), "Monitor of Null Output");
    Ok();
    Restart();
    EXPECT_TRUE(SettingsFile().contains("ISOUND=2\r\nOSOUND=2\r\n")) << SettingsFile().toStdString();
    EXPECT_TRUE(Prompts.Messages.empty());
}

TEST_F(SoundCardPanelTest, AChosenDeviceThatIsGoneFallsBackToTheSystemsChoiceQuietly) {
    ChooseMine(1, 1);
    SoundDevices.Outputs.pop_back();
    SoundDevices.Inputs.pop_back();
    Restart();
    EXPECT_TRUE(Prompts.Messages.empty());
    EXPECT_EQ(Device.OpenedDevice, -1);
    EXPECT_EQ(Device.OpenedName, "");
    EXPECT_TRUE(Device.IsOpen());
    Trigger("MenuSoundCard");
    EXPECT_TRUE(Find<QRadioButton>("RadioButtonCarteMoi")->isChecked());
    EXPECT_EQ(Outputs()->currentText(), "");  // not another device at the old number
    Ok();
    EXPECT_EQ(Prompts.Beeps, 1);
}

TEST_F(SoundCardPanelTest, ASettingsFileWithNumbersOnlyOpensThatDeviceAndRefusesWhilePlaying) {
    Form->MenuOutilsQuitClick();
    Form.reset();
    QByteArray file = SettingsFile();
    file.replace("ISOUND=-1\r\nOSOUND=-1\r\n", "ISOUND=0\r\nOSOUND=1\r\n");
    QFile out(Folder.path() + "/kelvaro.dat");
    out.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(file);
    out.close();
    Create();
    EXPECT_EQ(Device.OpenedName, "kelvaro_sink");
    EXPECT_EQ(Device.OpenedDevice, 1);

    Type("e");
    Trigger("MenuSoundCard");
    ASSERT_EQ(Prompts.Messages.size(), 1u);
    EXPECT_EQ(Prompts.Messages[0], "Stop playing before changing sound card !");
    EXPECT_FALSE(Panel()->isVisible());
    Device.CompleteAll();
}

}  // namespace
}  // namespace kelvaro::test

namespace kelvaro::test {
namespace {

// The sound server of the audio test environment: its null sink and the sink's monitor, listed
// by the names the server gives them, chosen, and chosen still after a restart.
class SoundCardServerTest : public SoundCardPanelTest {
protected:
    void SetUp() override {
        if (std::getenv("KELVARO_E2E") == nullptr) {
            GTEST_SKIP() << "needs the audio test environment: run under scripts/with-audio-env.sh";
        }
        RealSoundDevices = [] { return std::make_unique<PulseSoundDevices>(); };
        SoundCardPanelTest::SetUp();
    }
};

TEST_F(SoundCardServerTest, TheNullSinkAndItsMonitorAreListedByNameAndStayChosen) {
    Trigger("MenuSoundCard");
    const int output = Outputs()->findText("kelvaro_sink");
    const int input = Inputs()->findText("Monitor of kelvaro_sink");
    ASSERT_GE(output, 0);
    ASSERT_GE(input, 0);
    Find<QPushButton>("BitBtnOKCarteSon")->click();
    ChooseMine(input, output);
    EXPECT_EQ(Device.OpenedName, "kelvaro_sink");
    Restart();
    EXPECT_EQ(Device.OpenedName, "kelvaro_sink");
    EXPECT_TRUE(SettingsFile().contains("ISOUNDNAME=kelvaro_sink.monitor\r\n"))
        << SettingsFile().toStdString();
    Trigger("MenuSoundCard");
    EXPECT_EQ(Outputs()->currentText(), "kelvaro_sink");
    EXPECT_EQ(Inputs()->currentText(), "Monitor of kelvaro_sink");
    EXPECT_TRUE(Prompts.Messages.empty());
}

}  // namespace
}  // namespace kelvaro::test
