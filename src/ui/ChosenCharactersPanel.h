// The side panel where the chosen characters are typed or a lesson is picked, page by page.
#pragma once

#include <QFrame>

class QComboBox;
class QLabel;
class QPushButton;
class QToolButton;

namespace kelvaro {

/// Widgets only; the random feature runs their handlers.
class ChosenCharactersPanel final : public QFrame {
    Q_OBJECT
public:
    explicit ChosenCharactersPanel(QWidget* parent = nullptr);

    QLabel* LabelChoixRandom = nullptr;
    /// Editable: the typed text, or one of the 20 lessons of the page.
    QComboBox* BoxCaracteresChoix = nullptr;
    QLabel* Label3 = nullptr;
    QToolButton* SpeedButtonChoixMoins = nullptr;
    QToolButton* SpeedButtonChoixPlus = nullptr;
    QPushButton* ButtonChoixCaractereOK = nullptr;
    QPushButton* ButtonCancelChoix = nullptr;
};

}  // namespace kelvaro
