// Sound devices a test makes up: lists it can change between two looks, as a replug would.
#pragma once

#include "platform/SoundDeviceList.h"

namespace kelvaro::test {

class FakeSoundDevices final : public SoundDeviceList {
public:
    struct Lists {
        std::vector<SoundDevice> Inputs;
        std::vector<SoundDevice> Outputs;
    };
    /// Reads the lists the test holds each time it is asked.
    explicit FakeSoundDevices(const Lists& lists) : Held(lists) {}
    std::vector<SoundDevice> Outputs() override { return Held.Outputs; }
    std::vector<SoundDevice> Inputs() override { return Held.Inputs; }

private:
    const Lists& Held;
};

}  // namespace kelvaro::test
