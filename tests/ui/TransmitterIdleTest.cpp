// However playback ends, the transmitter is left idle: PTT and CW lines down, the CW pin at
// rest and "On air" out, through the real window, engine and keyer on recording devices.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <functional>

#include "WindowFixture.h"
#include "support/ManualOneShotTimer.h"
#include "transmitter/PinLevels.h"
#include "ui/ControlsPane.h"
#include "ui/QuizFeature.h"
#include "ui/TransmitterFeature.h"

namespace kelvaro::test {
namespace {

using Line = RecordingLines::Line;

constexpr std::uint16_t kLpt1Control = 0x378 + 2;

/// How the transmitter is wired in the port panel.
enum class Wiring {
    SerialPttDtrCwRts,  // PTT on DTR, CW on RTS of COM1
    SerialPttLptCw,     // PTT on DTR and RTS of COM1, CW on pin 1 of LPT1
    LptCwAlone,         // CW on pin 1 of LPT1, no serial port
};

class TransmitterIdleTest;

/// One way for playback to end.
struct Ending {
    const char* Name = "";
    std::function<void(TransmitterIdleTest&)> Start = {};
    /// What ends it; empty when it ends by itself.
    std::function<void(TransmitterIdleTest&)> End = {};
    /// The transmitter is keyed just before End (the check that the case means something).
    bool KeyedBeforeEnd = true;
    /// End alone leaves the transmitter idle, before anything else completes.
    bool IdleAtOnce = false;
    /// End quits the program.
    bool Quits = false;
    /// The quiz plays without switching PTT on.
    bool PttStaysOff = false;
    bool NoSoundCard = false;
};

class TransmitterIdleTest : public WindowFixture,
                            public ::testing::WithParamInterface<std::tuple<int, Wiring>> {
public:
    using WindowFixture::Box;
    using WindowFixture::Device;
    using WindowFixture::Form;
    using WindowFixture::Trigger;
    using WindowFixture::Type;

    void SetUp() override {
        WindowFixture::SetUp();
        CreateCwTimer = [this] {
            auto timer = std::make_unique<ManualOneShotTimer>();
            CwTimer = timer.get();
            return timer;
        };
    }

    void Wire(Wiring wiring) {
        Used = wiring;
        auto choose = [this](const char* group, int index) {
            Find<QRadioButton>((std::string(group) + "Item" + std::to_string(index)).c_str())->click();
        };
        if (wiring == Wiring::SerialPttDtrCwRts) {
            Find<QCheckBox>("CheckBoxPTTRTS")->click();
            Find<QCheckBox>("CheckBoxCWRTS")->click();
        }
        if (wiring != Wiring::LptCwAlone) {
            choose("RadioGroupCOM", 1);
        }
        if (wiring != Wiring::SerialPttDtrCwRts) {
            choose("RadioGroupLPT", 1);
        }
    }

    // What the endings use.
    void Click(const char* button) { Find<QAbstractButton>(button)->click(); }
    void Type3() { Type("000"); }
    void StartRandom() {
        Click("RadioButtonRandom");
        Find<QSpinBox>("SpinEditRandomNumber")->setValue(5);
        Click("BitBtnPlayRandom");
    }
    void StartQuiz() {
        Click("RadioButtonQuiz");
        Find<QSpinBox>("SpinEditQuizNumber")->setValue(5);
        Click("ButtonQuizOK");
    }

    /// The TX delay runs out, so the first character sounds and keys.
    void LetTxDelayRunOut() {
        for (ManualTimer* timer : Timers) {
            if (timer->Enabled() && timer->IntervalMs == 100) {
                timer->Tick();
            }
        }
    }
    /// Lets the device and the window timers run until nothing is left to do; the keying
    /// timer is never fired, so a line that stays keyed is seen.
    void Settle() {
        for (int round = 0; round < 2000; ++round) {
            if (Device.CompleteNext()) {
                continue;
            }
            bool ticked = false;
            for (ManualTimer* timer : Timers) {
                if (timer->Tick()) {
                    ticked = true;
                    break;
                }
            }
            if (!ticked) {
                return;
            }
        }
        ADD_FAILURE() << "playback never came to rest";
    }
    bool AnyWindowTimerRuns() const {
        for (const ManualTimer* timer : Timers) {
            if (timer->Enabled()) {
                return true;
            }
        }
        return false;
    }

    /// The last level written to a line (down when never written).
    bool LineUp(Line which) const {
        bool up = false;
        for (const RecordingLines::Change& change : Lines->Changes()) {
            if (change.Which == which) {
                up = change.Raised;
            }
        }
        return up;
    }
    bool UsesLpt() const { return Used != Wiring::SerialPttDtrCwRts; }
    bool PinKeyed() {
        const KeyingRoute route = Form->findChild<TransmitterFeature*>()->Keying().Route();
        const std::uint16_t control = Port->Registers[kLpt1Control];
        return control == PinControlValue(control, route.PinChoice, route.NegativeLogic, true) &&
               control != PinControlValue(control, route.PinChoice, route.NegativeLogic, false);
    }
    bool OnAir() { return Form->ControlsBox().LedOn->property("lit").toBool(); }
    bool CwKeyed() { return UsesLpt() ? PinKeyed() : LineUp(Line::Rts); }

    ::testing::AssertionResult TransmitterIdle() {
        std::string keyed;
        if (LineUp(Line::Dtr)) {
            keyed += " DTR";
        }
        if (LineUp(Line::Rts)) {
            keyed += " RTS";
        }
        if (UsesLpt() && PinKeyed()) {
            keyed += " pin";
        }
        if (OnAir()) {
            keyed += " LED";
        }
        if (keyed.empty()) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << "still on:" << keyed;
    }

    ManualOneShotTimer* CwTimer = nullptr;
    Wiring Used = Wiring::SerialPttDtrCwRts;
};

const std::vector<Ending>& Endings() {
    using T = TransmitterIdleTest;
    auto click = [](const char* button) { return [button](T& t) { t.Click(button); }; };
    static const std::vector<Ending> endings = {
        {.Name = "TypedTextEnds", .Start = [](T& t) { t.Type("0"); }},
        {.Name = "ReplayEnds",
         .Start =
             [](T& t) {
                 t.Trigger("MenuDelayedPlay");
                 t.Type("00");
                 t.Click("ButtonReplayText");
             }},
        {.Name = "Stop", .Start = &T::Type3, .End = click("ButtonStop"), .IdleAtOnce = true},
        {.Name = "Escape",
         .Start = &T::Type3,
         .End = [](T& t) { QTest::keyClick(t.Box(), Qt::Key_Escape); },
         .IdleAtOnce = true},
        {.Name = "ModeChangeToRandom",
         .Start = &T::Type3,
         .End = click("RadioButtonRandom"),
         .IdleAtOnce = true},
        {.Name = "ModeChangeToQuiz", .Start = &T::Type3, .End = click("RadioButtonQuiz")},
        {.Name = "SidePanelOpened", .Start = &T::Type3, .End = [](T& t) { t.Trigger("MenuPort"); }},
        {.Name = "StopWithASidePanelOpen",
         .Start = &T::Type3,
         .End =
             [](T& t) {
                 t.Form->EspacePlusClick();
                 t.Click("ButtonStop");  // closes only the panel: the text plays on to its end
             }},
        {.Name = "QuitFromTheMenu",
         .Start = &T::Type3,
         .End = [](T& t) { t.Trigger("MenuOutilsQuit"); },
         .IdleAtOnce = true,
         .Quits = true},
        {.Name = "QuitWithTheCloseBox",
         .Start = &T::Type3,
         .End = [](T& t) { t.Form->close(); },
         .IdleAtOnce = true,
         .Quits = true},
        {.Name = "QuitWhileTheQuizWaitsForAnAnswer",
         .Start =
             [](T& t) {
                 t.StartQuiz();
                 t.Device.CompleteAll();
             },
         .End = [](T& t) { t.Trigger("MenuOutilsQuit"); },
         .KeyedBeforeEnd = false,
         .IdleAtOnce = true,
         .Quits = true},
        {.Name = "RandomSeriesEnds", .Start = &T::StartRandom},
        {.Name = "RandomSeriesStopped",
         .Start = &T::StartRandom,
         .End = click("BitBtnStopRandom"),
         .IdleAtOnce = true},
        {.Name = "QuizEnds", .Start = &T::StartQuiz, .PttStaysOff = true},
        {.Name = "QuizStopped",
         .Start = &T::StartQuiz,
         .End = click("ButtonQuizStop"),
         .IdleAtOnce = true,
         .PttStaysOff = true},
        {.Name = "DeviceRefusesTypedText",
         .Start =
             [](T& t) {
                 t.Device.FailWriteCode = 5;
                 t.Type3();
             },
         .KeyedBeforeEnd = false},
        {.Name = "DeviceRefusesARandomSeries",
         .Start =
             [](T& t) {
                 t.Device.FailWriteCode = 5;
                 t.StartRandom();
             },
         .KeyedBeforeEnd = false},
        {.Name = "NoSoundCard", .Start = &T::Type3, .NoSoundCard = true},
    };
    return endings;
}

TEST_P(TransmitterIdleTest, PlaybackEndsWithTheTransmitterIdle) {
    const auto [index, wiring] = GetParam();
    const Ending& ending = Endings().at(static_cast<std::size_t>(index));
    if (ending.NoSoundCard) {
        Device.FailOpenCode = 2;
    }
    Create();
    Wire(wiring);
    ASSERT_TRUE(TransmitterIdle());

    ending.Start(*this);
    LetTxDelayRunOut();
    if (ending.KeyedBeforeEnd) {
        ASSERT_TRUE(CwKeyed()) << "the case keys nothing";
        ASSERT_TRUE(OnAir());
        if (wiring != Wiring::LptCwAlone && !ending.PttStaysOff) {
            EXPECT_TRUE(LineUp(Line::Dtr)) << "PTT is not on";
        }
    }
    const std::size_t writesBeforeEnd = Device.History.size();
    if (ending.End) {
        ending.End(*this);
        if (ending.IdleAtOnce) {
            EXPECT_TRUE(TransmitterIdle()) << "right after the ending";
        }
        if (ending.Quits) {
            EXPECT_TRUE(Terminated);
            EXPECT_FALSE(AnyWindowTimerRuns()) << "something goes on after quitting";
        }
    }
    Settle();
    EXPECT_TRUE(TransmitterIdle()) << "once everything has come to rest";
    EXPECT_FALSE(CwTimer->Enabled()) << "the element sequencer still runs";
    if (ending.Quits) {
        EXPECT_EQ(Device.History.size(), writesBeforeEnd) << "played after quitting";
    }
}

std::string EndingName(const ::testing::TestParamInfo<std::tuple<int, Wiring>>& info) {
    static const char* const kWirings[] = {"SerialPttDtrCwRts", "SerialPttLptCw", "LptCwAlone"};
    return std::string(Endings().at(static_cast<std::size_t>(std::get<0>(info.param))).Name) + "_" +
           kWirings[static_cast<int>(std::get<1>(info.param))];
}

INSTANTIATE_TEST_SUITE_P(EveryEndingEveryWiring, TransmitterIdleTest,
                         ::testing::Combine(::testing::Range(0, static_cast<int>(Endings().size())),
                                            ::testing::Values(Wiring::SerialPttDtrCwRts,
                                                              Wiring::SerialPttLptCw, Wiring::LptCwAlone)),
                         EndingName);

}  // namespace
}  // namespace kelvaro::test
