// Figures drawn from the practice history: per-character accuracy and answer time, accuracy and
// speed over time, what each character was taken for, lesson advice and the weak-character
// weights.
#include "app/ProgressStatistics.h"

#include <algorithm>
#include <array>
#include <ctime>

#include "app/TextEncoding.h"

namespace kelvaro {

std::vector<CharacterStats> ProgressStatistics::PerCharacter(const std::vector<HistoryRun>& runs) {
    std::array<CharacterStats, 256> table{};
    for (const HistoryRun& run : runs) {
        for (const HistoryAnswer& answer : run.Answers) {
            CharacterStats& stats = table[answer.Sent];
            ++stats.Sent;
            stats.Right += answer.Right ? 1 : 0;
            if (answer.AnswerMs >= 0) {
                ++stats.TimedAnswers;
                stats.AnswerMsTotal += answer.AnswerMs;
            }
        }
    }
    std::vector<CharacterStats> out;
    for (std::size_t code = 1; code < table.size(); ++code) {
        if (table[code].Sent > 0) {
            table[code].Character = static_cast<std::uint8_t>(code);
            out.push_back(table[code]);
        }
    }
    std::stable_sort(out.begin(), out.end(), [](const CharacterStats& a, const CharacterStats& b) {
        // a.Right / a.Sent < b.Right / b.Sent, without rounding.
        const std::int64_t left = static_cast<std::int64_t>(a.Right) * b.Sent;
        const std::int64_t right = static_cast<std::int64_t>(b.Right) * a.Sent;
        return left != right ? left < right : a.Sent > b.Sent;
    });
    return out;
}

std::vector<RunPoint> ProgressStatistics::AccuracyOverTime(const std::vector<HistoryRun>& runs,
                                                           std::uint8_t character) {
    std::vector<RunPoint> points;
    for (const HistoryRun& run : runs) {
        int sent = 0;
        int right = 0;
        for (const HistoryAnswer& answer : run.Answers) {
            if (character == 0 || answer.Sent == character) {
                ++sent;
                right += answer.Right ? 1 : 0;
            }
        }
        if (sent > 0) {
            points.push_back({run.TimeMs, 100.0 * right / sent});
        }
    }
    return points;
}

std::vector<RunPoint> ProgressStatistics::SpeedOverTime(const std::vector<HistoryRun>& runs) {
    std::vector<RunPoint> points;
    for (const HistoryRun& run : runs) {
        points.push_back({run.TimeMs, static_cast<double>(run.SpeedWpm)});
    }
    return points;
}

ConfusionMatrix ProgressStatistics::Confusions(const std::vector<HistoryRun>& runs) {
    std::array<bool, 256> sent{};
    std::array<bool, 256> copied{};
    for (const HistoryRun& run : runs) {
        for (const HistoryAnswer& answer : run.Answers) {
            sent[answer.Sent] = true;
            copied[answer.Copied] = true;
        }
    }
    ConfusionMatrix matrix;
    std::array<int, 256> row{};
    std::array<int, 256> column{};
    for (int code = 0; code < 256; ++code) {
        if (sent[code]) {
            row[code] = static_cast<int>(matrix.Sent.size());
            matrix.Sent.push_back(static_cast<std::uint8_t>(code));
        }
        if (copied[code]) {
            column[code] = static_cast<int>(matrix.Copied.size());
            matrix.Copied.push_back(static_cast<std::uint8_t>(code));
        }
    }
    matrix.Counts.assign(matrix.Sent.size() * matrix.Copied.size(), 0);
    for (const HistoryRun& run : runs) {
        for (const HistoryAnswer& answer : run.Answers) {
            ++matrix.Counts[static_cast<std::size_t>(row[answer.Sent]) * matrix.Copied.size() +
                            static_cast<std::size_t>(column[answer.Copied])];
        }
    }
    return matrix;
}

bool ProgressStatistics::LessonMastered(const std::vector<HistoryRun>& runs, const std::string& setName,
                                        double thresholdPercent, int lastRuns) {
    int seen = 0;
    for (auto run = runs.rbegin(); run != runs.rend() && seen < lastRuns; ++run) {
        if (run->SetName != setName || run->Mode != "random" || run->Answers.empty()) {
            continue;
        }
        const int right = static_cast<int>(std::count_if(run->Answers.begin(), run->Answers.end(),
                                                         [](const HistoryAnswer& a) { return a.Right; }));
        if (100.0 * right < thresholdPercent * static_cast<double>(run->Answers.size())) {
            return false;
        }
        ++seen;
    }
    return seen == lastRuns;
}

std::vector<double> ProgressStatistics::WeakWeights(const std::vector<CharacterStats>& stats,
                                                    const std::string& candidates) {
    std::array<const CharacterStats*, 256> byCode{};
    for (const CharacterStats& s : stats) {
        byCode[s.Character] = &s;
    }
    std::vector<double> weights;
    weights.reserve(candidates.size());
    for (const char candidate : candidates) {
        const CharacterStats* s = byCode[static_cast<std::uint8_t>(candidate)];
        const int sent = s == nullptr ? 0 : s->Sent;
        const int wrong = s == nullptr ? 0 : s->Sent - s->Right;
        // One wrong and one right answer added to every count (a Laplace estimate), plus a floor.
        weights.push_back(0.05 + static_cast<double>(wrong + 1) / (sent + 2));
    }
    return weights;
}

std::string ProgressStatistics::WeightedSet(const std::string& candidates, const std::vector<double>& weights,
                                            int slots) {
    const std::size_t count =
        std::min({candidates.size(), weights.size(), static_cast<std::size_t>(std::max(0, slots))});
    if (count == 0) {
        return {};
    }
    double total = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        total += weights[i];
    }
    // Every candidate once, the rest of the slots shared by weight.
    const int spare = slots - static_cast<int>(count);
    std::vector<int> copies(count, 1);
    std::vector<std::pair<double, std::size_t>> remainders;
    int given = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const double share = total > 0.0 ? spare * weights[i] / total : 0.0;
        copies[i] += static_cast<int>(share);
        given += static_cast<int>(share);
        remainders.push_back({share - static_cast<int>(share), i});
    }
    std::stable_sort(remainders.begin(), remainders.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    for (std::size_t k = 0; given < spare && total > 0.0 && k < remainders.size(); ++k, ++given) {
        ++copies[remainders[k].second];
    }
    std::string set;
    for (std::size_t i = 0; i < count; ++i) {
        set.append(static_cast<std::size_t>(copies[i]), candidates[i]);
    }
    return set;
}

