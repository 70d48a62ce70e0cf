// PTT and CW keying through the real timer thread, seen on time-stamped serial lines.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>

#include "core/ElementTiming.h"
#include "core/KeyingSchedule.h"
#include "platform/EventLoop.h"
#include "platform/LinuxOneShotTimer.h"
#include "support/FakePortAccess.h"
#include "support/ManualClock.h"
#include "support/ManualDispatcher.h"
#include "support/ManualTimer.h"
#include "support/RecordingLines.h"
#include "transmitter/PortTexts.h"
#include "transmitter/TransmitterKeyer.h"

namespace kelvaro {
namespace {

using Line = test::RecordingLines::Line;

constexpr std::int64_t kNsPerMs = 1'000'000;
/// Shared CI machines: every duration is checked to within this much.
constexpr std::int64_t kToleranceNs = 40 * kNsPerMs;

KeyingSchedule ScheduleFor(const char* pattern, int speedWpm) {
    KeyingSchedule schedule = KeyingSchedule::For(ElementTiming::For(speedWpm, 3, false), true, false);
    schedule.BeginCharacter();
    for (const char* element = pattern; *element != '\0'; ++element) {
        schedule.AddElement(*element == '-');
    }
    schedule.CloseCharacter();
    return schedule;
}

KeyingRoute PttOnDtrCwOnRts() {
    KeyingRoute route;
    route.PttLineMask = kDtrBit;
    route.CwLineMask = kRtsBit;
    return route;
}

/// The keyer on the real timer thread, with a real window loop for the TX delay.
class RealTimeKeying : public ::testing::Test {
protected:
    void SetUp() override {
        TxDelay = Loop.CreateTimer();
        Keyer = std::make_unique<TransmitterKeyer>(Lines, Port, std::make_unique<LinuxOneShotTimer>(),
                                                   *TxDelay, Loop, Clock);
        Keyer->SetRoute(PttOnDtrCwOnRts());
        ASSERT_TRUE(Keyer->OpenComPort("/dev/recording").Ok());
        Keyer->StartPlayback = [this] {
            Keyer->CwKeyDown(Character, false);
            Started = true;
        };
    }

    /// Runs the window loop until the RTS line has made count edges.
    bool WaitForRtsEdges(std::size_t count) {
        return Loop.RunUntil([&] { return Lines.EdgesOf(Line::Rts).size() >= count; }, 3000);
    }

