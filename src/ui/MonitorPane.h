// The monitoring pane: the decoded text, the element echo, the six signal sources, the
// decoder thresholds and the input levels.
#pragma once

#include <QGroupBox>
#include <array>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QRadioButton;
class QSlider;
class QToolButton;

namespace kelvaro {

/// Widgets only; the monitoring feature runs their handlers.
class MonitorPane final : public QGroupBox {
    Q_OBJECT
public:
    explicit MonitorPane(QWidget* parent = nullptr);

    /// The six sources as one group: selecting one clears the five others.
    void SelectSource(QRadioButton* source);
    /// No source selected at all (a joystick source without a joystick).
    void ClearSources();
    QRadioButton* SelectedSource() const;

    QLabel* LabelMonitor = nullptr;
    QPlainTextEdit* MemoMonitor = nullptr;
    QLineEdit* EditMonitor = nullptr;
    QCheckBox* CheckBoxUpperCase = nullptr;
    QToolButton* SpeedButtonRazMonitor = nullptr;
    QToolButton* SpeedButtonHelpMonitor = nullptr;

    QGroupBox* GroupBoxAudioMonitor = nullptr;
    QRadioButton* RadioButtonLC = nullptr;
    QRadioButton* RadioButtonRC = nullptr;
    QLabel* LabelLeftChannel = nullptr;
    QLabel* LabelRightChannel = nullptr;
    QSlider* TrackBarLC = nullptr;
    QSlider* TrackBarRC = nullptr;
    QLabel* LabelThreshold = nullptr;
    QProgressBar* ProgressBarLeft = nullptr;
    QProgressBar* ProgressBarRight = nullptr;

    QGroupBox* GroupBoxKeyMonitor = nullptr;
    QRadioButton* RadioButtonPioche = nullptr;
    QRadioButton* RadioButtonElKeyN = nullptr;
    QRadioButton* RadioButtonElKeyR = nullptr;
    QRadioButton* RadioButtonCTRL = nullptr;

    /// The decoder's working values, hidden until asked for.
    QLabel* Label4 = nullptr;

private:
    QButtonGroup* Sources = nullptr;
};

}  // namespace kelvaro
