// The sound input through PortAudio, where no sound server answers.
#include "platform/PortAudioWaveIn.h"

#include <portaudio.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "decoding/RecordingConverter.h"
#include "platform/PortAudioLibrary.h"

namespace kelvaro {

PortAudioWaveIn::PortAudioWaveIn(Dispatcher& dispatcher) : Delivery(dispatcher) {}

PortAudioWaveIn::~PortAudioWaveIn() {
    Close();
}

Status PortAudioWaveIn::Open(int deviceId, BlockHandler onBlock) {
    Close();
    Delivery.Begin(std::move(onBlock), OnError);
    if (const PaError error = AcquirePortAudio(); error != paNoError) {
        Close();
        return Status::Failure(error < 0 ? error : 1, kCantOpenContext);
    }
    HoldsPortAudio = true;
    const PaDeviceIndex device = deviceId == kDefaultDevice ? Pa_GetDefaultInputDevice() : deviceId;
    const PaDeviceInfo* info =
        device >= 0 && device < Pa_GetDeviceCount() ? Pa_GetDeviceInfo(device) : nullptr;
    if (info == nullptr || info->maxInputChannels < 1) {
        Close();
        return Status::Failure(paInvalidDevice, kCantOpenContext);
    }
    Channels = std::min(info->maxInputChannels, 2);
    RateHz = static_cast<int>(std::lround(info->defaultSampleRate));
    PaStreamParameters parameters{};
    parameters.device = device;
    parameters.channelCount = Channels;
    parameters.sampleFormat = paFloat32;
    parameters.suggestedLatency = info->defaultHighInputLatency;
    parameters.hostApiSpecificStreamInfo = nullptr;
    PaStream* stream = nullptr;
    if (const PaError error = Pa_OpenStream(&stream, &parameters, nullptr, RateHz,
                                            paFramesPerBufferUnspecified, paNoFlag, nullptr, nullptr);
        error != paNoError) {
        Close();
        return Status::Failure(error < 0 ? error : 1, kCantOpenContext);
    }
    Stream = stream;
    DeviceName = info->name != nullptr ? info->name : "";
    if (const PaError error = Pa_StartStream(stream); error != paNoError) {
        Close();
        return Status::Failure(error < 0 ? error : 1, kStartContext);
    }
    Converter = std::make_unique<RecordingConverter>(RateHz, Channels);
    Stopping = false;
    Reader = std::thread([this] { RecordLoop(); });
    return Status::Success();
}

void PortAudioWaveIn::Close() {
    Stopping = true;
    if (Reader.joinable()) {
        Reader.join();
    }
    if (Stream != nullptr) {
        auto* stream = static_cast<PaStream*>(Stream);
        Pa_AbortStream(stream);
        Pa_CloseStream(stream);
        Stream = nullptr;
    }
    if (HoldsPortAudio) {
        ReleasePortAudio();
        HoldsPortAudio = false;
    }
    Delivery.End();
    Converter.reset();
    DeviceName.clear();
}

std::string PortAudioWaveIn::Description() const {
    if (!IsOpen()) {
        return "PortAudio: not open";
    }
    return "PortAudio: " + DeviceName + ", " + std::to_string(RateHz) + " Hz " +
           (Channels == 1 ? "mono" : "stereo");
}

void PortAudioWaveIn::RecordLoop() {
    const auto frames = static_cast<unsigned long>(std::max(RateHz / 100, 1));
    std::vector<float> samples(frames * static_cast<unsigned long>(Channels));
    const RecordingConverter::BlockHandler post = [this](std::span<const std::uint8_t> block) {
        Delivery.PostBlock(block);
    };
    auto* stream = static_cast<PaStream*>(Stream);
    while (!Stopping) {
        const PaError error = Pa_ReadStream(stream, samples.data(), frames);
        // An overflow lost frames before these; the frames read are still good.
        if (error != paNoError && error != paInputOverflowed) {
            Delivery.PostError(Status::Failure(error < 0 ? error : 1, kLostContext));
            return;
        }
        Converter->Push(samples, post);
    }
}

}  // namespace kelvaro
