// kelvaro-e2e-analyze: prints the tone marks of a WAV recording and checks them against the command line.
#include <cstdlib>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "e2e/WavToneAnalyzer.h"

namespace {

constexpr const char* kUsage =
    "usage: kelvaro-e2e-analyze RECORDING.wav [--expect-marks N] [--mark-ms MS[,MS...]]\n"
    "           [--gap-ms MS[,MS...]] [--freq HZ] [--tolerance-ms MS] [--mark-tolerance-ms MS]\n"
    "           [--gap-tolerance-ms MS] [--freq-tolerance HZ]\n"
    "Prints the tone marks found in a 16-bit PCM WAV file. With expectations, exits 0 when the\n"
    "recording meets them and 1 with the reason when it does not. One length in --mark-ms or\n"
    "--gap-ms applies to every mark or gap; a list gives them one by one.\n"
    "--tolerance-ms sets both --mark-tolerance-ms and --gap-tolerance-ms (default 5).\n";

std::optional<double> ParseNumber(std::string_view text) {
    const std::string copy(text);
    char* end = nullptr;
    const double value = std::strtod(copy.c_str(), &end);
    if (copy.empty() || end != copy.c_str() + copy.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::vector<double>> ParseList(std::string_view text) {
    std::vector<double> values;
    std::stringstream stream{std::string(text)};
    std::string item;
    while (std::getline(stream, item, ',')) {
        const auto value = ParseNumber(item);
        if (!value) {
            return std::nullopt;
        }
        values.push_back(*value);
    }
    if (values.empty()) {
        return std::nullopt;
    }
    return values;
}

int UsageError(const std::string& message) {
    std::cerr << "kelvaro-e2e-analyze: " << message << "\n" << kUsage;
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    using kelvaro::WavToneAnalyzer;
    std::string path;
    kelvaro::ToneExpectation expectation;
    std::optional<double> markToleranceMs;
    std::optional<double> gapToleranceMs;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (!argument.starts_with("--")) {
            if (!path.empty()) {
                return UsageError("more than one recording given");
            }
            path = argument;
            continue;
        }
        if (i + 1 >= argc) {
            return UsageError(std::string(argument) + " needs a value");
        }
        const std::string_view value = argv[++i];
        const auto number = ParseNumber(value);
        const auto list = ParseList(value);
        if (argument == "--mark-ms" && list) {
            expectation.MarkMs = *list;
        } else if (argument == "--gap-ms" && list) {
            expectation.GapMs = *list;
        } else if (argument == "--expect-marks" && number && *number >= 0) {
            expectation.MarkCount = static_cast<int>(*number);
        } else if (argument == "--freq" && number) {
            expectation.FrequencyHz = *number;
        } else if (argument == "--tolerance-ms" && number) {
            expectation.MarkToleranceMs = expectation.GapToleranceMs = *number;
        } else if (argument == "--mark-tolerance-ms" && number) {
            markToleranceMs = *number;
        } else if (argument == "--gap-tolerance-ms" && number) {
            gapToleranceMs = *number;
        } else if (argument == "--freq-tolerance" && number) {
            expectation.FrequencyToleranceHz = *number;
        } else {
            return UsageError("cannot use " + std::string(argument) + " " + std::string(value));
        }
    }
    if (path.empty()) {
        return UsageError("no recording given");
    }
    expectation.MarkToleranceMs = markToleranceMs.value_or(expectation.MarkToleranceMs);
    expectation.GapToleranceMs = gapToleranceMs.value_or(expectation.GapToleranceMs);

    std::string error;
    const auto recording = WavToneAnalyzer::ReadWavFile(path, error);
    if (!recording) {
        std::cerr << "kelvaro-e2e-analyze: " << error << "\n";
        return 1;
    }
    std::cout << path << ": " << recording->FrameRateHz << " Hz, " << recording->Channels << " channel(s), "
              << recording->Samples.size() * 1000 / static_cast<std::size_t>(recording->FrameRateHz)
              << " ms\n";
    const auto analysis = WavToneAnalyzer::Analyze(*recording);
    std::cout << WavToneAnalyzer::Describe(analysis);
    if (const std::string reason = WavToneAnalyzer::Check(analysis, expectation); !reason.empty()) {
        std::cerr << "kelvaro-e2e-analyze: " << reason << "\n";
        return 1;
    }
    return 0;
}
