// The copy check under the random groups: the box the student types the copy into, Check, the
// sent text with every error marked, and the score.
#include "ui/CopyCheckPanel.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace kelvaro {

CopyCheckPanel::CopyCheckPanel(QWidget* parent) : QGroupBox(parent) {
    setObjectName("GroupBoxCopyCheck");
    auto named = [this]<class Widget>(Widget* widget, const char* name) {
        widget->setObjectName(name);
        return widget;
    };
    MemoCopy = named(new QPlainTextEdit(this), "MemoCopy");
    MemoCopy->setTabChangesFocus(true);
    ButtonCheckCopy = named(new QPushButton(this), "ButtonCheckCopy");
    MemoCopyMarks = named(new QTextEdit(this), "MemoCopyMarks");
    MemoCopyMarks->setReadOnly(true);
    LabelCopyScore = named(new QLabel(this), "LabelCopyScore");
    LabelCopyScore->setWordWrap(true);
    LabelCopyLegend = named(new QLabel(this), "LabelCopyLegend");
    LabelCopyLegend->setWordWrap(true);
    LabelLessonAdvice = named(new QLabel(this), "LabelLessonAdvice");
    LabelLessonAdvice->setWordWrap(true);
    ButtonNextLesson = named(new QPushButton(this), "ButtonNextLesson");
    LabelLessonAdvice->setVisible(false);
    ButtonNextLesson->setVisible(false);

    // Three lines of text each: the pane above keeps most of the height.
    const int lines = 3 * QFontMetrics(font()).lineSpacing() + 12;
    MemoCopy->setFixedHeight(lines);
    MemoCopyMarks->setFixedHeight(lines);

    auto* copy = new QHBoxLayout;
    copy->addWidget(MemoCopy, 1);
    copy->addWidget(ButtonCheckCopy, 0, Qt::AlignTop);
    auto* advice = new QHBoxLayout;
    advice->addWidget(LabelLessonAdvice, 1);
    advice->addWidget(ButtonNextLesson);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(copy);
    layout->addWidget(MemoCopyMarks);
    layout->addWidget(LabelCopyScore);
    layout->addWidget(LabelCopyLegend);
    layout->addLayout(advice);
}

}  // namespace kelvaro
