// Drops the transmitter lines of every open serial port when the program exits or crashes.
#pragma once

namespace kelvaro {

/// A fixed table of the open serial ports' file descriptors. At normal exit and on a crash
/// signal (SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGQUIT, SIGTRAP, SIGSYS) DTR and RTS of
/// each are cleared with ioctl, which is safe inside a signal handler, and the signal then
/// takes its course. Quit signals (SIGINT, SIGTERM, SIGHUP) stay with the program, which quits
/// through its normal release sequence. What no handler sees (SIGKILL, the OOM killer) is left
/// to the port's hang-up-on-close. Thread-safe.
class SerialLineGuard {
public:
    static constexpr int kMaxPorts = 16;

    /// Adds an open port; false when the table is full (the port is then left unguarded).
    static bool Add(int fileDescriptor);
    static void Remove(int fileDescriptor);
    /// Clears DTR and RTS of every guarded port; async-signal-safe.
    static void DropAllLines();
};

}  // namespace kelvaro
