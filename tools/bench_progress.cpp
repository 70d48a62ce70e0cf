// Benchmark: the progress window and the weak-character set on a history of 100 000 answers.
// Prints how long the window takes to open (read, compute, lay out and paint) and how long the
// weak-character set takes to draw up, each the median of several rounds.
#include <QApplication>
#include <QSpinBox>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "app/LanguageTable.h"
#include "app/PracticeHistory.h"
#include "app/ProgressStatistics.h"
#include "ui/ProgressWindow.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point since) {
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

/// A learner's month: accuracy rising, speed stepping up, the usual confusions; for the
/// pictures of the progress window.
int WriteSampleHistory(const char* path) {
    kelvaro::PracticeHistory history(path);
    if (!history.Open().Ok()) {
        return 1;
    }
    std::mt19937 random(11);
    const std::string characters = "abcdefghijklmnopqrstuvwxyz0123456789";
    // What each hard character is most often taken for.
    const std::string hard = "hsvb5p4y";
    const std::string takenFor = "s5h6haeq";
    for (int r = 0; r < 30; ++r) {
        kelvaro::HistoryRun run;
        run.TimeMs = 1'764'547'200'000LL + r * 86'400'000LL;
        run.Mode = r % 5 == 4 ? "quiz" : "random";
        run.SpeedWpm = 12 + r / 6 * 2;
        run.Spacing = r < 10 ? 3 : r < 20 ? 2 : 1;
        run.SetName = "Letters + Figures";
        const double skill = 0.78 + 0.2 * r / 29.0;
        for (int i = 0; i < (run.Mode == "quiz" ? 40 : 150); ++i) {
            const char sent = characters[random() % characters.size()];
            const auto place = hard.find(sent);
            const double chance = place == std::string::npos ? skill + 0.05 : skill - 0.12;
            const bool right = std::uniform_real_distribution<double>(0, 1)(random) < chance;
            char copied = sent;
            if (!right) {
                copied = random() % 4 == 0            ? '\0'
                         : place != std::string::npos ? takenFor[place]
                                                      : characters[random() % characters.size()];
            }
            run.Answers.push_back({static_cast<std::uint8_t>(sent), static_cast<std::uint8_t>(copied),
                                   copied == sent,
                                   run.Mode == "quiz" ? static_cast<int>(400 + random() % 600) : -1});
        }
        history.Add(run);
    }
    return 0;
}

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--write-sample") {
        return WriteSampleHistory(argv[2]);
    }
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    QTemporaryDir folder;
    using kelvaro::HistoryRun;
    kelvaro::PracticeHistory history(folder.filePath("kelvaro-history.db").toStdString());
    if (!history.Open().Ok()) {
        std::fprintf(stderr, "cannot open the history\n");
        return 1;
    }
    // 400 runs of 250 characters: 100 000 answers.
    constexpr int kRuns = 400;
    constexpr int kPerRun = 250;
    std::mt19937 random(7);
    const std::string characters = "abcdefghijklmnopqrstuvwxyz0123456789.,?/=";
    const auto writeStart = Clock::now();
    for (int r = 0; r < kRuns; ++r) {
        HistoryRun run;
        run.TimeMs = 1'700'000'000'000LL + r * 3'600'000LL;
        run.Mode = r % 4 == 0 ? "quiz" : "random";
        run.SpeedWpm = 12 + r % 20;
        run.Spacing = 1;
        run.SetName = "All";
        for (int i = 0; i < kPerRun; ++i) {
            const auto sent = static_cast<std::uint8_t>(characters[random() % characters.size()]);
            const bool right = random() % 10 != 0;
            run.Answers.push_back({sent, right ? sent : static_cast<std::uint8_t>('e'), right,
                                   run.Mode == "quiz" ? static_cast<int>(300 + random() % 900) : -1});
        }
        history.Add(run);
    }
    std::printf("history: %lld answers written in %.0f ms\n", static_cast<long long>(history.AnswerCount()),
                Milliseconds(writeStart));

    kelvaro::LanguageTable texts;
    for (const int runs : {50, kRuns}) {
        std::vector<double> open;
        for (int round = 0; round < 7; ++round) {
            const auto start = Clock::now();
            kelvaro::ProgressWindow window(texts);
            window.SpinEditProgressRuns->setValue(runs);
            window.Refresh(&history);
            window.show();
            window.grab();  // lays out and paints the visible page
            QApplication::processEvents();
            open.push_back(Milliseconds(start));
        }
        std::printf("progress window, last %d runs (%d answers): opens in %.1f ms (median of 7)\n", runs,
                    runs * kPerRun, Median(open));
    }

    std::vector<double> weak;
    std::string set;
    for (int round = 0; round < 21; ++round) {
        const auto start = Clock::now();
        const std::vector<HistoryRun> recent = history.LastRuns(20);
        const std::vector<kelvaro::CharacterStats> stats = kelvaro::ProgressStatistics::PerCharacter(recent);
        std::string candidates;
        for (const kelvaro::CharacterStats& s : stats) {
            candidates += static_cast<char>(s.Character);
        }
        std::sort(candidates.begin(), candidates.end());
        set = kelvaro::ProgressStatistics::WeightedSet(
            candidates, kelvaro::ProgressStatistics::WeakWeights(stats, candidates), 70);
        weak.push_back(Milliseconds(start));
    }
    std::printf("weak-character set from the last 20 runs: %.2f ms (median of 21), %zu slots\n", Median(weak),
                set.size());
    return 0;
}
