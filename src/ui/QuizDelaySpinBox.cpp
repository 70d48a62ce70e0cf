// The quiz's answer-delay selector: steps 1 .. 18 shown as their delay in seconds.
#include "ui/QuizDelaySpinBox.h"

#include <QLineEdit>

#include "practice/QuizDelaySteps.h"

namespace kelvaro {

QuizDelaySpinBox::QuizDelaySpinBox(QWidget* parent) : QSpinBox(parent) {
    setObjectName("UpDownDelay");
    setRange(QuizDelaySteps::kFirstStep, QuizDelaySteps::kLastStep);
    setValue(QuizDelaySteps::kDefaultStep);
    lineEdit()->setObjectName("EditDelay");
    lineEdit()->setReadOnly(true);
}

QString QuizDelaySpinBox::textFromValue(int value) const {
    return QString::fromStdString(std::string(QuizDelaySteps::Text(QuizDelaySteps::Clamp(value))));
}

int QuizDelaySpinBox::valueFromText(const QString& text) const {
    return QuizDelaySteps::StepOfText(text.toStdString()).value_or(value());
}

QValidator::State QuizDelaySpinBox::validate(QString& text, int&) const {
    return QuizDelaySteps::StepOfText(text.toStdString()) ? QValidator::Acceptable : QValidator::Intermediate;
}

}  // namespace kelvaro
