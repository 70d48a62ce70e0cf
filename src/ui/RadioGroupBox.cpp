// A titled group of radio buttons with one selected item, addressed by index.
#include "ui/RadioGroupBox.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

namespace kelvaro {

RadioGroupBox::RadioGroupBox(const char* name, QWidget* parent)
    : QGroupBox(parent), Group(new QButtonGroup(this)) {
    setObjectName(name);
    Items = new QGridLayout(this);
    Items->setVerticalSpacing(1);
    Items->setContentsMargins(4, 2, 4, 2);
    connect(Group, &QButtonGroup::idClicked, this, [this] {
        if (OnClick) {
            OnClick();
        }
    });
}

void RadioGroupBox::SetItems(const QStringList& items) {
    Items->setRowStretch(Count(), 0);
    for (int index = 0; index < items.size(); ++index) {
        if (index < Count()) {
            Item(index)->setText(items[index]);
            continue;
        }
        auto* button = new QRadioButton(items[index], this);
        button->setObjectName(objectName() + "Item" + QString::number(index));
        Group->addButton(button, index);
        Items->addWidget(button, index, 0);
        Buttons.push_back(button);
    }
    // The items stay together at the top when the box is taller than they need.
    Items->setRowStretch(Count(), 1);
}

void RadioGroupBox::SetBeside(int index, QWidget* widget) {
    widget->setParent(this);
    Items->addWidget(widget, index, 1);
}

int RadioGroupBox::ItemIndex() const {
    return Group->checkedId();
}

void RadioGroupBox::SetItemIndex(int index) {
    if (index >= 0 && index < Count()) {
        Item(index)->setChecked(true);
    }
}

void RadioGroupBox::Click(int index) {
    SetItemIndex(index);
    if (OnClick) {
        OnClick();
    }
}

}  // namespace kelvaro
