// DTR and RTS of a Linux serial device (/dev/ttyS*, /dev/ttyUSB*, /dev/ttyACM*).
#pragma once

#include "platform/SerialLines.h"

namespace kelvaro {

/// Linux raises DTR and RTS when a tty is opened, which would key a transmitter wired to
/// them: Open clears both at once. Hang-up-on-close stays on, so that the kernel drops both
/// lines at the last close whatever ends the program, SIGKILL and the OOM killer included;
/// SerialLineGuard drops them on a crash signal while the descriptor is still open.
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

    /// The settings a keying port gets on opening: hang-up-on-close on, modem status lines
    /// ignored, no hardware or software flow control. Returns 0 or the system's error code.
    static int ApplyPortSettings(int fileDescriptor);

private:
    bool Change(int lines, bool raised);

    int FileDescriptor = -1;
};

}  // namespace kelvaro
