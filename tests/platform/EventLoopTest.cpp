// The command-line tool's window thread: posted work in order, Quit, and timers that tick on it.
#include "platform/EventLoop.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace kelvaro {
namespace {

using SteadyClock = std::chrono::steady_clock;

double MsSince(SteadyClock::time_point start) {
    return std::chrono::duration<double, std::milli>(SteadyClock::now() - start).count();
}

TEST(EventLoopTest, PostedWorkRunsInOrderOnTheThreadThatRuns) {
    EventLoop loop;
    constexpr int kPerThread = 200;
    std::vector<int> seen;
    std::vector<std::thread::id> threads;
    auto postFrom = [&](int first) {
        for (int i = first; i < first + kPerThread; ++i) {
            loop.Post([&, i] {
                seen.push_back(i);
                threads.push_back(std::this_thread::get_id());
            });
        }
    };
    std::thread a(postFrom, 0);
    std::thread b(postFrom, 1000);
    const bool allRan = loop.RunUntil([&] { return seen.size() == 2 * kPerThread; }, 5000);
    a.join();
    b.join();

    ASSERT_TRUE(allRan);
    int lastA = -1;
    int lastB = 999;
    for (const int value : seen) {
        int& last = value < 1000 ? lastA : lastB;
        EXPECT_EQ(value, last + 1);
        last = value;
    }
    for (const auto id : threads) {
        EXPECT_EQ(id, std::this_thread::get_id());
    }
}

TEST(EventLoopTest, QuitFromAnotherThreadEndsRun) {
    EventLoop loop;
    std::atomic<bool> running = false;
    loop.Post([&] { running = true; });
    std::thread quitter([&] {
        while (!running) {
            std::this_thread::yield();
        }
        loop.Quit();
    });
    loop.Run();
    quitter.join();
    EXPECT_TRUE(running);
}

TEST(EventLoopTest, QuitKeepsQueuedWorkForTheNextRun) {
    EventLoop loop;
    std::vector<int> order;
    loop.Post([&] {
        order.push_back(1);
        loop.Post([&] { order.push_back(3); });
        loop.Quit();
    });
    loop.Post([&] { order.push_back(2); });
    loop.Run();
    EXPECT_EQ(order, (std::vector<int>{1}));
    loop.Quit();  // made while no Run is going on: the next Run returns at once
    loop.Run();
    EXPECT_EQ(order, (std::vector<int>{1}));
    loop.RunUntil([&] { return order.size() == 3; }, 1000);
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
}

TEST(EventLoopTest, TimerRepeatsAtItsIntervalOnTheLoopThread) {
    EventLoop loop;
    auto timer = loop.CreateTimer();
    std::vector<double> tickMs;
    const auto testThread = std::this_thread::get_id();
    const auto start = SteadyClock::now();
    timer->SetOnTimer([&] {
        EXPECT_EQ(std::this_thread::get_id(), testThread);
        tickMs.push_back(MsSince(start));
    });
    timer->SetIntervalMs(20);
    timer->SetEnabled(true);
    ASSERT_TRUE(loop.RunUntil([&] { return tickMs.size() == 4; }, 2000));
    EXPECT_GE(tickMs[0], 20.0);
    for (std::size_t i = 1; i < tickMs.size(); ++i) {
        EXPECT_GT(tickMs[i], tickMs[i - 1]) << "tick " << i;
    }
    EXPECT_GE(tickMs.back(), 80.0);
    EXPECT_TRUE(timer->Enabled());
}

TEST(EventLoopTest, EnablingAnEnabledTimerDoesNotRestartIt) {
    EventLoop loop;
    auto timer = loop.CreateTimer();
    auto helper = loop.CreateTimer();
    double firstTickMs = 0.0;
    const auto start = SteadyClock::now();
    timer->SetOnTimer([&] { firstTickMs = MsSince(start); });
    timer->SetIntervalMs(400);
    timer->SetEnabled(true);
    helper->SetOnTimer([&] {
        timer->SetEnabled(true);
        helper->SetEnabled(false);
    });
    helper->SetIntervalMs(200);
    helper->SetEnabled(true);
    ASSERT_TRUE(loop.RunUntil([&] { return firstTickMs > 0.0; }, 2000));
    // Wide margins: a loaded machine may run the helper late, and a restart still shows.
    EXPECT_GE(firstTickMs, 400.0);
    EXPECT_LT(firstTickMs, 560.0) << "a restart would tick at 600 ms or later";
}

TEST(EventLoopTest, DisablingDropsATickThatIsAlreadyDue) {
    EventLoop loop;
    auto timer = loop.CreateTimer();
    auto noInterval = loop.CreateTimer();
    int ticks = 0;
    timer->SetOnTimer([&] { ++ticks; });
    noInterval->SetOnTimer([&] { ++ticks; });
    noInterval->SetEnabled(true);  // an interval of 0 never ticks
    loop.Post([&] {
        timer->SetIntervalMs(1);
        timer->SetEnabled(true);
        // The tick falls due while the window thread is busy here.
        const auto busyUntil = SteadyClock::now() + std::chrono::milliseconds(5);
        while (SteadyClock::now() < busyUntil) {
        }
        timer->SetEnabled(false);
    });
    loop.RunUntil([] { return false; }, 30);
    EXPECT_EQ(ticks, 0);
    EXPECT_FALSE(timer->Enabled());
}

TEST(EventLoopTest, TimerMayDestroyItselfInItsTick) {
    EventLoop loop;
    auto timer = loop.CreateTimer();
    int ticks = 0;
    timer->SetOnTimer([&] {
        ++ticks;
        timer.reset();
    });
    timer->SetIntervalMs(2);
    timer->SetEnabled(true);
    loop.RunUntil([] { return false; }, 30);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(timer, nullptr);
}

TEST(EventLoopTest, TimerMayOutliveItsLoop) {
    std::unique_ptr<WindowTimer> timer;
    int ticks = 0;
    {
        EventLoop loop;
        timer = loop.CreateTimer();
        timer->SetOnTimer([&] { ++ticks; });
        timer->SetIntervalMs(1);
        timer->SetEnabled(true);
    }
    EXPECT_FALSE(timer->Enabled());
    timer->SetEnabled(true);
    timer.reset();
    EXPECT_EQ(ticks, 0);
}

}  // namespace
}  // namespace kelvaro
