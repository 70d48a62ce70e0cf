// Instructor mode: the Options menu's item, the password and the locks it keeps in force.
#include "ui/InstructorFeature.h"

#include <QAction>
#include <QMenu>

#include "ui/MainMenu.h"
#include "ui/TForm1.h"
#include "ui/TFormInstructor.h"
#include "ui/TableText.h"

namespace kelvaro {

InstructorFeature::InstructorFeature(TForm1& form) : QObject(&form), Form(form) {
    MenuInstructor = Form.Menus().MenuOptions->addAction(QString());
    MenuInstructor->setObjectName("MenuInstructor");
    FormInstructor = new TFormInstructor(Lock, Form.Texts(), Form.Prompts(), &Form);
    FormInstructor->OnAccepted = [this](const InstructorLimits& limits) {
        Applied = limits;
        Form.ApplyInstructorLimits(limits);
    };
    connect(MenuInstructor, &QAction::triggered, this, [this] { MenuInstructorClick(); });
    Form.RegisterFeature(this);
}

void InstructorFeature::MenuInstructorClick() {
    FormInstructor->show();
    FormInstructor->raise();
    FormInstructor->activateWindow();
}

void InstructorFeature::ApplySettings(const SettingsModel& settings) {
    Lock.SetPassword(settings.InstructorPassword);
    Applied = {settings.InstructorMaskedFile, settings.InstructorMaskedRandom, settings.InstructorFixedNote,
               settings.InstructorFixedSpeed};
    FormInstructor->ShowLimits(Applied);
}

// Every feature has its settings by now, so no restored value undoes a lock.
void InstructorFeature::FinishStartUp(const SettingsModel&) {
    Form.ApplyInstructorLimits(Applied);
}

void InstructorFeature::CollectSettings(SettingsModel& settings) const {
    settings.InstructorPassword = Lock.Password();
    settings.InstructorMaskedFile = Applied.MaskedFile;
    settings.InstructorMaskedRandom = Applied.MaskedRandom;
    settings.InstructorFixedNote = Applied.FixedNote;
    settings.InstructorFixedSpeed = Applied.FixedSpeed;
}

void InstructorFeature::Retranslate(const LanguageTable& texts) {
    MenuInstructor->setText(TableText(texts, "MenuInstructor.Caption"));
    FormInstructor->Retranslate();
}

}  // namespace kelvaro
