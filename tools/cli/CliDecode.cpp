// kelvaro-cli decode: the Morse heard in a WAV file, through the program's own audio decoder.
#include "cli/CliDecode.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "app/WavFileReader.h"
#include "core/MorseTable.h"
#include "decoding/AudioToneDecoder.h"
#include "decoding/MonitorDecoding.h"
#include "decoding/MonitorDisplay.h"
#include "decoding/RecordingConverter.h"

namespace kelvaro::cli {

namespace {

// Keeps the decoded text; the echo, debug line and levels have no place on a command line.
class TextOnlyDisplay : public MonitorDisplay {
public:
    void InsertText(std::string_view text) override { Text += text; }
    void ShowEchoLine(std::string_view) override {}
    void ShowDebugLine(std::string_view) override {}
    void ShowLevels(int, int) override {}

    std::string Text;
};

constexpr std::size_t kReadFrames = 16384;

}  // namespace

Status DecodeWav(const CliOptions& options, std::string& text) {
    WavFileReader reader;
    if (const Status status = reader.Open(options.InputPath); !status.Ok()) {
        return status;
    }
    const WavFileReader::Format& format = reader.SoundFormat();

    const MorseTable table;
    TextOnlyDisplay display;
    MonitorDecoding shared(table, display);
    shared.UpperCase = options.UpperCase;
    AudioToneDecoder decoder(shared, display);
    decoder.ChooseChannel(options.Channel == DecodeChannel::Left ? AudioToneDecoder::Channel::Left
                                                                 : AudioToneDecoder::Channel::Right);
    decoder.SetThreshold(options.Threshold);
    decoder.Start();

    RecordingConverter converter(format.SampleRateHz, format.Channels);
    const RecordingConverter::BlockHandler analyse = [&](std::span<const std::uint8_t> frames) {
        decoder.AnalyseBuffer(frames);
    };
    std::vector<float> samples;
    for (;;) {
        if (const Status status = reader.Read(kReadFrames, samples); !status.Ok()) {
            return status;
        }
        if (samples.empty()) {
            break;
        }
        converter.Push(samples, analyse);
    }
    converter.Flush(analyse);

    // Silence after the file, as if the sender had stopped: the tone ends, then the long
    // silence prints the last character. A tone that never ends (threshold 0) prints nothing.
    const std::vector<std::uint8_t> silence(2 * AudioToneDecoder::kBufferFrames,
                                            RecordingConverter::kSilence);
    const auto longestWaitFrames = [&decoder] {
        return std::int64_t{AudioToneDecoder::kLongSilenceGaps} * std::max(decoder.GapEstimate(), 0) +
               2 * std::int64_t{AudioToneDecoder::kBufferFrames};
    };
    decoder.AnalyseBuffer(silence);
    for (std::int64_t fed = 0; fed < longestWaitFrames() && !shared.CurrentCode.empty();
         fed += AudioToneDecoder::kBufferFrames) {
        decoder.AnalyseBuffer(silence);
    }
    text = display.Text;
    text.erase(text.find_last_not_of(' ') + 1);
    return Status::Success();
}

}  // namespace kelvaro::cli
