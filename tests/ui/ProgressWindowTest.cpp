// The progress window on a history built here: its table, bar chart, curves, confusions and
// CSV export against the runs stored; a history file of another program is refused and kept.
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <map>

#include "ClippedTexts.h"
#include "WindowFixture.h"
#include "app/PracticeHistory.h"
#include "support/ScratchFolder.h"
#include "ui/ProgressBarChart.h"
#include "ui/ProgressHeatMap.h"
#include "ui/ProgressLineChart.h"
#include "ui/ProgressWindow.h"

namespace kelvaro::test {
namespace {

struct Tally {
    int Sent = 0;
    int Right = 0;
};

class ProgressWindowTest : public WindowFixture {
protected:
    std::filesystem::path HistoryFile() const {
        return std::filesystem::path(Folder.path().toStdString()) / std::string(PracticeHistory::kFileName);
    }
    /// Six runs: "e" always right, "i" taken for "s" one time in three, "h" missed every other
    /// time, at rising speeds; the quiz answers timed.
    void BuildHistory() {
        PracticeHistory history(HistoryFile());
        ASSERT_TRUE(history.Open().Ok());
        for (int r = 0; r < 6; ++r) {
            HistoryRun run;
            run.TimeMs = 1'750'000'000'000 + r * 86'400'000LL;
            run.Mode = r % 2 == 0 ? "random" : "quiz";
            run.SpeedWpm = 12 + 2 * r;
            run.Spacing = 1;
            run.SetName = "Lesson #05";
            for (int k = 0; k < 30; ++k) {
                HistoryAnswer answer;
                answer.AnswerMs = run.Mode == "quiz" ? 400 + 10 * k : -1;
                switch (k % 3) {
                    case 0:
                        answer.Sent = 'e';
                        answer.Copied = 'e';
                        break;
                    case 1:
                        answer.Sent = 'i';
                        answer.Copied = (k + r) % 9 == 1 ? 's' : 'i';
                        break;
                    default:
                        answer.Sent = 'h';
                        answer.Copied = (k / 3 + r) % 2 == 0 ? 0 : 'h';
                        break;
                }
                answer.Right = answer.Copied == answer.Sent;
                run.Answers.push_back(answer);
                Tallies[r][answer.Sent].Sent += 1;
                Tallies[r][answer.Sent].Right += answer.Right ? 1 : 0;
                if (answer.Sent == 'i' && answer.Copied == 's') {
                    ++IAsS[r];
                }
            }
            ASSERT_TRUE(history.Add(run).Ok());
            Speeds.push_back(run.SpeedWpm);
        }
    }
    Tally Over(int fromRun, char character) const {
        Tally sum;
        for (int r = fromRun; r < 6; ++r) {
            const auto found = Tallies[r].find(static_cast<std::uint8_t>(character));
            if (found != Tallies[r].end()) {
                sum.Sent += found->second.Sent;
                sum.Right += found->second.Right;
            }
        }
        return sum;
    }
    ProgressWindow* Open() {
        Trigger("MenuProgress");
        auto* window = Form->findChild<ProgressWindow*>("FormProgress");
        EXPECT_TRUE(window != nullptr && window->isVisible());
        return window;
    }
    /// The table's rows as character -> (sent, right, accuracy).
    void ExpectTableMatches(QTableWidget* table, int fromRun) {
        ASSERT_EQ(table->rowCount(), 3);
        for (int row = 0; row < table->rowCount(); ++row) {
            const QString character = table->item(row, 0)->text();
            const Tally expected = Over(fromRun, character.toLower().at(0).toLatin1());
            SCOPED_TRACE(character.toStdString());
            EXPECT_EQ(table->item(row, 1)->data(Qt::DisplayRole).toInt(), expected.Sent);
            EXPECT_EQ(table->item(row, 2)->data(Qt::DisplayRole).toInt(), expected.Right);
            EXPECT_NEAR(table->item(row, 3)->data(Qt::DisplayRole).toDouble(),
                        100.0 * expected.Right / expected.Sent, 0.05);
        }
    }

    std::map<std::uint8_t, Tally> Tallies[6];
    int IAsS[6] = {};
    std::vector<int> Speeds;
};

TEST_F(ProgressWindowTest, FiguresFollowTheStoredRunsAndTheChosenRunCount) {
    BuildHistory();
    Create();
    ASSERT_TRUE(Prompts.Messages.empty());
    ProgressWindow* window = Open();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->LabelProgressSummary->text(), "6 runs, 180 characters");
    ExpectTableMatches(window->TableProgressCharacters, 0);

    // The bars: worst first, each the character's accuracy.
    const std::vector<ProgressBarChart::Bar>& bars = window->ChartProgressCharacters->Bars();
    ASSERT_EQ(bars.size(), 3u);
    EXPECT_EQ(bars[0].Label, "H");
    EXPECT_EQ(bars[2].Label, "E");
    for (std::size_t i = 0; i + 1 < bars.size(); ++i) {
        EXPECT_LE(bars[i].Percent, bars[i + 1].Percent);
    }
    const Tally h = Over(0, 'h');
    EXPECT_DOUBLE_EQ(bars[0].Percent, 100.0 * h.Right / h.Sent);

