// A sound device for tests: keeps every written buffer; the test decides when one is done.
#include "support/FakeWaveOut.h"

namespace kelvaro::test {

Status FakeWaveOut::Open(int deviceId, DoneHandler onDone) {
    if (FailOpenCode != 0) {
        return Status::Failure(FailOpenCode, "open");
    }
    OpenedDevice = deviceId;
    OpenedName = ChosenName;
    ++OpenCount;
    OnDone = std::move(onDone);
    IsOpened = true;
    return Status::Success();
}

Status FakeWaveOut::Reset() {
    ++ResetCount;
    if (FailResetCode != 0) {
        return Status::Failure(FailResetCode, "reset");
    }
    // Like a real device, reset hands every pending buffer back as done.
    while (!Pending.empty()) {
        CompleteNext();
    }
    return Status::Success();
}

Status FakeWaveOut::Write(int bufferId, std::span<const Sample> interleavedFrames) {
    if (FailWriteCode != 0) {
        return Status::Failure(FailWriteCode, "write");
    }
    History.push_back({bufferId, std::vector<Sample>(interleavedFrames.begin(), interleavedFrames.end())});
    Pending.push_back(bufferId);
    return Status::Success();
}

bool FakeWaveOut::CompleteNext() {
    if (Pending.empty()) {
        return false;
    }
    const int bufferId = Pending.front();
    Pending.pop_front();
    if (OnDone) {
        OnDone(bufferId);
    }
    return true;
}

std::vector<int> FakeWaveOut::FramesOf(int bufferId) const {
    std::vector<int> frames;
    for (const Written& written : History) {
        if (written.BufferId == bufferId) {
            frames.push_back(written.Frames());
        }
    }
    return frames;
}

int FakeWaveOut::CompleteAll(int limit) {
    int completed = 0;
    while (completed < limit && CompleteNext()) {
        ++completed;
    }
    return completed;
}

}  // namespace kelvaro::test
