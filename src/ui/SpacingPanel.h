// The side panel that sets the extra spacing between characters.
#pragma once

#include <QFrame>

class QLabel;
class QPushButton;
class QSpinBox;

namespace kelvaro {

class SpacingPanel final : public QFrame {
    Q_OBJECT
public:
    explicit SpacingPanel(QWidget* parent = nullptr);

    QLabel* LabelPanelEspace = nullptr;
    /// 1..30, changed with the arrows only.
    QSpinBox* SpinEditEspace = nullptr;
    QLabel* LabelNombreEspace = nullptr;
    QPushButton* BitBtnOKEspace = nullptr;
};

}  // namespace kelvaro
