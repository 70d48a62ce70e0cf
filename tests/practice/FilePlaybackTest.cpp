// The played file's position, its masked stretches and what Resume plays.
#include "practice/FilePlayback.h"

#include <gtest/gtest.h>

namespace kelvaro::test {
namespace {

// What a file sounds when every character of text is taken in turn.
std::string Sounded(FilePlayback& playback, const std::string& text) {
    std::string sounded;
    playback.Start();
    for (const char c : text) {
        playback.CharacterTaken(static_cast<int>(text.size()));
        if (!playback.IsMasked(static_cast<std::uint8_t>(c))) {
            sounded += c;
        }
    }
    return sounded;
}

TEST(FilePlayback, MaskedStretchesAreDroppedWithTheirDelimiters) {
    FilePlayback playback;
    playback.SetDelimiters('[', ']');
    EXPECT_EQ(Sounded(playback, "ab[cd]ef"), "abef");
    EXPECT_EQ(playback.Position(), 8);
    EXPECT_EQ(Sounded(playback, "[x]y[z]"), "y");
    // An end delimiter outside a stretch is an ordinary character; a second start inside one
    // changes nothing.
    EXPECT_EQ(Sounded(playback, "a]b[c[d]e"), "a]be");
    // A start without an end masks the rest.
    EXPECT_EQ(Sounded(playback, "ab[cdef"), "ab");
    EXPECT_TRUE(playback.Masking());
    playback.Finish();
    EXPECT_FALSE(playback.Masking());
    EXPECT_EQ(playback.Position(), 0);
}

TEST(FilePlayback, OnlyAStartOrNoDelimiterAtAll) {
    FilePlayback playback;
    EXPECT_EQ(Sounded(playback, "ab[cd]ef"), "ab[cd]ef");
    playback.SetDelimiters('#', FilePlayback::kNoDelimiter);
    EXPECT_EQ(Sounded(playback, "ab#cd"), "ab");
    playback.SetDelimiters(FilePlayback::kNoDelimiter, '#');
    EXPECT_EQ(Sounded(playback, "ab#cd"), "ab#cd");
}

TEST(FilePlayback, StopKeepsTheRestWithoutTheSoundingCharacterAndResumeTakesIt) {
    FilePlayback playback;
    playback.Start();
    playback.CharacterTaken(6);
    playback.CharacterTaken(6);
    playback.Stop("cdef ", true, true);
    EXPECT_EQ(playback.ResumeText(), "def");
    EXPECT_EQ(playback.TakeResumeText(), "def");
    EXPECT_TRUE(playback.ResumeText().empty());
    EXPECT_EQ(playback.Position(), 2);
    // Stopped before anything sounded (the transmitter delay): the whole queue is kept.
    playback.Stop("cdef", false, false);
    EXPECT_EQ(playback.ResumeText(), "cdef");
    playback.Reset();
    EXPECT_TRUE(playback.ResumeText().empty());
    EXPECT_EQ(playback.Position(), 0);
}

TEST(FilePlayback, PositionNeverPassesTheText) {
    FilePlayback playback;
    playback.Start();
    for (int i = 0; i < 5; ++i) {
        playback.CharacterTaken(3);
    }
    EXPECT_EQ(playback.Position(), 3);
}

}  // namespace
}  // namespace kelvaro::test
