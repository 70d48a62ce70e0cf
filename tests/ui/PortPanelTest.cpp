// The PORT panel in the real window: its controls and rules, PTT and CW in step with typing,
// the settings keys and /COMn.
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "WindowFixture.h"
#include "app/SettingsWriter.h"
#include "ui/ControlsPane.h"

namespace kelvaro::test {
namespace {

using Line = RecordingLines::Line;

class PortPanelTest : public WindowFixture {
protected:
    QRadioButton* Item(const char* group, int index) {
        return Find<QRadioButton>((std::string(group) + "Item" + std::to_string(index)).c_str());
    }
    void Choose(const char* group, int index) { Item(group, index)->click(); }
    QByteArray SettingsBytes() {
        QFile file(Folder.path() + "/kelvaro.dat");
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void WriteSettings(const std::string& text) {
        QFile file(Folder.path() + "/kelvaro.dat");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.data(), static_cast<qint64>(text.size()));
    }
    ManualTimer* EnabledTimer() {
        for (ManualTimer* timer : Timers) {
            if (timer->Enabled() && timer->IntervalMs >= 50 && timer->IntervalMs <= 250) {
                return timer;
            }
        }
        return nullptr;
    }
    bool OnAir() { return Form->ControlsBox().LedOn->property("lit").toBool(); }
};

TEST_F(PortPanelTest, MenuItemOpensThePanelWithItsDefaults) {
    Create();
    auto* panel = Find<QWidget>("PanelPort");
    EXPECT_FALSE(panel->isVisible());
    Trigger("MenuPort");
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(Find<QAction>("MenuPort")->text(), "&Port");
    EXPECT_TRUE(Item("RadioGroupCOM", 0)->isChecked());
    EXPECT_EQ(Item("RadioGroupCOM", 0)->text(), "NONE");
    EXPECT_TRUE(Item("RadioGroupCOM", 2)->text().contains("/dev/fake-ttyUSB0"));
    EXPECT_TRUE(Item("RadioGroupTXDelay", 1)->isChecked());
    EXPECT_TRUE(Find<QCheckBox>("CheckBoxPTTDTR")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>("CheckBoxPTTRTS")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>("CheckBoxCWDTR")->isEnabled());
    EXPECT_FALSE(Find<QCheckBox>("CheckBoxCWRTS")->isEnabled());
    EXPECT_EQ(Find<QLineEdit>("EditLPT1")->text(), "[378h]");
    EXPECT_EQ(Find<QLineEdit>("EditLPT2")->text(), "[000h]");
    EXPECT_EQ(Find<QLineEdit>("EditLPT3")->text(), "[3BCh]");
    EXPECT_TRUE(Item("RadioGroupPin", 0)->isChecked());
    EXPECT_EQ(Find<QLineEdit>("EditLPTx")->maxLength(), 4);
    // With no settings file the chosen pin takes the stored logic: positive.
    EXPECT_FALSE(Find<QCheckBox>("CheckBoxPin1")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>("CheckBoxPin14")->isChecked());
    Find<QPushButton>("ButtonClosePanelPort")->click();
    EXPECT_FALSE(panel->isVisible());
}

TEST_F(PortPanelTest, LptWithAddressZeroBeepsAndKeepsThePreviousChoice) {
    Create();
    Choose("RadioGroupLPT", 1);
    EXPECT_EQ(Prompts.Beeps, 0);
    Choose("RadioGroupLPT", 2);
    EXPECT_EQ(Prompts.Beeps, 1);
    EXPECT_TRUE(Item("RadioGroupLPT", 1)->isChecked());
}

TEST_F(PortPanelTest, LptWithoutTheDriverWarns) {
    PortDriverFound = false;
    Create();
    Choose("RadioGroupLPT", 1);
    EXPECT_EQ(Prompts.Beeps, 1);
    ASSERT_EQ(Prompts.Messages.size(), 1U);
    EXPECT_TRUE(Item("RadioGroupLPT", 0)->isChecked());
}

TEST_F(PortPanelTest, LptxChecksItsTextAndWarns) {
    Create();
    Find<QLineEdit>("EditLPTx")->setText("12");
    auto* lptx = Find<QCheckBox>("CheckBoxLPTx");
    lptx->click();
    EXPECT_FALSE(lptx->isChecked());
    ASSERT_EQ(Prompts.Messages.size(), 1U);
    EXPECT_EQ(Prompts.Messages.back(), "Please enter a 4-digit hex value");
    Find<QLineEdit>("EditLPTx")->setText("12G4");
    lptx->click();
    EXPECT_FALSE(lptx->isChecked());
    EXPECT_EQ(Prompts.Messages.back(), "LPT port address error");
    Find<QLineEdit>("EditLPTx")->setText("BC00");
    lptx->click();
    EXPECT_TRUE(lptx->isChecked());
    EXPECT_TRUE(Prompts.Messages.back().startsWith("CAUTION !"));
    EXPECT_FALSE(Find<QGroupBox>("RadioGroupLPT")->isEnabled());
    // Typing in the address unticks LPTx and gives the LPT choice back.
    QTest::keyClick(Find<QLineEdit>("EditLPTx"), Qt::Key_Backspace);
    EXPECT_FALSE(lptx->isChecked());
    EXPECT_TRUE(Find<QGroupBox>("RadioGroupLPT")->isEnabled());
}

TEST_F(PortPanelTest, PttAndCwLinesFollowTypingThroughTheTxDelay) {
    Create();
    Find<QCheckBox>("CheckBoxPTTRTS")->click();
    EXPECT_TRUE(Find<QCheckBox>("CheckBoxCWRTS")->isEnabled());
    Find<QCheckBox>("CheckBoxCWRTS")->click();
    EXPECT_FALSE(Find<QCheckBox>("CheckBoxPTTRTS")->isEnabled());
    Choose("RadioGroupCOM", 1);
    ASSERT_NE(Lines, nullptr);
    EXPECT_EQ(Lines->OpenPath, "/dev/fake-ttyS0");
    EXPECT_TRUE(Lines->Changes().empty());

    Type("e");
    EXPECT_TRUE(OnAir());
    ASSERT_EQ(Lines->EdgesOf(Line::Dtr).size(), 1U);
    EXPECT_TRUE(Lines->EdgesOf(Line::Rts).empty());  // the TX delay runs first
    ManualTimer* txDelay = EnabledTimer();
    ASSERT_NE(txDelay, nullptr);
    EXPECT_EQ(txDelay->IntervalMs, 100);
    txDelay->Tick();
    // The character started: its single dot keys RTS, and the timer thread releases it.
    const auto rtsUp = Lines->EdgesOf(Line::Rts);
    ASSERT_GE(rtsUp.size(), 1U);
    EXPECT_TRUE(rtsUp[0].Raised);
    for (int waited = 0; waited < 2000 && Lines->EdgesOf(Line::Rts).size() < 2; waited += 10) {
        QTest::qWait(10);
    }
    EXPECT_EQ(Lines->EdgesOf(Line::Rts).size(), 2U);

    Find<QPushButton>("ButtonStop")->click();
    EXPECT_FALSE(OnAir());
    EXPECT_FALSE(Lines->EdgesOf(Line::Dtr).back().Raised);
    EXPECT_FALSE(Lines->EdgesOf(Line::Rts).back().Raised);
}

TEST_F(PortPanelTest, AnLptWhosePinWriteFailsBeepsButStaysChosen) {
    Create();
    Port->FailWrites = true;
    Choose("RadioGroupLPT", 1);
    EXPECT_EQ(Prompts.Beeps, 1);
    EXPECT_TRUE(Item("RadioGroupLPT", 1)->isChecked());
}

TEST_F(PortPanelTest, APortThatCannotOpenSaysErrorCom) {
    Create();
    Lines->FailOpen = true;
    Choose("RadioGroupCOM", 2);
    ASSERT_EQ(Prompts.Messages.size(), 1U);
    EXPECT_EQ(Prompts.Messages[0], "Error COM");
    EXPECT_TRUE(Item("RadioGroupCOM", 0)->isChecked());
}

TEST_F(PortPanelTest, SettingsComeBackAndQuitDropsTheLines) {
    Create();
    Choose("RadioGroupCOM", 2);
    Find<QCheckBox>("CheckBoxPTTRTS")->click();
    Find<QCheckBox>("CheckBoxCWRTS")->click();
    Choose("RadioGroupTXDelay", 4);
    Choose("RadioGroupPin", 2);
    Find<QCheckBox>("CheckBoxPin16")->click();
    Form->MenuOutilsQuitClick();
    EXPECT_FALSE(Lines->IsOpen());
    const QByteArray saved = SettingsBytes();
    for (const char* line :
         {"COM=2\r\n", "PTT=1\r\n", "CW=2\r\n", "TXDELAY=250\r\n", "LPT=0\r\n", "PIN=2\r\n", "LOGIC=N\r\n"}) {
        EXPECT_NE(saved.indexOf(line), -1) << line;
    }

    Form.reset();
    Create();
    EXPECT_EQ(Lines->OpenPath, "/dev/fake-ttyUSB0");
    EXPECT_TRUE(Item("RadioGroupCOM", 2)->isChecked());
    EXPECT_FALSE(Find<QCheckBox>("CheckBoxPTTRTS")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>("CheckBoxCWRTS")->isChecked());
    EXPECT_TRUE(Item("RadioGroupTXDelay", 4)->isChecked());
    EXPECT_TRUE(Item("RadioGroupPin", 2)->isChecked());
    EXPECT_TRUE(Find<QCheckBox>("CheckBoxPin16")->isChecked());
}

TEST_F(PortPanelTest, ComOnTheCommandLineOpensThatPort) {
    Create({"/COM3"});
    EXPECT_TRUE(Item("RadioGroupCOM", 3)->isChecked());
    EXPECT_EQ(Lines->OpenPath, "/dev/fake-ttyACM0");
    EXPECT_TRUE(Lines->IsOpen());
}

TEST_F(PortPanelTest, ComNumberBeyondTheListIsIgnored) {
    Create({"/COM7"});
    EXPECT_TRUE(Item("RadioGroupCOM", 0)->isChecked());
    EXPECT_TRUE(Lines->OpenPath.empty());
}

TEST_F(PortPanelTest, LptPortSettlesThePinAtStartUp) {
    SettingsModel stored;
    stored.LptPort = 3;
    stored.LptAddressOverride = 0x2BC;
    stored.LptPin = 0;
    stored.NegativeLogic = true;
    WriteSettings(WriteSettingsFile(stored));
    Create();
    EXPECT_TRUE(Item("RadioGroupLPT", 3)->isChecked());
    EXPECT_EQ(Find<QLineEdit>("EditLPT3")->text(), "[2BCh]");
    ASSERT_FALSE(Port->Writes.empty());
    EXPECT_EQ(Port->Writes.back().first, 0x2BE);
    EXPECT_EQ(Port->Writes.back().second & 1, 0);  // pin 1, negative logic: rest clears bit 0
    EXPECT_TRUE(Find<QCheckBox>("CheckBoxPin1")->isChecked());
}

}  // namespace
}  // namespace kelvaro::test
