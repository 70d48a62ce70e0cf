// Hands work to the window thread, from any thread.
#pragma once

#include <functional>

namespace kelvaro {

/// Post may be called from any thread, but not from an audio callback (it may allocate).
/// The work runs later on the window thread, in the order posted.
class Dispatcher {
public:
    virtual ~Dispatcher() = default;
    virtual void Post(std::function<void()> work) = 0;
};

}  // namespace kelvaro
