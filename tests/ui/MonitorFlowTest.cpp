// Monitoring through the real window: the six sources, the Ctrl key and the joystick as a
// straight key, the paddles against the engine, clearing and saving the decoded text, and the
// monitoring settings.
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QSlider>

#include "MonitorFixture.h"
#include "app/SettingsReader.h"
#include "ui/TextPane.h"

namespace kelvaro::test {
namespace {

class MonitorFlowTest : public MonitorFixture {};

constexpr const char* kSources[] = {"RadioButtonLC",     "RadioButtonRC",     "RadioButtonPioche",
                                    "RadioButtonElKeyN", "RadioButtonElKeyR", "RadioButtonCTRL"};

TEST_F(MonitorFlowTest, TheSixSourcesAreOneGroupAndTheJoystickOnesWantAJoystick) {
    CreateWith(false);
    Click("RadioButtonMonitor");
    EXPECT_TRUE(Find<QWidget>("GroupBoxMonitor")->isVisible());
    auto checked = [this] {
        QStringList names;
        for (const char* source : kSources) {
            if (Find<QRadioButton>(source)->isChecked()) {
                names << source;
            }
        }
        return names;
    };
    EXPECT_EQ(checked(), QStringList{"RadioButtonLC"});
    for (const char* source : {"RadioButtonCTRL", "RadioButtonRC", "RadioButtonCTRL", "RadioButtonLC"}) {
        Click(source);
        EXPECT_EQ(checked(), QStringList{source});
    }
    Click("RadioButtonLC");  // choosing the chosen one keeps it
    EXPECT_EQ(checked(), QStringList{"RadioButtonLC"});
    for (const char* joystickSource : {"RadioButtonPioche", "RadioButtonElKeyN", "RadioButtonElKeyR"}) {
        Click("RadioButtonCTRL");
        Prompts.Messages.clear();
        Click(joystickSource);
        ASSERT_EQ(Prompts.Messages.size(), 1u) << joystickSource;
        EXPECT_EQ(Prompts.Messages[0], "No Joystick !");
        EXPECT_TRUE(checked().isEmpty()) << joystickSource;
    }
}

TEST_F(MonitorFlowTest, TheCtrlKeyIsAStraightKeyAndItsAutoRepeatStartsNoSecondTone) {
    CreateWith(false);
    EnterMonitoring("RadioButtonCTRL");
    EXPECT_FALSE(Device.IsOpen());  // the key's own output plays now
    EXPECT_TRUE(SidetoneDevice.IsOpen());

    KeyClock.AdvanceMs(300);
    Ctrl(true);
    EXPECT_TRUE(Form->Engine().SidetoneActive());
    for (int repeat = 0; repeat < 5; ++repeat) {
        KeyClock.AdvanceMs(30);
        Ctrl(true, true);  // the keyboard repeats a held key
    }
    EXPECT_EQ(SidetoneDevice.FramesOf(PlayEngine::kCharacterBuffer), (std::vector<int>{110250}));
    Ctrl(false, true);  // some keyboards send a release with each repeat
    EXPECT_TRUE(Form->Engine().SidetoneActive());
    KeyClock.AdvanceMs(10);
    Ctrl(false);  // 160 ms at 12 wpm: between the limits, no element
    EXPECT_FALSE(Form->Engine().SidetoneActive());
    EXPECT_TRUE(Form->Engine().BufferIdle());

    CtrlMark(60);
    CtrlMark(250);
    EXPECT_EQ(Echo(), ".-");
    LetterTimerRunsOut();
    EXPECT_EQ(Memo(), "a");
    LetterTimerRunsOut();
    EXPECT_EQ(Memo(), "a ");
    Find<QCheckBox>("CheckBoxUpperCase")->click();
    CtrlMark(60, 900);
    CtrlMark(60);
    LetterTimerRunsOut();
    EXPECT_EQ(Memo(), "a I");
    EXPECT_EQ(SidetoneDevice.FramesOf(PlayEngine::kCharacterBuffer).size(), 5u);
    EXPECT_TRUE(Device.History.empty());
}

TEST_F(MonitorFlowTest, CtrlWhileTextPlaysMakesNoToneAndMeasuresNothing) {
    CreateWith(false);
    EnterMonitoring("RadioButtonCTRL");
    Type("e");
    ASSERT_EQ(SidetoneDevice.PendingCount(), 1u);
    const int resets = SidetoneDevice.ResetCount;
    KeyClock.AdvanceMs(60);
    Ctrl(true);
    KeyClock.AdvanceMs(60);
    Ctrl(false);
    EXPECT_FALSE(Form->Engine().SidetoneActive());
    EXPECT_EQ(SidetoneDevice.ResetCount, resets);  // the sounding character is not cut
    EXPECT_EQ(SidetoneDevice.History.size(), 1u);
    EXPECT_EQ(Echo(), "");
    SidetoneDevice.CompleteAll();
    CtrlMark(60);
    EXPECT_EQ(Echo(), ".");
}

TEST_F(MonitorFlowTest, PaddlesRepeatTheLastPressedContactAndStopWhenEitherIsReleased) {
    CreateWith(true);
    EnterMonitoring("RadioButtonElKeyN");
    Button(2, true);  // dot
    EXPECT_EQ(Queue(), "e");
    SidetoneDevice.CompleteNext();
    EXPECT_EQ(Queue(), "e");
    Button(1, true);  // dash squeezed: the dash repeats from the next element
    SidetoneDevice.CompleteNext();
    EXPECT_EQ(Queue(), "t");
    SidetoneDevice.CompleteNext();
    Button(2, false);  // releasing the dot paddle ends the repetition too
    EXPECT_FALSE(Monitor->PaddleHeld());
    SidetoneDevice.CompleteNext();
    EXPECT_EQ(Queue(), "");
    EXPECT_EQ(Echo(), "..--");
    // While held, an element is followed by the short paddle gap only: 12 wpm gives a dot of
    // 2083 frames, a dash of 6250 and a gap of 1087.
    EXPECT_EQ(SidetoneDevice.FramesOf(PlayEngine::kCharacterBuffer),
              (std::vector<int>{3170, 3170, 7337, 7337}));
    EXPECT_TRUE(LetterTimer->Enabled());
    EXPECT_EQ(LetterTimer->IntervalMs(), 2 * 94);
    LetterTimerRunsOut();
    EXPECT_EQ(Memo(), "[..--]");  // not in the table
}

TEST_F(MonitorFlowTest, ReversedPaddlesSwapDotAndDash) {
    CreateWith(true);
    EnterMonitoring("RadioButtonElKeyR");
    Button(1, true);
    Button(1, false);
    SidetoneDevice.CompleteAll();
    Button(2, true);
    Button(2, false);
    SidetoneDevice.CompleteAll();
    EXPECT_EQ(Echo(), ".-");
    LetterTimerRunsOut();
    EXPECT_EQ(Memo(), "a");
}

TEST_F(MonitorFlowTest, TheJoystickButtonIsAStraightKeyAndGoingAwayReleasesIt) {
    CreateWith(true);
    EnterMonitoring("RadioButtonPioche");
    KeyClock.AdvanceMs(500);
    Button(1, true);
    KeyClock.AdvanceMs(60);
    Button(2, true);  // not used by a straight key
    Button(1, false);
    EXPECT_EQ(Echo(), ".");
    Button(1, true);
    ASSERT_TRUE(Form->Engine().SidetoneActive());
    PullJoystickOut();
    EXPECT_FALSE(Form->Engine().SidetoneActive());
    EXPECT_FALSE(Monitor->StraightKeyHeld());
}

TEST_F(MonitorFlowTest, ClearingAndSavingTheDecodedText) {
    CreateWith(false);
    Trigger("MenuSaveMonitoring");
    EXPECT_EQ(Prompts.Beeps, 1);  // only in monitoring
    EnterMonitoring("RadioButtonCTRL");
    Trigger("MenuSaveMonitoring");
    ASSERT_EQ(Prompts.Messages.size(), 1u);
    EXPECT_EQ(Prompts.Messages[0], "Nothing to record !");

    CtrlMark(60, 500);
    LetterTimerRunsOut();
    Form->TextBox().Editcaractere->setFocus();
    QTest::keyClick(Box(), Qt::Key_Return);
    CtrlMark(250, 900);
    LetterTimerRunsOut();
    const QString path = Folder.path() + "/Monitoring1.txt";
    Monitor->ChooseSaveFile = [&path] { return path; };
    Trigger("MenuSaveMonitoring");
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), QByteArray("e\r\nt\r\n"));

