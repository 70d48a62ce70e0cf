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
    termios settings{};
    if (tcgetattr(fileDescriptor, &settings) == 0) {
        settings.c_cflag &= ~static_cast<tcflag_t>(HUPCL | CRTSCTS);
        settings.c_cflag |= CLOCAL;
        settings.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
        tcsetattr(fileDescriptor, TCSANOW, &settings);
    }
    FileDescriptor = fileDescriptor;
    SerialLineGuard::Add(FileDescriptor);
    return Status::Success();
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
