// Hands work to the window thread through Qt's event queue.
#pragma once

#include <QObject>
#include <QPointer>

#include "platform/Dispatcher.h"

namespace kelvaro {

/// Work posted from any thread runs on the thread that owns this object, in order. Work
/// still queued when the dispatcher is destroyed is dropped, never run late.
class QtDispatcher final : public QObject, public Dispatcher {
    Q_OBJECT
public:
    explicit QtDispatcher(QObject* parent = nullptr) : QObject(parent) {}
    void Post(std::function<void()> work) override;
};

}  // namespace kelvaro
