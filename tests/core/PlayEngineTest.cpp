// The play engine's chain: queueing, skipping, shortcuts, Stop, the simulated card, noise tail,
// silent series, keying, level, drift and the sidetone, against a fake device.
#include <gtest/gtest.h>

#include <map>

#include "core/MorseTable.h"
#include "core/PlayEngine.h"
#include "core/PlayHost.h"
#include "core/SpeedSettings.h"
#include "core/TransmitterKeying.h"
#include "support/FakeWaveOut.h"
#include "support/ManualTimer.h"

namespace kelvaro {
namespace {

using test::FakeWaveOut;
using test::ManualTimer;

class RecordingHost : public PlayHost {
public:
    void OnCharacterTaken(std::uint8_t character, bool fromShortcut) override {
        Taken.push_back({static_cast<char>(character), fromShortcut});
    }
    std::optional<std::string> ShortcutText(std::uint8_t character) override {
        const auto found = Shortcuts.find(static_cast<char>(character));
        return found == Shortcuts.end() ? std::nullopt : std::optional(found->second);
    }
    bool SilentRun() const override { return Silent; }
    CharacterContext ContextForCharacter() const override { return Context; }
    void OnPlaybackEnded() override {
        ++Ended;
        if (OnEnded) {
            OnEnded();
        }
    }
    void ShowDeviceError(const Status& status) override { Errors.push_back(status); }
    void StopOnDeviceFailure() override {
        if (OnStopForFailure) {
            OnStopForFailure();
        }
    }

    std::vector<std::pair<char, bool>> Taken;
    std::map<char, std::string> Shortcuts;
    bool Silent = false;
    CharacterContext Context;
    int Ended = 0;
    std::function<void()> OnEnded;
    std::function<void()> OnStopForFailure;
    std::vector<Status> Errors;
};

class RecordingTransmitter : public TransmitterKeying {
public:
    bool KeyingConfigured() const override { return true; }
    void CwKeyDown(const KeyingSchedule& schedule, bool handKeying) override {
        KeyDowns.push_back({schedule.ElementList, handKeying});
        Leads.push_back(schedule.LeadMs);
    }
    void CwKeyUp() override { ++KeyUps; }
    void StopElementSequencer() override { ++Stops; }

    std::vector<std::pair<std::vector<int>, bool>> KeyDowns;
    std::vector<int> Leads;
    int Stops = 0;
    int KeyUps = 0;
};

class PlayEngineTest : public ::testing::Test {
protected:
    PlayEngineTest() : Random(1), Engine(Device, Timer1, Random, Table, Speed, Host) {}

    void Open() { ASSERT_TRUE(Engine.OpenOutput(WaveOut::kDefaultDevice).Ok()); }
    void Play(const std::string& text) {
        Engine.PlayQueue() += text;
        Engine.StartClick();
    }
    /// Frames of each character buffer written so far.
    std::vector<int> CharacterFrames() const { return Device.FramesOf(PlayEngine::kCharacterBuffer); }

