// The monitoring help: one line of advice on matching the decoder's speed to the sender.
#pragma once

#include <QFrame>

class QLabel;
class QToolButton;

namespace kelvaro {

class LanguageTable;

/// A borderless window centred on the main window; the line is set anew at each showing.
class TFormMonitorInfo final : public QFrame {
    Q_OBJECT
public:
    TFormMonitorInfo(const LanguageTable& texts, QWidget* mainWindow);

    /// Centres on the main window and shows the language's line.
    void ShowOver();
    /// The title and line in the current interface language.
    void Retranslate();
    void SpeedButtonFermerClick();

    QLabel* LabelMonitorInfo = nullptr;
    QToolButton* SpeedButtonFermer = nullptr;

private:
    const LanguageTable& Texts;
    QWidget* MainWindow;
};

}  // namespace kelvaro
