// Hands work to the window thread through Qt's event queue.
#include "platform/qt/QtDispatcher.h"

#include <QMetaObject>

namespace kelvaro {

void QtDispatcher::Post(std::function<void()> work) {
    // A queued call on this object is discarded by Qt when the object is gone.
    QMetaObject::invokeMethod(
        this, [work = std::move(work)] { work(); }, Qt::QueuedConnection);
}

}  // namespace kelvaro
