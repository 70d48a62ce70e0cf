// A window timer on the Qt event loop.
#include "platform/qt/QtWindowTimer.h"

namespace kelvaro {

QtWindowTimer::QtWindowTimer() {
    Timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&Timer, &QTimer::timeout, [this] {
        if (OnTimer) {
            OnTimer();
        }
    });
}

void QtWindowTimer::SetIntervalMs(int intervalMs) {
    Timer.setInterval(intervalMs);
}

void QtWindowTimer::SetEnabled(bool enabled) {
    if (enabled && !Timer.isActive()) {
        Timer.start();
    } else if (!enabled) {
        Timer.stop();
    }
}

}  // namespace kelvaro
