// The exam's pause window: a countdown between two phases, with Continue and Abort.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>

#include "platform/WindowTimer.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace kelvaro {

class LanguageTable;

/// Shown after the warm-up (60 s) or the groups (120 s). The gauge starts at 100 and each
/// second shows round((s x 100 - 100) / total), s being the seconds left before that tick.
/// At zero or on Continue it reports OnContinue; Abort reports OnAbort; hiding stops the
/// count.
class TFormPause : public QDialog {
    Q_OBJECT
public:
    TFormPause(std::unique_ptr<WindowTimer> timer, const LanguageTable& texts, QWidget* parent = nullptr);

    /// phase: the exam phase that just ended (1 or 2).
    void StartPause(int phase);
    int SecondsLeft() const { return Seconds; }
    void Retranslate();

    std::function<void()> OnContinue;
    std::function<void()> OnAbort;

    QLabel* LabelPause = nullptr;
    QProgressBar* GaugePause = nullptr;
    QPushButton* BitBtnIgnore = nullptr;
    QPushButton* BitBtnCancel = nullptr;

    /// The gauge for s seconds left out of total.
    static int GaugeFor(int secondsLeft, int totalSeconds);

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void TimerPauseTimer();
    void Continue();

    std::unique_ptr<WindowTimer> Timer;
    const LanguageTable& Texts;
    int Phase = 1;
    int Seconds = 0;
    int Total = 60;
};

}  // namespace kelvaro
