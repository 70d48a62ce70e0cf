// A sticky switch button of the random pane: a left click toggles, a right click opens settings.
#include "ui/SwitchButton.h"

#include <QMouseEvent>

namespace kelvaro {

SwitchButton::SwitchButton(const char* name, QWidget* parent) : QToolButton(parent) {
    setObjectName(name);
    setCheckable(true);
}

void SwitchButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        if (OnRightClick) {
            OnRightClick();
        }
        return;
    }
    QToolButton::mousePressEvent(event);
}

}  // namespace kelvaro
