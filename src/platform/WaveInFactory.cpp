// Chooses the sound input: the sound server's own client, PortAudio over ALSA, or none.
#include "platform/WaveInFactory.h"

#include <cstdlib>
#include <string_view>

#include "platform/NullWaveIn.h"
#include "platform/PortAudioWaveIn.h"
#include "platform/PulseWaveIn.h"
#include "platform/PulseWaveOut.h"

namespace kelvaro {

std::unique_ptr<WaveIn> CreateWaveIn(Dispatcher& dispatcher) {
    const char* audio = std::getenv("KELVARO_AUDIO");
    const std::string_view choice = audio != nullptr ? audio : "";
    if (choice == "null") {
        return std::make_unique<NullWaveIn>(dispatcher);
    }
    if (choice == "pulse" || (choice != "portaudio" && PulseWaveOut::ServerReachable())) {
        return std::make_unique<PulseWaveIn>(dispatcher);
    }
    return std::make_unique<PortAudioWaveIn>(dispatcher);
}

}  // namespace kelvaro
