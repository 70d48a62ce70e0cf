// The window thread of the command-line tool and the benchmarks: posted work and timer ticks, in order.
#pragma once

#include <functional>
#include <memory>

#include "platform/Dispatcher.h"
#include "platform/WindowTimer.h"

namespace kelvaro {

/// The thread that calls Run (or RunUntil) is the window thread: posted work and timer ticks run
/// there, one at a time. Work runs in the order posted; a timer that is due runs before the next
/// posted work. Post and Quit may be called from any thread; the rest from the window thread.
class EventLoop final : public Dispatcher {
public:
    EventLoop();
    ~EventLoop() override;
    EventLoop(const EventLoop&) = delete;
    EventLoop& operator=(const EventLoop&) = delete;

    void Post(std::function<void()> work) override;

    /// Runs posted work and timer ticks until Quit. A Quit made while no Run is going on makes
    /// the next Run return as soon as it starts; work still queued then stays for a later Run.
    void Run();
    /// Runs like Run until isDone() returns true (checked before waiting and after each piece of
    /// work), Quit is called, or timeoutMs milliseconds have passed. Returns isDone().
    bool RunUntil(const std::function<bool()>& isDone, int timeoutMs);
    /// Makes Run return after the work it is running now.
    void Quit();

    /// A timer whose ticks run on this loop's thread. It may outlive the loop (it then never
    /// ticks again). An interval of 0 ms or less never ticks.
    std::unique_ptr<WindowTimer> CreateTimer();

    /// The loop's state, which its timers share; defined in EventLoop.cpp.
    struct Shared;

private:
    std::shared_ptr<Shared> State;
};

}  // namespace kelvaro
