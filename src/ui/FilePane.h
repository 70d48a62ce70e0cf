// The File mode's pane: the file text, its path, Hide, Demo, the entry sheet and the
// impairment switches.
#pragma once

#include <QGroupBox>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace kelvaro {

class PathLabel;
class SwitchButton;

/// Widgets only; the file feature runs their handlers.
class FilePane final : public QGroupBox {
    Q_OBJECT
public:
    explicit FilePane(QWidget* parent = nullptr);

    /// The text of the loaded file; "MemoFile" while none is loaded.
    QPlainTextEdit* FileEdit = nullptr;
    PathLabel* PanelPathFile = nullptr;
    QPushButton* ButtonHideFile = nullptr;
    QToolButton* SpeedButtonDemo = nullptr;
    QToolButton* SpeedButtonSaisieFile = nullptr;
    SwitchButton* SpeedButtonNoiseFile = nullptr;
    SwitchButton* SpeedButtonQSBFile = nullptr;
    SwitchButton* SpeedButtonDriftFile = nullptr;
    QLabel* LabelwordsFile = nullptr;
};

}  // namespace kelvaro
