// The side panel that sets the two characters between which a file's text is not played.
#pragma once

#include <QFrame>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kelvaro {

/// Widgets only; the file feature runs their handlers.
class MaskedTextPanel final : public QFrame {
    Q_OBJECT
public:
    explicit MaskedTextPanel(QWidget* parent = nullptr);

    QLabel* LabelMaskedText = nullptr;
    QLineEdit* EditStartMaskedText = nullptr;
    QLabel* LabelStartMaskedText = nullptr;
    QLineEdit* EditEndMaskedText = nullptr;
    QLabel* LabelEndMaskedText = nullptr;
    QLabel* LabelMaskedNote = nullptr;
    QPushButton* ButtonMaskedTextOK = nullptr;
    QPushButton* ButtonMaskedTextCancel = nullptr;
};

}  // namespace kelvaro
