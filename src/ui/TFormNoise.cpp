// The noise window: how loud the receiver noise is and how wide its band.
#include "ui/TFormNoise.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "app/LanguageTable.h"
#include "core/NoiseTable.h"
#include "core/PlayEngine.h"
#include "core/Rounding.h"
#include "ui/TableText.h"

namespace kelvaro {

namespace {

struct BandwidthChoice {
    const char* Name;
    int Divisor;
};

constexpr std::array<BandwidthChoice, 4> kBandwidthChoices = {{
    {"RadioButton10k", 1},
    {"RadioButton5k", 2},
    {"RadioButton2k", 4},
    {"RadioButton1k", 8},
}};

}  // namespace

TFormNoise::TFormNoise(PlayEngine& engine, const LanguageTable& texts, QWidget* parent)
    : QDialog(parent, Qt::Tool), Engine(engine), Texts(texts) {
    setObjectName("TFormNoise");
    setModal(false);

    TrackBarNoise = new QSlider(Qt::Vertical, this);
    TrackBarNoise->setObjectName("TrackBarNoise");
    TrackBarNoise->setRange(0, kMaxPosition);
    TrackBarNoise->setValue(kDefaultPosition);
    TrackBarNoise->setPageStep(2);
    TrackBarNoise->setTickInterval(1);
    TrackBarNoise->setTickPosition(QSlider::TicksBothSides);
    // Position 0, the loudest noise, is at the top and the Up key moves towards it.
    TrackBarNoise->setInvertedAppearance(true);
    TrackBarNoise->setInvertedControls(true);
    TrackBarNoise->setMinimumHeight(160);

    LabelNoiseMax = new QLabel(this);
    LabelNoiseMax->setObjectName("LabelNoiseMax");
    LabelNoiseMin = new QLabel(this);
    LabelNoiseMin->setObjectName("LabelNoiseMin");
    auto* scale = new QVBoxLayout;
    scale->addWidget(LabelNoiseMax);
    scale->addStretch(1);
    scale->addWidget(LabelNoiseMin);

    GroupBoxBW = new QGroupBox(this);
    GroupBoxBW->setObjectName("GroupBoxBW");
    BandwidthButtons = new QButtonGroup(this);
    auto* bandwidthColumn = new QVBoxLayout(GroupBoxBW);
    for (const BandwidthChoice& choice : kBandwidthChoices) {
        bandwidthColumn->addWidget(NewBandwidthButton(choice.Name, choice.Divisor));
    }
    if (!ApplyBandwidth(Engine.NoiseBandwidth())) {
        ApplyBandwidth(kDefaultNoiseBandwidth);
    }

    auto* row = new QHBoxLayout(this);
    row->addWidget(TrackBarNoise);
    row->addLayout(scale);
    row->addWidget(GroupBoxBW);

    connect(TrackBarNoise, &QSlider::valueChanged, this, &TFormNoise::TrackBarNoiseChange);
    connect(BandwidthButtons, &QButtonGroup::idToggled, this, [this](int divisor, bool checked) {
        if (checked) {
            RadioButtonBandwidthClick(divisor);
        }
    });
    Retranslate();
}

QRadioButton* TFormNoise::NewBandwidthButton(const char* name, int divisor) {
    auto* button = new QRadioButton(GroupBoxBW);
    button->setObjectName(name);
    BandwidthButtons->addButton(button, divisor);
    return button;
}

int TFormNoise::PositionToRange(int position) {
    return static_cast<int>(
        RoundRatio(static_cast<std::int64_t>(kMaxPosition - position) * kFullRange, kMaxPosition));
}

int TFormNoise::NoiseLevelPosition() const {
    return TrackBarNoise->value();
}

void TFormNoise::ApplyNoiseLevel(int position) {
    TrackBarNoise->setValue(std::clamp(position, 0, kMaxPosition));
}

int TFormNoise::Bandwidth() const {
    return BandwidthButtons->checkedId();
}

bool TFormNoise::ApplyBandwidth(int divisor) {
    QAbstractButton* button = BandwidthButtons->button(divisor);
    if (button == nullptr) {
        return false;
    }
    button->setChecked(true);
    return true;
}

void TFormNoise::Retranslate() {
    setWindowTitle(TableText(Texts, "TFormNoise.Caption"));
    LabelNoiseMax->setText(TableText(Texts, "LabelNoiseMax.Caption"));
    LabelNoiseMin->setText(TableText(Texts, "LabelNoiseMin.Caption"));
    GroupBoxBW->setTitle(TableText(Texts, "GroupBoxBW.Caption"));
    for (const BandwidthChoice& choice : kBandwidthChoices) {
        BandwidthButtons->button(choice.Divisor)
            ->setText(TableText(Texts, std::string(choice.Name) + ".Caption"));
    }
}

void TFormNoise::TrackBarNoiseChange(int position) {
    Engine.SetNoise(PositionToRange(position), Engine.NoiseBandwidth());
}

void TFormNoise::RadioButtonBandwidthClick(int divisor) {
    Engine.SetNoise(Engine.NoiseRange(), divisor);
}

}  // namespace kelvaro
