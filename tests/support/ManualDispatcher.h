// A dispatcher for tests: posted work waits until the test runs it.
#pragma once

#include <deque>
#include <functional>
#include <mutex>

#include "platform/Dispatcher.h"

namespace kelvaro::test {

class ManualDispatcher : public Dispatcher {
public:
    void Post(std::function<void()> work) override {
        std::lock_guard lock(Mutex);
        Queue.push_back(std::move(work));
    }

    /// Runs what is queued, including work posted while running; returns how much ran.
    int RunAll() {
        int ran = 0;
        for (;;) {
            std::function<void()> work;
            {
                std::lock_guard lock(Mutex);
                if (Queue.empty()) {
                    return ran;
                }
                work = std::move(Queue.front());
                Queue.pop_front();
            }
            work();
            ++ran;
        }
    }

private:
    std::mutex Mutex;
    std::deque<std::function<void()>> Queue;
};

}  // namespace kelvaro::test
