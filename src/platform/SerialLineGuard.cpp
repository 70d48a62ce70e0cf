// Drops the transmitter lines of every open serial port when the program exits or crashes.
#include "platform/SerialLineGuard.h"

#include <signal.h>
#include <sys/ioctl.h>

#include <array>
#include <atomic>
#include <cstdlib>
#include <mutex>

namespace kelvaro {

namespace {

/// Each slot holds a guarded file descriptor plus one, 0 when free, so that the zero-initialised
/// table is ready before any constructor runs.
std::array<std::atomic<int>, SerialLineGuard::kMaxPorts> gPorts{};

constexpr std::array kCrashSignals = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGQUIT, SIGTRAP, SIGSYS};

void OnCrashSignal(int signalNumber) {
    SerialLineGuard::DropAllLines();
    // The handler was installed with SA_RESETHAND: the signal now does what it did before.
    raise(signalNumber);
}

void InstallOnce() {
    static std::once_flag installed;
    std::call_once(installed, [] {
        for (int signalNumber : kCrashSignals) {
            struct sigaction previous {};
            sigaction(signalNumber, nullptr, &previous);
            if (previous.sa_handler != SIG_DFL) {
                continue;  // someone else handles it (a sanitizer, a debugger helper)
            }
            struct sigaction action {};
            action.sa_handler = OnCrashSignal;
            sigemptyset(&action.sa_mask);
            action.sa_flags = SA_RESETHAND | SA_NODEFER;
            sigaction(signalNumber, &action, nullptr);
        }
        std::atexit([] { SerialLineGuard::DropAllLines(); });
    });
}

}  // namespace

bool SerialLineGuard::Add(int fileDescriptor) {
    InstallOnce();
    for (std::atomic<int>& slot : gPorts) {
        int expected = 0;
        if (slot.compare_exchange_strong(expected, fileDescriptor + 1)) {
            return true;
        }
    }
    return false;
}

void SerialLineGuard::Remove(int fileDescriptor) {
    for (std::atomic<int>& slot : gPorts) {
        int expected = fileDescriptor + 1;
        if (slot.compare_exchange_strong(expected, 0)) {
            return;
        }
    }
}

void SerialLineGuard::DropAllLines() {
    for (std::atomic<int>& slot : gPorts) {
        const int fileDescriptor = slot.load() - 1;
        if (fileDescriptor >= 0) {
            int lines = TIOCM_DTR | TIOCM_RTS;
            ioctl(fileDescriptor, TIOCMBIC, &lines);
        }
    }
}

}  // namespace kelvaro
