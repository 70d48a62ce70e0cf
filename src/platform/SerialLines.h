// The DTR and RTS lines of one serial port, which key the transmitter.
#pragma once

#include <string>

#include "core/Status.h"

namespace kelvaro {

/// Line control only: nothing is read or written through the port. The calls that change a
/// line may come from the window thread and the keying timer's thread, but the caller
/// serialises them.
class SerialLines {
public:
    virtual ~SerialLines() = default;

    /// Opens the device for exclusive use, with both lines down. A failure carries the system's
    /// error code and leaves the port closed.
    virtual Status Open(const std::string& devicePath) = 0;
    /// Drops DTR and RTS, then closes. Nothing happens when no port is open.
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    /// Raises (true) or drops (false) the line. Returns false only when an open port refused
    /// the change (the device went away); with no port open it does nothing and returns true.
    virtual bool SetDtr(bool raised) = 0;
    virtual bool SetRts(bool raised) = 0;
};

}  // namespace kelvaro
