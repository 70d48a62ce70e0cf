// The copy check of the random groups: a small window beside the main one with the box the
// student types the copy into, Check, the sent text with every error marked, and the score.
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

CopyCheckPanel::CopyCheckPanel(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setObjectName("FormCopyCheck");
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

    const QFontMetrics metrics(font());
    MemoCopy->setMinimumHeight(4 * metrics.lineSpacing() + 12);
    MemoCopyMarks->setMinimumHeight(4 * metrics.lineSpacing() + 12);
    // The score and the legend wrap onto at most three lines at the narrowest width allowed.
    setMinimumWidth(30 * metrics.horizontalAdvance('W'));
    LabelCopyScore->setMinimumHeight(3 * metrics.lineSpacing());
    LabelCopyLegend->setMinimumHeight(3 * metrics.lineSpacing());
    resize(36 * metrics.horizontalAdvance('W'), 24 * metrics.lineSpacing());

    auto* copy = new QHBoxLayout;
    copy->addStretch(1);
    copy->addWidget(ButtonCheckCopy);
    auto* advice = new QHBoxLayout;
    advice->addWidget(LabelLessonAdvice, 1);
    advice->addWidget(ButtonNextLesson);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MemoCopy, 1);
    layout->addLayout(copy);
    layout->addWidget(MemoCopyMarks, 1);
    layout->addWidget(LabelCopyScore);
    layout->addWidget(LabelCopyLegend);
    layout->addLayout(advice);
}

}  // namespace kelvaro
