// A sound device for tests: keeps every written buffer; the test decides when one is done.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/WaveOut.h"

namespace kelvaro::test {

class FakeWaveOut : public WaveOut {
public:
    struct Written {
        int BufferId;
        std::vector<Sample> Samples;
        int Frames() const { return static_cast<int>(Samples.size() / kChannels); }
    };

    Status Open(int deviceId, DoneHandler onDone) override;
    void ChooseDevice(const std::string& name) override { ChosenName = name; }
    Status Reset() override;
    Status Write(int bufferId, std::span<const Sample> interleavedFrames) override;
    void Close() override { IsOpened = false; }
    bool IsOpen() const override { return IsOpened; }
    std::string Description() const override { return "fake"; }
    int OutputLatencyMs() const override { return LatencyMs; }

    /// Reports the oldest pending buffer done, as the device would; false when none is pending.
    bool CompleteNext();
    /// Completes buffers until none is pending, at most limit of them.
    int CompleteAll(int limit = 100000);
    std::size_t PendingCount() const { return Pending.size(); }
    /// Frames of every buffer written with this id, in order.
    std::vector<int> FramesOf(int bufferId) const;

    /// Every buffer ever written, in order.
    std::vector<Written> History;
    int ResetCount = 0;
    int OpenedDevice = -2;
    /// The name chosen before the last Open, and how many times it was opened.
    std::string ChosenName;
    std::string OpenedName;
    int OpenCount = 0;
    int LatencyMs = 0;
    /// Failures to inject: non-zero codes make the next call fail.
    int FailOpenCode = 0;
    int FailResetCode = 0;
    int FailWriteCode = 0;

private:
    DoneHandler OnDone;
    std::deque<int> Pending;
    bool IsOpened = false;
};

}  // namespace kelvaro::test