    // Sorting by accuracy, best first, by the header.
    window->TableProgressCharacters->sortItems(3, Qt::DescendingOrder);
    EXPECT_EQ(window->TableProgressCharacters->item(0, 0)->text(), "E");
    EXPECT_EQ(window->TableProgressCharacters->item(2, 0)->text(), "H");
    // Answer times: only the quiz runs were timed.
    for (int row = 0; row < 3; ++row) {
        if (window->TableProgressCharacters->item(row, 0)->text() == "E") {
            // "e" is answers 0, 3, ... 27 of each quiz run: 400 + 10 * k averaged.
            EXPECT_EQ(window->TableProgressCharacters->item(row, 4)->data(Qt::DisplayRole).toInt(), 535);
        }
    }

    // Accuracy over time for "i": one point per run.
    window->ComboProgressCharacter->setCurrentIndex(window->ComboProgressCharacter->findText("I"));
    const std::vector<RunPoint>& accuracy = window->ChartProgressAccuracy->Points();
    ASSERT_EQ(accuracy.size(), 6u);
    for (int r = 0; r < 6; ++r) {
        const Tally i = Tallies[r].at('i');
        EXPECT_DOUBLE_EQ(accuracy[static_cast<std::size_t>(r)].Value, 100.0 * i.Right / i.Sent) << r;
    }
    // The confusion of "i" with "s", and the speeds.
    const ConfusionMatrix& matrix = window->ChartProgressConfusion->Matrix();
    const auto row = std::find(matrix.Sent.begin(), matrix.Sent.end(), 'i') - matrix.Sent.begin();
    const auto column = std::find(matrix.Copied.begin(), matrix.Copied.end(), 's') - matrix.Copied.begin();
    int iAsS = 0;
    for (const int count : IAsS) {
        iAsS += count;
    }
    ASSERT_GT(iAsS, 0);
    EXPECT_EQ(matrix.At(static_cast<std::size_t>(row), static_cast<std::size_t>(column)), iAsS);
    const std::vector<RunPoint>& speeds = window->ChartProgressSpeed->Points();
    ASSERT_EQ(speeds.size(), 6u);
    for (std::size_t r = 0; r < 6; ++r) {
        EXPECT_EQ(speeds[r].Value, Speeds[r]);
    }

    // The last two runs only.
    window->SpinEditProgressRuns->setValue(2);
    EXPECT_EQ(window->LabelProgressSummary->text(), "2 runs, 60 characters");
    ExpectTableMatches(window->TableProgressCharacters, 4);
    EXPECT_EQ(window->ChartProgressSpeed->Points().size(), 2u);
    EXPECT_TRUE(ClippedTexts(window, {}).isEmpty()) << ClippedTexts(window, {}).join(", ").toStdString();
}

TEST_F(ProgressWindowTest, ExportWritesEveryAnswerAsALineOfCsv) {
    BuildHistory();
    Create();
    ProgressWindow* window = Open();
    const QString path = Folder.path() + "/export.csv";
    window->ChooseExportFile = [path] { return path; };
    window->SpinEditProgressRuns->setValue(1);  // the export holds all runs all the same
    window->ButtonProgressExport->click();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_EQ(lines.size(), 1 + 180 + 1);  // header, answers, the empty end
    EXPECT_TRUE(lines[0].startsWith("time_utc,mode,speed_wpm"));
    EXPECT_EQ(lines[1].trimmed(), "2025-06-15T15:06:40Z,random,12,1,\"Lesson #05\",\"e\",\"e\",1,");
    EXPECT_EQ(lines[3 * 30 + 1].trimmed(), "2025-06-18T15:06:40Z,quiz,18,1,\"Lesson #05\",\"e\",\"e\",1,400");
}

TEST_F(ProgressWindowTest, AHistoryFileOfAnotherProgramIsReportedLeftAloneAndTheWindowSaysSo) {
    const std::string foreign = "SQLite format 3" + std::string(1, '\0') + std::string(2000, 'x');
    PutFile(HistoryFile(), foreign);
    Create();
    ASSERT_EQ(Prompts.Messages.size(), 1u);
    EXPECT_TRUE(Prompts.Messages[0].startsWith("The practice history is off for this run: Err 103"))
        << Prompts.Messages[0].toStdString();
    ProgressWindow* window = Open();
    EXPECT_EQ(window->LabelProgressSummary->text(), "The practice history is off.");
    EXPECT_EQ(window->TableProgressCharacters->rowCount(), 0);
    Form.reset();
    EXPECT_EQ(FileContents(HistoryFile()), foreign);
}

}  // namespace
}  // namespace kelvaro::test
