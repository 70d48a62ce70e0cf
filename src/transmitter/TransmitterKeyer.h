// The PTT and CW outputs: serial DTR/RTS and the parallel-port pin, in step with the sound.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "core/Status.h"
#include "core/TransmitterKeying.h"
#include "platform/Clock.h"
#include "platform/Dispatcher.h"
#include "platform/OneShotTimer.h"
#include "platform/PortAccess.h"
#include "platform/SerialLines.h"
#include "platform/WindowTimer.h"
#include "transmitter/KeyingRoute.h"

namespace kelvaro {

/// Everything runs on the window thread except MMTimerCWTimer, which runs on the CW timer's
/// thread. One mutex (OutputMutex) covers every line and pin write of both threads, the route
/// and the element list, so their writes never interleave.
///
/// PTT:  off --PttOn--> on (lines up, LED lit, TX delay running) --TimerTXDelayTimer--> on,
///       playback started --PttOff--> off
/// CW, following the element list (one timer event per entry, re-armed inside the event):
///       idle --CwKeyDown--> keyed --entry < 0--> up --entry > 0--> keyed ... --entry 0--> idle
///       and from any state: --StopElementSequencer / PttOff--> idle
/// CW, following the hand key: idle --CwKeyDown(hand)--> keyed --CwKeyUp--> idle
/// A list with a lead (KeyingSchedule::LeadMs) waits as pending, one at a time (a newer one
/// replaces it), and starts on the CW timer once its start time has come and the running list
/// has ended: the sound it follows is heard one output latency after it was handed over, and
/// the next character is handed over while the previous one still sounds.
///
/// A serial port that stops answering (a USB adapter pulled out) is reported once through
/// OnPortLost on the window thread; from then on its lines count as off and are not written.
class TransmitterKeyer final : public TransmitterKeying {
public:
    /// The keyer owns the CW timer, so that no timer event outlives it. The other devices must
    /// outlive it.
    TransmitterKeyer(SerialLines& lines, PortAccess& port, std::unique_ptr<OneShotTimer> cwTimer,
                     WindowTimer& txDelayTimer, Dispatcher& windowThread, const Clock& clock);
    ~TransmitterKeyer() override;
    TransmitterKeyer(const TransmitterKeyer&) = delete;
    TransmitterKeyer& operator=(const TransmitterKeyer&) = delete;

    // What the window supplies; each is called on the window thread.
    /// Clicks the start button once the TX delay ends.
    std::function<void()> StartPlayback;
    /// Lights (true) or puts out the "On air" LED.
    std::function<void(bool)> ShowOnAir;
    /// The open serial port stopped answering; called once per opening.
    std::function<void()> OnPortLost;

    /// Opens the serial port (both lines down); a failure leaves no port open.
    Status OpenComPort(const std::string& devicePath);
    /// Drops DTR and RTS, puts the LED out, PTT off, closes the port.
    void CloseComPort();
    bool ComOpen() const;

    void SetRoute(const KeyingRoute& route);
    KeyingRoute Route() const;
    /// The TX delay timer's interval, 50 .. 250 ms.
    void SetTxDelayMs(int delayMs);

    /// Raises the PTT lines when a serial port is open, PttLineMask is not 0 and PTT is off,
    /// lights the LED and starts the TX delay. Returns true when the delay now runs.
    bool PttOn();
    /// Raises the PTT lines at once, without the TX delay (a port opened while text plays).
    void PttOnWithoutDelay();
    /// Drops both serial lines and puts the pin at rest, whatever the masks, and stops the
    /// element sequencer, so nothing keys again until the next character.
    void PttOff();
    /// The sound played out (the device returned its last buffer): PTT drops once the running
    /// and pending element lists have ended, at once when none is left. With the keying led by
    /// the output latency the last character is still to be keyed at this point.
    void PttOffAfterKeying();
    bool TxDelayRunning() const;
    bool PttActive() const { return PttIsActive; }
    void TimerTXDelayTimer();

    // TransmitterKeying, window thread.
    bool KeyingConfigured() const override;
    void CwKeyDown(const KeyingSchedule& schedule, bool handKeying) override;
    void CwKeyUp() override;
    void StopElementSequencer() override;

    /// The CW timer's event: applies the next entry of the element list. Timer thread.
    void MMTimerCWTimer();

    /// Runs work on the parallel port with the output writes held off (pin set-up on the
    /// window thread).
    template <class Work>
    auto WithPort(Work&& work) {
        std::lock_guard lock(OutputMutex);
        return work(Port);
    }

private:
    /// With OutputMutex held.
    void KeyLocked(bool keyed);
    void SetSerialLocked(int mask, bool raised);
    void WritePinLocked(bool keyed);
    void ReportLostLocked();
    /// Drops both lines and the pin; true when a port or pin was in use.
    bool DropOutputsLocked();
    /// The last list of a played-out run ended: drops PTT and tells the window.
    void EndDeferredPttLocked();
    /// Keys the first element of the list and starts stepping through it.
    void StartListLocked();
    /// Starts the pending list now or arms the CW timer for its start time.
    void SchedulePendingLocked();

    SerialLines& Lines;
    PortAccess& Port;
    std::unique_ptr<OneShotTimer> CwTimer;
    WindowTimer& TxDelay;
    Dispatcher& WindowThread;
    const Clock& Now;
    /// Held weakly by posted reports, so that none reaches a destroyed keyer.
    std::shared_ptr<int> AliveToken = std::make_shared<int>(0);

    mutable std::mutex OutputMutex;
    // Guarded by OutputMutex: written by the window thread, read (and the index and lost flag
    // written) by the timer thread.
    KeyingRoute CurrentRoute;
    bool SerialOpen = false;
    bool SerialLost = false;
    bool LostReported = false;
    std::vector<int> ElementList;
    std::size_t CwStepIndex = 0;
    bool HandKeying = false;
    /// The list waiting for its start time or for the running list to end.
    std::vector<int> PendingList;
    std::int64_t PendingStartUs = 0;
    bool HasPending = false;
    /// The CW timer is armed for the pending list's start, not for the next entry.
    bool WaitingForStart = false;
    /// PttOffAfterKeying waits for the lists to end.
    bool PttOffWhenListsEnd = false;
    /// The timer thread dropped PTT; the window has yet to learn it.
    bool DeferredOffPosted = false;
    /// The CW output was last put to its key-down level.
    bool CwKeyed = false;

    // Window thread only.
    bool PttIsActive = false;
};

}  // namespace kelvaro
