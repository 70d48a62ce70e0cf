// The silent sound input and the choice of input: real-time blocks of silence, none after Close.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "platform/EventLoop.h"
#include "platform/NullWaveIn.h"
#include "platform/PulseWaveOut.h"
#include "platform/WaveInFactory.h"
#include "support/ManualDispatcher.h"

namespace kelvaro {
namespace {

using SteadyClock = std::chrono::steady_clock;

TEST(NullWaveInTest, DeliversBlocksOfSilenceAtTheRecordingPace) {
    EventLoop loop;
    NullWaveIn device(loop);
    std::vector<double> atMs;
    bool allSilent = true;
    const auto start = SteadyClock::now();
    ASSERT_TRUE(
        device
            .Open(WaveIn::kDefaultDevice,
                  [&](std::span<const std::uint8_t> frames) {
                      atMs.push_back(
                          std::chrono::duration<double, std::milli>(SteadyClock::now() - start).count());
                      allSilent =
                          allSilent && frames.size() == 2 * WaveIn::kBlockFrames &&
                          std::all_of(frames.begin(), frames.end(), [](std::uint8_t b) { return b == 128; });
                  })
            .Ok());
    EXPECT_TRUE(device.IsOpen());
    ASSERT_TRUE(loop.RunUntil([&] { return atMs.size() >= 5; }, 3000));
    EXPECT_TRUE(allSilent);
    // Block n is complete n x 100.68 ms after the start; a busy machine may deliver late.
    for (std::size_t n = 0; n < atMs.size(); ++n) {
        EXPECT_GE(atMs[n], (n + 1) * 100.68 - 1.0) << n;
    }
    EXPECT_LT(atMs[4], 5 * 100.68 + 400.0);
    device.Close();
    EXPECT_FALSE(device.IsOpen());
}

TEST(NullWaveInTest, NoBlockReachesTheHandlerAfterClose) {
    test::ManualDispatcher dispatcher;
    NullWaveIn device(dispatcher);
    int first = 0;
    int second = 0;
    ASSERT_TRUE(device.Open(WaveIn::kDefaultDevice, [&](std::span<const std::uint8_t>) { ++first; }).Ok());
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    device.Close();
    EXPECT_GE(dispatcher.RunAll(), 2);  // posted before Close, dropped on arrival
    EXPECT_EQ(first, 0);

    // Reopened: only the new handler hears, and only of its own blocks.
    ASSERT_TRUE(device.Open(WaveIn::kDefaultDevice, [&](std::span<const std::uint8_t>) { ++second; }).Ok());
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    dispatcher.RunAll();
    EXPECT_EQ(first, 0);
    EXPECT_GE(second, 2);
    device.Close();
    dispatcher.RunAll();
    const int heard = second;
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    EXPECT_EQ(dispatcher.RunAll(), 0);  // the worker has stopped
    EXPECT_EQ(second, heard);
}

class WaveInFactoryTest : public ::testing::Test {
protected:
    void TearDown() override {
        if (Saved != nullptr) {
            setenv("KELVARO_AUDIO", SavedValue.c_str(), 1);
        } else {
            unsetenv("KELVARO_AUDIO");
        }
    }

    const char* Saved = std::getenv("KELVARO_AUDIO");
    std::string SavedValue = Saved != nullptr ? Saved : "";
    test::ManualDispatcher Dispatcher;
};

TEST_F(WaveInFactoryTest, TheEnvironmentChoosesTheInputAsForTheOutput) {
    setenv("KELVARO_AUDIO", "null", 1);
    EXPECT_EQ(CreateWaveIn(Dispatcher)->Description(), "No sound input (KELVARO_AUDIO=null)");
    setenv("KELVARO_AUDIO", "pulse", 1);
    EXPECT_EQ(CreateWaveIn(Dispatcher)->Description(), "PulseAudio: not open");
    setenv("KELVARO_AUDIO", "portaudio", 1);
    EXPECT_EQ(CreateWaveIn(Dispatcher)->Description(), "PortAudio: not open");
    unsetenv("KELVARO_AUDIO");
    const auto device = CreateWaveIn(Dispatcher);
    EXPECT_EQ(device->Description(),
              PulseWaveOut::ServerReachable() ? "PulseAudio: not open" : "PortAudio: not open");
    EXPECT_FALSE(device->IsOpen());
}

}  // namespace
}  // namespace kelvaro
