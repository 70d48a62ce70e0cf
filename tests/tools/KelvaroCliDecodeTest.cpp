// kelvaro-cli decode: WAV files of every format through the program's audio decoder, and text
// rendered by kelvaro-cli itself decoded back exactly.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/CliDecode.h"
#include "cli/CliOptions.h"
#include "core/MorseTable.h"
#include "support/KeyedTone.h"
#include "support/ScratchFolder.h"
#include "support/WavBytes.h"

extern char** environ;

namespace kelvaro::cli {
namespace {

namespace fs = std::filesystem;

struct CliRun {
    int ExitCode = -1;
    std::string Out;
    std::string Err;
};

/// A text to send: letters, figures and punctuation in groups of 1 to 6. The decoder takes the
/// first mark it ever hears as a dot, so the text starts with one; and after a "t" alone (a
/// single dash) the gap estimate is half a dash, which a following character gap cannot pass,
/// so "t" only ends a group.
std::string PracticeText(std::size_t characters, std::uint32_t seed) {
    const std::string set = "abcdefghijklmnopqrsuvwxyz0123456789.,?/+'-=:;\"@)";
    std::string text = "e";
    while (text.size() < characters) {
        seed = seed * 134775813U + 1U;
        const std::size_t length = 1 + (seed >> 16) % 6;
        for (std::size_t i = 0; i < length; ++i) {
            seed = seed * 134775813U + 1U;
            text += set[(seed >> 8) % set.size()];
        }
        seed = seed * 134775813U + 1U;
        if ((seed >> 20) % 5 == 0) {
            text += 't';
        }
        text += ' ';
    }
    text.pop_back();
    return text;
}

class CliDecodeTest : public test::ScratchFolderTest {
protected:
    CliDecodeTest() : ScratchFolderTest("kelvaro-cli-decode") {}

    CliRun Run(const std::vector<std::string>& args) {
        const std::string out = (Folder / "stdout").string();
        const std::string err = (Folder / "stderr").string();
        std::vector<std::string> all{KELVARO_CLI};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& arg : all) {
            argv.push_back(arg.data());
        }
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        pid_t pid = 0;
        CliRun run;
        const int spawned = posix_spawn(&pid, KELVARO_CLI, &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (spawned != 0) {
            ADD_FAILURE() << "cannot start " << KELVARO_CLI;
            return run;
        }
        int status = 0;
        waitpid(pid, &status, 0);
        run.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.Out = test::FileContents(out);
        run.Err = test::FileContents(err);
        return run;
    }

