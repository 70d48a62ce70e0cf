// Checking the copy of a random series through the real pane: the marks on the sent text, the
// score, the entry sheet as the copy when it is shown, and the run stored in the history.
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolButton>
#include <map>

#include "ClippedTexts.h"
#include "WindowFixture.h"
#include "ui/CopyCheckFeature.h"
#include "ui/CopyCheckPanel.h"
#include "ui/ProgressFeature.h"
#include "ui/TFormSaisie.h"

namespace kelvaro::test {
namespace {

class CopyCheckFlowTest : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        Create();
    }
    /// Plays a series of letters to its end and gives its groups as shown.
    QStringList PlayLetters(int count) {
        Find<QRadioButton>("RadioButtonRandom")->click();
        Find<QSpinBox>("SpinEditRandomNumber")->setValue(count);
        Trigger("MenuLetters");
        Find<QPushButton>("BitBtnPlayRandom")->click();
        Device.CompleteAll();
        Find<QToolButton>("SpeedButtonCopyCheck")->click();
        EXPECT_TRUE(Find<QWidget>("FormCopyCheck")->isVisible());
        return Find<QPlainTextEdit>("MemoRandom")->toPlainText().split(' ', Qt::SkipEmptyParts);
    }
    /// How many characters of the marked text carry each mark.
    struct MarkCounts {
        int Struck = 0;
        int Underlined = 0;
        int Raised = 0;
    };
    MarkCounts CountMarks() {
        MarkCounts counts;
        const QTextDocument* marks = Find<QTextEdit>("MemoCopyMarks")->document();
        for (QTextBlock block = marks->begin(); block != marks->end(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat format = it.fragment().charFormat();
                const int length = it.fragment().length();
                counts.Struck += format.fontStrikeOut() ? length : 0;
                counts.Underlined += format.fontUnderline() ? length : 0;
                counts.Raised += format.verticalAlignment() == QTextCharFormat::AlignSuperScript ? length : 0;
            }
        }
        return counts;
    }
    CopyCheckFeature& Check() { return *Form->findChild<CopyCheckFeature*>(); }
};

