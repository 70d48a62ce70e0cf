// The entry sheet as the main window uses it: the "Always show the entry sheet" option, the
// sheet buttons of the random and file panes, and when the sheet shows and hides.
#pragma once

#include <QObject>

#include "ui/FormFeature.h"

class QAction;

namespace kelvaro {

class TForm1;
class TFormSaisie;

/// While the option is on, the sheet shows whenever the random mode is selected or a file is
/// loaded, and hides when another mode is selected or a new file is being chosen. The sheet
/// buttons show it whatever the option says.
class EntrySheetFeature final : public QObject, public FormFeature {
    Q_OBJECT
public:
    explicit EntrySheetFeature(TForm1& form);

    void MenuSaisieClick();
    void SpeedButtonSaisieClick() { ShowSheet(); }
    /// Shows the sheet when the option is on (a file was loaded).
    void ShowIfAlways();
    void HideSheet();
    bool Always() const;
    TFormSaisie& Sheet() { return *Saisie; }

    // FormFeature
    void FinishStartUp(const SettingsModel& settings) override;
    void CollectSettings(SettingsModel& settings) const override;
    void OnModePaneShown(const QWidget* pane) override;
    void Retranslate(const LanguageTable& texts) override;

private:
    void ShowSheet();
    QString T(const char* entry) const;

    TForm1& Form;
    TFormSaisie* Saisie = nullptr;
    QAction* MenuSaisie = nullptr;
    bool Placed = false;
    /// Start-up is over: selecting a mode may hide the sheet.
    bool Started = false;
};

}  // namespace kelvaro
