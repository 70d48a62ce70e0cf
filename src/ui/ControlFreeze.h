// Disables controls while something plays and gives each one its own state back afterwards.
#pragma once

#include <QPointer>
#include <QWidget>
#include <vector>

namespace kelvaro {

/// Only the controls that were enabled are disabled, and only those are enabled again, so a
/// control that something else keeps disabled (a file button without a file) stays so.
class ControlFreeze {
public:
    void Freeze(const std::vector<QWidget*>& controls);
    void Release();
    bool Frozen() const { return IsFrozen; }

private:
    std::vector<QPointer<QWidget>> Disabled;
    bool IsFrozen = false;
};

}  // namespace kelvaro
