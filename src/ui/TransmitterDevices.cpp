// The devices the transmitter outputs use: serial lines, parallel port, keying timer.
#include "ui/TransmitterDevices.h"

#include "platform/LinuxOneShotTimer.h"
#include "platform/LinuxSerialLines.h"
#include "platform/PpdevPortAccess.h"

namespace kelvaro {

TransmitterDevices TransmitterDevices::System() {
    TransmitterDevices devices;
    devices.SerialPorts = ListSerialPorts();
    devices.Lines = std::make_unique<LinuxSerialLines>();
    devices.Port = std::make_unique<PpdevPortAccess>();
    devices.CwTimer = std::make_unique<LinuxOneShotTimer>();
    devices.PortDriverFound = PpdevPortAccess::DriverFound();
    return devices;
}

}  // namespace kelvaro
