// The text box and the transport buttons under it: Replay Text, Clear, Stop and Quit.
#include "ui/TextPane.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/TypingEdit.h"

namespace kelvaro {

TextPane::TextPane(QWidget* parent) : QWidget(parent) {
    Editcaractere = new TypingEdit(this);
    Editcaractere->setObjectName("Editcaractere");
    QFont typing = Editcaractere->font();
    typing.setPointSizeF(typing.pointSizeF() * 1.4);
    Editcaractere->setFont(typing);

    ButtonReplayText = new QPushButton(this);
    ButtonReplayText->setObjectName("ButtonReplayText");
    ButtonReplayText->setCheckable(true);
    ButtonReplayText->setEnabled(false);

    SpeedButtonRAZtext = new QToolButton(this);
    SpeedButtonRAZtext->setObjectName("SpeedButtonRAZtext");
    SpeedButtonRAZtext->setIcon(style()->standardIcon(QStyle::SP_LineEditClearButton));
    SpeedButtonRAZtext->setAutoRaise(true);

    ButtonStop = new QPushButton(this);
    ButtonStop->setObjectName("ButtonStop");
    ButtonStop->setIcon(style()->standardIcon(QStyle::SP_MediaStop));
    ButtonStop->setVisible(false);

    ButtonQuitter = new QPushButton(this);
    ButtonQuitter->setObjectName("ButtonQuitter");

    Button1 = new QPushButton(this);
    Button1->setObjectName("Button1");
    Button1->setVisible(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ButtonReplayText);
    buttons->addWidget(SpeedButtonRAZtext);
    buttons->addStretch(1);
    buttons->addWidget(ButtonStop);
    buttons->addWidget(ButtonQuitter);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Editcaractere, 1);
    layout->addLayout(buttons);
}

}  // namespace kelvaro
