// The copy check of the random groups: a small window beside the main one with the box the
// student types the copy into, Check, the sent text with every error marked, and the score.
#pragma once

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTextEdit;

namespace kelvaro {

/// Widgets only; the copy-check feature runs Check.
class CopyCheckPanel final : public QWidget {
    Q_OBJECT
public:
    explicit CopyCheckPanel(QWidget* parent = nullptr);

    /// The copy, when the entry sheet is not shown.
    QPlainTextEdit* MemoCopy = nullptr;
    QPushButton* ButtonCheckCopy = nullptr;
    /// The sent text with the errors marked.
    QTextEdit* MemoCopyMarks = nullptr;
    QLabel* LabelCopyScore = nullptr;
    QLabel* LabelCopyLegend = nullptr;
    /// "Move on to the next lesson" advice, shown when earned.
    QLabel* LabelLessonAdvice = nullptr;
    QPushButton* ButtonNextLesson = nullptr;
};

}  // namespace kelvaro
