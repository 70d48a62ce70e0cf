// Keying led by the sound output's latency: each character's list starts when its sound is
// heard, never cuts the previous character's list, and every stop drops the one waiting.
#include <gtest/gtest.h>

#include <memory>

#include "core/ElementTiming.h"
#include "core/KeyingSchedule.h"
#include "support/FakePortAccess.h"
#include "support/ManualClock.h"
#include "support/ManualDispatcher.h"
#include "support/ManualOneShotTimer.h"
#include "support/ManualTimer.h"
#include "support/RecordingLines.h"
#include "transmitter/TransmitterKeyer.h"

namespace kelvaro {
namespace {

using Line = test::RecordingLines::Line;

constexpr int kLeadMs = 90;

/// 20 wpm: dot 57 ms, gap 57 ms, dash 170 ms.
KeyingSchedule Led(const char* pattern, int leadMs = kLeadMs) {
    KeyingSchedule schedule = KeyingSchedule::For(ElementTiming::For(20, 3, false), true, false);
    schedule.BeginCharacter();
    for (const char* element = pattern; *element != '\0'; ++element) {
        schedule.AddElement(*element == '-');
    }
    schedule.CloseCharacter();
    schedule.LeadMs = leadMs;
    return schedule;
}

class KeyingLeadTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto timer = std::make_unique<test::ManualOneShotTimer>();
        CwTimer = timer.get();
        Keyer = std::make_unique<TransmitterKeyer>(Lines, Port, std::move(timer), TxDelay, Window, Clock);
        KeyingRoute route;
        route.PttLineMask = kDtrBit;
        route.CwLineMask = kRtsBit;
        Keyer->SetRoute(route);
        ASSERT_TRUE(Keyer->OpenComPort("/dev/recording").Ok());
    }

    /// The CW timer's event, on time.
    void Fire() {
        ASSERT_TRUE(CwTimer->Enabled());
        Clock.AdvanceMs(CwTimer->IntervalMs());
        CwTimer->Fire();
    }
    bool RtsUp() const {
        const auto edges = Lines.EdgesOf(Line::Rts);
        return !edges.empty() && edges.back().Raised;
    }
    std::size_t RtsEdges() const { return Lines.EdgesOf(Line::Rts).size(); }
    bool DtrUp() const {
        const auto edges = Lines.EdgesOf(Line::Dtr);
        return !edges.empty() && edges.back().Raised;
    }

    test::RecordingLines Lines;
    test::FakePortAccess Port;
    test::ManualTimer TxDelay;
    test::ManualDispatcher Window;
    test::ManualClock Clock;
    test::ManualOneShotTimer* CwTimer = nullptr;
    std::unique_ptr<TransmitterKeyer> Keyer;
};

TEST_F(KeyingLeadTest, LineWaitsForTheLeadThenFollowsTheList) {
    Keyer->CwKeyDown(Led(".-"), false);
    EXPECT_EQ(RtsEdges(), 0U);
    EXPECT_EQ(CwTimer->IntervalMs(), kLeadMs);

    Fire();  // the lead has passed: dot
    EXPECT_TRUE(RtsUp());
    EXPECT_EQ(CwTimer->IntervalMs(), 57);
    Fire();  // gap
    EXPECT_FALSE(RtsUp());
    Fire();  // dash
    EXPECT_TRUE(RtsUp());
    EXPECT_EQ(CwTimer->IntervalMs(), 170);
    Fire();  // end of the list
    EXPECT_FALSE(RtsUp());
    EXPECT_FALSE(CwTimer->Enabled());
    EXPECT_EQ(RtsEdges(), 4U);

    // Without a lead the line goes down at once, as before.
    Keyer->CwKeyDown(Led(".", 0), false);
    EXPECT_TRUE(RtsUp());
    EXPECT_EQ(CwTimer->IntervalMs(), 57);
}

