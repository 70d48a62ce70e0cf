// The QRH window: how fast the pitch drifts and between which limits.
#pragma once

#include <QDialog>

class QHideEvent;
class QLabel;
class QPushButton;
class QShowEvent;
class QSpinBox;

namespace kelvaro {

class LanguageTable;
class PlayEngine;
class TFormDriftBMP;

/// A non-modal tool window of the main window, created hidden. Its three up-downs change
/// only by their arrows (or the arrow keys), in steps of 5 Hz or 10 Hz. It owns the
/// illustration window that its "?" button shows.
class TFormDrift : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxStepHz = 50;
    static constexpr int kStepIncrementHz = 5;
    static constexpr int kMaxHzLowest = 800;
    static constexpr int kMaxHzHighest = 1500;
    static constexpr int kMinHzLowest = 100;
    static constexpr int kMinHzHighest = 800;
    static constexpr int kLimitIncrementHz = 10;

    /// What the settings file keeps: the step size in Hz per character and the two limits.
    struct DriftSettings {
        int StepHz;
        int MaxHz;
        int MinHz;
    };

    TFormDrift(PlayEngine& engine, const LanguageTable& texts, QWidget* parent = nullptr);

    /// The title line: the drift menu item's caption, shown without its "&" marks.
    void SetTitle(const QString& menuCaption);
    /// Start-up: sets the three up-downs (each clamped to its range; the step's sign is
    /// dropped, as the direction is not a setting) and gives the drift what they show.
    void ApplyDriftValues(int stepHz, int maxHz, int minHz);
    /// The up-downs' positions, for saving.
    DriftSettings DriftValues() const;
    /// The base pitch changed while this window is shown: F0 is shown, the maximum cannot go
    /// below it nor the minimum above it, and a limit pushed by this is taken by the drift.
    void BaseFrequencyChanged(double baseHz);
    TFormDriftBMP* Illustration() const { return FormDriftBMP; }
    void Retranslate();

    /// New step size; the drift keeps its direction.
    void UpDownDriftClick(int stepHz);
    void UpDownFMaxClick(int maxHz);
    void UpDownFMinClick(int minHz);
    /// Shows the illustration window.
    void ButtonDriftHelpClick();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QSpinBox* NewUpDown(const char* name, int minimum, int maximum, int step, int value);
    QLabel* NewLabel(const char* name);
    void ShowBaseFrequency(double baseHz);

    PlayEngine& Engine;
    const LanguageTable& Texts;
    QLabel* LabelDriftTitle = nullptr;
    QLabel* LabelDF = nullptr;
    QSpinBox* UpDownDrift = nullptr;
    QLabel* LabelDFUnit = nullptr;
    QLabel* LabelFMax = nullptr;
    QSpinBox* UpDownFMax = nullptr;
    QLabel* LabelFMaxUnit = nullptr;
    QLabel* LabelFMin = nullptr;
    QSpinBox* UpDownFMin = nullptr;
    QLabel* LabelFMinUnit = nullptr;
    QLabel* LabelF0 = nullptr;
    QPushButton* ButtonDriftHelp = nullptr;
    TFormDriftBMP* FormDriftBMP = nullptr;
};

}  // namespace kelvaro
