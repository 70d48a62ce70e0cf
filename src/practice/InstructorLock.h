// The instructor password that guards the four locks of instructor mode.
#pragma once

#include <string>
#include <string_view>

#include "practice/InstructorLimits.h"

namespace kelvaro {

/// What OK in the instructor dialog leads to.
enum class InstructorVerdict {
    /// No password exists and none was typed: the locks need one first.
    PasswordNeeded,
    /// A password exists and the typed one differs (case counts).
    WrongPassword,
    /// The locks take the returned state and the dialog closes.
    Accepted,
};

struct InstructorDecision {
    InstructorVerdict Verdict = InstructorVerdict::PasswordNeeded;
    /// The locks to put in force; only meaningful when accepted.
    InstructorLimits Limits;
};

///   no password --OK with a password typed--> locked (each later OK needs the password)
///   locked --OK with the password and "inhibit" checked--> no locks, no password
///
/// This keeps a class of students from changing what the teacher set. It is no protection
/// against anyone who can read the settings file, which holds the password only scrambled.
class InstructorLock {
public:
    const std::string& Password() const { return InstructorPassword; }
    /// The password as read from the settings file (empty: none).
    void SetPassword(std::string password) { InstructorPassword = std::move(password); }

    /// OK pressed with the typed password, the inhibit box and the four boxes as checked.
    InstructorDecision Confirm(std::string_view typed, bool inhibit, const InstructorLimits& checked);

private:
    std::string InstructorPassword;
};

}  // namespace kelvaro
