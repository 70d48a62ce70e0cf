// The instructor password that guards the four locks of instructor mode.
#include "practice/InstructorLock.h"

namespace kelvaro {

InstructorDecision InstructorLock::Confirm(std::string_view typed, bool inhibit,
                                           const InstructorLimits& checked) {
    InstructorDecision decision;
    if (InstructorPassword.empty()) {
        if (typed.empty()) {
            decision.Verdict = InstructorVerdict::PasswordNeeded;
            return decision;
        }
        InstructorPassword = std::string(typed);
    }
    if (typed != InstructorPassword) {
        decision.Verdict = InstructorVerdict::WrongPassword;
        return decision;
    }
    decision.Verdict = InstructorVerdict::Accepted;
    if (inhibit) {
        InstructorPassword.clear();
        decision.Limits = InstructorLimits{};
        return decision;
    }
    decision.Limits = checked;
    return decision;
}

}  // namespace kelvaro
