// The tone window: the pitch of the sidetone, or the harmonic-rich exam tone.
#include "ui/TFormNote.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "app/LanguageTable.h"
#include "core/PlayEngine.h"
#include "ui/TFormDrift.h"
#include "ui/TableText.h"

namespace kelvaro {

namespace {

constexpr int kTopHz = 1500;
constexpr int kHzPerPosition = 10;
constexpr int kTickInterval = 10;

QLabel* NewLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    return label;
}

}  // namespace

TFormNote::TFormNote(PlayEngine& engine, const LanguageTable& texts, QWidget* parent)
    : QDialog(parent, Qt::Tool), Engine(engine), Texts(texts) {
    setObjectName("TFormNote");
    setModal(false);

    TrackBarNote = new QSlider(Qt::Vertical, this);
    TrackBarNote->setObjectName("TrackBarNote");
    TrackBarNote->setRange(0, kMaxPosition);
    TrackBarNote->setValue(kDefaultPosition);
    TrackBarNote->setSingleStep(1);
    TrackBarNote->setPageStep(kTickInterval);
    TrackBarNote->setTickInterval(kTickInterval);
    TrackBarNote->setTickPosition(QSlider::TicksBothSides);
    // Position 0 (the highest pitch) is at the top and the Up key moves towards it.
    TrackBarNote->setInvertedAppearance(true);
    TrackBarNote->setInvertedControls(true);
    TrackBarNote->setMinimumHeight(280);

    LabelNoteTop = NewLabel("LabelNoteTop", this);
    LabelNoteMiddle = NewLabel("LabelNoteMiddle", this);
    LabelNoteBottom = NewLabel("LabelNoteBottom", this);
    auto* scale = new QVBoxLayout;
    scale->addWidget(LabelNoteTop);
    scale->addStretch(1);
    scale->addWidget(LabelNoteMiddle);
    scale->addStretch(1);
    scale->addWidget(LabelNoteBottom);

    auto* sliderRow = new QHBoxLayout;
    sliderRow->addStretch(1);
    sliderRow->addWidget(TrackBarNote);
    sliderRow->addLayout(scale);
    sliderRow->addStretch(1);

    CheckBoxTonExamen = new QCheckBox(this);
    CheckBoxTonExamen->setObjectName("CheckBoxTonExamen");

    auto* column = new QVBoxLayout(this);
    column->addLayout(sliderRow);
    column->addWidget(CheckBoxTonExamen);

    connect(TrackBarNote, &QSlider::valueChanged, this, &TFormNote::TrackBarNoteChange);
    connect(CheckBoxTonExamen, &QCheckBox::toggled, this, [this] { CheckBoxTonExamenClick(); });
    Retranslate();
}

double TFormNote::PositionToHz(int position) {
    return kTopHz - kHzPerPosition * position;
}

int TFormNote::HzToPosition(double hz) {
    const double position = std::nearbyint((kTopHz - hz) / kHzPerPosition);
    return static_cast<int>(std::clamp(position, 0.0, static_cast<double>(kMaxPosition)));
}

int TFormNote::NotePosition() const {
    return CheckBoxTonExamen->isChecked() ? kExamTonePosition : TrackBarNote->value();
}

void TFormNote::ApplyNotePosition(int position) {
    if (position == kExamTonePosition) {
        CheckBoxTonExamen->setChecked(true);
        return;
    }
    CheckBoxTonExamen->setChecked(false);
    TrackBarNote->setValue(std::clamp(position, 0, kMaxPosition));
}

void TFormNote::Retranslate() {
    setWindowTitle(TableText(Texts, "TFormNote.Caption"));
    LabelNoteTop->setText(TableText(Texts, "LabelNoteTop.Caption"));
    LabelNoteMiddle->setText(TableText(Texts, "LabelNoteMiddle.Caption"));
    LabelNoteBottom->setText(TableText(Texts, "LabelNoteBottom.Caption"));
    UpdateExamCaption();
}

void TFormNote::TrackBarNoteChange(int position) {
    const double hz = PositionToHz(position);
    Engine.SetNoteFrequency(hz);
    if (Drift != nullptr && Drift->isVisible()) {
        Drift->BaseFrequencyChanged(hz);
    }
}

void TFormNote::CheckBoxTonExamenClick() {
    Engine.SetExamTone(CheckBoxTonExamen->isChecked());
    // The switch already rebuilt the tables; a second rebuild (which also draws a new noise
    // table from the shared random source) is needed only when the pitch had drifted away.
    const double hz = PositionToHz(TrackBarNote->value());
    if (Engine.NoteFrequency() != hz || Engine.BaseFrequency() != hz) {
        Engine.SetNoteFrequency(hz);
    }
}

void TFormNote::showEvent(QShowEvent* event) {
    UpdateExamCaption();
    QDialog::showEvent(event);
}

void TFormNote::UpdateExamCaption() {
    CheckBoxTonExamen->setText(TableText(Texts, Texts.Current() == Language::French
                                                    ? "CheckBoxTonExamen.CaptionFrench"
                                                    : "CheckBoxTonExamen.Caption"));
}

}  // namespace kelvaro
