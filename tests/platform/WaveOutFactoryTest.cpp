// The choice of sound output: none when KELVARO_AUDIO is "null", PortAudio otherwise.
#include "platform/WaveOutFactory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/ManualDispatcher.h"

namespace kelvaro {
namespace {

TEST(WaveOutFactoryTest, NullOnlyWhenTheEnvironmentSaysNull) {
    const char* saved = std::getenv("KELVARO_AUDIO");
    const std::string savedValue = saved != nullptr ? saved : "";
    test::ManualDispatcher dispatcher;

    setenv("KELVARO_AUDIO", "null", 1);
    EXPECT_EQ(CreateWaveOut(dispatcher)->Description(), "No sound (KELVARO_AUDIO=null)");
    for (const char* other : {"", "pulse", "NULL"}) {
        setenv("KELVARO_AUDIO", other, 1);
        EXPECT_EQ(CreateWaveOut(dispatcher)->Description(), "PortAudio: not open") << other;
    }
    unsetenv("KELVARO_AUDIO");
    const auto device = CreateWaveOut(dispatcher);
    EXPECT_EQ(device->Description(), "PortAudio: not open");
    EXPECT_FALSE(device->IsOpen());

    if (saved != nullptr) {
        setenv("KELVARO_AUDIO", savedValue.c_str(), 1);
    }
}

}  // namespace
}  // namespace kelvaro
