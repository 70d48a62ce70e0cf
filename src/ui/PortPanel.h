// The "PORT" side panel: serial port, PTT and CW lines, TX delay, LPT port, pin and logic.
#pragma once

#include <QFrame>
#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kelvaro {

class RadioGroupBox;

/// Widgets only, named as the controls are; TransmitterFeature gives them their rules.
class PortPanel final : public QFrame {
    Q_OBJECT
public:
    explicit PortPanel(QWidget* parent = nullptr);

    RadioGroupBox* RadioGroupCOM = nullptr;
    RadioGroupBox* RadioGroupTXDelay = nullptr;
    QGroupBox* GroupBoxPTT = nullptr;
    QCheckBox* CheckBoxPTTDTR = nullptr;
    QCheckBox* CheckBoxPTTRTS = nullptr;
    QGroupBox* GroupBoxCW = nullptr;
    QCheckBox* CheckBoxCWDTR = nullptr;
    QCheckBox* CheckBoxCWRTS = nullptr;
    RadioGroupBox* RadioGroupLPT = nullptr;
    /// EditLPT1 .. EditLPT3, beside LPT1 .. LPT3.
    std::array<QLineEdit*, 3> EditLPT{};
    RadioGroupBox* RadioGroupPin = nullptr;
    /// CheckBoxPin1, CheckBoxPin14, CheckBoxPin16, CheckBoxPin17.
    std::array<QCheckBox*, 4> CheckBoxPin{};
    QCheckBox* CheckBoxLPTx = nullptr;
    QLineEdit* EditLPTx = nullptr;
    QLabel* LabelLPTxUnit = nullptr;
    QPushButton* ButtonClosePanelPort = nullptr;
};

}  // namespace kelvaro
