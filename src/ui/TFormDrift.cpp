// The QRH window: how fast the pitch drifts and between which limits.
#include "ui/TFormDrift.h"

#include <QGridLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdlib>

#include "app/LanguageTable.h"
#include "core/FrequencyDrift.h"
#include "core/PlayEngine.h"
#include "ui/TFormDriftBMP.h"
#include "ui/TableText.h"

namespace kelvaro {

TFormDrift::TFormDrift(PlayEngine& engine, const LanguageTable& texts, QWidget* parent)
    : QDialog(parent, Qt::Tool), Engine(engine), Texts(texts) {
    setObjectName("TFormDrift");
    setModal(false);

    LabelDriftTitle = NewLabel("LabelDriftTitle");
    LabelDriftTitle->setAlignment(Qt::AlignCenter);
    QFont titleFont = LabelDriftTitle->font();
    titleFont.setBold(true);
    LabelDriftTitle->setFont(titleFont);

    LabelDF = NewLabel("LabelDF");
    UpDownDrift = NewUpDown("UpDownDrift", 0, kMaxStepHz, kStepIncrementHz, kDefaultDriftStepHz);
    LabelDFUnit = NewLabel("LabelDFUnit");
    LabelFMax = NewLabel("LabelFMax");
    UpDownFMax = NewUpDown("UpDownFMax", kMaxHzLowest, kMaxHzHighest, kLimitIncrementHz, kDefaultDriftMaxHz);
    LabelFMaxUnit = NewLabel("LabelFMaxUnit");
    LabelFMin = NewLabel("LabelFMin");
    UpDownFMin = NewUpDown("UpDownFMin", kMinHzLowest, kMinHzHighest, kLimitIncrementHz, kDefaultDriftMinHz);
    LabelFMinUnit = NewLabel("LabelFMinUnit");
    LabelF0 = NewLabel("LabelF0");

    ButtonDriftHelp = new QPushButton(this);
    ButtonDriftHelp->setObjectName("ButtonDriftHelp");
    ButtonDriftHelp->setAutoDefault(false);
    ButtonDriftHelp->setMaximumWidth(40);

    auto* grid = new QGridLayout;
    const auto addRow = [grid](int row, QLabel* caption, QSpinBox* upDown, QLabel* unit) {
        grid->addWidget(caption, row, 0, Qt::AlignRight);
        grid->addWidget(upDown, row, 1);
        grid->addWidget(unit, row, 2);
    };
    addRow(0, LabelDF, UpDownDrift, LabelDFUnit);
    addRow(1, LabelFMax, UpDownFMax, LabelFMaxUnit);
    addRow(2, LabelFMin, UpDownFMin, LabelFMinUnit);
    grid->addWidget(LabelF0, 3, 0, 1, 3, Qt::AlignCenter);

    auto* column = new QVBoxLayout(this);
    column->addWidget(LabelDriftTitle);
    column->addLayout(grid);
    column->addWidget(ButtonDriftHelp, 0, Qt::AlignRight);

    FormDriftBMP = new TFormDriftBMP(texts, this);

    connect(UpDownDrift, &QSpinBox::valueChanged, this, &TFormDrift::UpDownDriftClick);
    connect(UpDownFMax, &QSpinBox::valueChanged, this, &TFormDrift::UpDownFMaxClick);
    connect(UpDownFMin, &QSpinBox::valueChanged, this, &TFormDrift::UpDownFMinClick);
    connect(ButtonDriftHelp, &QPushButton::clicked, this, &TFormDrift::ButtonDriftHelpClick);

    ShowBaseFrequency(Engine.BaseFrequency());
    Retranslate();
}

QSpinBox* TFormDrift::NewUpDown(const char* name, int minimum, int maximum, int step, int value) {
    auto* upDown = new QSpinBox(this);
    upDown->setObjectName(name);
    upDown->setRange(minimum, maximum);
    upDown->setSingleStep(step);
    upDown->setValue(value);
    // The value changes by the arrows only: the text cannot be typed over. The spin box's
    // own line edit is its one QLineEdit child.
    auto* text = upDown->findChild<QLineEdit*>();
    assert(text != nullptr);
    text->setReadOnly(true);
    upDown->setAlignment(Qt::AlignRight);
    return upDown;
}

QLabel* TFormDrift::NewLabel(const char* name) {
    auto* label = new QLabel(this);
    label->setObjectName(name);
    return label;
}

void TFormDrift::SetTitle(const QString& menuCaption) {
    QString title = menuCaption;
    LabelDriftTitle->setText(title.remove(QLatin1Char('&')));
}

void TFormDrift::ApplyDriftValues(int stepHz, int maxHz, int minHz) {
    UpDownDrift->setValue(std::abs(stepHz));
    UpDownFMax->setValue(maxHz);
    UpDownFMin->setValue(minHz);
    // An up-down already at the value sends no change, so the drift is told in any case.
    FrequencyDrift& drift = Engine.Drift();
    drift.SetStepSetting(UpDownDrift->value());
    drift.MaxHz = UpDownFMax->value();
    drift.MinHz = UpDownFMin->value();
}

TFormDrift::DriftSettings TFormDrift::DriftValues() const {
    return {UpDownDrift->value(), UpDownFMax->value(), UpDownFMin->value()};
}

void TFormDrift::BaseFrequencyChanged(double baseHz) {
    ShowBaseFrequency(baseHz);
    const int f0Hz = static_cast<int>(std::trunc(baseHz));
    // A limit pushed by the new bound changes its up-down's value, whose handler tells the drift.
    UpDownFMax->setMinimum(f0Hz);
    UpDownFMin->setMaximum(f0Hz);
}

void TFormDrift::Retranslate() {
    setWindowTitle(TableText(Texts, "TFormDrift.Caption"));
    LabelDF->setText(TableText(Texts, "LabelDF.Caption"));
    LabelDFUnit->setText(TableText(Texts, "LabelDFUnit.Caption"));
    LabelFMax->setText(TableText(Texts, "LabelFMax.Caption"));
    LabelFMaxUnit->setText(TableText(Texts, "LabelFMaxUnit.Caption"));
    LabelFMin->setText(TableText(Texts, "LabelFMin.Caption"));
    LabelFMinUnit->setText(TableText(Texts, "LabelFMinUnit.Caption"));
    ButtonDriftHelp->setText(TableText(Texts, "ButtonDriftHelp.Caption"));
    ShowBaseFrequency(Engine.BaseFrequency());
    FormDriftBMP->Retranslate();
}

void TFormDrift::UpDownDriftClick(int stepHz) {
    Engine.Drift().SetStepSetting(stepHz);
}

void TFormDrift::UpDownFMaxClick(int maxHz) {
    Engine.Drift().MaxHz = maxHz;
}

void TFormDrift::UpDownFMinClick(int minHz) {
    Engine.Drift().MinHz = minHz;
}

void TFormDrift::ButtonDriftHelpClick() {
    FormDriftBMP->show();
    FormDriftBMP->raise();
}

void TFormDrift::showEvent(QShowEvent* event) {
    Engine.Drift().StepSetting = UpDownDrift->value();
    ShowBaseFrequency(Engine.BaseFrequency());
    QDialog::showEvent(event);
}

void TFormDrift::hideEvent(QHideEvent* event) {
    // Closed or hidden by the program; a window merely minimised keeps its illustration.
    if (!event->spontaneous()) {
        FormDriftBMP->hide();
    }
    QDialog::hideEvent(event);
}

void TFormDrift::ShowBaseFrequency(double baseHz) {
    const long f0Hz = static_cast<long>(std::trunc(baseHz));
    LabelF0->setText(TableText(Texts, "LabelF0.Caption").arg(f0Hz));
}

}  // namespace kelvaro
