// Turns SIGTERM, SIGINT and SIGHUP into a call on the window thread, so that a logout or
// Ctrl+C quits the program the orderly way and nothing the user set is lost.
#include "platform/qt/QuitSignalNotifier.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <array>

namespace kelvaro {

namespace {

int WakeFds[2] = {-1, -1};

void OnSignal(int) {
    const char byte = 1;
    // Nothing else is safe here; a full pipe only means a quit is already on its way.
    [[maybe_unused]] const auto written = ::write(WakeFds[1], &byte, 1);
}

}  // namespace

QuitSignalNotifier::QuitSignalNotifier(std::function<void()> onQuit, QObject* parent)
    : QObject(parent), OnQuit(std::move(onQuit)) {
    if (WakeFds[0] < 0 && ::pipe2(WakeFds, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    Notifier = std::make_unique<QSocketNotifier>(WakeFds[0], QSocketNotifier::Read);
    connect(Notifier.get(), &QSocketNotifier::activated, this, [this] {
        std::array<char, 16> drained{};
        while (::read(WakeFds[0], drained.data(), drained.size()) > 0) {
        }
        if (OnQuit) {
            OnQuit();
        }
    });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        ::sigaction(signalNumber, &action, nullptr);
    }
}

QuitSignalNotifier::~QuitSignalNotifier() {
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    for (int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        ::sigaction(signalNumber, &action, nullptr);
    }
}

}  // namespace kelvaro
