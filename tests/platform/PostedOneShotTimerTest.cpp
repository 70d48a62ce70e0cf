// The character timer's event reaches the window thread only for the arming it belongs to.
#include <gtest/gtest.h>

#include "platform/PostedOneShotTimer.h"
#include "support/ManualClock.h"
#include "support/ManualDispatcher.h"
#include "support/ManualOneShotTimer.h"

namespace kelvaro {
namespace {

class PostedOneShotTimerTest : public ::testing::Test {
protected:
    PostedOneShotTimerTest() {
        auto inner = std::make_unique<test::ManualOneShotTimer>();
        Inner = inner.get();
        Timer = std::make_unique<PostedOneShotTimer>(std::move(inner), WindowThread, Clock);
        Timer->SetOnTimer([this] { ++Ticks; });
    }
    void Start(int intervalMs) {
        Timer->SetEnabled(false);
        Timer->SetIntervalMs(intervalMs);
        Timer->SetEnabled(true);
    }
    /// The inner timer's event after its interval, then the window thread's turn.
    bool FireAfter(int ms) {
        Clock.AdvanceMs(ms);
        return Inner->Fire();
    }

    test::ManualDispatcher WindowThread;
    test::ManualClock Clock;
    test::ManualOneShotTimer* Inner = nullptr;
    std::unique_ptr<PostedOneShotTimer> Timer;
    int Ticks = 0;
};

TEST_F(PostedOneShotTimerTest, TheEventRunsOnTheWindowThreadOnce) {
    Start(250);
    EXPECT_EQ(Inner->IntervalMs(), 250);
    ASSERT_TRUE(FireAfter(250));
    EXPECT_EQ(Ticks, 0);  // nothing runs on the timer's thread
    EXPECT_EQ(WindowThread.RunAll(), 1);
    EXPECT_EQ(Ticks, 1);
    EXPECT_TRUE(Timer->Enabled());  // a one-shot event leaves the timer enabled, as the inner one
}

TEST_F(PostedOneShotTimerTest, StoppedOrRestartedAfterTheEventFiredDropsIt) {
    Start(250);
    ASSERT_TRUE(FireAfter(250));
    Timer->SetEnabled(false);  // a key went down before the window thread got the event
    WindowThread.RunAll();
    EXPECT_EQ(Ticks, 0);

    Start(250);
    ASSERT_TRUE(FireAfter(250));
    Start(500);  // restarted with the word interval before delivery
    WindowThread.RunAll();
    EXPECT_EQ(Ticks, 0);
    ASSERT_TRUE(FireAfter(500));
    WindowThread.RunAll();
    EXPECT_EQ(Ticks, 1);
}

TEST_F(PostedOneShotTimerTest, AnEventOfTheEarlierArmingArrivingAfterARestartIsDropped) {
    Start(250);
    Clock.AdvanceMs(250);
    Start(250);  // armed anew while the old event was on its way
    ASSERT_TRUE(Inner->Fire());
    WindowThread.RunAll();
    EXPECT_EQ(Ticks, 0);
    ASSERT_TRUE(FireAfter(250));
    WindowThread.RunAll();
    EXPECT_EQ(Ticks, 1);
}

TEST_F(PostedOneShotTimerTest, IntervalRulesAndALateEventAfterDestruction) {
    Start(100);
    Timer->SetIntervalMs(0);  // below the resolution: ignored
    EXPECT_EQ(Timer->IntervalMs(), 100);
    ASSERT_TRUE(FireAfter(100));
    Timer.reset();
    EXPECT_EQ(WindowThread.RunAll(), 1);
    EXPECT_EQ(Ticks, 0);
}

}  // namespace
}  // namespace kelvaro
