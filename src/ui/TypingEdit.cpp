// The text box: a wrapped text whose key presses the window sees first.
#include "ui/TypingEdit.h"

#include <QKeyEvent>
#include <QTextCursor>

namespace kelvaro {

TypingEdit::TypingEdit(QWidget* parent) : QPlainTextEdit(parent) {
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
}

void TypingEdit::SelectFirst(int count) {
    QTextCursor cursor(document());
    cursor.setPosition(0);
    cursor.setPosition(std::min(count, document()->characterCount() - 1), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

void TypingEdit::MoveCaretToStart() {
    QTextCursor cursor = textCursor();
    cursor.movePosition(QTextCursor::Start);
    setTextCursor(cursor);
}

void TypingEdit::MoveCaretToEnd() {
    QTextCursor cursor = textCursor();
    cursor.movePosition(QTextCursor::End);
    setTextCursor(cursor);
}

void TypingEdit::keyPressEvent(QKeyEvent* event) {
    if (OnKeyPress && OnKeyPress(event)) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

}  // namespace kelvaro
