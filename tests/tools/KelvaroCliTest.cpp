// The command-line tool: option checking, and the WAV it renders.
#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "cli/CliOptions.h"
#include "cli/CliSession.h"

namespace kelvaro::cli {
namespace {

namespace fs = std::filesystem;

std::variant<CliOptions, CliUsageError> Parse(std::vector<std::string> args) {
    return ParseCliOptions(args);
}

std::string ErrorOf(std::vector<std::string> args) {
    const auto parsed = Parse(std::move(args));
    const auto* error = std::get_if<CliUsageError>(&parsed);
    return error != nullptr ? error->Message : "";
}

TEST(CliOptionsTest, ReadsEveryOption) {
    const auto parsed = Parse({"render", "--text",    "cq dé f5xyz", "--wpm",         "20", "--weight",
                               "4",      "--spacing", "2",           "--word-factor", "3",  "--note",
                               "650",    "--level",   "-6",          "--noise",       "5",  "--bw",
                               "2",      "--qsb",     "15",          "--drift",       "25", "--seed",
                               "77",     "-o",        "out.wav"});
    ASSERT_TRUE(std::holds_alternative<CliOptions>(parsed)) << std::get<CliUsageError>(parsed).Message;
    const CliOptions& options = std::get<CliOptions>(parsed);
    EXPECT_EQ(options.Command, CliCommand::Render);
    EXPECT_EQ(options.Text, "cq d\xe9 f5xyz");  // UTF-8 in, the program's 8-bit codes out
    EXPECT_EQ(options.SpeedWpm, 20);
    EXPECT_EQ(options.WeightRatio, 4);
    EXPECT_EQ(options.Spacing, 2);
    EXPECT_EQ(options.WordSpaceFactor, 3);
    EXPECT_EQ(options.NoteHz, 650);
    EXPECT_EQ(options.LevelDb, -6);
    EXPECT_EQ(options.NoisePosition, 5);
    EXPECT_EQ(options.NoiseBandwidth, 2);
    EXPECT_EQ(options.QsbDepthDb, 15);
    EXPECT_EQ(options.DriftStepHz, 25);
    EXPECT_EQ(options.Seed, 77u);
    EXPECT_EQ(options.OutputPath, "out.wav");
}

TEST(CliOptionsTest, RefusesWhatIsOutOfRangeOrUnknown) {
    EXPECT_EQ(ErrorOf({"play", "--text", "e", "--wpm", "51"}), "--wpm takes 5..50, not '51'");
    EXPECT_EQ(ErrorOf({"play", "--text", "e", "--wpm", "4"}), "--wpm takes 5..50, not '4'");
    EXPECT_EQ(ErrorOf({"play", "--text", "e", "--wpm", "12x"}), "--wpm takes 5..50, not '12x'");
    EXPECT_EQ(ErrorOf({"play", "--text", "e", "--weight", "6"}), "--weight takes 3..5, not '6'");
    EXPECT_EQ(ErrorOf({"play", "--text", "e", "--drift", "12"}),
              "--drift takes 0..50 in steps of 5, not '12'");
    EXPECT_EQ(ErrorOf({"play", "--text", "e", "--noise", "3", "--bw", "3"}),
              "--bw takes 1, 2, 4 or 8, not '3'");
    EXPECT_EQ(ErrorOf({"play", "--text", "e", "--bw", "4"}), "--bw goes with --noise");
    EXPECT_EQ(ErrorOf({"play", "--text", "e", "--fast"}), "unknown option: --fast");
    EXPECT_EQ(ErrorOf({"play", "--text"}), "--text needs a value");
    EXPECT_EQ(ErrorOf({"play", "--wpm", "20"}), "--text is required");
    EXPECT_EQ(ErrorOf({"render", "--text", "e"}), "render needs -o FILE.wav");
    EXPECT_EQ(ErrorOf({"play", "--text", "e", "-o", "x.wav"}),
              "play takes no -o (use render to write a file)");
    EXPECT_EQ(ErrorOf({"sing", "--text", "e"}), "unknown command: sing");
    EXPECT_EQ(ErrorOf({"play", "--text", "\xff"}), "--text takes a non-empty UTF-8 text");
    EXPECT_EQ(ErrorOf({"play", "--text", "e", "--level", "-16"}), "--level takes -15..0, not '-16'");
    EXPECT_EQ(ErrorOf({"play", "--text", "e", "--seed", "4294967296"}),
              "--seed takes 0..4294967295, not '4294967296'");
}

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        Folder = fs::temp_directory_path() / ("kelvaro-cli-test-" + std::to_string(::getpid()));
        fs::create_directories(Folder);
    }
    void TearDown() override { fs::remove_all(Folder); }

