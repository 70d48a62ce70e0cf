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
class RandomFeature;
class TForm1;

/// A history that cannot be opened (not ours, newer, damaged, unwritable) is reported once and
/// stays off for the run; the practice goes on without it.
class ProgressFeature final : public QObject, public FormFeature {
    Q_OBJECT
public:
    /// Runs read for the weak-character set.
    static constexpr int kWeakRuns = 20;
    /// Characters in the weak-character set (the size of a chosen set).
    static constexpr int kWeakSetSlots = 70;

    ProgressFeature(TForm1& form, RandomFeature& random);
    ~ProgressFeature() override;

    /// Stores a checked run; a failure is reported once and turns the history off.
    void Record(HistoryRun run);
    /// The open history, or nothing when it is off.
    PracticeHistory* History() { return Store && Store->IsOpen() ? Store.get() : nullptr; }
    void MenuProgressClick();
    /// Makes the characters of the recent runs the random set, each as often as it was missed.
    void MenuWeakCharactersClick();
    ProgressWindow* Window() { return Progress; }

    // FormFeature
    void FinishStartUp(const SettingsModel& settings) override;
    void Retranslate(const LanguageTable& texts) override;

private:
    void ReportFailure(const Status& status);
    QString T(const char* entry) const;

    TForm1& Form;
    RandomFeature& Random;
    std::unique_ptr<PracticeHistory> Store;
    QAction* MenuProgress = nullptr;
    QAction* MenuWeakCharacters = nullptr;
    ProgressWindow* Progress = nullptr;
    /// Why the history could not be opened, until the user has been told.
    Status Unopened;
};

}  // namespace kelvaro
