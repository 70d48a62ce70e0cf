// Checking the copy of a random series: the student's copy (typed on the entry sheet when it is
// shown, else in the copy-check window) lined up against the series that was sent.
#include "ui/CopyCheckFeature.h"

#include <QDateTime>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QToolButton>

#include <utility>

#include "app/ProgressStatistics.h"
#include "app/TextEncoding.h"
#include "ui/CopyCheckPanel.h"
#include "ui/EntrySheetFeature.h"
#include "ui/ProgressFeature.h"
#include "ui/RandomFeature.h"
#include "ui/RandomPane.h"
#include "ui/TForm1.h"
#include "ui/TFormSaisie.h"
#include "ui/TableText.h"

namespace kelvaro {

namespace {

/// Stands for a typed character that has no 8-bit code: it is never right.
constexpr char kNoCode = '\x01';

/// One 8-bit code per UTF-16 unit, so positions in the codes are positions in the text.
std::string CodesOf(const QString& text) {
    std::string codes;
    codes.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar unit : text) {
        const auto code = CodePointToCp1252(unit.unicode());
        codes += code ? static_cast<char>(*code) : kNoCode;
    }
    return codes;
}

QString Shown(std::uint8_t code) {
    return QString(QChar(static_cast<char16_t>(Cp1252ToCodePoint(code)))).toUpper().toHtmlEscaped();
}

}  // namespace

CopyCheckFeature::CopyCheckFeature(TForm1& form, RandomFeature& random, EntrySheetFeature& sheet,
                                   ProgressFeature& progress)
    : QObject(&form), Form(form), Random(random), Sheet(sheet), Progress(progress) {
    Box = new CopyCheckPanel(&Form);
    if (auto* pane = Form.findChild<RandomPane*>("GroupBoxRandom")) {
        connect(pane->SpeedButtonCopyCheck, &QToolButton::clicked, this,
                [this] { SpeedButtonCopyCheckClick(); });
    }
    connect(Box->ButtonCheckCopy, &QPushButton::clicked, this, [this] { ButtonCheckCopyClick(); });
    connect(Box->ButtonNextLesson, &QPushButton::clicked, this, [this] { ButtonNextLessonClick(); });
    // After the random feature's own handler: a series that started gets a blank copy box.
    if (auto* play = Form.findChild<QPushButton*>("BitBtnPlayRandom")) {
        connect(play, &QPushButton::clicked, this, [this] {
            if (Random.Series().Running()) {
                ClearCopy();
            }
        });
    }
    Form.RegisterFeature(this);
}

QString CopyCheckFeature::T(const char* entry) const {
    return TableText(Form.Texts(), entry);
}

// Beside the main window the first time, where the user left it afterwards.
void CopyCheckFeature::SpeedButtonCopyCheckClick() {
    if (!Placed) {
        Placed = true;
        Box->move(Form.frameGeometry().topRight() + QPoint(8, 0));
    }
    Box->show();
    Box->raise();
    Box->activateWindow();
    Box->MemoCopy->setFocus();
}

void CopyCheckFeature::ButtonCheckCopyClick() {
    const QString sent = Random.LatestSeriesText();
    const QPlainTextEdit* copyBox = Sheet.Sheet().isVisible() ? Sheet.Sheet().MemoSaisie : Box->MemoCopy;
    Last = AlignCopy(CodesOf(sent), CodesOf(copyBox->toPlainText()));
    const CopyScore& score = Last.Score;
    if (score.Sent == 0) {
        Box->MemoCopyMarks->clear();
        Box->LabelCopyScore->setText(T("msg.copy-nothing-sent"));
        return;
    }
    Box->MemoCopyMarks->setHtml(MarkedHtml(sent));
    Box->LabelCopyScore->setText(T("msg.copy-score")
                                     .arg(score.Right)
                                     .arg(score.Sent)
                                     .arg(score.AccuracyPercent(), 0, 'f', 1)
                                     .arg(score.ErrorsPerCharacter(), 0, 'f', 2)
                                     .arg(score.Wrong)
                                     .arg(score.Missed)
                                     .arg(score.Extra));

    HistoryRun run;
    run.TimeMs = QDateTime::currentMSecsSinceEpoch();
    run.Mode = "random";
    run.SpeedWpm = Form.Speed().SpeedWpm();
    run.Spacing = Form.Speed().Spacing();
    run.SetName = Random.ActiveSetCaption().trimmed().toStdString();
    for (const AlignedCharacter& step : Last.Steps) {
        if (step.Mark != CopyMark::Extra) {
            run.Answers.push_back({step.Sent, step.Copied, step.Mark == CopyMark::Right, -1});
        }
    }
    Progress.Record(std::move(run));
    OfferNextLesson();
}

