// Chooses the sound output: the sound server's own client, PortAudio over ALSA, or none.
#include "platform/WaveOutFactory.h"

#include <cstdlib>
#include <string_view>

#include "platform/NullWaveOut.h"
#include "platform/PortAudioSoundDevices.h"
#include "platform/PortAudioWaveOut.h"
#include "platform/PulseSoundDevices.h"
#include "platform/PulseWaveOut.h"

namespace kelvaro {

std::unique_ptr<WaveOut> CreateWaveOut(Dispatcher& dispatcher, WaveOutUse use) {
    const char* audio = std::getenv("KELVARO_AUDIO");
    const std::string_view choice = audio != nullptr ? audio : "";
    if (choice == "null") {
        return std::make_unique<NullWaveOut>(dispatcher);
    }
    const bool sidetone = use == WaveOutUse::Sidetone;
    if (choice == "pulse" || (choice != "portaudio" && PulseWaveOut::ServerReachable())) {
        return std::make_unique<PulseWaveOut>(
            dispatcher, sidetone ? PulseWaveOut::kSidetoneLatencyS : PulseWaveOut::kPracticeLatencyS);
    }
    return std::make_unique<PortAudioWaveOut>(
        dispatcher, sidetone ? PortAudioWaveOut::kSidetoneLatencyS : PortAudioWaveOut::kPracticeLatencyS);
}

namespace {

class NoSoundDevices final : public SoundDeviceList {
public:
    std::vector<SoundDevice> Outputs() override { return {}; }
    std::vector<SoundDevice> Inputs() override { return {}; }
};

}  // namespace

std::unique_ptr<SoundDeviceList> CreateSoundDeviceList() {
    const char* audio = std::getenv("KELVARO_AUDIO");
    const std::string_view choice = audio != nullptr ? audio : "";
    if (choice == "null") {
        return std::make_unique<NoSoundDevices>();
    }
    if (choice == "pulse" || (choice != "portaudio" && PulseWaveOut::ServerReachable())) {
        return std::make_unique<PulseSoundDevices>();
    }
    return std::make_unique<PortAudioSoundDevices>();
}

}  // namespace kelvaro
