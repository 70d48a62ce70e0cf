// The noise window: how loud the receiver noise is and how wide its band.
#pragma once

#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QRadioButton;
class QSlider;

namespace kelvaro {

class LanguageTable;
class PlayEngine;

/// A non-modal tool window of the main window, created hidden. The level slider has the
/// loudest noise at the top (position 0, range 65536) and none at the bottom (position 20).
class TFormNoise : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxPosition = 20;
    static constexpr int kDefaultPosition = 10;
    /// The full peak-to-peak range of the noise, at position 0.
    static constexpr int kFullRange = 65536;

    TFormNoise(PlayEngine& engine, const LanguageTable& texts, QWidget* parent = nullptr);

    /// R((20 - position) x 65536 / 20).
    static int PositionToRange(int position);

    int NoiseLevelPosition() const;
    /// Sets the slider, clamped to 0..20.
    void ApplyNoiseLevel(int position);
    /// The bandwidth divisor: 1 (10 kHz), 2 (5 kHz), 4 (2.5 kHz) or 8 (1.3 kHz).
    int Bandwidth() const;
    /// Checks the button of divisor 1, 2, 4 or 8; any other value is ignored (false).
    bool ApplyBandwidth(int divisor);
    void Retranslate();

    void TrackBarNoiseChange(int position);
    /// A bandwidth button was checked.
    void RadioButtonBandwidthClick(int divisor);

private:
    QRadioButton* NewBandwidthButton(const char* name, int divisor);

    PlayEngine& Engine;
    const LanguageTable& Texts;
    QSlider* TrackBarNoise = nullptr;
    QLabel* LabelNoiseMax = nullptr;
    QLabel* LabelNoiseMin = nullptr;
    QGroupBox* GroupBoxBW = nullptr;
    QButtonGroup* BandwidthButtons = nullptr;
};

}  // namespace kelvaro
