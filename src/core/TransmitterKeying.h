// The transmitter's CW line as the play engine drives it.
#pragma once

#include "core/KeyingSchedule.h"

namespace kelvaro {

/// Implemented by the transmitter outputs; the engine holds none when no port is set up.
class TransmitterKeying {
public:
    virtual ~TransmitterKeying() = default;
    /// A serial CW line, an LPT pin or LPTx is set up: characters key the transmitter.
    virtual bool KeyingConfigured() const = 0;
    /// Keys the line. handKeying false: follow schedule.ElementList (copied before return);
    /// true: stay keyed until CwKeyUp (a hand key's sidetone). With schedule.LeadMs the list
    /// starts that much later and after the list still running.
    virtual void CwKeyDown(const KeyingSchedule& schedule, bool handKeying) = 0;
    virtual void CwKeyUp() = 0;
    /// The character's sound is over: stops following the element list and releases a line it
    /// left keyed (a hand key's line stays until CwKeyUp); a list waiting to start is dropped.
    virtual void StopElementSequencer() = 0;
};

}  // namespace kelvaro
