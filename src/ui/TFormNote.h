// The tone window: the pitch of the sidetone, or the harmonic-rich exam tone.
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QShowEvent;
class QSlider;

namespace kelvaro {

class LanguageTable;
class PlayEngine;
class TFormDrift;

/// A non-modal tool window of the main window, created hidden. The pitch slider runs from
/// 1500 Hz at the top (position 0) down to 100 Hz at the bottom (position 140), 10 Hz a step.
class TFormNote : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxPosition = 140;
    static constexpr int kDefaultPosition = 70;
    /// NotePosition() of the exam tone.
    static constexpr int kExamTonePosition = -1;

    TFormNote(PlayEngine& engine, const LanguageTable& texts, QWidget* parent = nullptr);

    /// 1500 - 10 x position, in Hz.
    static double PositionToHz(int position);
    /// The slider position nearest to a pitch, within 0..140.
    static int HzToPosition(double hz);

    /// -1 while the exam tone is on, otherwise the slider position 0..140.
    int NotePosition() const;
    /// -1 switches the exam tone on; any other value switches it off and sets the slider
    /// (clamped to 0..140). Nothing is rebuilt when nothing changes.
    void ApplyNotePosition(int position);
    /// The drift window to keep informed of the base pitch while it is shown; may be nullptr.
    void SetDriftDialog(TFormDrift* drift) { Drift = drift; }
    void Retranslate();

    /// Pitch and base pitch follow the slider; the drift window, when shown, follows too.
    void TrackBarNoteChange(int position);
    /// Exam tone on or off as the box says, pitch back to the slider's.
    void CheckBoxTonExamenClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void UpdateExamCaption();

    PlayEngine& Engine;
    const LanguageTable& Texts;
    TFormDrift* Drift = nullptr;
    QSlider* TrackBarNote = nullptr;
    QCheckBox* CheckBoxTonExamen = nullptr;
    QLabel* LabelNoteTop = nullptr;
    QLabel* LabelNoteMiddle = nullptr;
    QLabel* LabelNoteBottom = nullptr;
};

}  // namespace kelvaro