std::string ProgressStatistics::Csv(const std::vector<HistoryRun>& runs) {
    auto quoted = [](const std::string& text) {
        std::string out = "\"";
        for (const char c : text) {
            out += c == '"' ? std::string("\"\"") : std::string(1, c);
        }
        return out + "\"";
    };
    auto character = [&](std::uint8_t code) {
        return code == 0 ? std::string("\"\"")
                         : quoted(Cp1252ToUtf8(std::string(1, static_cast<char>(code))));
    };
    std::string csv = "time_utc,mode,speed_wpm,spacing,set,sent,copied,right,answer_ms\r\n";
    for (const HistoryRun& run : runs) {
        const std::time_t seconds = static_cast<std::time_t>(run.TimeMs / 1000);
        std::tm utc{};
        gmtime_r(&seconds, &utc);
        char stamp[32];
        std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%SZ", &utc);
        const std::string head = std::string(stamp) + "," + run.Mode + "," + std::to_string(run.SpeedWpm) +
                                 "," + std::to_string(run.Spacing) + "," + quoted(run.SetName) + ",";
        for (const HistoryAnswer& answer : run.Answers) {
            csv += head + character(answer.Sent) + "," + character(answer.Copied) + "," +
                   (answer.Right ? "1" : "0") + "," +
                   (answer.AnswerMs >= 0 ? std::to_string(answer.AnswerMs) : std::string()) + "\r\n";
        }
    }
    return csv;
}

}  // namespace kelvaro