    test::RecordingLines Lines;
    test::FakePortAccess Port;
    EventLoop Loop;
    test::ManualClock Clock;
    std::unique_ptr<WindowTimer> TxDelay;
    std::unique_ptr<TransmitterKeyer> Keyer;
    KeyingSchedule Character;
    bool Started = false;
};

TEST_F(RealTimeKeying, CharacterAFollowsDotGapDashOnRtsWithPttOnDtr) {
    Character = ScheduleFor(".-", 20);
    ASSERT_EQ(Character.ElementList, (std::vector<int>{57, -57, 170, 0}));
    Keyer->SetTxDelayMs(TxDelayMsForChoice(0));
    ASSERT_TRUE(Keyer->PttOn());
    ASSERT_TRUE(WaitForRtsEdges(4));
    // Let a stray late edge show itself before counting.
    Loop.RunUntil([] { return false; }, 250);

    const auto dtr = Lines.EdgesOf(Line::Dtr);
    ASSERT_EQ(dtr.size(), 1U);
    EXPECT_TRUE(dtr[0].Raised);
    const auto rts = Lines.EdgesOf(Line::Rts);
    ASSERT_EQ(rts.size(), 4U);
    EXPECT_TRUE(rts[0].Raised);
    EXPECT_FALSE(rts[1].Raised);
    EXPECT_TRUE(rts[2].Raised);
    EXPECT_FALSE(rts[3].Raised);
    EXPECT_NEAR(rts[1].TimeNs - rts[0].TimeNs, 57 * kNsPerMs, kToleranceNs);
    EXPECT_NEAR(rts[2].TimeNs - rts[1].TimeNs, 57 * kNsPerMs, kToleranceNs);
    EXPECT_NEAR(rts[3].TimeNs - rts[2].TimeNs, 170 * kNsPerMs, kToleranceNs);
    // The key-up at the 0 entry leaves the timer stopped: the whole character took its time.
    EXPECT_NEAR(rts[3].TimeNs - rts[0].TimeNs, 284 * kNsPerMs, kToleranceNs);
}

class TxDelayTest : public RealTimeKeying, public ::testing::WithParamInterface<int> {};

TEST_P(TxDelayTest, PttLeadsTheFirstKeyDownByTheDelay) {
    const int choice = GetParam();
    Character = ScheduleFor(".", 30);
    Keyer->SetTxDelayMs(TxDelayMsForChoice(choice));
    ASSERT_TRUE(Keyer->PttOn());
    EXPECT_TRUE(Keyer->TxDelayRunning());
    ASSERT_TRUE(WaitForRtsEdges(1));
    const auto dtr = Lines.EdgesOf(Line::Dtr);
    const auto rts = Lines.EdgesOf(Line::Rts);
    ASSERT_EQ(dtr.size(), 1U);
    const std::int64_t leadNs = rts[0].TimeNs - dtr[0].TimeNs;
    const std::int64_t delayNs = TxDelayMsForChoice(choice) * kNsPerMs;
    EXPECT_GE(leadNs, delayNs - kNsPerMs);
    EXPECT_LT(leadNs, delayNs + kToleranceNs);
    EXPECT_FALSE(Keyer->TxDelayRunning());
}

INSTANTIATE_TEST_SUITE_P(FirstAndLastChoice, TxDelayTest, ::testing::Values(0, 4));

TEST_F(RealTimeKeying, StoppingTheSequencerMidDashReleasesTheLineForGood) {
    Character = ScheduleFor("---", 10);
    Keyer->CwKeyDown(Character, false);  // the first dash lasts 340 ms
    Keyer->StopElementSequencer();
    const auto stopped = Lines.EdgesOf(Line::Rts);
    ASSERT_EQ(stopped.size(), 2U);
    EXPECT_TRUE(stopped[0].Raised);
    EXPECT_FALSE(stopped[1].Raised);
    Loop.RunUntil([] { return false; }, 500);
    EXPECT_EQ(Lines.EdgesOf(Line::Rts).size(), 2U);  // the rest of the list keys nothing
}

TEST_F(RealTimeKeying, PttOffMidCharacterLeavesNothingToKeyAgain) {
    Character = ScheduleFor("--", 10);
    Keyer->CwKeyDown(Character, false);  // the first dash lasts 340 ms
    Keyer->PttOff();
    Loop.RunUntil([] { return false; }, 900);  // past the gap and the second dash
    const auto rts = Lines.EdgesOf(Line::Rts);
    ASSERT_EQ(rts.size(), 2U);
    EXPECT_FALSE(rts.back().Raised);
}

/// The same keyer where the test drives the window side by hand.
class KeyerTest : public ::testing::Test {
protected:
    void SetUp() override {
        Keyer.SetRoute(PttOnDtrCwOnRts());
        Keyer.StartPlayback = [this] { ++Starts; };
        Keyer.ShowOnAir = [this](bool on) { OnAir = on; };
        Keyer.OnPortLost = [this] { ++LostReports; };
    }

