// The PortAudio sound output through a real sound server: open, reports in order, Reset, Close.
// These tests run only in the audio test environment (scripts/with-audio-env.sh, which sets
// KELVARO_E2E=1); elsewhere PortAudio would probe, and might play on, whatever sound hardware the
// machine has, so they report themselves skipped.
#include "platform/PortAudioWaveOut.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <vector>

#include "platform/EventLoop.h"

namespace kelvaro {
namespace {

using SteadyClock = std::chrono::steady_clock;

std::vector<Sample> Silence(int frames) {
    return std::vector<Sample>(static_cast<std::size_t>(frames) * kChannels);
}

bool InAudioEnvironment() {
    return std::getenv("KELVARO_E2E") != nullptr;
}

constexpr const char* kSkipReason = "needs the audio test environment: run under scripts/with-audio-env.sh";

TEST(PortAudioWaveOutTest, UnknownDeviceFailsWithPortAudiosCode) {
    if (!InAudioEnvironment()) {
        GTEST_SKIP() << kSkipReason;
    }
    EventLoop loop;
    PortAudioWaveOut device(loop);
    const Status status = device.Open(99999, [](int) {});
    EXPECT_LT(status.Code, 0);
    EXPECT_NE(status.Context.find("99999"), std::string::npos) << status.Context;
    EXPECT_FALSE(device.IsOpen());
    EXPECT_FALSE(device.Write(1, Silence(10)).Ok());
    EXPECT_TRUE(device.Reset().Ok());
}

class PortAudioWaveOutPlayTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!InAudioEnvironment()) {
            GTEST_SKIP() << kSkipReason;
        }
        const Status status =
            Device.Open(WaveOut::kDefaultDevice, [this](int bufferId) { Done.push_back(bufferId); });
        ASSERT_TRUE(status.Ok()) << status.Code << " " << status.Context;
    }

    bool RunUntilDone(std::size_t count, int timeoutMs) {
        return Loop.RunUntil([&] { return Done.size() >= count; }, timeoutMs);
    }

    EventLoop Loop;
    PortAudioWaveOut Device{Loop};
    std::vector<int> Done;
};

TEST_F(PortAudioWaveOutPlayTest, BuffersAreReportedInOrderAfterTheyPlay) {
    EXPECT_EQ(Device.Description().rfind("PortAudio: ", 0), 0u) << Device.Description();
    EXPECT_NE(Device.Description().find("output latency"), std::string::npos);
    EXPECT_GT(Device.OutputLatencyS(), 0.0);
    EXPECT_LE(Device.OutputLatencyS(), PortAudioWaveOut::kPracticeLatencyS + 0.05);
    const auto start = SteadyClock::now();
    for (int id = 1; id <= 3; ++id) {
        ASSERT_TRUE(Device.Write(id, Silence(kFrameRateHz / 20)).Ok());
    }
    ASSERT_TRUE(RunUntilDone(3, 2000));
    const double elapsedMs = std::chrono::duration<double, std::milli>(SteadyClock::now() - start).count();
    EXPECT_EQ(Done, (std::vector<int>{1, 2, 3}));
    EXPECT_GE(elapsedMs, 150.0 - Device.OutputLatencyS() * 1000.0 - 20.0)
        << "the device takes frames ahead of time, by its latency at most";
}

TEST_F(PortAudioWaveOutPlayTest, ResetReportsPendingBuffersAtOnceAndFreesTheirSlots) {
    EXPECT_FALSE(Device.Write(99, Silence(PortAudioWaveOut::kSlotFrames + 1)).Ok()) << "longer than a slot";
    const int longFrames = PortAudioWaveOut::kSlotFrames;
    for (int id = 1; id <= PortAudioWaveOut::kSlotCount; ++id) {
        ASSERT_TRUE(Device.Write(id, Silence(longFrames)).Ok());
    }
    EXPECT_FALSE(Device.Write(99, Silence(10)).Ok()) << "every slot is in use";
    ASSERT_TRUE(Device.Reset().Ok());
    ASSERT_TRUE(Device.Write(5, Silence(kFrameRateHz / 100)).Ok());
    ASSERT_TRUE(RunUntilDone(5, 1000));
    EXPECT_EQ(Done, (std::vector<int>{1, 2, 3, 4, 5}));
}

TEST_F(PortAudioWaveOutPlayTest, NothingIsReportedAfterTheDeviceIsDestroyed) {
    int reported = 0;
    {
        PortAudioWaveOut second(Loop);
        ASSERT_TRUE(second.Open(WaveOut::kDefaultDevice, [&](int) { ++reported; }).Ok());
        ASSERT_TRUE(second.Write(1, Silence(kFrameRateHz)).Ok());
        ASSERT_TRUE(second.Reset().Ok());
    }
    Loop.RunUntil([] { return false; }, 50);
    EXPECT_EQ(reported, 0);
}

TEST_F(PortAudioWaveOutPlayTest, CloseReportsPendingBuffersAndReopenWorks) {
    ASSERT_TRUE(Device.Write(1, Silence(kFrameRateHz)).Ok());
    Device.Close();
    EXPECT_FALSE(Device.IsOpen());
    ASSERT_TRUE(RunUntilDone(1, 1000));
    ASSERT_TRUE(
        Device.Open(WaveOut::kDefaultDevice, [this](int bufferId) { Done.push_back(bufferId + 100); }).Ok());
    ASSERT_TRUE(Device.Write(2, Silence(kFrameRateHz / 100)).Ok());
    ASSERT_TRUE(RunUntilDone(2, 1000));
    EXPECT_EQ(Done, (std::vector<int>{1, 102}));
}

}  // namespace
}  // namespace kelvaro
