// The real main window on fake devices, a temporary settings folder and answered message boxes.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>
#include <vector>

#include "platform/LinuxOneShotTimer.h"
#include "support/FakePortAccess.h"
#include "support/FakeSoundDevices.h"
#include "support/FakeWaveIn.h"
#include "support/FakeWaveOut.h"
#include "support/ManualClock.h"
#include "support/ManualOneShotTimer.h"
#include "support/ManualTimer.h"
#include "support/RecordingLines.h"
#include "ui/Prompter.h"
#include "ui/TForm1.h"
#include "ui/TypingEdit.h"

namespace kelvaro::test {

/// Records what the program said and answers its questions as the test wants.
class FakePrompter : public Prompter {
public:
    void Inform(const QString& text) override { Messages.push_back(text); }
    void Warn(const QString& text) override { Messages.push_back(text); }
    bool AskYesNo(const QString& text) override {
        Questions.push_back(text);
        return Answer;
    }
    void Beep() override { ++Beeps; }
    void InformationBeep() override { ++InformationBeeps; }

    std::vector<QString> Messages;
    std::vector<QString> Questions;
    bool Answer = true;
    int Beeps = 0;
    int InformationBeeps = 0;
};

class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Folder.isValid()); }

    void Create(std::vector<std::string> arguments = {}) {
        TForm1Services services;
        services.Output = &Device;
        services.CreateTimer = [this] {
            auto timer = std::make_unique<ManualTimer>();
            Timers.push_back(timer.get());
            return timer;
        };
        services.Prompts = &Prompts;
        services.JoystickDevice = JoystickDevice;  // never a real joystick in tests
        services.SidetoneOutput = &SidetoneDevice;
        services.CreateLetterTimer = [this] {
            auto timer = std::make_unique<ManualOneShotTimer>();
            LetterTimer = timer.get();
            return timer;
        };
        services.KeyClock = &KeyClock;
        services.Input = &Input;
        services.SettingsPath =
            SettingsPath.empty() ? (Folder.path() + "/kelvaro.dat").toStdString() : SettingsPath;
        services.Arguments = std::move(arguments);
        services.RandomSeed = 1;
        services.Terminate = [this] { Terminated = true; };
        // Never the machine's own serial or parallel ports.
        services.CreateTransmitterDevices = [this] {
            TransmitterDevices devices;
            devices.SerialPorts = SerialPorts;
            auto lines = std::make_unique<RecordingLines>();
            Lines = lines.get();
            devices.Lines = std::move(lines);
            auto port = std::make_unique<FakePortAccess>();
            Port = port.get();
            devices.Port = std::move(port);
            devices.CwTimer = CreateCwTimer ? CreateCwTimer() : std::make_unique<LinuxOneShotTimer>();
            devices.PortDriverFound = PortDriverFound;
            return devices;
        };
        services.CreateSoundDevices = [this]() -> std::unique_ptr<SoundDeviceList> {
            if (RealSoundDevices) {
                return RealSoundDevices();
            }
            return std::make_unique<FakeSoundDevices>(SoundDevices);
        };
        Form = std::make_unique<TForm1>(std::move(services));
        Form->show();
    }

    template <class Widget>
    Widget* Find(const char* name) {
        Widget* widget = Form->findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    TypingEdit* Box() { return Find<TypingEdit>("Editcaractere"); }
    void Type(const QString& text) { QTest::keyClicks(Box(), text); }
    void Trigger(const char* menuItem) { Find<QAction>(menuItem)->trigger(); }
    ManualTimer& Boucle() { return dynamic_cast<ManualTimer&>(Form->TimerBoucle()); }
    std::string Queue() { return Form->Engine().PlayQueue(); }
    /// Frames of every character buffer written to the device so far.
    std::vector<int> CharacterFrames() const { return Device.FramesOf(PlayEngine::kCharacterBuffer); }
    QString SelectedText() { return Box()->textCursor().selectedText(); }

    QTemporaryDir Folder;
    /// Where the settings are read and written; empty: kelvaro.dat in Folder.
    std::string SettingsPath;
    FakeWaveOut Device;
    /// The low-latency output that monitoring with a key source plays through.
    FakeWaveOut SidetoneDevice;
    /// The sound card's input for the audio decoder.
    FakeWaveIn Input;
    /// The monitoring's character timer (it posts its event to the window thread) and clock.
    ManualOneShotTimer* LetterTimer = nullptr;
    ManualClock KeyClock;
    /// A named pipe standing in for the joystick; empty: no joystick.
    std::string JoystickDevice;
    FakePrompter Prompts;
    std::vector<ManualTimer*> Timers;
    bool Terminated = false;
    /// What the transmitter finds: fake serial ports on recording lines, a fake parallel port.
    std::vector<SerialPortEntry> SerialPorts = {
        {"COM1", "/dev/fake-ttyS0"}, {"COM2", "/dev/fake-ttyUSB0"}, {"COM3", "/dev/fake-ttyACM0"}};
    bool PortDriverFound = true;
    /// The keying timer; empty: the real one on its own thread.
    std::function<std::unique_ptr<OneShotTimer>()> CreateCwTimer;
    /// The sound devices the window finds (never the machine's own in window tests).
    FakeSoundDevices::Lists SoundDevices;
    /// When set, the lists come from here instead (the sound server of the audio test environment).
    std::function<std::unique_ptr<SoundDeviceList>()> RealSoundDevices;
    RecordingLines* Lines = nullptr;
    FakePortAccess* Port = nullptr;
    std::unique_ptr<TForm1> Form;
};

}  // namespace kelvaro::test
