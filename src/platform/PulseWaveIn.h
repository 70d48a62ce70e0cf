// The sound input through the sound server's own client (PulseAudio, or PipeWire's PulseAudio service).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/Dispatcher.h"
#include "platform/WaveIn.h"
#include "platform/WaveInDelivery.h"

struct pa_threaded_mainloop;
struct pa_context;
struct pa_stream;
struct pa_source_info;

namespace kelvaro {

class RecordingConverter;

/// One record stream in 32-bit float at the source's own rate (so the server does not resample;
/// the converter does, with a proper low-pass), mono or stereo as the source is. The client's
/// main loop thread converts what the server hands over and posts each full block:
///
///   server --read callback--> RecordingConverter --block of 1110 frames--> Dispatcher::Post
///
/// A hole in the recording (frames the server lost) is filled with silence, so positions stay
/// true to time.
class PulseWaveIn final : public WaveIn {
public:
    /// How much sound the server gathers before handing it over, in ms.
    static constexpr int kFragmentMs = 20;

    explicit PulseWaveIn(Dispatcher& dispatcher);
    ~PulseWaveIn() override;
    PulseWaveIn(const PulseWaveIn&) = delete;
    PulseWaveIn& operator=(const PulseWaveIn&) = delete;

    /// deviceId is the index of one of the server's sources (a monitor of an output included),
    /// or kDefaultDevice for the server's default.
    Status Open(int deviceId, BlockHandler onBlock) override;
    void Close() override;
    bool IsOpen() const override { return Stream != nullptr; }
    std::string Description() const override;
    void ChooseDevice(const std::string& name) override { ChosenName = name; }

private:
    static void OnSourceInfo(pa_context* context, const pa_source_info* info, int last, void* self);
    static void OnStreamState(pa_stream* stream, void* self);
    static void OnReadable(pa_stream* stream, std::size_t bytes, void* self);

    Status Connect(int deviceId);
    void Disconnect();
    /// Main loop lock held.
    void TakeRecorded();

    WaveInDelivery Delivery;
    pa_threaded_mainloop* Loop = nullptr;
    pa_context* Context = nullptr;
    pa_stream* Stream = nullptr;

    // Main loop thread while recording (window thread only before and after).
    std::unique_ptr<RecordingConverter> Converter;
    std::vector<float> Hole;
    bool Closing = false;
    bool InfoDone = false;
    bool SourceFound = false;
    std::string SourceName;
    std::string ChosenName;
    int SourceRateHz = 0;
    int SourceChannels = 0;
};

}  // namespace kelvaro
