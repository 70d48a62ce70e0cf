// The QRH illustration: how the pitch steps from character to character between its limits.
#pragma once

#include <QWidget>
#include <vector>

class QPaintEvent;

namespace kelvaro {

class LanguageTable;

/// A fixed-size tool window drawn with QPainter: starting at F0 the pitch climbs dF per
/// character to Fmax, is held there for one more character while the direction turns, falls
/// to Fmin, turns again and climbs.
class TFormDriftBMP : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 440;
    static constexpr int kHeight = 280;

    TFormDriftBMP(const LanguageTable& texts, QWidget* parent = nullptr);

    /// The pitch of each drawn character, in steps above Fmin (Fmin 0, F0 3, Fmax 6), worked
    /// out by the program's own drift rule.
    static std::vector<int> IllustratedSteps();
    static constexpr int kF0Steps = 3;
    static constexpr int kFMaxSteps = 6;

    void Retranslate();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const LanguageTable& Texts;
};

}  // namespace kelvaro
