// The sound server's devices listed by name, and the output opened on a device by that name.
#include "platform/PulseSoundDevices.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "platform/EventLoop.h"
#include "platform/PulseWaveOut.h"

namespace kelvaro {
namespace {

class PulseSoundDevicesTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::getenv("KELVARO_E2E") == nullptr) {
            GTEST_SKIP() << "needs the audio test environment: run under scripts/with-audio-env.sh";
        }
    }
    static bool Holds(const std::vector<SoundDevice>& devices, const std::string& name,
                      const std::string& label) {
        return std::any_of(devices.begin(), devices.end(),
                           [&](const SoundDevice& d) { return d.Name == name && d.Label == label; });
    }
};

TEST_F(PulseSoundDevicesTest, ListsTheNullSinkAndItsMonitorAndOpensTheSinkByName) {
    PulseSoundDevices devices;
    EXPECT_TRUE(Holds(devices.Outputs(), "kelvaro_sink", "kelvaro_sink"));
    EXPECT_TRUE(Holds(devices.Inputs(), "kelvaro_sink.monitor", "Monitor of kelvaro_sink"));

    EventLoop loop;
    PulseWaveOut output(loop, PulseWaveOut::kPracticeLatencyS);
    output.ChooseDevice("kelvaro_sink");
    const Status opened = output.Open(0, [](int) {});
    ASSERT_TRUE(opened.Ok()) << opened.Context;
    EXPECT_NE(output.Description().find("kelvaro_sink"), std::string::npos) << output.Description();
    output.Close();

    output.ChooseDevice("no_such_sink");
    EXPECT_FALSE(output.Open(0, [](int) {}).Ok());
}

}  // namespace
}  // namespace kelvaro
