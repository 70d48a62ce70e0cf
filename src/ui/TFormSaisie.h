// The entry sheet: a blank page on which the student writes down what is heard.
#pragma once

#include <QWidget>

class QPlainTextEdit;

namespace kelvaro {

/// A small window with one text area; the entry-sheet feature shows and places it.
class TFormSaisie final : public QWidget {
    Q_OBJECT
public:
    explicit TFormSaisie(QWidget* parent = nullptr);

    QPlainTextEdit* MemoSaisie = nullptr;
};

}  // namespace kelvaro
