// PortAudio's devices with stereo output or any input, where no sound server runs.
#include "platform/PortAudioSoundDevices.h"

#include <portaudio.h>

namespace kelvaro {

namespace {

std::vector<SoundDevice> List(bool outputs) {
    std::vector<SoundDevice> devices;
    if (Pa_Initialize() != paNoError) {
        return devices;
    }
    for (PaDeviceIndex i = 0; i < Pa_GetDeviceCount(); ++i) {
        const PaDeviceInfo* info = Pa_GetDeviceInfo(i);
        if (info == nullptr || info->name == nullptr) {
            continue;
        }
        if (outputs ? info->maxOutputChannels >= 2 : info->maxInputChannels >= 1) {
            devices.push_back({info->name, info->name});
        }
    }
    Pa_Terminate();
    return devices;
}

}  // namespace

std::vector<SoundDevice> PortAudioSoundDevices::Outputs() {
    return List(true);
}

std::vector<SoundDevice> PortAudioSoundDevices::Inputs() {
    return List(false);
}

}  // namespace kelvaro
