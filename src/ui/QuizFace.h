// One of the three faces of the quiz report: waiting, a right answer, a wrong answer.
#pragma once

#include <QWidget>

namespace kelvaro {

/// A plain round face drawn with the painter; its mouth shows the mood.
class QuizFace final : public QWidget {
    Q_OBJECT
public:
    enum class Mood { Neutral, Happy, Sad };

    QuizFace(Mood mood, QWidget* parent = nullptr);
    Mood FaceMood() const { return Expression; }
    QSize sizeHint() const override { return {40, 40}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Mood Expression;
};

}  // namespace kelvaro
