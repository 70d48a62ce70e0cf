// The progress window: per-character accuracy and answer time over the last runs (a sortable
// table and a bar chart), accuracy over time, the confusions and the speed history.
#include "ui/ProgressWindow.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/OutputFile.h"
#include "app/ProgressStatistics.h"
#include "app/TextEncoding.h"
#include "ui/ProgressBarChart.h"
#include "ui/ProgressHeatMap.h"
#include "ui/ProgressLineChart.h"
#include "ui/TableText.h"

namespace kelvaro {

namespace {

QString Shown(std::uint8_t code) {
    return QString(QChar(static_cast<char16_t>(Cp1252ToCodePoint(code)))).toUpper();
}

/// A table item that sorts by its number, not its text.
QTableWidgetItem* NumberItem(double value, int decimals) {
    auto* item = new QTableWidgetItem;
    item->setData(Qt::DisplayRole, decimals == 0
                                       ? QVariant(static_cast<int>(value))
                                       : QVariant(QString::number(value, 'f', decimals).toDouble()));
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

}  // namespace

ProgressWindow::ProgressWindow(const LanguageTable& texts, QWidget* parent)
    : QWidget(parent, Qt::Window), Texts(texts) {
    setObjectName("FormProgress");
    auto named = [this]<class Widget>(Widget* widget, const char* name) {
        widget->setObjectName(name);
        return widget;
    };
    LabelProgressRuns = named(new QLabel(this), "LabelProgressRuns");
    SpinEditProgressRuns = named(new QSpinBox(this), "SpinEditProgressRuns");
    SpinEditProgressRuns->setRange(1, 100000);
    SpinEditProgressRuns->setValue(50);
    LabelProgressSummary = named(new QLabel(this), "LabelProgressSummary");
    LabelProgressSummary->setWordWrap(true);
    PageProgress = named(new QTabWidget(this), "PageProgress");

    auto* characters = new QWidget;
    TableProgressCharacters = named(new QTableWidget(0, 5, characters), "TableProgressCharacters");
    TableProgressCharacters->verticalHeader()->setVisible(false);
    TableProgressCharacters->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TableProgressCharacters->setSelectionBehavior(QAbstractItemView::SelectRows);
    TableProgressCharacters->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    ChartProgressCharacters = new ProgressBarChart(characters);
    auto* charactersLayout = new QVBoxLayout(characters);
    charactersLayout->addWidget(TableProgressCharacters, 1);
    charactersLayout->addWidget(ChartProgressCharacters, 1);

    auto* accuracy = new QWidget;
    LabelProgressCharacter = named(new QLabel(accuracy), "LabelProgressCharacter");
    ComboProgressCharacter = named(new QComboBox(accuracy), "ComboProgressCharacter");
    ChartProgressAccuracy = new ProgressLineChart("ChartProgressAccuracy", "%", accuracy);
    auto* choice = new QHBoxLayout;
    choice->addWidget(LabelProgressCharacter);
    choice->addWidget(ComboProgressCharacter);
    choice->addStretch(1);
    auto* accuracyLayout = new QVBoxLayout(accuracy);
    accuracyLayout->addLayout(choice);
    accuracyLayout->addWidget(ChartProgressAccuracy, 1);

    ChartProgressConfusion = new ProgressHeatMap;
    ChartProgressSpeed = new ProgressLineChart("ChartProgressSpeed", "wpm");
    PageProgress->addTab(characters, QString());
    PageProgress->addTab(accuracy, QString());
    PageProgress->addTab(ChartProgressConfusion, QString());
    PageProgress->addTab(ChartProgressSpeed, QString());

    ButtonProgressExport = named(new QPushButton(this), "ButtonProgressExport");
    ButtonProgressClose = named(new QPushButton(this), "ButtonProgressClose");
    auto* top = new QHBoxLayout;
    top->addWidget(LabelProgressRuns);
    top->addWidget(SpinEditProgressRuns);
    top->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ButtonProgressExport);
    buttons->addWidget(ButtonProgressClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(LabelProgressSummary);
    layout->addWidget(PageProgress, 1);
    layout->addLayout(buttons);

    connect(SpinEditProgressRuns, &QSpinBox::valueChanged, this, [this] { Refresh(Source); });
    connect(ComboProgressCharacter, &QComboBox::currentIndexChanged, this, [this] { ShowAccuracyOf(); });
    connect(ButtonProgressExport, &QPushButton::clicked, this, [this] { Export(); });
    connect(ButtonProgressClose, &QPushButton::clicked, this, &QWidget::close);
    Retranslate();
    resize(
        sizeHint().expandedTo(QSize(48 * fontMetrics().horizontalAdvance('W'), 34 * fontMetrics().height())));
}

QString ProgressWindow::T(const char* entry) const {
    return TableText(Texts, entry);
}

void ProgressWindow::Retranslate() {
    setWindowTitle(T("FormProgress.Caption"));
    LabelProgressRuns->setText(T("LabelProgressRuns.Caption"));
    PageProgress->setTabText(0, T("msg.progress-characters"));
    PageProgress->setTabText(1, T("msg.progress-over-time"));
    PageProgress->setTabText(2, T("msg.progress-confusions"));
    PageProgress->setTabText(3, T("msg.progress-speed"));
    TableProgressCharacters->setHorizontalHeaderLabels({T("msg.progress-character"), T("msg.progress-sent"),
                                                        T("msg.progress-right"), T("msg.progress-accuracy"),
                                                        T("msg.progress-answer-ms")});
    LabelProgressCharacter->setText(T("LabelProgressCharacter.Caption"));
    if (ComboProgressCharacter->count() > 0) {
        ComboProgressCharacter->setItemText(0, T("msg.progress-all"));
    }
    ButtonProgressExport->setText(T("ButtonProgressExport.Caption"));
    ButtonProgressClose->setText(T("ButtonProgressClose.Caption"));
}

void ProgressWindow::Refresh(PracticeHistory* history) {
    Source = history;
    Runs = history != nullptr ? history->LastRuns(SpinEditProgressRuns->value()) : std::vector<HistoryRun>{};
    const std::vector<CharacterStats> stats = ProgressStatistics::PerCharacter(Runs);
    int answers = 0;
    for (const HistoryRun& run : Runs) {
        answers += static_cast<int>(run.Answers.size());
    }
    LabelProgressSummary->setText(
        history == nullptr ? T("msg.progress-off") : T("msg.progress-summary").arg(Runs.size()).arg(answers));

    TableProgressCharacters->setSortingEnabled(false);
    TableProgressCharacters->setRowCount(static_cast<int>(stats.size()));
    std::vector<ProgressBarChart::Bar> bars;
    for (std::size_t i = 0; i < stats.size(); ++i) {
        const CharacterStats& s = stats[i];
        const int row = static_cast<int>(i);
        auto* character = new QTableWidgetItem(Shown(s.Character));
        character->setTextAlignment(Qt::AlignCenter);
        TableProgressCharacters->setItem(row, 0, character);
        TableProgressCharacters->setItem(row, 1, NumberItem(s.Sent, 0));
        TableProgressCharacters->setItem(row, 2, NumberItem(s.Right, 0));
        TableProgressCharacters->setItem(row, 3, NumberItem(s.AccuracyPercent(), 1));
        TableProgressCharacters->setItem(
            row, 4, s.TimedAnswers > 0 ? NumberItem(s.MeanAnswerMs(), 0) : new QTableWidgetItem);
        bars.push_back({Shown(s.Character), s.AccuracyPercent()});
    }
    // Worst first, as in the bar chart; the headers sort by any other column.
    TableProgressCharacters->setSortingEnabled(true);
    TableProgressCharacters->sortItems(3, Qt::AscendingOrder);
    ChartProgressCharacters->SetBars(std::move(bars));

    const int chosen =
        ComboProgressCharacter->currentIndex() > 0 ? ComboProgressCharacter->currentData().toInt() : 0;
    const QSignalBlocker quiet(ComboProgressCharacter);
    ComboProgressCharacter->clear();
    ComboProgressCharacter->addItem(T("msg.progress-all"), 0);
    std::vector<std::uint8_t> codes;
    for (const CharacterStats& s : stats) {
        codes.push_back(s.Character);
    }
    std::sort(codes.begin(), codes.end());
    for (const std::uint8_t code : codes) {
        ComboProgressCharacter->addItem(Shown(code), code);
    }
    ComboProgressCharacter->setCurrentIndex(std::max(0, ComboProgressCharacter->findData(chosen)));
    ShowAccuracyOf();
    ChartProgressConfusion->SetMatrix(ProgressStatistics::Confusions(Runs));
    ChartProgressSpeed->SetPoints(ProgressStatistics::SpeedOverTime(Runs), 10.0);
}

void ProgressWindow::ShowAccuracyOf() {
    const auto character = static_cast<std::uint8_t>(ComboProgressCharacter->currentData().toInt());
    ChartProgressAccuracy->SetPoints(ProgressStatistics::AccuracyOverTime(Runs, character), 100.0);
}

// The whole history, not only the runs shown.
void ProgressWindow::Export() {
    if (Source == nullptr || !ChooseExportFile) {
        return;
    }
    const QString path = ChooseExportFile();
    if (path.isEmpty()) {
        return;
    }
    const Status written =
        OutputFile::WriteWhole(path.toStdString(), ProgressStatistics::Csv(Source->LastRuns(0)));
    if (!written.Ok() && Tell) {
        Tell("Err " + QString::number(written.Code) + " : " + QString::fromStdString(written.Context));
    }
}

}  // namespace kelvaro
