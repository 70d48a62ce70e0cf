// The devices the transmitter outputs use: serial lines, parallel port, keying timer.
#pragma once

#include <memory>
#include <vector>

#include "platform/OneShotTimer.h"
#include "platform/PortAccess.h"
#include "platform/SerialLines.h"
#include "platform/SerialPortList.h"
#include "platform/SystemClock.h"

namespace kelvaro {

/// The program gets the system's; window tests get recording fakes.
struct TransmitterDevices {
    std::vector<SerialPortEntry> SerialPorts;
    std::unique_ptr<SerialLines> Lines;
    std::unique_ptr<PortAccess> Port;
    std::unique_ptr<OneShotTimer> CwTimer;
    /// Times the lead of the keying ahead of the sound.
    std::shared_ptr<const Clock> KeyingClock = std::make_shared<SystemClock>();
    /// The parallel-port driver's device node exists.
    bool PortDriverFound = false;

    /// The serial ports found, ppdev and the keying timer thread.
    static TransmitterDevices System();
};

}  // namespace kelvaro
