// The sound output through PortAudio: written buffers play one after another at low latency.
#include "platform/PortAudioWaveOut.h"

#include "platform/PortAudioLibrary.h"

#include <fcntl.h>
#include <portaudio.h>
#include <semaphore.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cassert>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace kelvaro {

namespace {

/// Frames per callback: 5 ms, so that a buffer's end is noticed within a few milliseconds and
/// the device can keep its latency low.
constexpr unsigned long kFramesPerCallback = 110;

/// Close waits for the sound still in the device at most this long.
constexpr std::int64_t kLongestTailNs = 250'000'000;

Status PortAudioFailure(PaError error, const std::string& what) {
    std::string text = what + ": " + Pa_GetErrorText(error);
    if (error == paUnanticipatedHostError) {
        const PaHostErrorInfo* hostError = Pa_GetLastHostErrorInfo();
        if (hostError != nullptr && hostError->errorText != nullptr && *hostError->errorText != '\0') {
            text += std::string(" (") + hostError->errorText + ")";
        }
    }
    return Status::Failure(error < 0 ? error : 1, text);
}

}  // namespace

struct PortAudioWaveOut::Shared {
    /// Room for the reports of every buffer that may be outstanding: Write refuses a buffer
    /// that would not fit, so the callback never finds this full.
    static constexpr int kReportCapacity = 64;

    enum class SlotState { Free, Filling, Queued };

    struct Slot {
        std::vector<Sample> Samples;  // kSlotFrames frames, allocated at Open
        std::int64_t Frames = 0;
        std::int64_t PlayedFrames = 0;
        int BufferId = 0;
        SlotState State = SlotState::Free;
    };

    Shared() { sem_init(&ReportsWaiting, 0, 0); }
    ~Shared() { sem_destroy(&ReportsWaiting); }
    Shared(const Shared&) = delete;
    Shared& operator=(const Shared&) = delete;

    /// Held for a few microseconds at a time by Write, Reset, Close and the completion thread;
    /// the audio callback only tries it, and plays silence for one period when it is taken.
    std::mutex Mutex;
    // Guarded by Mutex.
    std::array<Slot, kSlotCount> Slots;
    std::array<int, kSlotCount> PlayOrder{};  // indices of the queued slots, oldest first
    int PlayHead = 0;
    int PlayCount = 0;
    std::array<int, kReportCapacity> Reports{};  // ids of finished buffers not yet posted
    int ReportHead = 0;
    int ReportCount = 0;
    bool Stopping = false;
    /// When the last frame taken from a buffer will have left the device, on CLOCK_MONOTONIC;
    /// 0 after Reset.
    std::int64_t TailEndsAtNs = 0;
    /// The stream's output latency, for callbacks that are not told when their frames play.
    double LatencyS = 0.0;
    /// Posted (never waited on) by the callback and the window thread when reports are waiting.
    sem_t ReportsWaiting;

    void ClearQueues() {
        for (auto& slot : Slots) {
            slot.State = SlotState::Free;
        }
        PlayHead = PlayCount = 0;
        ReportHead = ReportCount = 0;
    }

    void Enqueue(int slotIndex) {
        assert(PlayCount < kSlotCount);
        PlayOrder[(PlayHead + PlayCount) % kSlotCount] = slotIndex;
        ++PlayCount;
        Slots[slotIndex].State = SlotState::Queued;
    }

    /// Frees the oldest queued slot and queues its report.
    void FinishHead() {
        Slot& slot = Slots[PlayOrder[PlayHead]];
        PlayHead = (PlayHead + 1) % kSlotCount;
        --PlayCount;
        slot.State = SlotState::Free;
        assert(ReportCount < kReportCapacity);
        Reports[(ReportHead + ReportCount) % kReportCapacity] = slot.BufferId;
        ++ReportCount;
    }

    int PopReport() {
        const int bufferId = Reports[ReportHead];
        ReportHead = (ReportHead + 1) % kReportCapacity;
        --ReportCount;
        return bufferId;
    }

    static std::int64_t MonotonicNowNs() noexcept {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
    }

    /// The audio callback's work: no allocation, no waiting, no call outside this object.
    /// dacAheadS: how long before the first frame of output leaves the device; negative when
    /// PortAudio does not know.
    void Fill(Sample* output, std::int64_t frameCount, double dacAheadS) noexcept {
        std::int64_t filledFrames = 0;
        bool finishedAny = false;
        if (Mutex.try_lock()) {
            while (filledFrames < frameCount && PlayCount > 0) {
                Slot& slot = Slots[PlayOrder[PlayHead]];
                const std::int64_t frames =
                    std::min(frameCount - filledFrames, slot.Frames - slot.PlayedFrames);
                std::memcpy(output + filledFrames * kChannels,
                            slot.Samples.data() + slot.PlayedFrames * kChannels,
                            static_cast<std::size_t>(frames) * kBytesPerFrame);
                slot.PlayedFrames += frames;
                filledFrames += frames;
                if (slot.PlayedFrames == slot.Frames) {
                    FinishHead();
                    finishedAny = true;
                }
            }
            if (filledFrames > 0) {
                const double aheadS = dacAheadS >= 0.0 ? dacAheadS : LatencyS;
                TailEndsAtNs =
                    MonotonicNowNs() + static_cast<std::int64_t>(
                                           (aheadS + static_cast<double>(filledFrames) / kFrameRateHz) * 1e9);
            }
            Mutex.unlock();
        }
        std::fill(output + filledFrames * kChannels, output + frameCount * kChannels, Sample{0});
        if (finishedAny) {
            sem_post(&ReportsWaiting);
        }
    }

