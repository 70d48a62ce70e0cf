// The monitoring pane: the decoded text, the element echo, the six signal sources, the
// decoder thresholds and the input levels.
#include "ui/MonitorPane.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QSlider>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace kelvaro {

namespace {

constexpr int kThresholdMax = 127;
constexpr int kDefaultThreshold = 64;

QFont BoldFixedFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setBold(true);
    return font;
}

}  // namespace

MonitorPane::MonitorPane(QWidget* parent) : QGroupBox(parent) {
    setObjectName("GroupBoxMonitor");
    auto named = [this]<class Widget>(Widget* widget, const char* name) {
        widget->setObjectName(name);
        return widget;
    };
    LabelMonitor = named(new QLabel(this), "LabelMonitor");
    LabelMonitor->setWordWrap(true);
    MemoMonitor = named(new QPlainTextEdit(this), "MemoMonitor");
    MemoMonitor->setReadOnly(true);
    MemoMonitor->setUndoRedoEnabled(false);
    MemoMonitor->setFont(BoldFixedFont());
    MemoMonitor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MemoMonitor->setFocusPolicy(Qt::ClickFocus);
    MemoMonitor->setMinimumHeight(48);
    EditMonitor = named(new QLineEdit(this), "EditMonitor");
    EditMonitor->setReadOnly(true);
    EditMonitor->setFont(BoldFixedFont());
    EditMonitor->setFocusPolicy(Qt::NoFocus);
    CheckBoxUpperCase = named(new QCheckBox(this), "CheckBoxUpperCase");
    SpeedButtonRazMonitor = named(new QToolButton(this), "SpeedButtonRazMonitor");
    SpeedButtonRazMonitor->setIcon(style()->standardIcon(QStyle::SP_DialogResetButton));
    SpeedButtonRazMonitor->setFocusPolicy(Qt::NoFocus);
    SpeedButtonHelpMonitor = named(new QToolButton(this), "SpeedButtonHelpMonitor");
    SpeedButtonHelpMonitor->setText("?");
    SpeedButtonHelpMonitor->setFocusPolicy(Qt::NoFocus);

    GroupBoxAudioMonitor = named(new QGroupBox(this), "GroupBoxAudioMonitor");
    RadioButtonLC = named(new QRadioButton(GroupBoxAudioMonitor), "RadioButtonLC");
    RadioButtonRC = named(new QRadioButton(GroupBoxAudioMonitor), "RadioButtonRC");
    LabelLeftChannel = named(new QLabel(GroupBoxAudioMonitor), "LabelLeftChannel");
    LabelRightChannel = named(new QLabel(GroupBoxAudioMonitor), "LabelRightChannel");
    LabelLeftChannel->setBuddy(RadioButtonLC);
    LabelRightChannel->setBuddy(RadioButtonRC);
    TrackBarLC = named(new QSlider(Qt::Horizontal, GroupBoxAudioMonitor), "TrackBarLC");
    TrackBarRC = named(new QSlider(Qt::Horizontal, GroupBoxAudioMonitor), "TrackBarRC");
    for (QSlider* slider : {TrackBarLC, TrackBarRC}) {
        slider->setRange(0, kThresholdMax);
        slider->setValue(kDefaultThreshold);
        slider->setPageStep(8);
    }
    LabelThreshold = named(new QLabel(GroupBoxAudioMonitor), "LabelThreshold");
    LabelThreshold->setAlignment(Qt::AlignCenter);
    ProgressBarLeft = named(new QProgressBar(GroupBoxAudioMonitor), "ProgressBarLeft");
    ProgressBarRight = named(new QProgressBar(GroupBoxAudioMonitor), "ProgressBarRight");
    for (QProgressBar* bar : {ProgressBarLeft, ProgressBarRight}) {
        bar->setRange(0, 100);
        bar->setValue(0);
        bar->setTextVisible(false);
        bar->setMaximumHeight(10);
        bar->setMinimumWidth(30);
    }

    GroupBoxKeyMonitor = named(new QGroupBox(this), "GroupBoxKeyMonitor");
    RadioButtonPioche = named(new QRadioButton(GroupBoxKeyMonitor), "RadioButtonPioche");
    RadioButtonElKeyN = named(new QRadioButton(GroupBoxKeyMonitor), "RadioButtonElKeyN");
    RadioButtonElKeyR = named(new QRadioButton(GroupBoxKeyMonitor), "RadioButtonElKeyR");
    RadioButtonCTRL = named(new QRadioButton(GroupBoxKeyMonitor), "RadioButtonCTRL");

    Label4 = named(new QLabel(this), "Label4");
    Label4->setVisible(false);

    // One group across both boxes; the handlers select and clear the buttons themselves.
    Sources = new QButtonGroup(this);
    Sources->setExclusive(false);
    for (QRadioButton* source : {RadioButtonLC, RadioButtonRC, RadioButtonPioche, RadioButtonElKeyN,
                                 RadioButtonElKeyR, RadioButtonCTRL}) {
        source->setAutoExclusive(false);
        Sources->addButton(source);
    }
    RadioButtonLC->setChecked(true);

    auto* audio = new QGridLayout(GroupBoxAudioMonitor);
    audio->addWidget(RadioButtonLC, 0, 0);
    audio->addWidget(LabelLeftChannel, 0, 1);
    audio->addWidget(ProgressBarLeft, 0, 2);
    audio->addWidget(TrackBarLC, 1, 0, 1, 3);
    audio->addWidget(LabelThreshold, 2, 0, 1, 3);
    audio->addWidget(RadioButtonRC, 3, 0);
    audio->addWidget(LabelRightChannel, 3, 1);
    audio->addWidget(ProgressBarRight, 3, 2);
    audio->addWidget(TrackBarRC, 4, 0, 1, 3);
    audio->setColumnStretch(2, 1);

    auto* keys = new QVBoxLayout(GroupBoxKeyMonitor);
    keys->addWidget(RadioButtonPioche);
    keys->addWidget(RadioButtonElKeyN);
    keys->addWidget(RadioButtonElKeyR);
    keys->addWidget(RadioButtonCTRL);
    keys->addStretch(1);

    auto* memoButtons = new QVBoxLayout;
    memoButtons->addWidget(SpeedButtonRazMonitor);
    memoButtons->addWidget(SpeedButtonHelpMonitor);
    memoButtons->addStretch(1);
    auto* memo = new QHBoxLayout;
    memo->addWidget(MemoMonitor, 1);
    memo->addLayout(memoButtons);
    auto* sources = new QHBoxLayout;
    sources->addWidget(GroupBoxAudioMonitor, 1);
    sources->addWidget(GroupBoxKeyMonitor, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LabelMonitor);
    layout->addLayout(memo, 1);
    auto* echo = new QHBoxLayout;
    echo->addWidget(EditMonitor, 1);
    echo->addWidget(CheckBoxUpperCase);
    layout->addLayout(echo);
    layout->addLayout(sources);
    layout->addWidget(Label4);
}

void MonitorPane::SelectSource(QRadioButton* source) {
    for (QAbstractButton* button : Sources->buttons()) {
        button->setChecked(button == source);
    }
}

void MonitorPane::ClearSources() {
    SelectSource(nullptr);
}

QRadioButton* MonitorPane::SelectedSource() const {
    return qobject_cast<QRadioButton*>(Sources->checkedButton());
}

}  // namespace kelvaro
