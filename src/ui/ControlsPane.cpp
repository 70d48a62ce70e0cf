// Speed, real speed, level and the "On air" box.
#include "ui/ControlsPane.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include "core/ElementTiming.h"
#include "core/PlayEngine.h"

namespace kelvaro {

namespace {

// A spin box whose text field carries its own name, so both halves can be found.
QSpinBox* NamedSpin(QWidget* parent, const char* name, const char* editName, QLineEdit*& edit) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(name);
    edit = spin->findChild<QLineEdit*>();
    edit->setObjectName(editName);
    edit->setReadOnly(true);
    spin->setFocusPolicy(Qt::StrongFocus);
    spin->setMinimumWidth(70);
    return spin;
}

}  // namespace

ControlsPane::ControlsPane(QWidget* parent) : QGroupBox(parent) {
    setObjectName("GroupBoxControls");

    UpDownVitesse = NamedSpin(this, "UpDownVitesse", "EditVitesse", EditVitesse);
    UpDownVitesse->setRange(kMinSpeedWpm, kMaxSpeedWpm);
    UpDownVitesse->setValue(12);
    LabelVitesse = new QLabel(this);
    LabelVitesse->setObjectName("LabelVitesse");
    LabelVitesse->setBuddy(UpDownVitesse);
    LabelVitesseCorrigee = new QLabel(this);
    LabelVitesseCorrigee->setObjectName("LabelVitesseCorrigee");

    UpDownAmplitude = NamedSpin(this, "UpDownAmplitude", "EditAmplitude", EditAmplitude);
    UpDownAmplitude->setRange(PlayEngine::kMinLevelDb, PlayEngine::kMaxLevelDb);
    UpDownAmplitude->setSingleStep(3);
    UpDownAmplitude->setValue(PlayEngine::kDefaultLevelDb);
    LabelAmplitude = new QLabel(this);
    LabelAmplitude->setObjectName("LabelAmplitude");
    LabelAmplitude->setBuddy(UpDownAmplitude);

    OnairBox = new QGroupBox(this);
    OnairBox->setObjectName("OnairBox");
    LedOn = new QLabel(OnairBox);
    LedOn->setObjectName("LedOn");
    LedOn->setFixedSize(18, 18);
    auto* ledLayout = new QHBoxLayout(OnairBox);
    ledLayout->addStretch(1);
    ledLayout->addWidget(LedOn);
    ledLayout->addStretch(1);
    SetOnAir(false);

    auto* layout = new QGridLayout(this);
    layout->addWidget(LabelVitesse, 0, 0);
    layout->addWidget(UpDownVitesse, 0, 1);
    layout->addWidget(LabelVitesseCorrigee, 1, 0, 1, 2);
    layout->addWidget(LabelAmplitude, 2, 0);
    layout->addWidget(UpDownAmplitude, 2, 1);
    layout->addWidget(OnairBox, 0, 2, 3, 1);
    layout->setColumnStretch(1, 1);
}

void ControlsPane::SetOnAir(bool on) {
    LedOn->setProperty("lit", on);
    LedOn->setStyleSheet(on ? "background: #e02020; border-radius: 9px; border: 1px solid #600000;"
                            : "background: #502020; border-radius: 9px; border: 1px solid #300000;");
}

}  // namespace kelvaro
