// The side panel that creates, modifies and deletes the user's shortcuts.
#pragma once

#include <QFrame>
#include <functional>

#include "practice/ShortcutTable.h"
#include "ui/FormFeature.h"

class QAction;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kelvaro {

class TForm1;

/// The panel shows the fields and passes them to the window's ShortcutTable. Like every side
/// panel it stops a running quiz and keeps the quiz's OK disabled while it is open. The
/// shortcuts travel with the settings file.
class ShortcutPanel final : public QFrame, public FormFeature {
    Q_OBJECT
public:
    explicit ShortcutPanel(TForm1& form);

    void MenuLocalShortcutsClick();
    void EditShortcutChange();
    void ButtonShortcutEnterClick();
    void ButtonShortcutExitClick();

    /// A shortcut was created, modified or deleted (the alphabet list shows them).
    std::function<void()> OnShortcutsChanged;

    // FormFeature
    void ApplySettings(const SettingsModel& settings) override;
    void CollectSettings(SettingsModel& settings) const override;
    void Retranslate(const LanguageTable& texts) override;

    QAction* MenuLocalShortcuts = nullptr;
    QLabel* LabelPanelShortcut = nullptr;
    QLabel* Labelshortcutwarning = nullptr;
    QLineEdit* EditShortcut = nullptr;
    QLabel* LabelEditShortcut = nullptr;
    QLineEdit* EditShortcutText = nullptr;
    QLabel* LabelShortcutText = nullptr;
    QGroupBox* RadioGroupShortcut = nullptr;
    QRadioButton* RadioButtonShortcutCreate = nullptr;
    QRadioButton* RadioButtonShortcutDelete = nullptr;
    QRadioButton* RadioButtonShortcutModify = nullptr;
    QPushButton* ButtonShortcutEnter = nullptr;
    QPushButton* ButtonShortcutExit = nullptr;
    QLabel* LabelShortcutPlein = nullptr;

private:
    void ShowActions(const ShortcutActionState& state);
    ShortcutAction SelectedAction() const;
    void ShowPageFull(bool full);
    ShortcutTable::HasCodeTest HasCode() const;
    QString T(const char* entry) const;

    TForm1& Form;
    QButtonGroup* Actions = nullptr;
    bool PageFullShown = false;
};

}  // namespace kelvaro
