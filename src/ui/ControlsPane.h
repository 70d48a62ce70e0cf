// Speed, real speed, level and the "On air" box.
#pragma once

#include <QGroupBox>

class QLabel;
class QLineEdit;
class QSpinBox;

namespace kelvaro {

class ControlsPane final : public QGroupBox {
    Q_OBJECT
public:
    explicit ControlsPane(QWidget* parent = nullptr);

    /// The speed in wpm, 5..50; its text field is EditVitesse.
    QSpinBox* UpDownVitesse = nullptr;
    QLineEdit* EditVitesse = nullptr;
    QLabel* LabelVitesse = nullptr;
    QLabel* LabelVitesseCorrigee = nullptr;
    /// The level in dB, -15..0 in steps of 3; its text field is EditAmplitude.
    QSpinBox* UpDownAmplitude = nullptr;
    QLineEdit* EditAmplitude = nullptr;
    QLabel* LabelAmplitude = nullptr;
    QGroupBox* OnairBox = nullptr;
    /// Lit while the transmitter's push-to-talk is on.
    QLabel* LedOn = nullptr;

    void SetOnAir(bool on);
};

}  // namespace kelvaro
