// A titled group of radio buttons with one selected item, addressed by index.
#include "ui/RadioGroupBox.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kelvaro {

RadioGroupBox::RadioGroupBox(const char* name, QWidget* parent)
    : QGroupBox(parent), Group(new QButtonGroup(this)) {
    setObjectName(name);
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(1);
    layout->setContentsMargins(4, 2, 4, 2);
    connect(Group, &QButtonGroup::idClicked, this, [this] {
        if (OnClick) {
            OnClick();
        }
    });
}

void RadioGroupBox::SetItems(const QStringList& items) {
    for (int index = 0; index < items.size(); ++index) {
        if (index < Count()) {
            Item(index)->setText(items[index]);
            continue;
        }
        auto* button = new QRadioButton(items[index], this);
        button->setObjectName(objectName() + "Item" + QString::number(index));
        Group->addButton(button, index);
        layout()->addWidget(button);
        Buttons.push_back(button);
    }
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
