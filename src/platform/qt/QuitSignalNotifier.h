// Turns SIGTERM, SIGINT and SIGHUP into a call on the window thread, so that a logout or
// Ctrl+C quits the program the orderly way and nothing the user set is lost.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace kelvaro {

/// One per process. The signal handler only writes a byte to a pipe; the window thread reads
/// it and runs onQuit.
class QuitSignalNotifier final : public QObject {
    Q_OBJECT
public:
    explicit QuitSignalNotifier(std::function<void()> onQuit, QObject* parent = nullptr);
    ~QuitSignalNotifier() override;

private:
    std::function<void()> OnQuit;
    std::unique_ptr<QSocketNotifier> Notifier;
};

}  // namespace kelvaro
