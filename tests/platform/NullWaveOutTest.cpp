// The silent sound output: buffers reported done after their real length, back to back, or at once on Reset.
#include "platform/NullWaveOut.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <vector>

#include "platform/EventLoop.h"
#include "support/ManualDispatcher.h"

namespace kelvaro {
namespace {

using SteadyClock = std::chrono::steady_clock;

std::vector<Sample> Silence(int frames) {
    return std::vector<Sample>(static_cast<std::size_t>(frames) * kChannels);
}

/// Frames that last ms milliseconds.
int FramesFor(int ms) {
    return kFrameRateHz * ms / 1000;
}

struct Report {
    int BufferId;
    double AtMs;
};

class NullWaveOutTimingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(
            Device
                .Open(WaveOut::kDefaultDevice,
                      [this](int bufferId) {
                          const double atMs =
                              std::chrono::duration<double, std::milli>(SteadyClock::now() - Start).count();
                          Reports.push_back({bufferId, atMs});
                      })
                .Ok());
    }

    bool RunUntilReports(std::size_t count) {
        return Loop.RunUntil([&] { return Reports.size() >= count; }, 2000);
    }

    EventLoop Loop;
    NullWaveOut Device{Loop};
    SteadyClock::time_point Start = SteadyClock::now();
    std::vector<Report> Reports;
};

TEST_F(NullWaveOutTimingTest, BuffersWrittenTogetherPlayBackToBack) {
    Start = SteadyClock::now();
    ASSERT_TRUE(Device.Write(1, Silence(FramesFor(60))).Ok());
    ASSERT_TRUE(Device.Write(2, Silence(FramesFor(30))).Ok());
    ASSERT_TRUE(RunUntilReports(2));
    EXPECT_EQ(Reports[0].BufferId, 1);
    EXPECT_EQ(Reports[1].BufferId, 2);
    EXPECT_GE(Reports[0].AtMs, 60.0);
    EXPECT_LT(Reports[0].AtMs, 60.0 + 200.0);
    EXPECT_GE(Reports[1].AtMs, 90.0);
    EXPECT_LT(Reports[1].AtMs, 90.0 + 200.0);
}

TEST_F(NullWaveOutTimingTest, BufferWrittenWhileAnotherPlaysStartsWhenThatOneEnds) {
    auto timer = Loop.CreateTimer();
    timer->SetOnTimer([&] {
        timer->SetEnabled(false);
        ASSERT_TRUE(Device.Write(2, Silence(FramesFor(30))).Ok());
    });
    Start = SteadyClock::now();
    ASSERT_TRUE(Device.Write(1, Silence(FramesFor(300))).Ok());
    timer->SetIntervalMs(150);
    timer->SetEnabled(true);
    ASSERT_TRUE(RunUntilReports(2));
    EXPECT_EQ(Reports[1].BufferId, 2);
    EXPECT_GE(Reports[1].AtMs, 330.0);
    EXPECT_LT(Reports[1].AtMs, 330.0 + 120.0) << "counted from its Write it would end at 480 ms";
}

TEST_F(NullWaveOutTimingTest, WriteToAnIdleDeviceAfterResetPlaysFromTheWrite) {
    ASSERT_TRUE(Device.Write(1, Silence(FramesFor(10000))).Ok());
    Start = SteadyClock::now();
    ASSERT_TRUE(Device.Reset().Ok());
    ASSERT_TRUE(Device.Write(2, Silence(FramesFor(20))).Ok());
    ASSERT_TRUE(RunUntilReports(2));
    EXPECT_EQ(Reports[0].BufferId, 1);
    EXPECT_LT(Reports[0].AtMs, 1000.0);  // at once, not after its 10 s
    EXPECT_EQ(Reports[1].BufferId, 2);
    EXPECT_GE(Reports[1].AtMs, 20.0);
    EXPECT_LT(Reports[1].AtMs, 1000.0);
}

class NullWaveOutReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        Device = std::make_unique<NullWaveOut>(Dispatcher);
        ASSERT_TRUE(Device->Open(3, [this](int bufferId) { Done.push_back(bufferId); }).Ok());
    }

    test::ManualDispatcher Dispatcher;
    std::unique_ptr<NullWaveOut> Device;
    std::vector<int> Done;
};

TEST_F(NullWaveOutReportTest, ResetAndCloseReportEveryPendingBufferOnceInOrder) {
    for (int id = 1; id <= 3; ++id) {
        ASSERT_TRUE(Device->Write(id, Silence(FramesFor(10000))).Ok());
    }
    ASSERT_TRUE(Device->Reset().Ok());
    ASSERT_TRUE(Device->Reset().Ok());
    ASSERT_TRUE(Device->Write(4, Silence(FramesFor(10000))).Ok());
    Device->Close();
    EXPECT_FALSE(Device->IsOpen());
    Dispatcher.RunAll();
    EXPECT_EQ(Done, (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(NullWaveOutReportTest, NothingIsReportedAfterTheDeviceIsDestroyed) {
    ASSERT_TRUE(Device->Write(1, Silence(FramesFor(10000))).Ok());
    ASSERT_TRUE(Device->Reset().Ok());
    Device.reset();
    EXPECT_EQ(Dispatcher.RunAll(), 1);
    EXPECT_TRUE(Done.empty());
}

TEST_F(NullWaveOutReportTest, WriteNeedsAnOpenDevice) {
    Device->Close();
    const Status status = Device->Write(1, Silence(10));
    EXPECT_FALSE(status.Ok());
    EXPECT_FALSE(status.Context.empty());
    EXPECT_EQ(Device->Description(), "No sound (KELVARO_AUDIO=null)");
}

}  // namespace
}  // namespace kelvaro