TEST_F(KeyingLeadTest, NextCharacterWaitsForTheRunningListAndItsOwnStart) {
    // Its start time has come before the running list ends: it follows right after it.
    Keyer->CwKeyDown(Led(".-"), false);
    Fire();  // dot
    Clock.AdvanceMs(3);
    Keyer->CwKeyDown(Led("-"), false);  // starts 90 ms from now, while the dash still keys
    EXPECT_TRUE(RtsUp());
    ASSERT_TRUE(CwTimer->Enabled());  // the dot still times: not cut
    Clock.AdvanceMs(54);
    CwTimer->Fire();  // gap
    EXPECT_FALSE(RtsUp());
    Fire();  // dash of the first character
    EXPECT_TRUE(RtsUp());
    EXPECT_EQ(CwTimer->IntervalMs(), 170);
    Fire();  // the first ends, the second's start time is past: its dash begins at once
    EXPECT_TRUE(RtsUp());
    EXPECT_EQ(RtsEdges(), 5U);
    EXPECT_EQ(CwTimer->IntervalMs(), 170);
    Fire();
    EXPECT_FALSE(RtsUp());
    EXPECT_FALSE(CwTimer->Enabled());

    // Its start time comes after the running list ends: the line waits for it. A newer
    // character handed over meanwhile replaces the waiting one.
    Lines.Clear();
    Keyer->CwKeyDown(Led("."), false);
    Fire();  // dot, 57 ms
    Clock.AdvanceMs(10);
    Keyer->CwKeyDown(Led("-"), false);
    Clock.AdvanceMs(10);
    Keyer->CwKeyDown(Led("."), false);  // starts 90 ms from now
    Clock.AdvanceMs(37);
    CwTimer->Fire();  // the dot ends
    EXPECT_EQ(RtsEdges(), 2U);
    EXPECT_FALSE(RtsUp());
    EXPECT_EQ(CwTimer->IntervalMs(), 90 - 37);
    Fire();
    EXPECT_TRUE(RtsUp());
    EXPECT_EQ(CwTimer->IntervalMs(), 57);  // the newer dot, not the replaced dash
    Fire();
    EXPECT_FALSE(RtsUp());
    EXPECT_FALSE(CwTimer->Enabled());
}

TEST_F(KeyingLeadTest, StopAndPttOffDropTheWaitingCharacter) {
    for (const bool byPttOff : {false, true}) {
        SCOPED_TRACE(byPttOff ? "PttOff" : "StopElementSequencer");
        auto stop = [&] { byPttOff ? Keyer->PttOff() : Keyer->StopElementSequencer(); };

        // Waiting for its lead on an idle line.
        Lines.Clear();
        Keyer->CwKeyDown(Led("."), false);
        stop();
        EXPECT_FALSE(CwTimer->Fire());
        EXPECT_EQ(RtsEdges(), 0U);

        // Waiting behind a running list.
        Keyer->CwKeyDown(Led("-"), false);
        Fire();
        Keyer->CwKeyDown(Led("."), false);
        ASSERT_TRUE(RtsUp());
        stop();
        EXPECT_FALSE(RtsUp());
        EXPECT_FALSE(CwTimer->Fire());
        Clock.AdvanceMs(1000);
        EXPECT_FALSE(CwTimer->Fire());
        EXPECT_FALSE(RtsUp());
        EXPECT_EQ(RtsEdges(), 2U);
    }
}

TEST_F(KeyingLeadTest, PlayedOutPttWaitsForTheLastCharacterButStopDropsAtOnce) {
    bool onAir = false;
    Keyer->ShowOnAir = [&](bool on) { onAir = on; };

    // The device returned the last buffer while the character still waits for its lead.
    ASSERT_TRUE(Keyer->PttOn());
    Keyer->CwKeyDown(Led("-."), false);
    Keyer->PttOffAfterKeying();
    EXPECT_TRUE(DtrUp());
    EXPECT_TRUE(onAir);
    Fire();  // the lead has passed: dash
    EXPECT_TRUE(RtsUp());
    Fire();  // gap
    Fire();  // dot
    EXPECT_TRUE(RtsUp());
    EXPECT_TRUE(DtrUp());
    EXPECT_EQ(RtsEdges(), 3U);
    Fire();  // the list ends: PTT drops with it, the LED on the window thread
    EXPECT_FALSE(RtsUp());
    EXPECT_FALSE(DtrUp());
    EXPECT_FALSE(CwTimer->Enabled());
    EXPECT_TRUE(onAir);
    EXPECT_EQ(Window.RunAll(), 1);
    EXPECT_FALSE(onAir);
    EXPECT_FALSE(Keyer->PttActive());

    // Nothing left to key: at once.
    ASSERT_TRUE(Keyer->PttOn());
    Keyer->PttOffAfterKeying();
    EXPECT_FALSE(DtrUp());
    EXPECT_FALSE(onAir);

    // Stop while the last character waits: everything drops at once, nothing keys later.
    Lines.Clear();
    ASSERT_TRUE(Keyer->PttOn());
    Keyer->CwKeyDown(Led("-"), false);
    Keyer->PttOffAfterKeying();
    Keyer->PttOff();
    EXPECT_FALSE(DtrUp());
    EXPECT_FALSE(onAir);
    EXPECT_FALSE(CwTimer->Fire());
    EXPECT_EQ(RtsEdges(), 0U);  // never keyed
    EXPECT_EQ(Window.RunAll(), 0);

    // The keying stopped by the engine while PTT waits for it: PTT drops with it.
    ASSERT_TRUE(Keyer->PttOn());
    Keyer->CwKeyDown(Led("-"), false);
    Keyer->PttOffAfterKeying();
    Keyer->StopElementSequencer();
    EXPECT_FALSE(DtrUp());
    EXPECT_EQ(Window.RunAll(), 1);
    EXPECT_FALSE(onAir);
    EXPECT_FALSE(Keyer->PttActive());
}

}  // namespace
}  // namespace kelvaro
