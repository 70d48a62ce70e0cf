// Disables controls while something plays and gives each one its own state back afterwards.
#include "ui/ControlFreeze.h"

namespace kelvaro {

void ControlFreeze::Freeze(const std::vector<QWidget*>& controls) {
    IsFrozen = true;
    for (QWidget* control : controls) {
        if (control != nullptr && control->isEnabled()) {
            control->setEnabled(false);
            Disabled.emplace_back(control);
        }
    }
}

void ControlFreeze::Release() {
    for (const QPointer<QWidget>& control : Disabled) {
        if (control != nullptr) {
            control->setEnabled(true);
        }
    }
    Disabled.clear();
    IsFrozen = false;
}

}  // namespace kelvaro
