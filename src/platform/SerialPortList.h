// The serial ports a transmitter can be wired to, named COM1, COM2 ... in a stable order.
#pragma once

#include <string>
#include <vector>

namespace kelvaro {

struct SerialPortEntry {
    std::string Name;        // "COM1", "COM2" ...
    std::string DevicePath;  // "/dev/ttyUSB0"
};

/// /dev/ttyS* that have hardware behind them, then /dev/ttyUSB*, then /dev/ttyACM*, each by
/// number; the first is COM1. A ttyS port counts when the system knows a device for it and,
/// where it says, a port type other than "unknown" (most machines list four ttyS ports that
/// do not exist). Nothing is opened. The roots are there for tests.
std::vector<SerialPortEntry> ListSerialPorts(const std::string& deviceRoot = "/dev",
                                             const std::string& ttyClassRoot = "/sys/class/tty");

}  // namespace kelvaro