    Find<QAbstractButton>("SpeedButtonRazMonitor")->click();
    EXPECT_EQ(Memo(), "");
    EXPECT_EQ(Echo(), "");
    Trigger("MenuDebug");
    EXPECT_TRUE(Find<QLabel>("Label4")->isVisible());
    EXPECT_EQ(Find<QLabel>("Label4")->text(), "pmax:150 tmin:198 imax:250");
}

TEST_F(MonitorFlowTest, MonitoringSettingsComeBackAfterAQuit) {
    SettingsModel stored;
    stored.MonitorUpperCase = true;
    stored.Source = SettingsModel::MonitorSource::ElKeyReverse;
    stored.LeftThreshold = 20;
    stored.RightThreshold = 127;
    Put(stored);
    CreateWith(false);
    EXPECT_TRUE(Find<QCheckBox>("CheckBoxUpperCase")->isChecked());
    EXPECT_TRUE(Find<QRadioButton>("RadioButtonElKeyR")->isChecked());
    EXPECT_EQ(Find<QSlider>("TrackBarLC")->value(), 20);
    EXPECT_EQ(Find<QSlider>("TrackBarRC")->value(), 127);
    EXPECT_FALSE(Find<QRadioButton>("RadioButtonMonitor")->isChecked());

    Click("RadioButtonMonitor");  // no joystick: every source is cleared
    Click("RadioButtonRC");
    Find<QSlider>("TrackBarLC")->setValue(33);
    Trigger("MenuOutilsQuit");
    QFile file(Folder.path() + "/kelvaro.dat");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    SettingsModel read;
    ReadSettingsFile(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), read);
    EXPECT_TRUE(read.MonitorUpperCase);
    EXPECT_EQ(read.Source, SettingsModel::MonitorSource::Right);
    EXPECT_EQ(read.LeftThreshold, 33);
    EXPECT_EQ(read.RightThreshold, 127);
    EXPECT_EQ(read.LastChoice, 7);
}

}  // namespace
}  // namespace kelvaro::test
