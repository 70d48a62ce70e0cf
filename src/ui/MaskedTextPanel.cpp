// The side panel that sets the two characters between which a file's text is not played.
#include "ui/MaskedTextPanel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/FieldWidth.h"

namespace kelvaro {

MaskedTextPanel::MaskedTextPanel(QWidget* parent) : QFrame(parent) {
    setObjectName("PanelMaskedText");
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    auto named = [this]<class Widget>(Widget* widget, const char* name) {
        widget->setObjectName(name);
        return widget;
    };
    LabelMaskedText = named(new QLabel(this), "LabelMaskedText");
    QFont title = LabelMaskedText->font();
    title.setBold(true);
    LabelMaskedText->setFont(title);
    LabelMaskedText->setAlignment(Qt::AlignCenter);
    EditStartMaskedText = named(new QLineEdit(this), "EditStartMaskedText");
    EditEndMaskedText = named(new QLineEdit(this), "EditEndMaskedText");
    for (QLineEdit* edit : {EditStartMaskedText, EditEndMaskedText}) {
        edit->setMaxLength(1);
        edit->setAlignment(Qt::AlignCenter);
        SizeFieldFor(edit, "WW");
    }
    LabelStartMaskedText = named(new QLabel(this), "LabelStartMaskedText");
    LabelEndMaskedText = named(new QLabel(this), "LabelEndMaskedText");
    LabelMaskedNote = named(new QLabel(this), "LabelMaskedNote");
    LabelMaskedNote->setWordWrap(true);
    ButtonMaskedTextOK = named(new QPushButton(this), "ButtonMaskedTextOK");
    ButtonMaskedTextCancel = named(new QPushButton(this), "ButtonMaskedTextCancel");

    auto* fields = new QGridLayout;
    fields->addWidget(EditStartMaskedText, 0, 0);
    fields->addWidget(LabelStartMaskedText, 0, 1);
    fields->addWidget(EditEndMaskedText, 1, 0);
    fields->addWidget(LabelEndMaskedText, 1, 1);
    fields->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ButtonMaskedTextOK);
    buttons->addWidget(ButtonMaskedTextCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LabelMaskedText);
    layout->addLayout(fields);
    layout->addWidget(LabelMaskedNote);
    layout->addStretch(1);
    layout->addLayout(buttons);
}

}  // namespace kelvaro
