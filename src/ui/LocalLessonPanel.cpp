// The side panel where the user writes lessons of their own into the 60 lesson slots.
#include "ui/LocalLessonPanel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/FieldWidth.h"

namespace kelvaro {

LocalLessonPanel::LocalLessonPanel(QWidget* parent) : QFrame(parent) {
    setObjectName("PanelLocalLesson");
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    LabelLocalLesson = new QLabel(this);
    LabelLocalLesson->setObjectName("LabelLocalLesson");
    EditNumeroLesson = new QLineEdit(this);
    EditNumeroLesson->setObjectName("EditNumeroLesson");
    EditNumeroLesson->setMaxLength(2);
    SizeFieldFor(EditNumeroLesson, "00 ");
    LabelNumeroLesson = new QLabel(this);
    LabelNumeroLesson->setObjectName("LabelNumeroLesson");
    LabelNumeroLesson->setWordWrap(true);
    EditCaractereLesson = new QLineEdit(this);
    EditCaractereLesson->setObjectName("EditCaractereLesson");
    EditCaractereLesson->setMaxLength(50);
    LabelCaractereLesson = new QLabel(this);
    LabelCaractereLesson->setObjectName("LabelCaractereLesson");
    LabelCaractereLesson->setWordWrap(true);
    ButtonLocalLessonEnter = new QPushButton(this);
    ButtonLocalLessonEnter->setObjectName("ButtonLocalLessonEnter");
    ButtonLocalLessonExit = new QPushButton(this);
    ButtonLocalLessonExit->setObjectName("ButtonLocalLessonExit");

    auto* number = new QHBoxLayout;
    number->addWidget(EditNumeroLesson);
    number->addWidget(LabelNumeroLesson, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ButtonLocalLessonEnter);
    buttons->addWidget(ButtonLocalLessonExit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LabelLocalLesson);
    layout->addLayout(number);
    layout->addWidget(EditCaractereLesson);
    layout->addWidget(LabelCaractereLesson);
    layout->addStretch(1);
    layout->addLayout(buttons);
    setVisible(false);
}

}  // namespace kelvaro
