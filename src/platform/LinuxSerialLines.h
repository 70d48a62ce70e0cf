// DTR and RTS of a Linux serial device (/dev/ttyS*, /dev/ttyUSB*, /dev/ttyACM*).
#pragma once

#include "platform/SerialLines.h"

namespace kelvaro {

/// Linux raises DTR and RTS when a tty is opened, which would key a transmitter wired to
/// them: Open clears both at once, turns off hang-up-on-close so that closing does not touch
/// them again, and puts the port under SerialLineGuard so that they drop however the program
/// ends.
class LinuxSerialLines final : public SerialLines {
public:
    LinuxSerialLines() = default;
    ~LinuxSerialLines() override;
    LinuxSerialLines(const LinuxSerialLines&) = delete;
    LinuxSerialLines& operator=(const LinuxSerialLines&) = delete;

    /// Fails when the device is missing, busy (another program holds it exclusively) or has
    /// no modem lines (a pseudo-terminal: ENOTTY).
    Status Open(const std::string& devicePath) override;
    void Close() override;
    bool IsOpen() const override { return FileDescriptor >= 0; }
    bool SetDtr(bool raised) override;
    bool SetRts(bool raised) override;

private:
    bool Change(int lines, bool raised);

    int FileDescriptor = -1;
};

}  // namespace kelvaro