    test::RecordingLines Lines;
    test::FakePortAccess Port;
    test::ManualTimer TxDelay;
    test::ManualDispatcher Window;
    test::ManualClock Clock;
    TransmitterKeyer Keyer{Lines, Port, std::make_unique<LinuxOneShotTimer>(), TxDelay, Window, Clock};
    int Starts = 0;
    int LostReports = 0;
    bool OnAir = false;
};

TEST_F(KeyerTest, SecondPttOnTouchesNothing) {
    ASSERT_TRUE(Keyer.OpenComPort("/dev/recording").Ok());
    EXPECT_TRUE(Keyer.PttOn());
    EXPECT_TRUE(OnAir);
    EXPECT_TRUE(TxDelay.Tick());
    EXPECT_EQ(Starts, 1);
    const std::size_t changes = Lines.Changes().size();
    EXPECT_FALSE(Keyer.PttOn());
    EXPECT_EQ(Lines.Changes().size(), changes);
    EXPECT_FALSE(TxDelay.Enabled());
}

TEST_F(KeyerTest, NoPttWithoutAPortOrWithoutPttLines) {
    EXPECT_FALSE(Keyer.PttOn());
    ASSERT_TRUE(Keyer.OpenComPort("/dev/recording").Ok());
    KeyingRoute route = PttOnDtrCwOnRts();
    route.PttLineMask = 0;
    Keyer.SetRoute(route);
    EXPECT_FALSE(Keyer.PttOn());
    EXPECT_TRUE(Lines.Changes().empty());
    EXPECT_FALSE(TxDelay.Enabled());
}

TEST_F(KeyerTest, PttOffDropsBothLinesWhateverTheMasks) {
    ASSERT_TRUE(Keyer.OpenComPort("/dev/recording").Ok());
    Keyer.PttOn();
    Keyer.PttOff();
    EXPECT_FALSE(OnAir);
    EXPECT_FALSE(Keyer.PttActive());
    const auto changes = Lines.Changes();
    ASSERT_EQ(changes.size(), 3U);
    EXPECT_EQ(changes[1].Which, Line::Dtr);
    EXPECT_FALSE(changes[1].Raised);
    EXPECT_EQ(changes[2].Which, Line::Rts);
    EXPECT_FALSE(changes[2].Raised);
}

TEST_F(KeyerTest, ABlankKeysNothing) {
    ASSERT_TRUE(Keyer.OpenComPort("/dev/recording").Ok());
    KeyingSchedule blank = ScheduleFor("", 20);
    Keyer.CwKeyDown(blank, false);
    blank.ElementList = {0};
    Keyer.CwKeyDown(blank, false);
    EXPECT_TRUE(Lines.Changes().empty());
    EXPECT_FALSE(OnAir);
}

TEST_F(KeyerTest, HandKeyHoldsTheLineUntilKeyUp) {
    ASSERT_TRUE(Keyer.OpenComPort("/dev/recording").Ok());
    Keyer.CwKeyDown(KeyingSchedule{}, true);
    EXPECT_TRUE(OnAir);
    Keyer.StopElementSequencer();  // the sidetone's buffer ran out while the key is held
    EXPECT_EQ(Lines.EdgesOf(Line::Rts).size(), 1U);
    Keyer.CwKeyUp();
    const auto rts = Lines.EdgesOf(Line::Rts);
    ASSERT_EQ(rts.size(), 2U);
    EXPECT_TRUE(rts[0].Raised);
    EXPECT_FALSE(rts[1].Raised);
    EXPECT_TRUE(Lines.EdgesOf(Line::Dtr).empty());
}

TEST_F(KeyerTest, KeyingNeedsACwLineOrAnLptPin) {
    EXPECT_FALSE(Keyer.KeyingConfigured());
    ASSERT_TRUE(Keyer.OpenComPort("/dev/recording").Ok());
    EXPECT_TRUE(Keyer.KeyingConfigured());
    KeyingRoute route = PttOnDtrCwOnRts();
    route.CwLineMask = 0;
    Keyer.SetRoute(route);
    EXPECT_FALSE(Keyer.KeyingConfigured());
    route.LptInUse = true;
    Keyer.SetRoute(route);
    EXPECT_TRUE(Keyer.KeyingConfigured());
}

TEST_F(KeyerTest, LptPinFollowsTheHandKeyFromTheLastReadControl) {
    KeyingRoute route;
    route.LptInUse = true;
    route.PinChoice = 2;  // pin 16
    route.NegativeLogic = false;
    route.ActivePortAddress = 0x378;
    route.LptControl = 0x0B;
    Keyer.SetRoute(route);
    Keyer.CwKeyDown(KeyingSchedule{}, true);
    Keyer.CwKeyUp();
    ASSERT_EQ(Port.Writes.size(), 2U);
    EXPECT_EQ(Port.Writes[0], std::make_pair(std::uint16_t{0x37A}, std::uint16_t{0x0F}));
    EXPECT_EQ(Port.Writes[1], std::make_pair(std::uint16_t{0x37A}, std::uint16_t{0x0B}));
}

TEST_F(KeyerTest, APortThatGoesAwayIsReportedOnceAndCountsAsOff) {
    ASSERT_TRUE(Keyer.OpenComPort("/dev/recording").Ok());
    Keyer.PttOn();
    Lines.Unplug();
    Keyer.CwKeyDown(KeyingSchedule{}, true);
    Keyer.CwKeyUp();
    Keyer.PttOff();
    EXPECT_EQ(Window.RunAll(), 1);
    EXPECT_EQ(LostReports, 1);
    EXPECT_FALSE(OnAir);
    EXPECT_FALSE(Keyer.PttActive());
    EXPECT_FALSE(Keyer.ComOpen());
    EXPECT_FALSE(Keyer.KeyingConfigured());
    EXPECT_FALSE(Keyer.PttOn());
    EXPECT_EQ(Lines.FailedWrites, 1);  // nothing more was tried after the first failure
    Keyer.CloseComPort();
    EXPECT_EQ(Lines.Closes, 1);
}

TEST_F(KeyerTest, AFailedOpenLeavesNoPort) {
    Lines.FailOpen = true;
    EXPECT_FALSE(Keyer.OpenComPort("/dev/missing").Ok());
    EXPECT_FALSE(Keyer.ComOpen());
    EXPECT_FALSE(Keyer.PttOn());
}

}  // namespace
}  // namespace kelvaro
