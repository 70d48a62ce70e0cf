// The text box and the transport buttons under it: Replay Text, Clear, Stop and Quit.
#pragma once

#include <QWidget>

class QPushButton;
class QToolButton;

namespace kelvaro {

class TypingEdit;

/// Widgets only; the main window runs their handlers.
class TextPane final : public QWidget {
    Q_OBJECT
public:
    explicit TextPane(QWidget* parent = nullptr);

    TypingEdit* Editcaractere = nullptr;
    QPushButton* ButtonReplayText = nullptr;
    QToolButton* SpeedButtonRAZtext = nullptr;
    QPushButton* ButtonStop = nullptr;
    QPushButton* ButtonQuitter = nullptr;
    /// The hidden start button every mode clicks to play the queue.
    QPushButton* Button1 = nullptr;
};

}  // namespace kelvaro
