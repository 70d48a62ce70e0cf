// Message boxes and beeps, behind an interface so that window tests can answer them.
#pragma once

#include <QString>

namespace kelvaro {

class Prompter {
public:
    virtual ~Prompter() = default;
    /// A plain message box with an OK button.
    virtual void Inform(const QString& text) = 0;
    /// A warning box with an OK button.
    virtual void Warn(const QString& text) = 0;
    /// A question with Yes and No; true for Yes.
    virtual bool AskYesNo(const QString& text) = 0;
    /// The short beep that answers refused input.
    virtual void Beep() = 0;
    /// The information beep at the end of a series or a quiz.
    virtual void InformationBeep() = 0;
};

}  // namespace kelvaro
