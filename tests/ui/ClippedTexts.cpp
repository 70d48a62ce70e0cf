// Finds every text a window shows only in part.
#include "ClippedTexts.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>

namespace kelvaro::test {
namespace {

// The style options the widgets paint with (their initStyleOption is protected).
struct PushButtonOption : QPushButton {
    using QPushButton::initStyleOption;
};
struct CheckBoxOption : QCheckBox {
    using QCheckBox::initStyleOption;
};
struct RadioButtonOption : QRadioButton {
    using QRadioButton::initStyleOption;
};
struct GroupBoxOption : QGroupBox {
    using QGroupBox::initStyleOption;
};
struct LineEditOption : QLineEdit {
    using QLineEdit::initStyleOption;
};

QString Name(const QWidget* widget) {
    return widget->objectName().isEmpty() ? QString(widget->metaObject()->className()) : widget->objectName();
}

QString Size(const QSize& size) {
    return QString("%1x%2").arg(size.width()).arg(size.height());
}

/// Width and height the text needs when drawn with mnemonics, in the widget's font.
QSize TextSize(const QWidget* widget, const QString& text) {
    return widget->fontMetrics().size(Qt::TextShowMnemonic, text);
}

/// Why the widget's own text is not shown whole, or an empty string.
QString TextFault(QWidget* widget) {
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        if (label->text().isEmpty()) {
            return {};
        }
        const QSize needed = label->minimumSizeHint();
        if (label->width() < needed.width()) {
            return QString("is %1 wide, its text needs %2").arg(label->width()).arg(needed.width());
        }
        const int height = label->wordWrap() ? label->heightForWidth(label->width()) : needed.height();
        if (label->height() < height) {
            return QString("is %1 high, its text needs %2").arg(label->height()).arg(height);
        }
        return {};
    }
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
        if (button->text().isEmpty()) {
            return {};
        }
        QStyleOptionButton option;
        (button->*&PushButtonOption::initStyleOption)(&option);
        const QRect contents =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        QSize needed = TextSize(button, button->text());
        if (!button->icon().isNull()) {
            needed.rwidth() += button->iconSize().width() + 4;
        }
        if (contents.width() < needed.width() || contents.height() < needed.height()) {
            return QString("shows %1 of the %2 its text needs").arg(Size(contents.size()), Size(needed));
        }
        return {};
    }
    if (qobject_cast<QCheckBox*>(widget) != nullptr || qobject_cast<QRadioButton*>(widget) != nullptr) {
        auto* button = static_cast<QAbstractButton*>(widget);
        if (button->text().isEmpty()) {
            return {};
        }
        QStyleOptionButton option;
        QStyle::SubElement element = QStyle::SE_CheckBoxContents;
        if (auto* check = qobject_cast<QCheckBox*>(widget)) {
            (check->*&CheckBoxOption::initStyleOption)(&option);
        } else {
            (static_cast<QRadioButton*>(widget)->*&RadioButtonOption::initStyleOption)(&option);
            element = QStyle::SE_RadioButtonContents;
        }
        const QRect contents = button->style()->subElementRect(element, &option, button);
        const QSize needed = TextSize(button, button->text());
        if (contents.width() < needed.width() || contents.height() < needed.height() ||
            !button->rect().contains(contents)) {
            return QString("shows %1 of the %2 its text needs").arg(Size(contents.size()), Size(needed));
        }
        return {};
    }
    if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        if (group->title().isEmpty()) {
            return {};
        }
        QStyleOptionGroupBox option;
        (group->*&GroupBoxOption::initStyleOption)(&option);
        const QRect title =
            group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
        if (!group->rect().contains(title) || group->width() < group->minimumSizeHint().width()) {
            return QString("is %1 wide, its title needs %2")
                .arg(group->width())
                .arg(group->minimumSizeHint().width());
        }
        return {};
    }
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        const bool inSpinBox = qobject_cast<QAbstractSpinBox*>(edit->parentWidget()) != nullptr;
        if (edit->text().isEmpty() || !(edit->isReadOnly() || inSpinBox)) {
            return {};  // a field the user types in scrolls by design
        }
        QStyleOptionFrame option;
        (edit->*&LineEditOption::initStyleOption)(&option);
        const QRect contents = edit->style()
                                   ->subElementRect(QStyle::SE_LineEditContents, &option, edit)
                                   .marginsRemoved(edit->textMargins());
        // QLineEdit keeps two pixels free on either side of its text.
        const int room = contents.width() - 4;
        const int needed = edit->fontMetrics().horizontalAdvance(edit->text());
        if (room < needed || contents.height() < edit->fontMetrics().height()) {
            return QString("has %1 for text that needs %2").arg(room).arg(needed);
        }
        return {};
    }
    if (auto* bar = qobject_cast<QMenuBar*>(widget)) {
        for (QAction* item : bar->actions()) {
            const QRect place = bar->actionGeometry(item);
            if (item->isVisible() && (place.isEmpty() || !bar->rect().contains(place))) {
                return QString("has no room for the menu %1").arg(item->text());
            }
        }
    }
    return {};
}

/// Why the widget is not in full view, an empty string, or "covered" when a sibling of it or
/// of one of its ancestors lies over it completely.
QString PlaceFault(QWidget* widget, QWidget* window) {
    for (QWidget* item = widget; item != window; item = item->parentWidget()) {
        QWidget* parent = item->parentWidget();
        if (!parent->rect().contains(item->geometry())) {
            return QString("reaches outside %1 (%2 in %3)")
                .arg(Name(parent), Size(item->geometry().size()), Size(parent->size()));
        }
        const QObjectList& siblings = parent->children();
        const qsizetype own = siblings.indexOf(item);
        for (qsizetype index = 0; index < siblings.size(); ++index) {
            auto* sibling = qobject_cast<QWidget*>(siblings[index]);
            if (sibling == nullptr || sibling == item || sibling->isWindow() || !sibling->isVisible() ||
                !sibling->geometry().intersects(item->geometry())) {
                continue;
            }
            if (index > own && sibling->geometry().contains(item->geometry())) {
                return "covered";
            }
            if (index < own && item->geometry().contains(sibling->geometry())) {
                continue;  // this one lies over the sibling and hides it whole
            }
            return QString("%1 overlaps %2").arg(Name(item), Name(sibling));
        }
    }
    return {};
}

QString Shown(QWidget* widget) {
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        return label->text();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        return button->text();
    }
    if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        return group->title();
    }
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        return edit->text();
    }
    return {};
}

}  // namespace

QStringList ClippedTexts(QWidget* window, const QStringList& offStage) {
    QStringList faults;
    const QList<QWidget*> widgets = window->findChildren<QWidget*>();
    for (QWidget* widget : widgets) {
        if (!widget->isVisible() || widget->window() != window || offStage.contains(widget->objectName())) {
            continue;
        }
        const QString text = TextFault(widget);
        const bool hasText = !Shown(widget).isEmpty() || qobject_cast<QMenuBar*>(widget) != nullptr;
        if (!hasText) {
            continue;
        }
        const QString place = PlaceFault(widget, window);
        if (place == "covered") {
            continue;
        }
        for (const QString& fault : {text, place}) {
            if (!fault.isEmpty()) {
                faults << QString("%1 \"%2\" %3").arg(Name(widget), Shown(widget), fault);
            }
        }
    }
    return faults;
}

}  // namespace kelvaro::test
