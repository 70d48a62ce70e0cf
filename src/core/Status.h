// The outcome of an operation that can fail for reasons outside the program (a device, a file).
#pragma once

#include <string>
#include <utility>

namespace kelvaro {

/// Code 0 is success. Any other code is shown to the user as "Err " + Code + " : " + Context.
struct Status {
    int Code = 0;
    std::string Context;

    static Status Success() { return {}; }
    static Status Failure(int code, std::string context) { return {code, std::move(context)}; }
    bool Ok() const { return Code == 0; }
};

}  // namespace kelvaro
