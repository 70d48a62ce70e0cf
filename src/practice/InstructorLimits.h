// The four settings a teacher can lock behind the instructor password.
#pragma once

namespace kelvaro {

struct InstructorLimits {
    /// The file text is blacked out and cannot be shown.
    bool MaskedFile = false;
    /// The random groups are blacked out and cannot be shown.
    bool MaskedRandom = false;
    /// The tone window cannot be opened.
    bool FixedNote = false;
    /// The speed cannot be changed.
    bool FixedSpeed = false;

    bool operator==(const InstructorLimits&) const = default;
};

}  // namespace kelvaro
