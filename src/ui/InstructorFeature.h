// Instructor mode: the Options menu's item, the password and the locks it keeps in force.
#pragma once

#include <QObject>

#include "practice/InstructorLock.h"
#include "ui/FormFeature.h"

class QAction;

namespace kelvaro {

class TForm1;
class TFormInstructor;

/// The locks go into force through the window (TForm1::ApplyInstructorLimits), which hands
/// them to every feature; they and the scrambled password travel with the settings file.
class InstructorFeature final : public QObject, public FormFeature {
    Q_OBJECT
public:
    explicit InstructorFeature(TForm1& form);

    void MenuInstructorClick();
    const InstructorLimits& Limits() const { return Applied; }
    TFormInstructor* Dialog() const { return FormInstructor; }

    // FormFeature
    void ApplySettings(const SettingsModel& settings) override;
    void FinishStartUp(const SettingsModel& settings) override;
    void CollectSettings(SettingsModel& settings) const override;
    void Retranslate(const LanguageTable& texts) override;

    QAction* MenuInstructor = nullptr;

private:
    TForm1& Form;
    InstructorLock Lock;
    InstructorLimits Applied;
    TFormInstructor* FormInstructor = nullptr;
};

}  // namespace kelvaro
