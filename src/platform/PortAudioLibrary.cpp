// One PortAudio initialisation shared by every open sound device, input and output.
#include "platform/PortAudioLibrary.h"

#include <fcntl.h>
#include <unistd.h>

#include <cassert>
#include <cstdio>
#include <mutex>

namespace kelvaro {

namespace {

struct PortAudioLibrary {
    std::mutex Mutex;
    int Users = 0;
};

PortAudioLibrary& Library() {
    static PortAudioLibrary library;
    return library;
}

/// Initialising probes every ALSA and JACK device; where some are missing, those libraries
/// print dozens of lines to stderr that mean nothing to the user and bury the program's own
/// messages. Failures still come back as error codes, so stderr goes to /dev/null meanwhile.
PaError InitializeQuietly() {
    std::fflush(stderr);
    const int savedStderr = fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
    const int devNull = open("/dev/null", O_WRONLY | O_CLOEXEC);
    const bool redirected = savedStderr >= 0 && devNull >= 0 && dup2(devNull, STDERR_FILENO) >= 0;
    const PaError error = Pa_Initialize();
    if (redirected) {
        std::fflush(stderr);
        dup2(savedStderr, STDERR_FILENO);
    }
    if (devNull >= 0) {
        close(devNull);
    }
    if (savedStderr >= 0) {
        close(savedStderr);
    }
    return error;
}

}  // namespace

PaError AcquirePortAudio() {
    auto& library = Library();
    std::lock_guard lock(library.Mutex);
    if (library.Users == 0) {
        if (const PaError error = InitializeQuietly(); error != paNoError) {
            return error;
        }
    }
    ++library.Users;
    return paNoError;
}

void ReleasePortAudio() {
    auto& library = Library();
    std::lock_guard lock(library.Mutex);
    assert(library.Users > 0);
    if (--library.Users == 0) {
        Pa_Terminate();
    }
}

}  // namespace kelvaro
