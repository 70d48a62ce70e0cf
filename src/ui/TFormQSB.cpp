// The QSB window: how deep the signal fades.
#include "ui/TFormQSB.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>

#include "app/LanguageTable.h"
#include "core/PlayEngine.h"
#include "ui/TableText.h"

namespace kelvaro {

TFormQSB::TFormQSB(PlayEngine& engine, const LanguageTable& texts, QWidget* parent)
    : QDialog(parent, Qt::Tool), Engine(engine), Texts(texts) {
    setObjectName("TFormQSB");
    setModal(false);

    TrackBarQSB = new QSlider(Qt::Vertical, this);
    TrackBarQSB->setObjectName("TrackBarQSB");
    TrackBarQSB->setRange(0, kMaxPosition);
    TrackBarQSB->setValue(std::clamp(Engine.Qsb().DepthDb, 0, kMaxPosition));
    TrackBarQSB->setPageStep(2);
    TrackBarQSB->setTickInterval(1);
    TrackBarQSB->setTickPosition(QSlider::TicksBothSides);
    // No fading at the top, the deepest at the bottom; the Up key moves towards the top.
    TrackBarQSB->setInvertedAppearance(true);
    TrackBarQSB->setInvertedControls(true);
    TrackBarQSB->setMinimumHeight(160);

    LabelQsbTop = new QLabel(this);
    LabelQsbTop->setObjectName("LabelQsbTop");
    LabelQsbBottom = new QLabel(this);
    LabelQsbBottom->setObjectName("LabelQsbBottom");
    auto* scale = new QVBoxLayout;
    scale->addWidget(LabelQsbTop);
    scale->addStretch(1);
    scale->addWidget(LabelQsbBottom);

    auto* row = new QHBoxLayout(this);
    row->addWidget(TrackBarQSB);
    row->addLayout(scale);

    connect(TrackBarQSB, &QSlider::valueChanged, this, &TFormQSB::TrackBarQSBChange);
    Retranslate();
}

int TFormQSB::QsbLevel() const {
    return TrackBarQSB->value();
}

void TFormQSB::ApplyQsbLevel(int position) {
    TrackBarQSB->setValue(std::clamp(position, 0, kMaxPosition));
}

void TFormQSB::Retranslate() {
    setWindowTitle(TableText(Texts, "TFormQSB.Caption"));
    LabelQsbTop->setText(TableText(Texts, "LabelQsbTop.Caption"));
    LabelQsbBottom->setText(TableText(Texts, "LabelQsbBottom.Caption"));
}

void TFormQSB::TrackBarQSBChange(int position) {
    Engine.Qsb().DepthDb = position;
}

}  // namespace kelvaro
