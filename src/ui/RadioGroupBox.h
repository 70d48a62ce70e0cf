// A titled group of radio buttons with one selected item, addressed by index.
#pragma once

#include <QGroupBox>
#include <QStringList>
#include <functional>
#include <vector>

class QButtonGroup;
class QGridLayout;
class QRadioButton;

namespace kelvaro {

/// Item i is a radio button named objectName + "Item" + i. OnClick runs when the user picks an
/// item (and from Click); SetItemIndex only moves the selection.
class RadioGroupBox final : public QGroupBox {
    Q_OBJECT
public:
    RadioGroupBox(const char* name, QWidget* parent);

    void SetItems(const QStringList& items);
    /// Shows a widget on the row of item `index`, right of it (the box becomes its parent).
    void SetBeside(int index, QWidget* widget);
    int ItemIndex() const;
    void SetItemIndex(int index);
    /// Selects the item as a user's click would, running OnClick.
    void Click(int index);
    int Count() const { return static_cast<int>(Buttons.size()); }
    QRadioButton* Item(int index) const { return Buttons.at(static_cast<std::size_t>(index)); }

    std::function<void()> OnClick;

private:
    QButtonGroup* Group;
    QGridLayout* Items;
    std::vector<QRadioButton*> Buttons;
};

}  // namespace kelvaro
