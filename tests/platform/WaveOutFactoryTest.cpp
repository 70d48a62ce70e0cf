// The choice of sound output: none, the sound server's client or PortAudio, by the environment
// and by whether a sound server answers.
#include "platform/WaveOutFactory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/PulseWaveOut.h"
#include "support/ManualDispatcher.h"

namespace kelvaro {
namespace {

class WaveOutFactoryTest : public ::testing::Test {
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

TEST_F(WaveOutFactoryTest, TheEnvironmentForcesAnOutput) {
    setenv("KELVARO_AUDIO", "null", 1);
    EXPECT_EQ(CreateWaveOut(Dispatcher)->Description(), "No sound (KELVARO_AUDIO=null)");
    setenv("KELVARO_AUDIO", "pulse", 1);
    EXPECT_EQ(CreateWaveOut(Dispatcher)->Description(), "PulseAudio: not open");
    setenv("KELVARO_AUDIO", "portaudio", 1);
    EXPECT_EQ(CreateWaveOut(Dispatcher, WaveOutUse::Sidetone)->Description(), "PortAudio: not open");
}

TEST_F(WaveOutFactoryTest, OtherwiseTheServersClientWhenAServerAnswers) {
    const std::string expected =
        PulseWaveOut::ServerReachable() ? "PulseAudio: not open" : "PortAudio: not open";
    for (const char* other : {"", "NULL", "alsa"}) {
        setenv("KELVARO_AUDIO", other, 1);
        EXPECT_EQ(CreateWaveOut(Dispatcher)->Description(), expected) << other;
    }
    unsetenv("KELVARO_AUDIO");
    const auto device = CreateWaveOut(Dispatcher);
    EXPECT_EQ(device->Description(), expected);
    EXPECT_FALSE(device->IsOpen());
}

TEST_F(WaveOutFactoryTest, NoServerIsFoundWhereNoneListens) {
    const char* savedServer = std::getenv("PULSE_SERVER");
    const std::string savedServerValue = savedServer != nullptr ? savedServer : "";
    setenv("PULSE_SERVER", "unix:/nonexistent/kelvaro/native", 1);
    EXPECT_FALSE(PulseWaveOut::ServerReachable());
    unsetenv("KELVARO_AUDIO");
    EXPECT_EQ(CreateWaveOut(Dispatcher)->Description(), "PortAudio: not open");
    if (savedServer != nullptr) {
        setenv("PULSE_SERVER", savedServerValue.c_str(), 1);
    } else {
        unsetenv("PULSE_SERVER");
    }
}

}  // namespace
}  // namespace kelvaro