    static int OnStream(const void* /*input*/, void* output, unsigned long frameCount,
                        const PaStreamCallbackTimeInfo* timeInfo, PaStreamCallbackFlags /*flags*/,
                        void* userData) {
        const double dacAheadS = timeInfo->outputBufferDacTime > timeInfo->currentTime
                                     ? timeInfo->outputBufferDacTime - timeInfo->currentTime
                                     : -1.0;
        static_cast<Shared*>(userData)->Fill(static_cast<Sample*>(output),
                                             static_cast<std::int64_t>(frameCount), dacAheadS);
        return paContinue;
    }
};

PortAudioWaveOut::PortAudioWaveOut(Dispatcher& dispatcher, double wantedLatencyS)
    : Target(dispatcher),
      Core(std::make_unique<Shared>()),
      WantedLatencyS(wantedLatencyS),
      Handler(std::make_shared<DoneHandler>()),
      HandlerRef(Handler) {}

PortAudioWaveOut::~PortAudioWaveOut() {
    Close();
    Handler.reset();
}

Status PortAudioWaveOut::Open(int deviceId, DoneHandler onDone) {
    Close();
    // Reports of the buffers the last Close returned may still be on their way to the window
    // thread: they reach this handler, so whoever waits for them is not left waiting.
    *Handler = std::move(onDone);
    if (const PaError error = AcquirePortAudio(); error != paNoError) {
        return PortAudioFailure(error, "Cannot start PortAudio");
    }
    HoldsPortAudio = true;

    PaDeviceIndex device = deviceId == kDefaultDevice ? Pa_GetDefaultOutputDevice() : deviceId;
    if (!ChosenName.empty()) {
        device = paNoDevice;
        for (PaDeviceIndex i = 0; i < Pa_GetDeviceCount(); ++i) {
            const PaDeviceInfo* candidate = Pa_GetDeviceInfo(i);
            if (candidate != nullptr && candidate->name != nullptr && ChosenName == candidate->name &&
                candidate->maxOutputChannels >= 2) {
                device = i;
                break;
            }
        }
    }
    if (device == paNoDevice) {
        Close();
        return Status::Failure(1, "No sound output device was found");
    }
    if (device < 0 || device >= Pa_GetDeviceCount()) {
        Close();
        return PortAudioFailure(paInvalidDevice, "Sound output device " + std::to_string(deviceId));
    }
    const PaDeviceInfo* info = Pa_GetDeviceInfo(device);
    if (info == nullptr || info->maxOutputChannels < kChannels) {
        Close();
        return Status::Failure(1, "Sound device " + std::to_string(device) + " has no stereo output");
    }

    {
        std::lock_guard lock(Core->Mutex);
        for (auto& slot : Core->Slots) {
            slot.Samples.assign(static_cast<std::size_t>(kSlotFrames) * kChannels, Sample{0});
        }
        Core->ClearQueues();
        Core->Stopping = false;
        Core->TailEndsAtNs = 0;
    }

    PaStreamParameters parameters{};
    parameters.device = device;
    parameters.channelCount = kChannels;
    parameters.sampleFormat = paInt16;
    parameters.suggestedLatency = std::max(WantedLatencyS, info->defaultLowOutputLatency);
    parameters.hostApiSpecificStreamInfo = nullptr;
    PaStream* stream = nullptr;
    if (const PaError error = Pa_OpenStream(&stream, nullptr, &parameters, kFrameRateHz, kFramesPerCallback,
                                            paNoFlag, &Shared::OnStream, Core.get());
        error != paNoError) {
        Close();
        return PortAudioFailure(error, std::string("Cannot open ") + info->name);
    }
    Stream = stream;
    const PaStreamInfo* streamInfo = Pa_GetStreamInfo(stream);
    LatencyS = streamInfo != nullptr ? streamInfo->outputLatency : WantedLatencyS;
    {
        std::lock_guard lock(Core->Mutex);
        Core->LatencyS = LatencyS;
    }

    Completer = std::thread([this] { CompletionLoop(); });

    if (const PaError error = Pa_StartStream(stream); error != paNoError) {
        Close();
        return PortAudioFailure(error, std::string("Cannot start ") + info->name);
    }
    DeviceName = info->name;
    return Status::Success();
}

