// The demonstration window: the played file in large type for a class, its progress selected.
#pragma once

#include <QWidget>

class QPlainTextEdit;

namespace kelvaro {

/// A maximised window with one read-only text; the file feature copies the text and the
/// played length into it.
class TFormDemo final : public QWidget {
    Q_OBJECT
public:
    explicit TFormDemo(QWidget* parent = nullptr);

    /// Shows the window maximised, the text sized so that it wraps as in the file pane
    /// (paneWidth wide at panePointSize), only larger.
    void ShowLarge(int paneWidth, double panePointSize);
    /// Selects the first length characters, as the file pane shows what has been played.
    void SelectPlayed(int length);
    /// The demo's text; the caret goes to its start.
    void SetText(const QString& text);

    QPlainTextEdit* MemoDemo = nullptr;
};

}  // namespace kelvaro
