// Benchmark: how many times faster than real time the audio tone decoder (with the recording
// converter in front of it) decodes minutes of Morse: a WAV rendered by kelvaro-cli, and 48 kHz
// float stereo as a sound server records it.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/CliDecode.h"
#include "cli/CliOptions.h"
#include "cli/CliSession.h"
#include "core/MorseTable.h"
#include "decoding/AudioToneDecoder.h"
#include "decoding/MonitorDecoding.h"
#include "decoding/MonitorDisplay.h"
#include "decoding/RecordingConverter.h"
#include "support/KeyedTone.h"

namespace kelvaro {
namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

/// Groups of five characters, "t" kept for the ends of groups (after a lone dash the decoder
/// cannot tell a character gap from an element gap).
std::string RandomGroups(std::size_t characters) {
    const std::string set = "abcdefghijklmnopqrsuvwxyz0123456789.,?/=";
    std::uint32_t seed = 2026;
    std::string text = "e";
    while (text.size() < characters) {
        for (int i = 0; i < 5; ++i) {
            seed = seed * 134775813U + 1U;
            text += set[(seed >> 8) % set.size()];
        }
        text += ' ';
    }
    text.pop_back();
    return text;
}

class TextDisplay : public MonitorDisplay {
public:
    void InsertText(std::string_view text) override { Text += text; }
    void ShowEchoLine(std::string_view) override {}
    void ShowDebugLine(std::string_view) override {}
    void ShowLevels(int, int) override {}
    std::string Text;
};

void Report(const char* what, double audioSeconds, double wallSeconds, bool exact) {
    std::printf("%-44s %7.1f s of sound in %6.3f s: %7.0f x real time, text %s\n", what, audioSeconds,
                wallSeconds, audioSeconds / wallSeconds, exact ? "exact" : "WRONG");
}

}  // namespace
}  // namespace kelvaro

int main(int argc, char** argv) {
    using namespace kelvaro;
    const double minutes = argc > 1 ? std::atof(argv[1]) : 10.0;
    const int wpm = 20;
    // At 20 wpm with 12-unit word gaps a group of five and its gap last about 4.4 s.
    const std::string text = RandomGroups(static_cast<std::size_t>(minutes * 60.0 / 4.4 * 6.0));

    const std::filesystem::path wav = std::filesystem::temp_directory_path() /
                                      ("kelvaro-bench-decode-" + std::to_string(::getpid()) + ".wav");
    const auto parsed = cli::ParseCliOptions({"render", "--text", text, "--wpm", std::to_string(wpm),
                                              "--level", "0", "--word-factor", "3", "-o", wav.string()});
    cli::CliOptions render = std::get<cli::CliOptions>(parsed);
    if (const Status status = cli::RenderToWav(render); !status.Ok()) {
        std::fprintf(stderr, "bench_decode: %s\n", status.Context.c_str());
        return 1;
    }
    const double renderedSeconds = double(std::filesystem::file_size(wav) - 44) / (22050.0 * 4);

    cli::CliOptions decode = std::get<cli::CliOptions>(cli::ParseCliOptions({"decode", wav.string()}));
    std::string decoded;
    auto start = Clock::now();
    const Status status = cli::DecodeWav(decode, decoded);
    const double fileSeconds = SecondsSince(start);
    std::filesystem::remove(wav);
    if (!status.Ok()) {
        std::fprintf(stderr, "bench_decode: %s\n", status.Context.c_str());
        return 1;
    }
    Report("kelvaro-cli decode, 22050 Hz 16-bit stereo WAV", renderedSeconds, fileSeconds, decoded == text);

    // The recording path: 48 kHz float stereo in 10 ms pieces, converted and decoded.
    test::KeyedToneShape shape;
    shape.RateHz = 48000;
    shape.SpeedWpm = wpm;
    const std::vector<float> mono = test::KeyedTone(text, shape);
    std::vector<float> piece;
    const MorseTable table;
    TextDisplay display;
    MonitorDecoding shared(table, display);
    AudioToneDecoder decoder(shared, display);
    decoder.Start();
    RecordingConverter converter(48000, 2);
    const RecordingConverter::BlockHandler analyse = [&](std::span<const std::uint8_t> block) {
        decoder.AnalyseBuffer(block);
    };
    start = Clock::now();
    for (std::size_t at = 0; at < mono.size(); at += 480) {
        piece.clear();
        for (std::size_t i = at; i < std::min(at + 480, mono.size()); ++i) {
            piece.insert(piece.end(), {mono[i], mono[i]});
        }
        converter.Push(piece, analyse);
    }
    converter.Flush(analyse);
    const std::vector<std::uint8_t> silence(2 * AudioToneDecoder::kBufferFrames, 128);
    for (int i = 0; i < 40; ++i) {
        decoder.AnalyseBuffer(silence);
    }
    const double recordSeconds = SecondsSince(start);
    std::string heard = display.Text;
    heard.erase(heard.find_last_not_of(' ') + 1);
    Report("recording path, 48 kHz float stereo, 10 ms pieces", double(mono.size()) / 48000.0, recordSeconds,
           heard == text);
    return decoded == text && heard == text ? 0 : 1;
}
