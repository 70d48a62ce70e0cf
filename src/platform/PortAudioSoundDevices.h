// PortAudio's devices with stereo output or any input, where no sound server runs.
#pragma once

#include "platform/SoundDeviceList.h"

namespace kelvaro {

class PortAudioSoundDevices final : public SoundDeviceList {
public:
    std::vector<SoundDevice> Outputs() override;
    std::vector<SoundDevice> Inputs() override;
};

}  // namespace kelvaro
