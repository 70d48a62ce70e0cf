// The sound server's sinks and sources, listed with libpulse.
#pragma once

#include "platform/SoundDeviceList.h"

namespace kelvaro {

/// Each call connects, lists and disconnects; an unreachable server gives empty lists.
class PulseSoundDevices final : public SoundDeviceList {
public:
    std::vector<SoundDevice> Outputs() override;
    std::vector<SoundDevice> Inputs() override;
};

}  // namespace kelvaro
