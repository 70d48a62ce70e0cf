// The sound server's client as sound output: open, reports in order after the frames are handed
// over, Reset, Close. These tests run only in the audio test environment
// (scripts/with-audio-env.sh, which sets KELVARO_E2E=1); elsewhere they could play on the user's
// own sound server, so they report themselves skipped.
#include "platform/PulseWaveOut.h"

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

constexpr const char* kSkipReason = "needs the audio test environment: run under scripts/with-audio-env.sh";

class PulseWaveOutTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::getenv("KELVARO_E2E") == nullptr) {
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
    PulseWaveOut Device{Loop};
    std::vector<int> Done;
};

TEST_F(PulseWaveOutTest, BuffersAreReportedInOrderWhenTheServerHoldsThem) {
    EXPECT_EQ(Device.Description().rfind("PulseAudio: kelvaro_sink, output latency ", 0), 0u)
        << Device.Description();
    EXPECT_GT(Device.OutputLatencyS(), 0.0);
    EXPECT_LE(Device.OutputLatencyS(), PulseWaveOut::kPracticeLatencyS + 0.05);
    const auto start = SteadyClock::now();
    for (int id = 1; id <= 3; ++id) {
        ASSERT_TRUE(Device.Write(id, Silence(kFrameRateHz / 5)).Ok());
    }
    ASSERT_TRUE(Device.Write(4, Silence(0)).Ok());
    ASSERT_TRUE(RunUntilDone(4, 3000));
    const double elapsedMs = std::chrono::duration<double, std::milli>(SteadyClock::now() - start).count();
    EXPECT_EQ(Done, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_GE(elapsedMs, 600.0 - PulseWaveOut::kPracticeLatencyS * 1000.0 - 20.0)
        << "the server takes frames ahead of time, by its buffer at most";
}

TEST_F(PulseWaveOutTest, ResetReportsPendingBuffersAtOnce) {
    for (int id = 1; id <= 3; ++id) {
        ASSERT_TRUE(Device.Write(id, Silence(kFrameRateHz * 10)).Ok());
    }
    const auto start = SteadyClock::now();
    ASSERT_TRUE(Device.Reset().Ok());
    ASSERT_TRUE(Device.Write(4, Silence(kFrameRateHz / 100)).Ok());
    ASSERT_TRUE(RunUntilDone(4, 2000));
    EXPECT_EQ(Done, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_LT(std::chrono::duration<double>(SteadyClock::now() - start).count(), 1.0);
}

TEST_F(PulseWaveOutTest, NothingIsReportedAfterTheDeviceIsDestroyed) {
    int reported = 0;
    {
        PulseWaveOut second(Loop);
        ASSERT_TRUE(second.Open(WaveOut::kDefaultDevice, [&](int) { ++reported; }).Ok());
        ASSERT_TRUE(second.Write(1, Silence(kFrameRateHz)).Ok());
        ASSERT_TRUE(second.Reset().Ok());
    }
    Loop.RunUntil([] { return false; }, 50);
    EXPECT_EQ(reported, 0);
}

TEST_F(PulseWaveOutTest, AnUnknownOutputFailsAndLeavesTheDeviceClosed) {
    PulseWaveOut other(Loop);
    const Status status = other.Open(9999, [](int) {});
    EXPECT_FALSE(status.Ok());
    EXPECT_NE(status.Context.find("9999"), std::string::npos) << status.Context;
    EXPECT_FALSE(other.IsOpen());
    EXPECT_EQ(other.Description(), "PulseAudio: not open");
    EXPECT_FALSE(other.Write(1, Silence(10)).Ok());
    EXPECT_TRUE(other.Reset().Ok());
}

TEST_F(PulseWaveOutTest, CloseReportsPendingBuffersAndWaitsForTheLastSound) {
    ASSERT_TRUE(Device.Write(1, Silence(kFrameRateHz / 10)).Ok());
    ASSERT_TRUE(RunUntilDone(1, 1000));
    ASSERT_TRUE(Device.Write(2, Silence(kFrameRateHz * 10)).Ok());
    const auto start = SteadyClock::now();
    Device.Close();
    const double closeMs = std::chrono::duration<double, std::milli>(SteadyClock::now() - start).count();
    EXPECT_FALSE(Device.IsOpen());
    EXPECT_LT(closeMs, 600.0);
    ASSERT_TRUE(RunUntilDone(2, 1000));
    EXPECT_EQ(Done, (std::vector<int>{1, 2}));
}

}  // namespace
}  // namespace kelvaro
