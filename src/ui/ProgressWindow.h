// The progress window: per-character accuracy and answer time over the last runs (a sortable
// table and a bar chart), accuracy over time, the confusions and the speed history.
#pragma once

#include <QWidget>
#include <functional>
#include <vector>

#include "app/LanguageTable.h"
#include "app/PracticeHistory.h"

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTabWidget;

namespace kelvaro {

class ProgressBarChart;
class ProgressHeatMap;
class ProgressLineChart;

/// Reads the history each time it is refreshed; shows nothing when the history is off.
class ProgressWindow final : public QWidget {
    Q_OBJECT
public:
    ProgressWindow(const LanguageTable& texts, QWidget* parent = nullptr);

    /// Reads the last runs from `history` (nothing when null) and redraws every figure.
    void Refresh(PracticeHistory* history);
    void Retranslate();
    /// Export: asks for a file (tests put their answer here; empty means Cancel).
    std::function<QString()> ChooseExportFile;
    /// Tells the user (a message box in the program).
    std::function<void(const QString&)> Tell;

    QSpinBox* SpinEditProgressRuns = nullptr;
    QLabel* LabelProgressRuns = nullptr;
    QLabel* LabelProgressSummary = nullptr;
    QTabWidget* PageProgress = nullptr;
    QTableWidget* TableProgressCharacters = nullptr;
    ProgressBarChart* ChartProgressCharacters = nullptr;
    QLabel* LabelProgressCharacter = nullptr;
    QComboBox* ComboProgressCharacter = nullptr;
    ProgressLineChart* ChartProgressAccuracy = nullptr;
    ProgressHeatMap* ChartProgressConfusion = nullptr;
    ProgressLineChart* ChartProgressSpeed = nullptr;
    QPushButton* ButtonProgressExport = nullptr;
    QPushButton* ButtonProgressClose = nullptr;

private:
    QString T(const char* entry) const;
    void ShowAccuracyOf();
    void Export();

    const LanguageTable& Texts;
    PracticeHistory* Source = nullptr;
    std::vector<HistoryRun> Runs;
};

}  // namespace kelvaro
