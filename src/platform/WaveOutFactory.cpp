// Chooses the sound output: the system's through PortAudio, or none when the environment asks.
#include "platform/WaveOutFactory.h"

#include <cstdlib>
#include <string_view>

#include "platform/NullWaveOut.h"
#include "platform/PortAudioWaveOut.h"

namespace kelvaro {

std::unique_ptr<WaveOut> CreateWaveOut(Dispatcher& dispatcher) {
    const char* audio = std::getenv("KELVARO_AUDIO");
    if (audio != nullptr && std::string_view(audio) == "null") {
        return std::make_unique<NullWaveOut>(dispatcher);
    }
    return std::make_unique<PortAudioWaveOut>(dispatcher);
}

}  // namespace kelvaro
