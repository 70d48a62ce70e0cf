// The side panel where the user writes lessons of their own into the 60 lesson slots.
#pragma once

#include <QFrame>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kelvaro {

/// Widgets only; the random feature runs their handlers.
class LocalLessonPanel final : public QFrame {
    Q_OBJECT
public:
    explicit LocalLessonPanel(QWidget* parent = nullptr);

    QLabel* LabelLocalLesson = nullptr;
    QLineEdit* EditNumeroLesson = nullptr;
    QLabel* LabelNumeroLesson = nullptr;
    QLineEdit* EditCaractereLesson = nullptr;
    QLabel* LabelCaractereLesson = nullptr;
    QPushButton* ButtonLocalLessonEnter = nullptr;
    QPushButton* ButtonLocalLessonExit = nullptr;
};

}  // namespace kelvaro
