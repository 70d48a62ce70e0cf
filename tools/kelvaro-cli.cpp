// kelvaro-cli: plays text as Morse on the sound card, renders it to a WAV file, or decodes the
// Morse in a WAV file.
#include <cstdio>
#include <string>
#include <variant>
#include <vector>

#include "app/LanguageTable.h"
#include "app/TextEncoding.h"
#include "cli/CliDecode.h"
#include "cli/CliOptions.h"
#include "cli/CliSession.h"
#include "cli/CliText.h"
#include "core/MorseTable.h"

int main(int argc, char** argv) {
    using namespace kelvaro::cli;
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        std::fputs(CliUsage().c_str(), stdout);
        return 0;
    }
    const auto parsed = ParseCliOptions(args);
    if (const auto* error = std::get_if<CliUsageError>(&parsed)) {
        std::fprintf(stderr, "kelvaro-cli: %s (see kelvaro-cli --help)\n", error->Message.c_str());
        return 2;
    }
    CliOptions options = std::get<CliOptions>(parsed);
    if (options.TextFromStandardInput) {
        std::string input;
        char chunk[4096];
        for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, stdin)) > 0;) {
            input.append(chunk, n);
        }
        if (const auto error = SetTextFromInput(options, input)) {
            std::fprintf(stderr, "kelvaro-cli: %s (see kelvaro-cli --help)\n", error->Message.c_str());
            return 2;
        }
    }
    if (options.Command == CliCommand::Record) {
        // Characters without a code add nothing to a recording, as in the window.
        const kelvaro::Status status = RecordToWav(options);
        if (!status.Ok()) {
            std::fprintf(stderr, "kelvaro-cli: Err %d : %s\n", status.Code, status.Context.c_str());
            return 2;
        }
        return 0;
    }
    if (options.Command == CliCommand::Decode) {
        std::string text;
        const kelvaro::Status status = DecodeWav(options, text);
        if (!status.Ok()) {
            std::fprintf(stderr, "kelvaro-cli: %s\n", status.Context.c_str());
            return 2;
        }
        std::printf("%s\n", kelvaro::Cp1252ToUtf8(text).c_str());
        return 0;
    }
    // Characters without a code would be skipped in silence; the user hears why.
    const PlayableText playable = SplitPlayable(options.TextUtf8, kelvaro::MorseTable());
    if (const std::string notice = DroppedNotice(playable); !notice.empty()) {
        std::fprintf(stderr, "kelvaro-cli: %s\n", notice.c_str());
    }
    if (!playable.HasMorse) {
        std::fprintf(stderr, "kelvaro-cli: %s\n",
                     kelvaro::LanguageTable().Text("msg.no-morse-to-play").c_str());
        return 2;
    }
    options.Text = playable.Codes;
    if (options.Command == CliCommand::Render) {
        const kelvaro::Status status = RenderToWav(options);
        if (!status.Ok()) {
            std::fprintf(stderr, "kelvaro-cli: %s\n", status.Context.c_str());
            return 2;
        }
        return 0;
    }
    std::string info;
    const kelvaro::Status status = PlayOnDevice(options, info);
    if (!info.empty()) {
        std::fprintf(stderr, "kelvaro-cli: %s\n", info.c_str());
    }
    if (!status.Ok()) {
        const std::string context = status.Context.empty() ? "Can't open the sound card !" : status.Context;
        std::fprintf(stderr, "kelvaro-cli: Err %d : %s\n", status.Code, context.c_str());
        return 1;
    }
    return 0;
}