TEST_F(CopyCheckFlowTest, ASkippedSplitAndMistypedCopyIsMarkedScoredAndStored) {
    const QStringList groups = PlayLetters(200);
    ASSERT_EQ(groups.size(), 40);
    // The copy: lower case, group 3 skipped, group 10 split in two, a figure for the first
    // letter of group 20, a figure added after group 30, blanks doubled and lines broken.
    QStringList copy;
    for (int g = 0; g < groups.size(); ++g) {
        QString group = groups[g].toLower();
        if (g == 2) {
            continue;
        }
        if (g == 9) {
            group.insert(2, "   ");
        }
        if (g == 19) {
            group[0] = '7';
        }
        if (g == 29) {
            group += "5";
        }
        copy << group;
    }
    auto* box = Find<QPlainTextEdit>("MemoCopy");
    QTest::keyClicks(box, copy.mid(0, 20).join("  "));
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClicks(box, copy.mid(20).join(" "));
    Find<QPushButton>("ButtonCheckCopy")->click();

    const CopyScore& score = Check().LastCheck().Score;
    EXPECT_EQ(score.Sent, 200);
    EXPECT_EQ(score.Missed, 5);
    EXPECT_EQ(score.Wrong, 1);
    EXPECT_EQ(score.Extra, 1);
    EXPECT_EQ(score.Right, 194);
    EXPECT_EQ(Find<QLabel>("LabelCopyScore")->text(),
              "194 of 200 characters right (97.0 %), 0.04 errors per character: 1 wrong, 5 missed, 1 extra");
    EXPECT_TRUE(ClippedTexts(&Check().Panel()).isEmpty())
        << ClippedTexts(&Check().Panel()).join(", ").toStdString();
    const MarkCounts marks = CountMarks();
    EXPECT_EQ(marks.Struck, 5);
    EXPECT_EQ(marks.Underlined, 1);
    EXPECT_EQ(marks.Raised, 2);  // "+" and the extra figure
    // The marked text is the sent text, its groups kept apart, with the copied extras.
    const QString shown = Find<QTextEdit>("MemoCopyMarks")->toPlainText().simplified();
    EXPECT_TRUE(shown.startsWith(groups[0] + " " + groups[1] + " " + groups[2])) << shown.toStdString();
    EXPECT_TRUE(shown.contains(groups[29] + "+5")) << shown.toStdString();

    PracticeHistory* history = Form->findChild<ProgressFeature*>()->History();
    ASSERT_NE(history, nullptr);
    const std::vector<HistoryRun> runs = history->LastRuns(0);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].Mode, "random");
    EXPECT_EQ(runs[0].SpeedWpm, Form->Speed().SpeedWpm());
    EXPECT_EQ(runs[0].Spacing, Form->Speed().Spacing());
    EXPECT_EQ(runs[0].SetName, "Letters");
    ASSERT_EQ(runs[0].Answers.size(), 200u);
    int right = 0;
    // Where the skipped group borders the same letter, either copy of it may be the one struck:
    // the missed letters are the skipped group's, in some order.
    QString missed;
    for (std::size_t i = 0; i < 200; ++i) {
        const HistoryAnswer& answer = runs[0].Answers[i];
        const QChar sent = groups[static_cast<int>(i / 5)][static_cast<int>(i % 5)].toLower();
        EXPECT_EQ(answer.Sent, sent.toLatin1()) << i;
        right += answer.Right ? 1 : 0;
        if (answer.Copied == 0) {
            missed += QChar(answer.Sent);
        }
        if (i == 95) {
            EXPECT_EQ(answer.Copied, '7');
        }
    }
    EXPECT_EQ(right, 194);
    std::sort(missed.begin(), missed.end());
    QString skipped = groups[2].toLower();
    std::sort(skipped.begin(), skipped.end());
    EXPECT_EQ(missed, skipped);
}

TEST_F(CopyCheckFlowTest, TheEntrySheetIsTheCopyWhileItIsShownAndANewSeriesClearsTheBox) {
    const QStringList groups = PlayLetters(20);
    ASSERT_EQ(groups.size(), 4);
    Find<QPlainTextEdit>("MemoCopy")->setPlainText("nothing like it");
    Find<QToolButton>("SpeedButtonSaisie")->click();
    auto* sheet = Form->findChild<TFormSaisie*>("TFormSaisie");
    ASSERT_TRUE(sheet->isVisible());
    QTest::keyClicks(sheet->MemoSaisie, groups.join(" ").toLower());
    Find<QPushButton>("ButtonCheckCopy")->click();
    EXPECT_EQ(Check().LastCheck().Score.Right, 20);
    EXPECT_EQ(Check().LastCheck().Score.Errors(), 0);

    sheet->hide();
    Find<QPushButton>("ButtonCheckCopy")->click();  // now the box: almost all wrong
    EXPECT_LT(Check().LastCheck().Score.Right, 20);

    Find<QPushButton>("BitBtnPlayRandom")->click();
    EXPECT_TRUE(Find<QPlainTextEdit>("MemoCopy")->toPlainText().isEmpty());
    EXPECT_TRUE(Find<QLabel>("LabelCopyScore")->text().isEmpty());
    Device.CompleteAll();
    // Only the new series is checked, not the one before it in the pane.
    Find<QPushButton>("ButtonCheckCopy")->click();
    EXPECT_EQ(Check().LastCheck().Score.Sent, 20);
}

