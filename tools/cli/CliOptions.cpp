// The command line of kelvaro-cli: what to play and how it should sound.
#include "cli/CliOptions.h"

#include <charconv>
#include <functional>
#include <map>

#include "app/TextEncoding.h"

namespace kelvaro::cli {

namespace {

std::optional<long long> ParseInteger(const std::string& text) {
    long long value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || text.empty()) {
        return std::nullopt;
    }
    return value;
}

struct Range {
    long long Min;
    long long Max;
    long long Step = 1;
    std::string Describe() const {
        std::string text = std::to_string(Min) + ".." + std::to_string(Max);
        if (Step != 1) {
            text += " in steps of " + std::to_string(Step);
        }
        return text;
    }
};

}  // namespace

std::string CliUsage() {
    return "usage: kelvaro-cli render --text TEXT [options] -o FILE.wav  (-o - : standard output)\n"
           "       kelvaro-cli record --text TEXT [--rate 22050|11025] [--channels 1|2] [--bits 8|16]\n"
           "                          [--wpm --weight --spacing --word-factor --note --exam-tone --level]\n"
           "                          -o FILE.wav  (the clean tone, as the window's Record menu writes it)\n"
           "       kelvaro-cli play --text TEXT [options]\n"
           "--text - reads the text from standard input.\n"
           "options: --wpm 5..50  --weight 3|4|5  --spacing 1..30  --word-factor 1..4\n"
           "         --note 100..1500  --exam-tone  --level -15..0\n"
           "         --noise 0..20 [--bw 1|2|4|8]  --qsb 0..20  --drift 0..50  --seed N\n"
           "       kelvaro-cli decode FILE.wav [--channel left|right] [--threshold 0..127] [--upper]\n"
           "         prints the Morse heard in the WAV file (any PCM or float WAV) as one line of text\n";
}

namespace {

std::variant<CliOptions, CliUsageError> ParseDecodeOptions(const std::vector<std::string>& args) {
    CliOptions options;
    options.Command = CliCommand::Decode;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (name == "--upper") {
            options.UpperCase = true;
            continue;
        }
        if (name == "--channel" || name == "--threshold") {
            if (i + 1 >= args.size()) {
                return CliUsageError{name + " needs a value"};
            }
            const std::string& value = args[++i];
            if (name == "--channel") {
                if (value != "left" && value != "right") {
                    return CliUsageError{"--channel takes left or right, not '" + value + "'"};
                }
                options.Channel = value == "left" ? DecodeChannel::Left : DecodeChannel::Right;
            } else {
                const auto parsed = ParseInteger(value);
                if (!parsed || *parsed < 0 || *parsed > 127) {
                    return CliUsageError{"--threshold takes 0..127, not '" + value + "'"};
                }
                options.Threshold = static_cast<int>(*parsed);
            }
            continue;
        }
        if (name.size() > 1 && name[0] == '-') {
            return CliUsageError{"unknown option: " + name};
        }
        if (!options.InputPath.empty()) {
            return CliUsageError{"decode takes one file, not '" + name + "' too"};
        }
        options.InputPath = name;
    }
    if (options.InputPath.empty()) {
        return CliUsageError{"decode needs a WAV file"};
    }
    return options;
}

}  // namespace

