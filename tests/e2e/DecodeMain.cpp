// kelvaro-e2e-decode: reads the Morse text back from a WAV recording and compares it with the text played.
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>

#include "core/MorseTable.h"
#include "e2e/MarkDecoder.h"
#include "e2e/WavToneAnalyzer.h"

namespace {

constexpr const char* kUsage =
    "usage: kelvaro-e2e-decode RECORDING.wav --wpm N [--text TEXT]\n"
    "Prints the text decoded from a 16-bit PCM WAV recording of plain-timed Morse at N wpm and\n"
    "every hole found in its sound. With --text, exits 0 only when the decoded text is TEXT\n"
    "(case and repeated blanks aside) and the sound has no hole, 1 otherwise.\n";

int UsageError(const std::string& message) {
    std::cerr << "kelvaro-e2e-decode: " << message << "\n" << kUsage;
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string path;
    std::string text;
    bool haveText = false;
    int wpm = 0;
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
        const std::string value = argv[++i];
        if (argument == "--wpm") {
            wpm = std::atoi(value.c_str());
        } else if (argument == "--text") {
            text = value;
            haveText = true;
        } else {
            return UsageError("unknown option " + std::string(argument));
        }
    }
    if (path.empty() || wpm < 5 || wpm > 50) {
        return UsageError("a recording and --wpm 5..50 are needed");
    }

    std::string error;
    const auto recording = kelvaro::WavToneAnalyzer::ReadWavFile(path, error);
    if (!recording) {
        std::cerr << "kelvaro-e2e-decode: " << error << "\n";
        return 1;
    }
    const auto analysis = kelvaro::WavToneAnalyzer::Analyze(*recording);
    const kelvaro::MorseTable table;
    const auto decoded = kelvaro::DecodeMarks(analysis.Marks, kelvaro::ElementLengths::For(wpm), table);
    std::cout << "marks: " << analysis.Marks.size() << ", tone " << analysis.FrequencyHz << " Hz\n";
    std::cout << "decoded: " << decoded.Text << "\n";
    std::cout << "holes: " << decoded.Holes << "\n";
    for (const auto& note : decoded.HoleNotes) {
        std::cout << "  " << note << "\n";
    }
    if (!haveText) {
        return 0;
    }
    const std::string expected = kelvaro::NormalizeExpectedText(text);
    const std::string difference = kelvaro::FirstDifference(expected, decoded.Text);
    if (!difference.empty()) {
        std::cerr << "kelvaro-e2e-decode: " << difference << "\n";
        return 1;
    }
    if (decoded.Holes > 0) {
        std::cerr << "kelvaro-e2e-decode: the text came back, but the sound has " << decoded.Holes
                  << " hole(s)\n";
        return 1;
    }
    return 0;
}
