// However a held key, Ctrl key or paddle is let go (key up, another mode, another source, the
// joystick unplugged, the focus lost, Stop, Escape, a side panel, quit), the sidetone stops,
// the CW line goes idle and nothing stays held.
#include <QPushButton>
#include <functional>

#include "MonitorFixture.h"
#include "ui/TextPane.h"

namespace kelvaro::test {
namespace {

class HeldKeySafetyTest;

struct WayIn {
    const char* Name;
    const char* Source;
    std::function<void(HeldKeySafetyTest&)> Press;
    std::function<void(HeldKeySafetyTest&)> Release;
    bool Joystick = true;
    bool Paddle = false;
};

struct WayOut {
    const char* Name;
    /// Empty: the way in's own release.
    std::function<void(HeldKeySafetyTest&)> Leave = {};
    bool NeedsJoystick = false;
    bool OnlyCtrl = false;
    bool Quits = false;
};

class HeldKeySafetyTest : public MonitorFixture {
public:
    using MonitorFixture::Button;
    using MonitorFixture::Click;
    using MonitorFixture::Ctrl;
    using MonitorFixture::Form;
    using MonitorFixture::PullJoystickOut;
    using MonitorFixture::Trigger;
    void Escape() { QTest::keyClick(Form.get(), Qt::Key_Escape); }
    void FocusAway() {
        QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
        QApplication::sendEvent(Box(), &away);
    }
};

const std::vector<WayIn>& WaysIn() {
    static const std::vector<WayIn> ways = {
        {"straight key on the joystick", "RadioButtonPioche", [](HeldKeySafetyTest& t) { t.Button(1, true); },
         [](HeldKeySafetyTest& t) { t.Button(1, false); }},
        {"Ctrl key", "RadioButtonCTRL", [](HeldKeySafetyTest& t) { t.Ctrl(true); },
         [](HeldKeySafetyTest& t) { t.Ctrl(false); }, false},
        {"dash paddle", "RadioButtonElKeyN", [](HeldKeySafetyTest& t) { t.Button(1, true); },
         [](HeldKeySafetyTest& t) { t.Button(1, false); }, true, true},
        {"dot paddle", "RadioButtonElKeyN", [](HeldKeySafetyTest& t) { t.Button(2, true); },
         [](HeldKeySafetyTest& t) { t.Button(2, false); }, true, true},
        {"reversed dot paddle", "RadioButtonElKeyR", [](HeldKeySafetyTest& t) { t.Button(1, true); },
         [](HeldKeySafetyTest& t) { t.Button(1, false); }, true, true},
        {"reversed dash paddle", "RadioButtonElKeyR", [](HeldKeySafetyTest& t) { t.Button(2, true); },
         [](HeldKeySafetyTest& t) { t.Button(2, false); }, true, true},
    };
    return ways;
}

const std::vector<WayOut>& WaysOut() {
    static const std::vector<WayOut> ways = {
        {"key up"},
        {"another mode", [](HeldKeySafetyTest& t) { t.Click("RadioButtonRandom"); }},
        {"another source", [](HeldKeySafetyTest& t) { t.Click("RadioButtonLC"); }},
        {"another key source", [](HeldKeySafetyTest& t) { t.Click("RadioButtonCTRL"); }},
        {"joystick unplugged", [](HeldKeySafetyTest& t) { t.PullJoystickOut(); }, true},
        {"focus lost", [](HeldKeySafetyTest& t) { t.FocusAway(); }, false, true},
        {"Stop", [](HeldKeySafetyTest& t) { t.Form->ButtonStopClick(); }},
        {"Escape", [](HeldKeySafetyTest& t) { t.Escape(); }},
        {"a side panel", [](HeldKeySafetyTest& t) { t.Form->EspacePlusClick(); }},
        {"quit", [](HeldKeySafetyTest& t) { t.Trigger("MenuOutilsQuit"); }, false, false, true},
    };
    return ways;
}

class HeldKeySafetyCase : public HeldKeySafetyTest,
                          public ::testing::WithParamInterface<std::tuple<int, int>> {};

TEST_P(HeldKeySafetyCase, EveryWayOutOfAHeldKeyLeavesNoToneNoKeyedLineAndNothingHeld) {
    const WayIn& in = WaysIn()[static_cast<std::size_t>(std::get<0>(GetParam()))];
    const WayOut& out = WaysOut()[static_cast<std::size_t>(std::get<1>(GetParam()))];
    if ((out.NeedsJoystick && !in.Joystick) || (out.OnlyCtrl && in.Joystick)) {
        GTEST_SKIP() << "does not apply";
    }
    SCOPED_TRACE(std::string(in.Name) + ", then " + out.Name);
    Prompts.Answer = false;  // Escape asks before quitting: stay
    CreateKeyed(in.Joystick);
    EnterMonitoring(in.Source);
    KeyClock.AdvanceMs(500);

    in.Press(*this);
    if (in.Paddle) {
        ASSERT_TRUE(Monitor->PaddleHeld());
        SidetoneDevice.CompleteNext();  // a second element follows while held
        ASSERT_EQ(SidetoneDevice.History.size(), 2u);
    } else {
        ASSERT_TRUE(Form->Engine().SidetoneActive());
        ASSERT_TRUE(Monitor->StraightKeyHeld());
    }
    ASSERT_TRUE(RtsKeyed());

    if (out.Leave) {
        out.Leave(*this);
    } else {
        in.Release(*this);
    }
    // What was already queued plays out; nothing more may follow.
    SidetoneDevice.CompleteAll(10);
    Device.CompleteAll(10);
    EXPECT_EQ(SidetoneDevice.PendingCount() + Device.PendingCount(), 0u);
    EXPECT_FALSE(Form->Engine().SidetoneActive());
    EXPECT_FALSE(Monitor->StraightKeyHeld());
    EXPECT_FALSE(Monitor->PaddleHeld());
    if (!out.Quits) {  // once quitting, the device's last reports change nothing
        EXPECT_TRUE(Form->Engine().PlayQueue().empty());
    }
    EXPECT_FALSE(RtsKeyed());
    EXPECT_EQ(Terminated, out.Quits);
}

INSTANTIATE_TEST_SUITE_P(EveryWayInEveryWayOut, HeldKeySafetyCase,
                         ::testing::Combine(::testing::Range(0, 6), ::testing::Range(0, 10)));

}  // namespace
}  // namespace kelvaro::test
