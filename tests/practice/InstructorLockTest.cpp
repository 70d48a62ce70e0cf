// The instructor password: first use, a wrong password, and switching the locks off.
#include <gtest/gtest.h>

#include "practice/InstructorLock.h"

namespace kelvaro {
namespace {

TEST(InstructorLockTest, TheFirstAcceptedOkCreatesThePasswordThatEveryLaterOkNeeds) {
    InstructorLock lock;
    const InstructorLimits masked{false, true, false, false};
    EXPECT_EQ(lock.Confirm("", false, masked).Verdict, InstructorVerdict::PasswordNeeded);
    EXPECT_TRUE(lock.Password().empty());

    const InstructorDecision first = lock.Confirm("Teach", false, masked);
    EXPECT_EQ(first.Verdict, InstructorVerdict::Accepted);
    EXPECT_EQ(first.Limits, masked);
    EXPECT_EQ(lock.Password(), "Teach");

    for (std::string_view wrong : {"", "teach", "Teach ", "Teac"}) {
        EXPECT_EQ(lock.Confirm(wrong, false, InstructorLimits{}).Verdict, InstructorVerdict::WrongPassword)
            << wrong;
        EXPECT_EQ(lock.Confirm(wrong, true, InstructorLimits{}).Verdict, InstructorVerdict::WrongPassword);
    }
    EXPECT_EQ(lock.Password(), "Teach");

    const InstructorLimits all{true, true, true, true};
    EXPECT_EQ(lock.Confirm("Teach", false, all).Limits, all);
}

TEST(InstructorLockTest, InhibitWithThePasswordLiftsEveryLockAndForgetsThePassword) {
    InstructorLock lock;
    lock.SetPassword("abc");
    const InstructorDecision off = lock.Confirm("abc", true, InstructorLimits{true, true, true, true});
    EXPECT_EQ(off.Verdict, InstructorVerdict::Accepted);
    EXPECT_EQ(off.Limits, InstructorLimits{});
    EXPECT_TRUE(lock.Password().empty());
    // Without a password again, the next lock needs a new one.
    EXPECT_EQ(lock.Confirm("", false, InstructorLimits{true, false, false, false}).Verdict,
              InstructorVerdict::PasswordNeeded);
}

}  // namespace
}  // namespace kelvaro
