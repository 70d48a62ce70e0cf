// The command line of kelvaro-cli: what to play and how it should sound.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace kelvaro::cli {

enum class CliCommand { Render, Play, Decode };
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

}  // namespace kelvaro::cli
