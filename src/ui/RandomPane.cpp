// The random groups' pane: the generated text, the count, the set label and the play buttons.
#include "ui/RandomPane.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/SwitchButton.h"

namespace kelvaro {

RandomPane::RandomPane(QWidget* parent) : QGroupBox(parent) {
    setObjectName("GroupBoxRandom");
    auto named = [this]<class Widget>(Widget* widget, const char* name) {
        widget->setObjectName(name);
        return widget;
    };
    PanelExamen = named(new QLabel(this), "PanelExamen");
    PanelExamen->setFrameShape(QFrame::Panel);
    ButtonExamenTexte = named(new QPushButton(this), "ButtonExamenTexte");
    MemoRandom = named(new QPlainTextEdit(this), "MemoRandom");
    MemoRandom->setReadOnly(true);
    MemoRandom->setUndoRedoEnabled(false);
    LabelRandomNumber = named(new QLabel(this), "LabelRandomNumber");
    SpinEditRandomNumber = named(new QSpinBox(this), "SpinEditRandomNumber");
    SpinEditRandomNumber->setRange(5, 1000);
    SpinEditRandomNumber->setSingleStep(5);
    SpinEditRandomNumber->setValue(250);
    PanelRandomLesson = named(new QLabel(this), "PanelRandomLesson");
    PanelRandomLesson->setFrameShape(QFrame::Panel);
    ButtonChangeLesson = named(new QPushButton(this), "ButtonChangeLesson");
    LabelWords = named(new QLabel(this), "LabelWords");
    LabelWords->setWordWrap(true);
    BitBtnPlayRandom = named(new QPushButton(this), "BitBtnPlayRandom");
    BitBtnStopRandom = named(new QPushButton(this), "BitBtnStopRandom");
    BitBtnStopRandom->setVisible(false);
    ButtonHide = named(new QPushButton(this), "ButtonHide");
    SpeedButtonNoise = new SwitchButton("SpeedButtonNoise", this);
    SpeedButtonQSB = new SwitchButton("SpeedButtonQSB", this);
    SpeedButtonDrift = new SwitchButton("SpeedButtonDrift", this);
    SpeedButtonSaisie = named(new QToolButton(this), "SpeedButtonSaisie");
    SpeedButtonSaisie->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    SpeedButtonCopyCheck = named(new QToolButton(this), "SpeedButtonCopyCheck");
    SpeedButtonCopyCheck->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));

    auto* exam = new QHBoxLayout;
    exam->addWidget(PanelExamen, 1);
    exam->addWidget(ButtonExamenTexte);
    auto* count = new QHBoxLayout;
    count->addWidget(LabelRandomNumber);
    count->addWidget(SpinEditRandomNumber);
    auto* set = new QHBoxLayout;
    set->addWidget(PanelRandomLesson, 1);
    set->addWidget(ButtonChangeLesson);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtnPlayRandom);
    buttons->addWidget(BitBtnStopRandom);
    buttons->addWidget(ButtonHide);
    buttons->addWidget(SpeedButtonSaisie);
    buttons->addWidget(SpeedButtonCopyCheck);
    buttons->addStretch(1);
    buttons->addWidget(SpeedButtonNoise);
    buttons->addWidget(SpeedButtonQSB);
    buttons->addWidget(SpeedButtonDrift);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(exam);
    layout->addWidget(MemoRandom, 1);
    layout->addLayout(count);
    layout->addLayout(set);
    layout->addWidget(LabelWords);
    layout->addLayout(buttons);
    PanelExamen->setVisible(false);
    ButtonExamenTexte->setVisible(false);
}

}  // namespace kelvaro
