// The instructor window: four locks for a student's session, behind a password.
#include "ui/TFormInstructor.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "app/LanguageTable.h"
#include "app/TextEncoding.h"
#include "practice/InstructorLock.h"
#include "ui/Prompter.h"
#include "ui/TableText.h"

namespace kelvaro {

namespace {

constexpr int kMaxPasswordLength = 10;

// The password as the settings file keeps it (8-bit codes); a character without a code
// counts as one character all the same.
std::string ToCodes(const QString& text) {
    std::string codes;
    for (char32_t codePoint : text.toUcs4()) {
        const auto code = CodePointToCp1252(codePoint);
        codes += code ? static_cast<char>(*code) : '\x7f';
    }
    return codes;
}

QCheckBox* NewCheckBox(const char* name, QWidget* parent) {
    auto* box = new QCheckBox(parent);
    box->setObjectName(name);
    return box;
}

QLabel* NewRedLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    QPalette red = label->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    label->setPalette(red);
    label->setVisible(false);
    return label;
}

}  // namespace

TFormInstructor::TFormInstructor(InstructorLock& lock, const LanguageTable& texts, Prompter& prompts,
                                 QWidget* parent)
    : QDialog(parent, Qt::Tool), Lock(lock), Texts(texts), Prompts(prompts) {
    setObjectName("TFormInstructor");
    setModal(false);
    CheckBoxMaskedFile = NewCheckBox("CheckBoxMaskedFile", this);
    CheckBoxMaskedRandom = NewCheckBox("CheckBoxMaskedRandom", this);
    CheckBoxFixedNote = NewCheckBox("CheckBoxFixedNote", this);
    CheckBoxFixedSpeed = NewCheckBox("CheckBoxFixedSpeed", this);
    LabelEditPassword = new QLabel(this);
    LabelEditPassword->setObjectName("LabelEditPassword");
    EditPassword = new QLineEdit(this);
    EditPassword->setObjectName("EditPassword");
    EditPassword->setMaxLength(kMaxPasswordLength);
    EditPassword->setEchoMode(QLineEdit::Password);
    LabelEditPassword->setBuddy(EditPassword);
    CheckBoxInhibitInstructor = NewCheckBox("CheckBoxInhibitInstructor", this);
    LabelPassword = NewRedLabel("LabelPassword", this);
    LabelIncorrectPassword = NewRedLabel("LabelIncorrectPassword", this);
    BitBtnOK = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QString(), this);
    BitBtnOK->setObjectName("BitBtnOK");
    BitBtnOK->setDefault(true);
    BitBtnCancel = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QString(), this);
    BitBtnCancel->setObjectName("BitBtnCancel");

    auto* layout = new QVBoxLayout(this);
    for (QCheckBox* box : {CheckBoxMaskedFile, CheckBoxMaskedRandom, CheckBoxFixedNote, CheckBoxFixedSpeed}) {
        layout->addWidget(box);
    }
    auto* password = new QHBoxLayout;
    password->addWidget(LabelEditPassword);
    password->addWidget(EditPassword, 1);
    layout->addLayout(password);
    layout->addWidget(CheckBoxInhibitInstructor);
    layout->addWidget(LabelPassword);
    layout->addWidget(LabelIncorrectPassword);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtnOK);
    buttons->addWidget(BitBtnCancel);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(BitBtnOK, &QPushButton::clicked, this, [this] { BitBtnOKClick(); });
    connect(BitBtnCancel, &QPushButton::clicked, this, [this] { BitBtnCancelClick(); });
    Retranslate();
}

void TFormInstructor::Retranslate() {
    setWindowTitle(TableText(Texts, "TFormInstructor.Caption"));
    CheckBoxMaskedFile->setText(TableText(Texts, "CheckBoxMaskedFile.Caption"));
    CheckBoxMaskedRandom->setText(TableText(Texts, "CheckBoxMaskedRandom.Caption"));
    CheckBoxFixedNote->setText(TableText(Texts, "CheckBoxFixedNote.Caption"));
    CheckBoxFixedSpeed->setText(TableText(Texts, "CheckBoxFixedSpeed.Caption"));
    LabelEditPassword->setText(TableText(Texts, "LabelEditPassword.Caption"));
    CheckBoxInhibitInstructor->setText(TableText(Texts, "CheckBoxInhibitInstructor.Caption"));
    BitBtnOK->setText(TableText(Texts, "BitBtnOK.Caption"));
    BitBtnCancel->setText(TableText(Texts, "BitBtnCancel.Caption"));
    LabelPassword->setText(TableText(Texts, "LabelPassword.Caption"));
    LabelIncorrectPassword->setText(TableText(Texts, "LabelIncorrectPassword.Caption"));
}

void TFormInstructor::ShowLimits(const InstructorLimits& limits) {
    CheckBoxMaskedFile->setChecked(limits.MaskedFile);
    CheckBoxMaskedRandom->setChecked(limits.MaskedRandom);
    CheckBoxFixedNote->setChecked(limits.FixedNote);
    CheckBoxFixedSpeed->setChecked(limits.FixedSpeed);
}

InstructorLimits TFormInstructor::CheckedLimits() const {
    return {CheckBoxMaskedFile->isChecked(), CheckBoxMaskedRandom->isChecked(),
            CheckBoxFixedNote->isChecked(), CheckBoxFixedSpeed->isChecked()};
}

void TFormInstructor::showEvent(QShowEvent* event) {
    Retranslate();
    LabelPassword->setVisible(false);
    LabelIncorrectPassword->setVisible(false);
    CheckBoxInhibitInstructor->setChecked(false);
    EditPassword->clear();
    RememberedRestrictions = CheckedLimits();
    QDialog::showEvent(event);
}

void TFormInstructor::BitBtnOKClick() {
    const InstructorDecision decision =
        Lock.Confirm(ToCodes(EditPassword->text()), CheckBoxInhibitInstructor->isChecked(), CheckedLimits());
    LabelPassword->setVisible(decision.Verdict == InstructorVerdict::PasswordNeeded);
    LabelIncorrectPassword->setVisible(decision.Verdict == InstructorVerdict::WrongPassword);
    if (decision.Verdict != InstructorVerdict::Accepted) {
        Prompts.Beep();
        return;
    }
    if (CheckBoxInhibitInstructor->isChecked()) {
        EditPassword->clear();
    }
    ShowLimits(decision.Limits);
    if (OnAccepted) {
        OnAccepted(decision.Limits);
    }
    hide();
}

void TFormInstructor::BitBtnCancelClick() {
    ShowLimits(RememberedRestrictions);
    hide();
}

// Escape and the window's close button cancel.
void TFormInstructor::reject() {
    BitBtnCancelClick();
}

}  // namespace kelvaro
