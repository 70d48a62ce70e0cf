// The side panel where the chosen characters are typed or a lesson is picked, page by page.
#include "ui/ChosenCharactersPanel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace kelvaro {

ChosenCharactersPanel::ChosenCharactersPanel(QWidget* parent) : QFrame(parent) {
    setObjectName("PanelChoixRandom");
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    LabelChoixRandom = new QLabel(this);
    LabelChoixRandom->setObjectName("LabelChoixRandom");
    BoxCaracteresChoix = new QComboBox(this);
    BoxCaracteresChoix->setObjectName("BoxCaracteresChoix");
    BoxCaracteresChoix->setEditable(true);
    BoxCaracteresChoix->setInsertPolicy(QComboBox::NoInsert);
    BoxCaracteresChoix->lineEdit()->setMaxLength(70);
    // Lessons are up to 50 characters long: the box takes the panel's width, the list shows
    // them whole.
    BoxCaracteresChoix->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    BoxCaracteresChoix->setMinimumContentsLength(12);
    Label3 = new QLabel(this);
    Label3->setObjectName("Label3");
    Label3->setWordWrap(true);
    SpeedButtonChoixMoins = new QToolButton(this);
    SpeedButtonChoixMoins->setObjectName("SpeedButtonChoixMoins");
    SpeedButtonChoixMoins->setArrowType(Qt::LeftArrow);
    SpeedButtonChoixPlus = new QToolButton(this);
    SpeedButtonChoixPlus->setObjectName("SpeedButtonChoixPlus");
    SpeedButtonChoixPlus->setArrowType(Qt::RightArrow);
    ButtonChoixCaractereOK = new QPushButton(this);
    ButtonChoixCaractereOK->setObjectName("ButtonChoixCaractereOK");
    ButtonCancelChoix = new QPushButton(this);
    ButtonCancelChoix->setObjectName("ButtonCancelChoix");

    auto* pages = new QHBoxLayout;
    pages->addWidget(SpeedButtonChoixMoins);
    pages->addWidget(Label3, 1);
    pages->addWidget(SpeedButtonChoixPlus);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ButtonChoixCaractereOK);
    buttons->addWidget(ButtonCancelChoix);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LabelChoixRandom);
    layout->addWidget(BoxCaracteresChoix);
    layout->addLayout(pages);
    layout->addStretch(1);
    layout->addLayout(buttons);
    setVisible(false);
}

}  // namespace kelvaro