    static std::string ReadAll(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static std::uint32_t Le32(const std::string& bytes, std::size_t at) {
        std::uint32_t value = 0;
        for (int i = 3; i >= 0; --i) {
            value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
        }
        return value;
    }
    CliOptions Options(const std::string& text, const fs::path& output) {
        auto parsed = Parse({"render", "--text", text, "-o", output.string()});
        return std::get<CliOptions>(parsed);
    }

    fs::path Folder;
};

TEST_F(RenderTest, WritesTheEngineFramesAsAStereoWav) {
    const fs::path output = Folder / "paris.wav";
    CliOptions options = Options("PARIS ", output);
    options.SpeedWpm = 20;
    ASSERT_TRUE(RenderToWav(options).Ok());
    const std::string bytes = ReadAll(output);
    ASSERT_EQ(bytes.size(), 44u + 61250u * 4);
    EXPECT_EQ(bytes.substr(0, 4), "RIFF");
    EXPECT_EQ(Le32(bytes, 4), 36u + 61250u * 4);
    EXPECT_EQ(bytes.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(Le32(bytes, 24), 22050u);
    EXPECT_EQ(Le32(bytes, 28), 88200u);
    EXPECT_EQ(Le32(bytes, 40), 61250u * 4);
    EXPECT_EQ(bytes.substr(22, 2), std::string("\x02\x00", 2));
    EXPECT_EQ(bytes.substr(34, 2), std::string("\x10\x00", 2));
}

TEST_F(RenderTest, SameSeedSameNoise) {
    CliOptions first = Options("ab", Folder / "a.wav");
    first.NoisePosition = 10;
    first.QsbDepthDb = 20;
    first.DriftStepHz = 10;
    first.Seed = 5;
    CliOptions second = first;
    second.OutputPath = (Folder / "b.wav").string();
    ASSERT_TRUE(RenderToWav(first).Ok());
    ASSERT_TRUE(RenderToWav(second).Ok());
    EXPECT_EQ(ReadAll(Folder / "a.wav"), ReadAll(Folder / "b.wav"));
    second.Seed = 6;
    ASSERT_TRUE(RenderToWav(second).Ok());
    EXPECT_NE(ReadAll(Folder / "a.wav"), ReadAll(Folder / "b.wav"));
}

TEST_F(RenderTest, UnwritablePathFailsAndLeavesNoFile) {
    const fs::path output = Folder / "missing-folder" / "x.wav";
    const Status status = RenderToWav(Options("e", output));
    EXPECT_FALSE(status.Ok());
    EXPECT_NE(status.Context.find("cannot write"), std::string::npos);
    EXPECT_FALSE(fs::exists(output));
    EXPECT_TRUE(fs::is_empty(Folder));
}

}  // namespace
}  // namespace kelvaro::cli

namespace kelvaro::cli {
namespace {

TEST(CliRecordOptionsTest, ReadsTheFileFormatAndKeepsEffectsToRender) {
    const auto parsed = ParseCliOptions(
        {"record", "--text", "-", "--rate", "11025", "--channels", "2", "--bits", "16", "-o", "x.wav"});
    ASSERT_TRUE(std::holds_alternative<CliOptions>(parsed)) << std::get<CliUsageError>(parsed).Message;
    const CliOptions& options = std::get<CliOptions>(parsed);
    EXPECT_EQ(options.Command, CliCommand::Record);
    EXPECT_TRUE(options.TextFromStandardInput);
    EXPECT_EQ(options.RecordRateHz, 11025);
    EXPECT_EQ(options.RecordChannels, 2);
    EXPECT_EQ(options.RecordBits, 16);

    auto error = [](std::vector<std::string> args) {
        const auto result = ParseCliOptions(args);
        const auto* failure = std::get_if<CliUsageError>(&result);
        return failure != nullptr ? failure->Message : std::string();
    };
    EXPECT_EQ(error({"record", "--text", "e", "--rate", "44100", "-o", "x.wav"}),
              "--rate takes 22050 or 11025, not '44100'");
    EXPECT_EQ(error({"record", "--text", "e", "--bits", "12", "-o", "x.wav"}),
              "--bits takes 8..16 in steps of 8, not '12'");
    EXPECT_EQ(error({"record", "--text", "e", "--noise", "3", "-o", "x.wav"}),
              "record writes the clean tone: --noise, --qsb, --drift and --seed go with render");
    EXPECT_EQ(error({"render", "--text", "e", "--channels", "2", "-o", "x.wav"}),
              "--rate, --channels and --bits go with record");
    EXPECT_EQ(error({"record", "--text", "e"}), "record needs -o FILE.wav");

    CliOptions fromInput = options;
    EXPECT_FALSE(SetTextFromInput(fromInput, "cq d\xc3\xa9\n").has_value());
    EXPECT_EQ(fromInput.Text, "cq d\xe9\n");
    EXPECT_TRUE(SetTextFromInput(fromInput, "").has_value());
    EXPECT_TRUE(SetTextFromInput(fromInput, "\xff\xfe").has_value());
}

}  // namespace
}  // namespace kelvaro::cli
