// The text box: a wrapped text whose key presses the window sees first.
#pragma once

#include <QPlainTextEdit>
#include <functional>

namespace kelvaro {

class TypingEdit final : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TypingEdit(QWidget* parent = nullptr);

    /// Called before the box handles a key press; returning true swallows the key.
    std::function<bool(QKeyEvent*)> OnKeyPress;

    /// Selects the first count characters (the played part of a replay).
    void SelectFirst(int count);
    void MoveCaretToStart();
    void MoveCaretToEnd();
    bool IsEmpty() const { return document()->isEmpty(); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace kelvaro