std::variant<CliOptions, CliUsageError> ParseCliOptions(const std::vector<std::string>& args) {
    if (args.empty()) {
        return CliUsageError{"missing command: render, play or decode"};
    }
    CliOptions options;
    if (args[0] == "decode") {
        return ParseDecodeOptions(args);
    }
    if (args[0] == "render") {
        options.Command = CliCommand::Render;
    } else if (args[0] == "record") {
        options.Command = CliCommand::Record;
    } else if (args[0] == "play") {
        options.Command = CliCommand::Play;
    } else {
        return CliUsageError{"unknown command: " + args[0]};
    }

    bool haveText = false;
    bool haveBandwidth = false;
    bool haveFormat = false;
    std::optional<CliUsageError> error;
    auto integer = [&](const std::string& name, const std::string& value, const Range& range,
                       const std::function<void(long long)>& store) {
        const auto parsed = ParseInteger(value);
        if (!parsed || *parsed < range.Min || *parsed > range.Max ||
            (*parsed - range.Min) % range.Step != 0) {
            error = CliUsageError{name + " takes " + range.Describe() + ", not '" + value + "'"};
            return;
        }
        store(*parsed);
    };

    const std::map<std::string, std::function<void(const std::string&, const std::string&)>> valued = {
        {"--text",
         [&](const std::string& name, const std::string& value) {
             if (value == "-") {
                 options.TextFromStandardInput = true;
                 haveText = true;
                 return;
             }
             const auto text = Utf8ToCp1252(value);
             if (!text || value.empty()) {
                 error = CliUsageError{name + " takes a non-empty UTF-8 text"};
                 return;
             }
             options.Text = *text;
             options.TextUtf8 = value;
             haveText = true;
         }},
        {"--wpm",
         [&](auto& n, auto& v) {
             integer(n, v, {5, 50}, [&](long long x) { options.SpeedWpm = int(x); });
         }},
        {"--weight",
         [&](auto& n, auto& v) {
             integer(n, v, {3, 5}, [&](long long x) { options.WeightRatio = int(x); });
         }},
        {"--spacing",
         [&](auto& n, auto& v) {
             integer(n, v, {1, 30}, [&](long long x) { options.Spacing = int(x); });
         }},
        {"--word-factor",
         [&](auto& n, auto& v) {
             integer(n, v, {1, 4}, [&](long long x) { options.WordSpaceFactor = int(x); });
         }},
        {"--note",
         [&](auto& n, auto& v) {
             integer(n, v, {100, 1500}, [&](long long x) { options.NoteHz = int(x); });
         }},
        {"--level",
         [&](auto& n, auto& v) {
             integer(n, v, {-15, 0}, [&](long long x) { options.LevelDb = int(x); });
         }},
        {"--noise",
         [&](auto& n, auto& v) {
             integer(n, v, {0, 20}, [&](long long x) { options.NoisePosition = int(x); });
         }},
        {"--bw",
         [&](const std::string& name, const std::string& value) {
             const auto parsed = ParseInteger(value);
             if (!parsed || (*parsed != 1 && *parsed != 2 && *parsed != 4 && *parsed != 8)) {
                 error = CliUsageError{name + " takes 1, 2, 4 or 8, not '" + value + "'"};
                 return;
             }
             options.NoiseBandwidth = static_cast<int>(*parsed);
             haveBandwidth = true;
         }},
        {"--qsb",
         [&](auto& n, auto& v) {
             integer(n, v, {0, 20}, [&](long long x) { options.QsbDepthDb = int(x); });
         }},
        {"--drift",
         [&](auto& n, auto& v) {
             integer(n, v, {0, 50, 5}, [&](long long x) { options.DriftStepHz = int(x); });
         }},
        {"--rate",
         [&](const std::string& name, const std::string& value) {
             const auto parsed = ParseInteger(value);
             if (!parsed || (*parsed != 22050 && *parsed != 11025)) {
                 error = CliUsageError{name + " takes 22050 or 11025, not '" + value + "'"};
                 return;
             }
             options.RecordRateHz = static_cast<int>(*parsed);
             haveFormat = true;
         }},
        {"--channels",
         [&](auto& n, auto& v) {
             integer(n, v, {1, 2}, [&](long long x) { options.RecordChannels = int(x); });
             haveFormat = true;
         }},
        {"--bits",
         [&](auto& n, auto& v) {
             integer(n, v, {8, 16, 8}, [&](long long x) { options.RecordBits = int(x); });
             haveFormat = true;
         }},
        {"--seed",
         [&](auto& n, auto& v) {
             integer(n, v, {0, 4294967295LL},
                     [&](long long x) { options.Seed = static_cast<std::uint32_t>(x); });
         }},
        {"-o",
         [&](const std::string& name, const std::string& value) {
             if (value.empty()) {
                 error = CliUsageError{name + " takes a file name"};
                 return;
             }
             options.OutputPath = value;
         }},
    };

    for (std::size_t i = 1; i < args.size() && !error; ++i) {
        const std::string& name = args[i];
        if (name == "--exam-tone") {
            options.ExamTone = true;
            continue;
        }
        const auto handler = valued.find(name);
        if (handler == valued.end()) {
            return CliUsageError{"unknown option: " + name};
        }
        if (i + 1 >= args.size()) {
            return CliUsageError{name + " needs a value"};
        }
        handler->second(name, args[++i]);
    }
    if (error) {
        return *error;
    }
    if (!haveText) {
        return CliUsageError{"--text is required"};
    }
    if (haveBandwidth && !options.NoisePosition) {
        return CliUsageError{"--bw goes with --noise"};
    }
    if (options.Command != CliCommand::Play && options.OutputPath.empty()) {
        return CliUsageError{args[0] + " needs -o FILE.wav"};
    }
    if (options.Command == CliCommand::Record &&
        (options.NoisePosition || options.QsbDepthDb || options.DriftStepHz || options.Seed)) {
        return CliUsageError{
            "record writes the clean tone: --noise, --qsb, --drift and --seed go with render"};
    }
    if (options.Command != CliCommand::Record && haveFormat) {
        return CliUsageError{"--rate, --channels and --bits go with record"};
    }
    if (options.Command == CliCommand::Play && !options.OutputPath.empty()) {
        return CliUsageError{"play takes no -o (use render to write a file)"};
    }
    return options;
}

std::optional<CliUsageError> SetTextFromInput(CliOptions& options, const std::string& utf8) {
    const auto text = Utf8ToCp1252(utf8);
    if (!text || utf8.empty()) {
        return CliUsageError{"--text - takes a non-empty UTF-8 text on standard input"};
    }
    options.Text = *text;
    options.TextUtf8 = utf8;
    return std::nullopt;
}

}  // namespace kelvaro::cli
