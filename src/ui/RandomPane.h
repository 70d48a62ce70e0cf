// The random groups' pane: the generated text, the count, the set label and the play buttons.
#pragma once

#include <QGroupBox>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QToolButton;

namespace kelvaro {

class SwitchButton;

/// Widgets only; the random feature runs their handlers.
class RandomPane final : public QGroupBox {
    Q_OBJECT
public:
    explicit RandomPane(QWidget* parent = nullptr);

    QPlainTextEdit* MemoRandom = nullptr;
    QLabel* LabelRandomNumber = nullptr;
    QSpinBox* SpinEditRandomNumber = nullptr;
    QLabel* PanelRandomLesson = nullptr;
    QPushButton* ButtonChangeLesson = nullptr;
    QLabel* LabelWords = nullptr;
    QPushButton* BitBtnPlayRandom = nullptr;
    QPushButton* BitBtnStopRandom = nullptr;
    QPushButton* ButtonHide = nullptr;
    QLabel* PanelExamen = nullptr;
    QPushButton* ButtonExamenTexte = nullptr;
    SwitchButton* SpeedButtonNoise = nullptr;
    SwitchButton* SpeedButtonQSB = nullptr;
    SwitchButton* SpeedButtonDrift = nullptr;
    /// Shows the entry sheet.
    QToolButton* SpeedButtonSaisie = nullptr;
    /// Shows the copy check.
    QToolButton* SpeedButtonCopyCheck = nullptr;
};

}  // namespace kelvaro