TEST_F(CopyCheckFlowTest, ThreeGoodRunsOfALessonOfferTheNextOneAndTheWeakSetWeighsTheMisses) {
    // Lesson 1 through the chosen-characters panel.
    Find<QRadioButton>("RadioButtonRandom")->click();
    Trigger("MenuChoixCaracteres");
    Find<QComboBox>("BoxCaracteresChoix")->setCurrentIndex(0);
    Find<QPushButton>("ButtonChoixCaractereOK")->click();
    ASSERT_EQ(Find<QLabel>("PanelRandomLesson")->text().trimmed(), "Lesson #1");
    auto copyAndCheck = [this](int wrongOfFifty) {
        Find<QSpinBox>("SpinEditRandomNumber")->setValue(50);
        Find<QPushButton>("BitBtnPlayRandom")->click();
        Device.CompleteAll();
        Find<QToolButton>("SpeedButtonCopyCheck")->click();
        QString copy = Find<QPlainTextEdit>("MemoRandom")->toPlainText().split('\n').last().toLower();
        for (int i = 0, changed = 0; changed < wrongOfFifty; ++i) {
            if (copy[i] != ' ') {
                copy[i] = copy[i] == 'q' ? 'j' : 'q';  // never in lesson 1
                ++changed;
            }
        }
        QTest::keyClicks(Find<QPlainTextEdit>("MemoCopy"), copy);
        Find<QPushButton>("ButtonCheckCopy")->click();
        EXPECT_EQ(Check().LastCheck().Score.Wrong, wrongOfFifty);
    };
    auto* advice = Find<QPushButton>("ButtonNextLesson");
    copyAndCheck(6);  // 88 %: not yet
    copyAndCheck(5);  // 90 %
    copyAndCheck(0);
    EXPECT_FALSE(advice->isVisibleTo(&Check().Panel()));
    copyAndCheck(1);  // the last three at 90 % or better
    ASSERT_TRUE(advice->isVisibleTo(&Check().Panel()));
    EXPECT_EQ(Find<QLabel>("LabelLessonAdvice")->text(),
              "Three runs at 90 % or better: ready for lesson #2?");
    EXPECT_EQ(Find<QLabel>("PanelRandomLesson")->text().trimmed(), "Lesson #1");  // never by itself
    advice->click();
    EXPECT_EQ(Find<QLabel>("PanelRandomLesson")->text().trimmed(), "Lesson #2");
    EXPECT_FALSE(advice->isVisibleTo(&Check().Panel()));

    // The weak set: the characters of lesson 1, the ones missed most drawn most often.
    Trigger("MenuWeakCharacters");
    EXPECT_EQ(Find<QLabel>("PanelRandomLesson")->text().trimmed(), "My weak characters");
    const CharacterPool& pool = Form->Pool();
    ASSERT_EQ(pool.PoolSize(), 70);
    std::map<char, int> drawn;
    for (int i = 0; i < pool.PoolSize(); ++i) {
        ++drawn[static_cast<char>(pool.Slot(pool.PoolStart() + i))];
    }
    EXPECT_EQ(drawn.size(), 5u);
    for (const char c : std::string("endx0")) {
        EXPECT_GE(drawn[c], 1) << c;
    }
    // Every character sent was copied right but for the ones changed at the start of each run.
    const PracticeHistory* history = Form->findChild<ProgressFeature*>()->History();
    ASSERT_NE(history, nullptr);
    std::map<char, std::pair<int, int>> tally;  // wrong, sent
    for (const HistoryRun& run : history->LastRuns(0)) {
        for (const HistoryAnswer& answer : run.Answers) {
            auto& [wrong, sent] = tally[static_cast<char>(answer.Sent)];
            wrong += answer.Right ? 0 : 1;
            ++sent;
        }
    }
    auto rate = [&](char c) { return static_cast<double>(tally[c].first) / tally[c].second; };
    for (const char a : std::string("endx0")) {
        for (const char b : std::string("endx0")) {
            if (rate(a) > rate(b) + 0.05) {
                EXPECT_GE(drawn[a], drawn[b]) << a << " missed more often than " << b;
            }
        }
    }
}

}  // namespace
}  // namespace kelvaro::test