Status PortAudioWaveOut::Reset() {
    if (!Completer.joinable()) {
        return Status::Success();
    }
    bool reportedAny = false;
    {
        std::lock_guard lock(Core->Mutex);
        reportedAny = Core->PlayCount > 0;
        while (Core->PlayCount > 0) {
            Core->FinishHead();
        }
        Core->TailEndsAtNs = 0;
    }
    if (reportedAny) {
        sem_post(&Core->ReportsWaiting);
    }
    return Status::Success();
}

Status PortAudioWaveOut::Write(int bufferId, std::span<const Sample> interleavedFrames) {
    assert(interleavedFrames.size() % kChannels == 0);
    if (!IsOpen()) {
        return Status::Failure(1, "The sound output is not open");
    }
    const auto frames = static_cast<std::int64_t>(interleavedFrames.size() / kChannels);
    if (frames > kSlotFrames) {
        return Status::Failure(1, "A sound buffer of " + std::to_string(frames) + " frames is longer than " +
                                      std::to_string(kSlotFrames));
    }

    int slotIndex = -1;
    {
        std::lock_guard lock(Core->Mutex);
        if (Core->PlayCount + Core->ReportCount >= Shared::kReportCapacity) {
            return Status::Failure(1, "Too many sound buffers are waiting to be reported");
        }
        for (int i = 0; i < kSlotCount; ++i) {
            if (Core->Slots[i].State == Shared::SlotState::Free) {
                slotIndex = i;
                Core->Slots[i].State = Shared::SlotState::Filling;
                break;
            }
        }
    }
    if (slotIndex < 0) {
        return Status::Failure(1, "All " + std::to_string(kSlotCount) + " sound buffers are in use");
    }

    // The callback leaves a slot that is not queued alone, so the copy needs no lock.
    Shared::Slot& slot = Core->Slots[slotIndex];
    std::copy(interleavedFrames.begin(), interleavedFrames.end(), slot.Samples.begin());

    std::lock_guard lock(Core->Mutex);
    slot.Frames = frames;
    slot.PlayedFrames = 0;
    slot.BufferId = bufferId;
    Core->Enqueue(slotIndex);
    return Status::Success();
}

void PortAudioWaveOut::Close() {
    if (Stream != nullptr) {
        // A buffer is reported done when the callback has taken its last frame, one output
        // latency before the user hears it; closing at once would clip the last sound.
        std::int64_t tailEndsAtNs = 0;
        {
            std::lock_guard lock(Core->Mutex);
            tailEndsAtNs = Core->TailEndsAtNs;
        }
        const std::int64_t waitNs =
            std::min(tailEndsAtNs - Shared::MonotonicNowNs(), static_cast<std::int64_t>(kLongestTailNs));
        if (waitNs > 0) {
            std::this_thread::sleep_for(std::chrono::nanoseconds(waitNs));
        }
        Pa_StopStream(Stream);
        Pa_CloseStream(Stream);
        Stream = nullptr;
    }
    if (Completer.joinable()) {
        {
            std::lock_guard lock(Core->Mutex);
            while (Core->PlayCount > 0) {
                Core->FinishHead();
            }
            Core->Stopping = true;
        }
        sem_post(&Core->ReportsWaiting);
        Completer.join();
    }
    if (HoldsPortAudio) {
        ReleasePortAudio();
        HoldsPortAudio = false;
    }
    {
        std::lock_guard lock(Core->Mutex);
        for (auto& slot : Core->Slots) {
            std::vector<Sample>().swap(slot.Samples);
        }
        Core->ClearQueues();
    }
    DeviceName.clear();
    LatencyS = 0.0;
}

bool PortAudioWaveOut::IsOpen() const {
    return Stream != nullptr && Completer.joinable();
}

std::string PortAudioWaveOut::Description() const {
    if (!IsOpen()) {
        return "PortAudio: not open";
    }
    char latency[32];
    std::snprintf(latency, sizeof latency, "%.1f", LatencyS * 1000.0);
    return "PortAudio: " + DeviceName + ", output latency " + latency + " ms";
}

void PortAudioWaveOut::CompletionLoop() {
    std::array<int, Shared::kReportCapacity> bufferIds{};
    for (;;) {
        while (sem_wait(&Core->ReportsWaiting) != 0 && errno == EINTR) {
        }
        int count = 0;
        bool stopping = false;
        {
            std::lock_guard lock(Core->Mutex);
            while (Core->ReportCount > 0) {
                bufferIds[count++] = Core->PopReport();
            }
            stopping = Core->Stopping;
        }
        // Only this thread posts reports, so they reach the window thread in the order queued.
        for (int i = 0; i < count; ++i) {
            Target.Post([handler = HandlerRef, bufferId = bufferIds[i]] {
                if (const auto current = handler.lock(); current && *current) {
                    // A copy: the handler may open the device again, which replaces *current.
                    const DoneHandler onDone = *current;
                    onDone(bufferId);
                }
            });
        }
        if (stopping) {
            return;
        }
    }
}

}  // namespace kelvaro