    std::string Decoded(const std::string& wavBytes, const std::vector<std::string>& options = {}) {
        const fs::path path = Folder / "in.wav";
        test::PutFile(path, wavBytes);
        std::vector<std::string> args{"decode", path.string()};
        args.insert(args.end(), options.begin(), options.end());
        const auto parsed = ParseCliOptions(args);
        const auto* decodeOptions = std::get_if<CliOptions>(&parsed);
        if (decodeOptions == nullptr) {
            ADD_FAILURE() << std::get<CliUsageError>(parsed).Message;
            return {};
        }
        std::string text;
        const Status status = DecodeWav(*decodeOptions, text);
        EXPECT_TRUE(status.Ok()) << status.Context;
        return text;
    }
};

std::string ErrorOf(std::vector<std::string> args) {
    const auto parsed = ParseCliOptions(args);
    const auto* error = std::get_if<CliUsageError>(&parsed);
    return error != nullptr ? error->Message : "";
}

TEST(CliDecodeOptionsTest, ReadsAndChecksTheDecodeOptions) {
    const auto parsed =
        ParseCliOptions({"decode", "x.wav", "--channel", "right", "--threshold", "0", "--upper"});
    ASSERT_TRUE(std::holds_alternative<CliOptions>(parsed));
    const CliOptions& options = std::get<CliOptions>(parsed);
    EXPECT_EQ(options.Command, CliCommand::Decode);
    EXPECT_EQ(options.InputPath, "x.wav");
    EXPECT_EQ(options.Channel, DecodeChannel::Right);
    EXPECT_EQ(options.Threshold, 0);
    EXPECT_TRUE(options.UpperCase);
    const CliOptions defaults = std::get<CliOptions>(ParseCliOptions({"decode", "x.wav"}));
    EXPECT_EQ(defaults.Channel, DecodeChannel::Left);
    EXPECT_EQ(defaults.Threshold, 64);
    EXPECT_FALSE(defaults.UpperCase);

    EXPECT_EQ(ErrorOf({"decode"}), "decode needs a WAV file");
    EXPECT_EQ(ErrorOf({"decode", "a.wav", "b.wav"}), "decode takes one file, not 'b.wav' too");
    EXPECT_EQ(ErrorOf({"decode", "a.wav", "--channel", "both"}), "--channel takes left or right, not 'both'");
    EXPECT_EQ(ErrorOf({"decode", "a.wav", "--threshold", "128"}), "--threshold takes 0..127, not '128'");
    EXPECT_EQ(ErrorOf({"decode", "a.wav", "--threshold", "-1"}), "--threshold takes 0..127, not '-1'");
    EXPECT_EQ(ErrorOf({"decode", "a.wav", "--threshold"}), "--threshold needs a value");
    EXPECT_EQ(ErrorOf({"decode", "a.wav", "--wpm", "20"}), "unknown option: --wpm");
}

TEST_F(CliDecodeTest, EveryFormatRateAndChannelCountGivesTheSameText) {
    const std::string text = PracticeText(60, 11);
    struct Case {
        test::WavShape Shape;
        const char* Name;
    };
    for (const Case& c :
         {Case{{1, 1, 44100, 16}, "44100 mono 16-bit"}, Case{{1, 2, 44100, 16}, "44100 stereo 16-bit"},
          Case{{3, 1, 48000, 32}, "48000 mono float"}, Case{{3, 2, 48000, 32, true}, "48000 stereo float"},
          Case{{1, 2, 96000, 24}, "96000 stereo 24-bit"}, Case{{1, 1, 22050, 8}, "22050 mono 8-bit"},
          Case{{1, 1, 8000, 32}, "8000 mono 32-bit"}, Case{{3, 1, 11025, 64}, "11025 mono double"}}) {
        SCOPED_TRACE(c.Name);
        test::KeyedToneShape tone;
        tone.RateHz = c.Shape.RateHz;
        tone.SpeedWpm = 30;
        std::vector<float> samples = test::KeyedTone(text, tone);
        if (c.Shape.Channels == 2) {
            std::vector<float> stereo;
            for (const float s : samples) {
                stereo.insert(stereo.end(), {s, s});
            }
            samples = stereo;
        }
        EXPECT_EQ(Decoded(test::WavFile(c.Shape, samples)), text);
    }
}

TEST_F(CliDecodeTest, ChannelThresholdAndCase) {
    const std::string text = "cq de f5abc k";
    test::KeyedToneShape tone;
    tone.Amplitude = 0.4;  // a peak of 51 steps from silence
    std::vector<float> rightOnly;
    for (const float s : test::KeyedTone(text, tone)) {
        rightOnly.insert(rightOnly.end(), {0.0F, s});
    }
    const std::string wav = test::WavFile({1, 2, 44100, 16}, rightOnly);
    EXPECT_EQ(Decoded(wav), "");
    EXPECT_EQ(Decoded(wav, {"--channel", "right"}), "");  // below the default threshold 64
    EXPECT_EQ(Decoded(wav, {"--channel", "right", "--threshold", "40"}), text);
    EXPECT_EQ(Decoded(wav, {"--channel", "right", "--threshold", "40", "--upper"}), "CQ DE F5ABC K");
    EXPECT_EQ(Decoded(wav, {"--channel", "right", "--threshold", "0"}), "");  // the tone never ends
}

TEST_F(CliDecodeTest, RenderedTextDecodesBackExactly) {
    // Word gaps of 12 units (--word-factor 3): the decoder ends a word after six gap estimates of
    // silence, and a gap estimate can be half a dash. Prosigns come back in brackets.
    const std::string text = PracticeText(300, 1234) + " ! < ( >";
    std::string expected = text.substr(0, text.size() - 8) + " [AS] [HH] [KN] [VA]";
    const fs::path wav = Folder / "sent.wav";
    for (const char* wpm : {"12", "20", "30", "40"}) {
        SCOPED_TRACE(wpm);
        const CliRun render = Run({"render", "--text", text, "--wpm", wpm, "--level", "0", "--word-factor",
                                   "3", "-o", wav.string()});
        ASSERT_EQ(render.ExitCode, 0) << render.Err;
        const CliRun decode = Run({"decode", wav.string()});
        EXPECT_EQ(decode.ExitCode, 0);
        EXPECT_EQ(decode.Err, "");
        EXPECT_EQ(decode.Out, expected + "\n");
    }
    const CliRun upper = Run({"decode", wav.string(), "--upper"});
    std::string upperText = expected;
    std::transform(upperText.begin(), upperText.end(), upperText.begin(),
                   [](unsigned char c) { return std::toupper(c); });
    EXPECT_EQ(upper.Out, upperText + "\n");
}

TEST_F(CliDecodeTest, BadFilesGiveOneLineAndExitStatus2) {
    test::PutFile(Folder / "text.wav", "just some words\n");
    test::PutFile(Folder / "empty.wav", "");
    const std::string good = test::WavFile({1, 1, 44100, 16}, std::vector<float>(1000, 0.5F));
    test::PutFile(Folder / "short.wav", good.substr(0, good.size() - 10));
    struct Case {
        std::string Path;
        std::string Message;
    };
    for (const Case& c :
         {Case{(Folder / "text.wav").string(), "not a WAV file"},
          Case{(Folder / "empty.wav").string(), "the file is empty"},
          Case{(Folder / "short.wav").string(), "truncated WAV file (1990 of 2000 bytes of sound)"},
          Case{(Folder / "none.wav").string(), "cannot read (No such file or directory)"},
          Case{Folder.string(), "a folder, not a WAV file"}}) {
        const CliRun run = Run({"decode", c.Path});
        EXPECT_EQ(run.ExitCode, 2) << c.Path;
        EXPECT_EQ(run.Out, "");
        EXPECT_EQ(run.Err, "kelvaro-cli: " + c.Path + ": " + c.Message + "\n");
    }
    const CliRun usage = Run({"decode", "--channel", "left"});
    EXPECT_EQ(usage.ExitCode, 2);
    EXPECT_EQ(usage.Err, "kelvaro-cli: decode needs a WAV file (see kelvaro-cli --help)\n");
}

}  // namespace
}  // namespace kelvaro::cli