// The runs of the current lesson, newest first, decide; the lesson never changes by itself.
void CopyCheckFeature::OfferNextLesson() {
    NextLesson = 0;
    Box->LabelLessonAdvice->setVisible(false);
    Box->ButtonNextLesson->setVisible(false);
    PracticeHistory* history = Progress.History();
    const QString setName = Random.ActiveSetCaption().trimmed();
    const QString prefix = T("msg.lesson") + " #";
    bool isNumber = false;
    const int lesson = setName.startsWith(prefix) ? setName.mid(prefix.size()).toInt(&isNumber) : 0;
    if (history == nullptr || !isNumber || lesson < 1 || lesson >= LessonBook::kLessonCount ||
        LessonBook::IsBlank(Random.Lessons().Lesson(lesson + 1)) ||
        !ProgressStatistics::LessonMastered(history->LastRuns(kAdviceRuns), setName.toStdString())) {
        return;
    }
    NextLesson = lesson + 1;
    Box->LabelLessonAdvice->setText(T("msg.lesson-advice").arg(NextLesson));
    Box->LabelLessonAdvice->setVisible(true);
    Box->ButtonNextLesson->setVisible(true);
}

void CopyCheckFeature::ButtonNextLessonClick() {
    if (NextLesson > 0) {
        Random.ChooseLesson(std::exchange(NextLesson, 0));
    }
    Box->LabelLessonAdvice->setVisible(false);
    Box->ButtonNextLesson->setVisible(false);
}

// The sent text as the pane shows it, its blanks kept, each error marked by colour and by a
// sign that needs no colour: a wrong character is underlined with the copy after it, a missed
// one struck through, an extra one written small with a plus.
QString CopyCheckFeature::MarkedHtml(const QString& sent) const {
    std::vector<const AlignedCharacter*> atSent(static_cast<std::size_t>(sent.size()), nullptr);
    std::vector<std::vector<const AlignedCharacter*>> extrasAfter(static_cast<std::size_t>(sent.size()) + 1);
    for (const AlignedCharacter& step : Last.Steps) {
        if (step.Mark == CopyMark::Extra) {
            extrasAfter[static_cast<std::size_t>(step.SentIndex + 1)].push_back(&step);
        } else {
            atSent[static_cast<std::size_t>(step.SentIndex)] = &step;
        }
    }
    auto extras = [&](std::size_t slot) {
        QString html;
        for (const AlignedCharacter* step : extrasAfter[slot]) {
            html += "<sup style=\"color:#0040c0\">+" + Shown(step->Copied) + "</sup>";
        }
        return html;
    };
    QString html = "<p style=\"font-family:monospace\">" + extras(0);
    for (qsizetype i = 0; i < sent.size(); ++i) {
        const AlignedCharacter* step = atSent[static_cast<std::size_t>(i)];
        const QChar shown = sent[i];
        if (shown == '\n') {
            html += "<br>";
        } else if (step == nullptr) {
            html += shown.isSpace() ? QString("&nbsp;") : QString(shown).toHtmlEscaped();
        } else if (step->Mark == CopyMark::Right) {
            html += QString(shown).toHtmlEscaped();
        } else if (step->Mark == CopyMark::Wrong) {
            html += "<span style=\"color:#c00000;text-decoration:underline\">" +
                    QString(shown).toHtmlEscaped() + "</span><sub style=\"color:#c00000\">" +
                    Shown(step->Copied) + "</sub>";
        } else {
            html += "<span style=\"color:#808080;text-decoration:line-through\">" +
                    QString(shown).toHtmlEscaped() + "</span>";
        }
        html += extras(static_cast<std::size_t>(i) + 1);
    }
    return html + "</p>";
}

void CopyCheckFeature::ClearCopy() {
    Box->MemoCopy->clear();
    Box->MemoCopyMarks->clear();
    Box->LabelCopyScore->clear();
}

void CopyCheckFeature::Retranslate(const LanguageTable& texts) {
    Box->setWindowTitle(TableText(texts, "FormCopyCheck.Caption"));
    if (auto* button = Form.findChild<QToolButton*>("SpeedButtonCopyCheck")) {
        button->setToolTip(TableText(texts, "SpeedButtonCopyCheck.Hint"));
    }
    Box->ButtonCheckCopy->setText(TableText(texts, "ButtonCheckCopy.Caption"));
    Box->MemoCopy->setPlaceholderText(TableText(texts, "MemoCopy.Hint"));
    Box->MemoCopy->setToolTip(TableText(texts, "MemoCopy.Hint"));
    Box->LabelCopyLegend->setText(TableText(texts, "LabelCopyLegend.Caption"));
    Box->ButtonNextLesson->setText(TableText(texts, "ButtonNextLesson.Caption"));
}

}  // namespace kelvaro
