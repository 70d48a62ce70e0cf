// The instructor window: four locks for a student's session, behind a password.
#pragma once

#include <QDialog>
#include <functional>

#include "practice/InstructorLimits.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kelvaro {

class InstructorLock;
class LanguageTable;
class Prompter;

/// A non-modal tool window of the main window, created hidden. OK asks the lock; a missing or
/// wrong password beeps and shows its red label, and nothing changes. Cancel or closing the
/// window puts the boxes back as they were when it was shown.
class TFormInstructor : public QDialog {
    Q_OBJECT
public:
    TFormInstructor(InstructorLock& lock, const LanguageTable& texts, Prompter& prompts,
                    QWidget* parent = nullptr);

    /// The boxes show the locks in force (start-up, or after OK).
    void ShowLimits(const InstructorLimits& limits);
    InstructorLimits CheckedLimits() const;

    /// OK was accepted: the locks to put in force.
    std::function<void(const InstructorLimits&)> OnAccepted;

    void BitBtnOKClick();
    /// The captions in the current interface language.
    void Retranslate();
    void BitBtnCancelClick();

    QCheckBox* CheckBoxMaskedFile = nullptr;
    QCheckBox* CheckBoxMaskedRandom = nullptr;
    QCheckBox* CheckBoxFixedNote = nullptr;
    QCheckBox* CheckBoxFixedSpeed = nullptr;
    QLabel* LabelEditPassword = nullptr;
    QLineEdit* EditPassword = nullptr;
    QCheckBox* CheckBoxInhibitInstructor = nullptr;
    QPushButton* BitBtnOK = nullptr;
    QPushButton* BitBtnCancel = nullptr;
    QLabel* LabelPassword = nullptr;
    QLabel* LabelIncorrectPassword = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    InstructorLock& Lock;
    const LanguageTable& Texts;
    Prompter& Prompts;
    InstructorLimits RememberedRestrictions;
};

}  // namespace kelvaro
