// The side panel that creates, modifies and deletes the user's local characters.
#pragma once

#include <QFrame>
#include <functional>

#include "core/LocalCharacters.h"
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

/// The panel only shows the fields and passes them to the window's LocalCharacters, which
/// keeps the code table, the pool and the list rows in step. Like every side panel, it stops a
/// running quiz and keeps the quiz's OK disabled while it is open. Its rows travel with the
/// settings file.
class LocalCharactersPanel final : public QFrame, public FormFeature {
    Q_OBJECT
public:
    explicit LocalCharactersPanel(TForm1& form);

    /// Whether a character is one of the user's shortcut keys (refused as a local character).
    void SetShortcutKeyTest(LocalCharacters::ShortcutKeyTest isShortcutKey);

    void MenuLocalCharactersClick();
    void EditLocalCharacterChange();
    void EditLocalCodeChange();
    void ButtonLocalCaractereEnterClick();
    void ButtonLocalCaractereExitClick();

    // FormFeature
    void ApplySettings(const SettingsModel& settings) override;
    void CollectSettings(SettingsModel& settings) const override;
    void Retranslate(const LanguageTable& texts) override;

    QAction* MenuLocalCharacters = nullptr;
    QLabel* LabelLocalTitle = nullptr;
    QLabel* LabelLocalWarning = nullptr;
    QLineEdit* EditLocalCharacter = nullptr;
    QLabel* LabelLocalCharacter = nullptr;
    QLineEdit* EditLocalCode = nullptr;
    QLabel* LabelLocalCode = nullptr;
    QLineEdit* EditLocalComment = nullptr;
    QLabel* LabelLocalComment = nullptr;
    QGroupBox* RadioGroupLocal = nullptr;
    QRadioButton* RadioButtonLocalCreate = nullptr;
    QRadioButton* RadioButtonLocalDelete = nullptr;
    QRadioButton* RadioButtonLocalModify = nullptr;
    QPushButton* ButtonLocalCaractereEnter = nullptr;
    QPushButton* ButtonLocalCaractereExit = nullptr;
    QLabel* LabelLocalPlein = nullptr;

private:
    void ShowActions(const LocalActionState& state);
    LocalAction SelectedAction() const;
    PoolSet ActiveSet() const;
    void ShowPageFull(bool full);
    QString T(const char* entry) const;

    TForm1& Form;
    QButtonGroup* Actions = nullptr;
    LocalCharacters::ShortcutKeyTest IsShortcutKey;
    bool PageFullShown = false;
};

}  // namespace kelvaro
