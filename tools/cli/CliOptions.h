// The command line of kelvaro-cli: what to play and how it should sound.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace kelvaro::cli {

enum class CliCommand { Render, Play, Record, Decode };
enum class DecodeChannel { Left, Right };

struct CliOptions {
    CliCommand Command = CliCommand::Play;
    /// The text in the program's 8-bit codes.
    std::string Text;
    /// The text as it was given.
    std::string TextUtf8;
    int SpeedWpm = 12;
    int WeightRatio = 3;
    int Spacing = 1;
    int WordSpaceFactor = 1;
    std::optional<int> NoteHz;
    bool ExamTone = false;
    std::optional<int> LevelDb;
    /// Noise level position 0..20 (0 loudest) and bandwidth divisor 1, 2, 4 or 8.
    std::optional<int> NoisePosition;
    int NoiseBandwidth = 8;
    std::optional<int> QsbDepthDb;
    std::optional<int> DriftStepHz;
    std::optional<std::uint32_t> Seed;
    /// record: the file's format (22050 or 11025 samples per second, 1 or 2 channels, 8 or 16
    /// bits).
    int RecordRateHz = 22050;
    int RecordChannels = 1;
    int RecordBits = 8;
    /// --text - : the text is read from standard input (TextUtf8 is filled by the caller).
    bool TextFromStandardInput = false;
    /// A file, a device or a pipe; "-" is standard output.
    std::string OutputPath;

    /// decode: the WAV file, the channel listened to, the tone threshold 0..127, letter case.
    std::string InputPath;
    DecodeChannel Channel = DecodeChannel::Left;
    int Threshold = 64;
    bool UpperCase = false;
};

struct CliUsageError {
    std::string Message;
};

/// args excludes the program name. Every value is checked; the first fault is reported.
std::variant<CliOptions, CliUsageError> ParseCliOptions(const std::vector<std::string>& args);

std::string CliUsage();

/// The text given with --text - , read from standard input: checked as --text checks its value.
std::optional<CliUsageError> SetTextFromInput(CliOptions& options, const std::string& utf8);

}  // namespace kelvaro::cli
