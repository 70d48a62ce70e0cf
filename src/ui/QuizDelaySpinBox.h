// The quiz's answer-delay selector: steps 1 .. 18 shown as their delay in seconds.
#pragma once

#include <QSpinBox>

namespace kelvaro {

/// The value is the step (UpDownDelay position); the read-only line edit, named EditDelay,
/// shows the step's text ("0.25" .. "9"). Only the arrows change it.
class QuizDelaySpinBox final : public QSpinBox {
    Q_OBJECT
public:
    explicit QuizDelaySpinBox(QWidget* parent = nullptr);

protected:
    QString textFromValue(int value) const override;
    int valueFromText(const QString& text) const override;
    QValidator::State validate(QString& text, int& position) const override;
};

}  // namespace kelvaro