    FakeWaveOut Device;
    ManualTimer Timer1;
    RandomGenerator Random;
    MorseTable Table;
    SpeedSettings Speed;
    RecordingHost Host;
    PlayEngine Engine;
};

TEST_F(PlayEngineTest, TextQueuedWhileACharacterSoundsJoinsTheRunningChain) {
    Open();
    Play("e");
    EXPECT_FALSE(Engine.BufferIdle());
    Play("t");  // a second click while "e" sounds starts nothing
    EXPECT_EQ(CharacterFrames(), (std::vector<int>{8332}));
    EXPECT_EQ(Engine.PlayQueue(), "et");

    ASSERT_TRUE(Device.CompleteNext());
    EXPECT_EQ(CharacterFrames(), (std::vector<int>{8332, 6250 + 3 * 2083}));
    EXPECT_EQ(Host.Ended, 0);
    ASSERT_TRUE(Device.CompleteNext());
    EXPECT_EQ(Host.Ended, 1);
    EXPECT_TRUE(Engine.BufferIdle());
    EXPECT_TRUE(Engine.PlayQueue().empty());
}

TEST_F(PlayEngineTest, CharactersWithoutPatternAreSkippedWithoutSoundOrGap) {
    Open();
    Play("e#\x7f e");
    Device.CompleteAll();
    EXPECT_EQ(CharacterFrames(), (std::vector<int>{8332, 6249, 8332}));
    EXPECT_EQ(Host.Ended, 1);
}

TEST_F(PlayEngineTest, ShortcutKeyIsReplacedByItsTextWhichDoesNotCountAsTyped) {
    Open();
    Host.Shortcuts['%'] = "ee";
    Play("%t");
    Device.CompleteAll();
    EXPECT_EQ(CharacterFrames().size(), 3u);
    const std::vector<std::pair<char, bool>> expected = {
        {'%', false}, {'e', true}, {'e', true}, {'t', false}};
    EXPECT_EQ(Host.Taken, expected);
}

TEST_F(PlayEngineTest, StopLetsTheSoundingCharacterFinishAndDropsTheRest) {
    Open();
    Play("eee");
    Engine.PlayQueue().clear();       // what Stop does: the device is never reset for it
    EXPECT_EQ(Device.ResetCount, 2);  // the open and the first character only
    ASSERT_TRUE(Device.CompleteNext());
    EXPECT_EQ(CharacterFrames().size(), 1u);
    EXPECT_EQ(Host.Ended, 1);
    EXPECT_TRUE(Engine.BufferIdle());
}

TEST_F(PlayEngineTest, WithoutSoundCardEachCharacterTakesOneTimerTick) {
    Device.FailOpenCode = -9996;
    const Status opened = Engine.OpenOutput(WaveOut::kDefaultDevice);
    EXPECT_EQ(opened.Code, -9996);
    EXPECT_EQ(opened.Context, PlayEngine::kCantOpenContext);
    EXPECT_TRUE(Engine.NoSoundCard());
    EXPECT_EQ(Timer1.IntervalMs, 500);

    Play("ab");
    EXPECT_TRUE(Timer1.Enabled());
    EXPECT_TRUE(Device.History.empty());
    EXPECT_EQ(Engine.PlayQueue(), "ab");
    ASSERT_TRUE(Timer1.Tick());
    EXPECT_EQ(Engine.PlayQueue(), "b");
    EXPECT_EQ(Host.Ended, 0);
    ASSERT_TRUE(Timer1.Tick());
    EXPECT_EQ(Host.Ended, 1);
    EXPECT_FALSE(Timer1.Enabled());
    EXPECT_TRUE(Host.Errors.empty());
}

TEST_F(PlayEngineTest, NoiseTailFollowsEachCharacterAndIsCutByTheNext) {
    Open();
    Host.Context.NoiseOn = true;
    Play("ee");
    ASSERT_EQ(Device.History.size(), 2u);
    EXPECT_EQ(Device.History[1].BufferId, PlayEngine::kNoiseTailBuffer);
    EXPECT_EQ(Device.History[1].Frames(), 15000);
    ASSERT_TRUE(Device.CompleteNext());  // "e" done: the second is rendered, the tail reset away
    EXPECT_EQ(Device.PendingCount(), 2u);
    EXPECT_EQ(CharacterFrames().size(), 2u);
    ASSERT_TRUE(Device.CompleteNext());
    EXPECT_EQ(Host.Ended, 1);
    ASSERT_TRUE(Device.CompleteNext());  // the last tail plays out and changes nothing
    EXPECT_EQ(Host.Ended, 1);
    // Noise fills the silence between characters.
    const auto& first = Device.History[0].Samples;
    EXPECT_NE(first[2 * 5000], 0);
}

TEST_F(PlayEngineTest, SilentSeriesOfThousandsCompletesAtOnceWithoutDeepRecursion) {
    Open();
    Host.Silent = true;
    int remaining = 20000;
    Host.OnEnded = [&] {
        if (--remaining > 0) {
            Play("a");  // like the random generator: one character, then Start
        }
    };
    Play("a");
    EXPECT_EQ(remaining, 0);
    EXPECT_EQ(Host.Ended, 20000);
    EXPECT_TRUE(Device.History.empty());
}

TEST_F(PlayEngineTest, KeyingFollowsEachCharacterButNotBlanks) {
    RecordingTransmitter transmitter;
    Engine.SetTransmitter(&transmitter);
    Open();
    Play("a e");
    Device.CompleteAll();
    ASSERT_EQ(transmitter.KeyDowns.size(), 2u);
    EXPECT_EQ(transmitter.KeyDowns[0].first, (std::vector<int>{94, -94, 283, 0}));
    EXPECT_FALSE(transmitter.KeyDowns[0].second);
    EXPECT_EQ(transmitter.KeyDowns[1].first, (std::vector<int>{94, 0}));
    EXPECT_EQ(transmitter.Stops, 3);  // one per completed character, the blank included
}

TEST_F(PlayEngineTest, KeyingIsLedByTheOutputLatencyAndEndsByItself) {
    RecordingTransmitter transmitter;
    Engine.SetTransmitter(&transmitter);
    Open();
    Device.LatencyMs = 90;
    Play("a e");
    Device.CompleteAll();
    EXPECT_EQ(transmitter.Leads, (std::vector<int>{90, 90}));
    // The device takes each character's last frame about one latency before it is heard: the
    // keying, led by as much, is not stopped there.
    EXPECT_EQ(transmitter.Stops, 0);

    Device.FailWriteCode = 5;
    Play("e");
    EXPECT_EQ(transmitter.Stops, 1);  // a refused buffer still releases the keying at once
}

TEST_F(PlayEngineTest, ARefusedWriteStopsPlaybackWithOneMessageAndReleasesTheKeying) {
    Open();
    RecordingTransmitter transmitter;
    Engine.SetTransmitter(&transmitter);
    int modeStops = 0;
    Host.OnStopForFailure = [&] { ++modeStops; };
    // A mode that would hand over the next character at every end of playback.
    Host.OnEnded = [&] {
        if (modeStops == 0 && Host.Ended < 3) {
            Play("e");
        }
    };
    Device.FailWriteCode = 5;
    Play("eeeeeeeeee");
    ASSERT_EQ(Host.Errors.size(), 1u);
    EXPECT_EQ(Host.Errors[0].Code, 5);
    EXPECT_EQ(Host.Errors[0].Context, "Ecriture Carte Son StartClick");
    EXPECT_EQ(modeStops, 1);
    EXPECT_EQ(Host.Ended, 1);
    EXPECT_TRUE(Engine.BufferIdle());
    EXPECT_TRUE(Engine.PlayQueue().empty());
    EXPECT_EQ(transmitter.KeyDowns.size(), 1u);
    EXPECT_EQ(transmitter.Stops, 1);  // the keyed character is released at once

    Device.FailWriteCode = 0;
    Device.FailResetCode = 7;
    Play("e");  // reset errors are shown and the character still plays
    ASSERT_EQ(Host.Errors.size(), 2u);
    EXPECT_EQ(Host.Errors[1].Context, "WaveOutReset");
    EXPECT_EQ(CharacterFrames().size(), 1u);
}

TEST_F(PlayEngineTest, LevelChangesRebuildTheTablesOnlyWhenTheGainChanges) {
    Open();
    const int rebuilds = Engine.TableRebuildCount();
    Engine.UpDownAmplitudeClick(-9);  // 10^(-9/20) differs from the start-up 0.35
    EXPECT_EQ(Engine.TableRebuildCount(), rebuilds + 1);
    Engine.UpDownAmplitudeClick(-6);
    EXPECT_EQ(Engine.TableRebuildCount(), rebuilds + 2);
    Engine.UpDownAmplitudeClick(-6);
    EXPECT_EQ(Engine.TableRebuildCount(), rebuilds + 2);
    EXPECT_NEAR(Engine.ToneGain(), 0.501187, 1e-6);

    Engine.UpDownAmplitudeClick(0);
    EXPECT_FALSE(Engine.UpVolumeClick());
    Engine.UpDownAmplitudeClick(-15);
    EXPECT_FALSE(Engine.DownVolumeClick());
    EXPECT_TRUE(Engine.UpVolumeClick());
    EXPECT_EQ(Engine.LevelDb(), -12);
}

TEST_F(PlayEngineTest, DriftIsHeardFromTheNextCharacter) {
    Open();
    Host.Context.DriftOn = true;
    Engine.SnapshotBaseFrequency();
    Play("ee");
    EXPECT_DOUBLE_EQ(Engine.NoteFrequency(), 810.0);
    Device.CompleteAll();
    EXPECT_DOUBLE_EQ(Engine.NoteFrequency(), 820.0);

    ToneTable at800;
    at800.Rebuild(800.0, 0.35, false);
    ToneTable at810;
    at810.Rebuild(810.0, 0.35, false);
    EXPECT_EQ(Device.History[0].Samples[2 * 300], at800[300]);
    EXPECT_EQ(Device.History[1].Samples[2 * 300], at810[300]);

    Engine.RestoreDriftedTone();
    EXPECT_DOUBLE_EQ(Engine.NoteFrequency(), 800.0);
    EXPECT_EQ(Engine.Tone()[300], at800[300]);
}

TEST_F(PlayEngineTest, SidetoneSoundsUntilTheKeyIsReleased) {
    RecordingTransmitter transmitter;
    Engine.SetTransmitter(&transmitter);
    Open();
    Engine.StartSidetone(false);
    EXPECT_TRUE(Engine.SidetoneActive());
    EXPECT_FALSE(Engine.BufferIdle());
    EXPECT_EQ(CharacterFrames(), (std::vector<int>{110250}));
    ASSERT_EQ(transmitter.KeyDowns.size(), 1u);
    EXPECT_TRUE(transmitter.KeyDowns[0].second);

    Engine.StopSidetone();
    EXPECT_FALSE(Engine.SidetoneActive());
    EXPECT_TRUE(Engine.BufferIdle());
    EXPECT_EQ(Host.Ended, 1);
    EXPECT_EQ(transmitter.KeyUps, 1);  // the hand-keyed line is released with the tone
    Engine.StopSidetone();
    EXPECT_EQ(transmitter.KeyUps, 1);
}

TEST_F(PlayEngineTest, AnotherOutputTakesOverAndAHeldToneStopsFirst) {
    RecordingTransmitter transmitter;
    Engine.SetTransmitter(&transmitter);
    Open();
    Engine.StartSidetone(false);
    FakeWaveOut sidetone;
    ASSERT_TRUE(Engine.UseOutput(sidetone).Ok());
    EXPECT_FALSE(Engine.SidetoneActive());
    EXPECT_EQ(transmitter.KeyUps, 1);
    EXPECT_FALSE(Device.IsOpen());
    EXPECT_TRUE(sidetone.IsOpen());
    EXPECT_TRUE(Engine.BufferIdle());

    Engine.StartSidetone(false);
    EXPECT_EQ(sidetone.FramesOf(PlayEngine::kCharacterBuffer), (std::vector<int>{110250}));
    Engine.StopSidetone();
    Play("e");
    ASSERT_EQ(sidetone.FramesOf(PlayEngine::kCharacterBuffer).size(), 2u);
    sidetone.CompleteAll();
    EXPECT_TRUE(Engine.BufferIdle());

    ASSERT_TRUE(Engine.UseOutput(Device).Ok());
    EXPECT_FALSE(sidetone.IsOpen());
    EXPECT_TRUE(Device.IsOpen());
    sidetone.FailOpenCode = 4;
    EXPECT_EQ(Engine.UseOutput(sidetone).Code, 4);
}

}  // namespace
}  // namespace kelvaro
