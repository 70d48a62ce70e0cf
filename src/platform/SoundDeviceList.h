// The playback and recording devices the user can choose from, in the order the system lists
// them.
#pragma once

#include <string>
#include <vector>

namespace kelvaro {

struct SoundDevice {
    /// What opens the device (the sound server's sink or source name, or PortAudio's name).
    std::string Name;
    /// What the user sees ("Built-in Audio Analog Stereo").
    std::string Label;
};

/// Asked each time the lists are shown: a headset plugged in since changes them.
class SoundDeviceList {
public:
    virtual ~SoundDeviceList() = default;
    virtual std::vector<SoundDevice> Outputs() = 0;
    virtual std::vector<SoundDevice> Inputs() = 0;
};

}  // namespace kelvaro
