// The exam's pause window: a countdown between two phases, with Continue and Abort.
#include "ui/TFormPause.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "app/LanguageTable.h"
#include "ui/TableText.h"

namespace kelvaro {

TFormPause::TFormPause(std::unique_ptr<WindowTimer> timer, const LanguageTable& texts, QWidget* parent)
    : QDialog(parent, Qt::Tool), Timer(std::move(timer)), Texts(texts) {
    setObjectName("TFormPause");
    setModal(false);
    LabelPause = new QLabel(this);
    LabelPause->setObjectName("LabelPause");
    GaugePause = new QProgressBar(this);
    GaugePause->setObjectName("GaugePause");
    GaugePause->setRange(0, 100);
    BitBtnIgnore = new QPushButton(this);
    BitBtnIgnore->setObjectName("BitBtnIgnore");
    BitBtnCancel = new QPushButton(this);
    BitBtnCancel->setObjectName("BitBtnCancel");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtnIgnore);
    buttons->addWidget(BitBtnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LabelPause);
    layout->addWidget(GaugePause);
    layout->addLayout(buttons);

    Timer->SetIntervalMs(1000);
    Timer->SetOnTimer([this] { TimerPauseTimer(); });
    connect(BitBtnIgnore, &QPushButton::clicked, this, [this] { Continue(); });
    connect(BitBtnCancel, &QPushButton::clicked, this, [this] {
        hide();
        if (OnAbort) {
            OnAbort();
        }
    });
    Retranslate();
}

void TFormPause::Retranslate() {
    setWindowTitle(TableText(Texts, "TFormPause.Caption"));
    BitBtnIgnore->setText(TableText(Texts, "BitBtnIgnore.Caption"));
    BitBtnCancel->setText(TableText(Texts, "TFormPause.BitBtnCancel.Caption"));
    LabelPause->setText(TableText(Texts, Phase == 1 ? "msg.pause-one-minute" : "msg.pause-two-minutes"));
}

int TFormPause::GaugeFor(int secondsLeft, int totalSeconds) {
    return static_cast<int>(std::lround((secondsLeft * 100.0 - 100.0) / totalSeconds));
}

void TFormPause::StartPause(int phase) {
    Phase = phase;
    Total = phase == 1 ? 60 : 120;
    Seconds = Total;
    GaugePause->setValue(100);
    Retranslate();
    show();
    raise();
    Timer->SetEnabled(true);
}

void TFormPause::TimerPauseTimer() {
    GaugePause->setValue(std::max(0, GaugeFor(Seconds, Total)));
    --Seconds;
    if (Seconds <= 0) {
        Continue();
    }
}

void TFormPause::Continue() {
    hide();
    if (OnContinue) {
        OnContinue();
    }
}

void TFormPause::hideEvent(QHideEvent* event) {
    Timer->SetEnabled(false);
    QDialog::hideEvent(event);
}

}  // namespace kelvaro
