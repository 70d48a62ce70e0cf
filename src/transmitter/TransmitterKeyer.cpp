// The PTT and CW outputs: serial DTR/RTS and the parallel-port pin, in step with the sound.
#include "transmitter/TransmitterKeyer.h"

#include "transmitter/PinLevels.h"

namespace kelvaro {

namespace {

constexpr std::uint16_t kControlOffset = 2;

}  // namespace

TransmitterKeyer::TransmitterKeyer(SerialLines& lines, PortAccess& port,
                                   std::unique_ptr<OneShotTimer> cwTimer, WindowTimer& txDelayTimer,
                                   Dispatcher& windowThread, const Clock& clock)
    : Lines(lines),
      Port(port),
      CwTimer(std::move(cwTimer)),
      TxDelay(txDelayTimer),
      WindowThread(windowThread),
      Now(clock) {
    CwTimer->SetEnabled(false);
    CwTimer->SetPeriodic(false);
    CwTimer->SetOnTimer([this] { MMTimerCWTimer(); });
    TxDelay.SetEnabled(false);
    TxDelay.SetOnTimer([this] { TimerTXDelayTimer(); });
}

TransmitterKeyer::~TransmitterKeyer() {
    // The timer's thread ends first, so no event runs into a half-destroyed keyer.
    CwTimer.reset();
    TxDelay.SetEnabled(false);
    TxDelay.SetOnTimer({});
}

Status TransmitterKeyer::OpenComPort(const std::string& devicePath) {
    std::lock_guard lock(OutputMutex);
    const Status opened = Lines.Open(devicePath);
    SerialOpen = opened.Ok();
    SerialLost = false;
    LostReported = false;
    return opened;
}

void TransmitterKeyer::CloseComPort() {
    {
        std::lock_guard lock(OutputMutex);
        if (!SerialLost) {
            Lines.SetDtr(false);
            Lines.SetRts(false);
        }
        Lines.Close();
        SerialOpen = false;
        SerialLost = false;
    }
    if (ShowOnAir) {
        ShowOnAir(false);
    }
    PttIsActive = false;
}

bool TransmitterKeyer::ComOpen() const {
    std::lock_guard lock(OutputMutex);
    return SerialOpen && !SerialLost;
}

void TransmitterKeyer::SetRoute(const KeyingRoute& route) {
    std::lock_guard lock(OutputMutex);
    CurrentRoute = route;
}

KeyingRoute TransmitterKeyer::Route() const {
    std::lock_guard lock(OutputMutex);
    return CurrentRoute;
}

void TransmitterKeyer::SetTxDelayMs(int delayMs) {
    TxDelay.SetIntervalMs(delayMs);
}

bool TransmitterKeyer::PttOn() {
    {
        std::lock_guard lock(OutputMutex);
        PttOffWhenListsEnd = false;
        if (DeferredOffPosted) {
            // The lines already went down at the end of the last list; the window's LED
            // update is still on its way and is now dropped.
            DeferredOffPosted = false;
            PttIsActive = false;
        }
        if (!SerialOpen || SerialLost || CurrentRoute.PttLineMask == 0 || PttIsActive) {
            return false;
        }
        SetSerialLocked(CurrentRoute.PttLineMask, true);
    }
    if (ShowOnAir) {
        ShowOnAir(true);
    }
    PttIsActive = true;
    TxDelay.SetEnabled(true);
    return true;
}

void TransmitterKeyer::PttOnWithoutDelay() {
    {
        std::lock_guard lock(OutputMutex);
        PttOffWhenListsEnd = false;
        DeferredOffPosted = false;
        if (!SerialOpen || SerialLost || CurrentRoute.PttLineMask == 0) {
            return;
        }
        SetSerialLocked(CurrentRoute.PttLineMask, true);
    }
    if (ShowOnAir) {
        ShowOnAir(true);
    }
    PttIsActive = true;
}

void TransmitterKeyer::PttOff() {
    bool wasInUse = false;
    {
        std::lock_guard lock(OutputMutex);
        // The rest of a character's element list would key the line again after PTT is off.
        CwTimer->SetEnabled(false);
        HasPending = false;
        WaitingForStart = false;
        PttOffWhenListsEnd = false;
        DeferredOffPosted = false;
        wasInUse = DropOutputsLocked();
    }
    if (wasInUse) {
        if (ShowOnAir) {
            ShowOnAir(false);
        }
        PttIsActive = false;
    }
}

void TransmitterKeyer::PttOffAfterKeying() {
    {
        std::lock_guard lock(OutputMutex);
        if (CwTimer->Enabled() || HasPending) {
            PttOffWhenListsEnd = true;
            return;
        }
    }
    PttOff();
}

bool TransmitterKeyer::DropOutputsLocked() {
    bool wasInUse = false;
    CwKeyed = false;
    if (SerialOpen) {
        SetSerialLocked(kDtrBit | kRtsBit, false);
        wasInUse = true;
    }
    if (CurrentRoute.LptInUse) {
        WritePinLocked(false);
        wasInUse = true;
    }
    return wasInUse;
}

void TransmitterKeyer::EndDeferredPttLocked() {
    PttOffWhenListsEnd = false;
    if (!DropOutputsLocked()) {
        return;
    }
    // Timer thread: the LED and the PTT state belong to the window thread. A PTT raised again
    // before this runs clears DeferredOffPosted and keeps its LED.
    DeferredOffPosted = true;
    std::weak_ptr<int> alive = AliveToken;
    WindowThread.Post([this, alive] {
        if (alive.expired()) {
            return;
        }
        {
            std::lock_guard lock(OutputMutex);
            if (!DeferredOffPosted) {
                return;
            }
            DeferredOffPosted = false;
        }
        PttIsActive = false;
        if (ShowOnAir) {
            ShowOnAir(false);
        }
    });
}

bool TransmitterKeyer::TxDelayRunning() const {
    return TxDelay.Enabled();
}

void TransmitterKeyer::TimerTXDelayTimer() {
    TxDelay.SetEnabled(false);
    if (StartPlayback) {
        StartPlayback();
    }
}

bool TransmitterKeyer::KeyingConfigured() const {
    std::lock_guard lock(OutputMutex);
    return (SerialOpen && !SerialLost && CurrentRoute.CwLineMask != 0) || CurrentRoute.LptInUse;
}

void TransmitterKeyer::CwKeyDown(const KeyingSchedule& schedule, bool handKeying) {
    {
        std::lock_guard lock(OutputMutex);
        if (!handKeying && schedule.LeadMs > 0 && !schedule.ElementList.empty() &&
            schedule.ElementList.front() > 0) {
            // Led: the running list (the previous character, still sounding) is not cut.
            PendingList = schedule.ElementList;
            PendingStartUs = Now.MonotonicUs() + std::int64_t{schedule.LeadMs} * 1000;
            HasPending = true;
            HandKeying = false;
            const bool listRunning = CwTimer->Enabled() && !WaitingForStart;
            if (!listRunning) {
                CwTimer->SetEnabled(false);
                SchedulePendingLocked();
            }
        } else {
            CwTimer->SetEnabled(false);
            HasPending = false;
            WaitingForStart = false;
            HandKeying = handKeying;
            if (!handKeying) {
                if (schedule.ElementList.empty() || schedule.ElementList.front() <= 0) {
                    return;  // nothing to key (a blank)
                }
                ElementList = schedule.ElementList;
                StartListLocked();
            } else {
                KeyLocked(true);
            }
        }
    }
    if (ShowOnAir) {
        ShowOnAir(true);
    }
}

void TransmitterKeyer::CwKeyUp() {
    std::lock_guard lock(OutputMutex);
    KeyLocked(false);
    HandKeying = false;
}

void TransmitterKeyer::StopElementSequencer() {
    std::lock_guard lock(OutputMutex);
    CwTimer->SetEnabled(false);
    HasPending = false;
    WaitingForStart = false;
    // The sound of a character can end before its element list does (no sound card, a refused
    // buffer, quitting): the line must not stay keyed. A held hand key keeps it.
    if (CwKeyed && !HandKeying) {
        KeyLocked(false);
    }
    // PTT was waiting for the lists just dropped: it must not stay up.
    if (PttOffWhenListsEnd) {
        EndDeferredPttLocked();
    }
}

void TransmitterKeyer::MMTimerCWTimer() {
    std::lock_guard lock(OutputMutex);
    if (!CwTimer->Enabled()) {
        return;
    }
    CwTimer->SetEnabled(false);
    if (WaitingForStart) {
        WaitingForStart = false;
        ElementList = std::move(PendingList);
        HasPending = false;
        StartListLocked();
        return;
    }
    const int entry = CwStepIndex < ElementList.size() ? ElementList[CwStepIndex] : 0;
    if (entry == 0) {
        KeyLocked(false);
        if (HasPending) {
            SchedulePendingLocked();
        } else if (PttOffWhenListsEnd) {
            EndDeferredPttLocked();
        }
        return;
    }
    CwTimer->SetIntervalMs(entry < 0 ? -entry : entry);
    KeyLocked(entry > 0);
    CwTimer->SetEnabled(true);
    ++CwStepIndex;
}

void TransmitterKeyer::StartListLocked() {
    CwTimer->SetIntervalMs(ElementList.front());
    KeyLocked(true);
    CwTimer->SetEnabled(true);
    CwStepIndex = 1;
}

void TransmitterKeyer::SchedulePendingLocked() {
    const std::int64_t waitUs = PendingStartUs - Now.MonotonicUs();
    if (waitUs < 1000) {
        // Its start time came while the previous list still ran: it follows at once.
        ElementList = std::move(PendingList);
        HasPending = false;
        StartListLocked();
        return;
    }
    CwTimer->SetIntervalMs(static_cast<int>((waitUs + 999) / 1000));
    WaitingForStart = true;
    CwTimer->SetEnabled(true);
}

void TransmitterKeyer::KeyLocked(bool keyed) {
    CwKeyed = keyed;
    SetSerialLocked(CurrentRoute.CwLineMask, keyed);
    if (CurrentRoute.LptInUse) {
        WritePinLocked(keyed);
    }
}

void TransmitterKeyer::SetSerialLocked(int mask, bool raised) {
    if (!SerialOpen || SerialLost) {
        return;
    }
    bool answered = true;
    if ((mask & kDtrBit) != 0) {
        answered = Lines.SetDtr(raised) && answered;
    }
    if ((mask & kRtsBit) != 0) {
        answered = Lines.SetRts(raised) && answered;
    }
    if (!answered) {
        ReportLostLocked();
    }
}

void TransmitterKeyer::WritePinLocked(bool keyed) {
    Port.Outport(
        static_cast<std::uint16_t>(CurrentRoute.ActivePortAddress + kControlOffset),
        PinControlValue(CurrentRoute.LptControl, CurrentRoute.PinChoice, CurrentRoute.NegativeLogic, keyed));
}

void TransmitterKeyer::ReportLostLocked() {
    SerialLost = true;
    if (LostReported) {
        return;
    }
    LostReported = true;
    std::weak_ptr<int> alive = AliveToken;
    WindowThread.Post([this, alive] {
        if (alive.expired()) {
            return;
        }
        PttIsActive = false;
        if (ShowOnAir) {
            ShowOnAir(false);
        }
        if (OnPortLost) {
            OnPortLost();
        }
    });
}

}  // namespace kelvaro
