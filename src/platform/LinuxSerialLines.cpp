// DTR and RTS of a Linux serial device (/dev/ttyS*, /dev/ttyUSB*, /dev/ttyACM*).
#include "platform/LinuxSerialLines.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

#include "platform/SerialLineGuard.h"

namespace kelvaro {

LinuxSerialLines::~LinuxSerialLines() {
    Close();
}

Status LinuxSerialLines::Open(const std::string& devicePath) {
    Close();
    const int fileDescriptor = open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fileDescriptor < 0) {
        return Status::Failure(errno, devicePath);
    }
    int lines = TIOCM_DTR | TIOCM_RTS;
    if (ioctl(fileDescriptor, TIOCMBIC, &lines) != 0) {
        const int error = errno;
        close(fileDescriptor);
        return Status::Failure(error, devicePath);
    }
    if (ioctl(fileDescriptor, TIOCEXCL) != 0) {
        const int error = errno;
        close(fileDescriptor);
        return Status::Failure(error, devicePath);
    }
    // A port on which hang-up-on-close cannot be set would stay keyed after a kill: refused.
    if (const int error = ApplyPortSettings(fileDescriptor); error != 0) {
        close(fileDescriptor);
        return Status::Failure(error, devicePath);
    }
    FileDescriptor = fileDescriptor;
    SerialLineGuard::Add(FileDescriptor);
    return Status::Success();
}

int LinuxSerialLines::ApplyPortSettings(int fileDescriptor) {
    termios settings{};
    if (tcgetattr(fileDescriptor, &settings) != 0) {
        return errno;
    }
    settings.c_cflag |= HUPCL | CLOCAL;
    settings.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
    settings.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    if (tcsetattr(fileDescriptor, TCSANOW, &settings) != 0) {
        return errno;
    }
    return 0;
}

void LinuxSerialLines::Close() {
    if (FileDescriptor < 0) {
        return;
    }
    int lines = TIOCM_DTR | TIOCM_RTS;
    ioctl(FileDescriptor, TIOCMBIC, &lines);
    SerialLineGuard::Remove(FileDescriptor);
    close(FileDescriptor);
    FileDescriptor = -1;
}

bool LinuxSerialLines::SetDtr(bool raised) {
    return Change(TIOCM_DTR, raised);
}

bool LinuxSerialLines::SetRts(bool raised) {
    return Change(TIOCM_RTS, raised);
}

bool LinuxSerialLines::Change(int lines, bool raised) {
    if (FileDescriptor < 0) {
        return true;
    }
    return ioctl(FileDescriptor, raised ? TIOCMBIS : TIOCMBIC, &lines) == 0;
}

}  // namespace kelvaro
