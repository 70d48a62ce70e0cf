// The learner's progress as the main window keeps it: the history file, opened at start-up
// beside the settings, and the Tools menu's progress window.
#pragma once

#include <QObject>
#include <memory>

#include "app/PracticeHistory.h"
#include "ui/FormFeature.h"

class QAction;

namespace kelvaro {

class ProgressWindow;
class TForm1;

/// A history that cannot be opened (not ours, newer, damaged, unwritable) is reported once and
/// stays off for the run; the practice goes on without it.
class ProgressFeature final : public QObject, public FormFeature {
    Q_OBJECT
public:
    explicit ProgressFeature(TForm1& form);
    ~ProgressFeature() override;

    /// Stores a checked run; a failure is reported once and turns the history off.
    void Record(HistoryRun run);
    /// The open history, or nothing when it is off.
    PracticeHistory* History() { return Store && Store->IsOpen() ? Store.get() : nullptr; }
    void MenuProgressClick();
    ProgressWindow* Window() { return Progress; }

    // FormFeature
    void FinishStartUp(const SettingsModel& settings) override;
    void Retranslate(const LanguageTable& texts) override;

private:
    void ReportFailure(const Status& status);
    QString T(const char* entry) const;

    TForm1& Form;
    std::unique_ptr<PracticeHistory> Store;
    QAction* MenuProgress = nullptr;
    ProgressWindow* Progress = nullptr;
    /// Why the history could not be opened, until the user has been told.
    Status Unopened;
};

}  // namespace kelvaro
