// The QSB window: how deep the signal fades.
#pragma once

#include <QDialog>

class QLabel;
class QSlider;

namespace kelvaro {

class LanguageTable;
class PlayEngine;

/// A non-modal tool window of the main window, created hidden. The slider reads 0 dB of
/// fading at the top (position 0) and 20 dB at the bottom (position 20).
class TFormQSB : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxPosition = 20;
    static constexpr int kDefaultPosition = 10;

    TFormQSB(PlayEngine& engine, const LanguageTable& texts, QWidget* parent = nullptr);

    /// The slider position, which is the fading depth in dB.
    int QsbLevel() const;
    /// Sets the slider, clamped to 0..20.
    void ApplyQsbLevel(int position);
    void Retranslate();

    void TrackBarQSBChange(int position);

private:
    PlayEngine& Engine;
    const LanguageTable& Texts;
    QSlider* TrackBarQSB = nullptr;
    QLabel* LabelQsbTop = nullptr;
    QLabel* LabelQsbBottom = nullptr;
};

}  // namespace kelvaro
