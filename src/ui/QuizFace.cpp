// One of the three faces of the quiz report: waiting, a right answer, a wrong answer.
#include "ui/QuizFace.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace kelvaro {

QuizFace::QuizFace(Mood mood, QWidget* parent) : QWidget(parent), Expression(mood) {
    setFixedSize(sizeHint());
}

void QuizFace::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal side = std::min(width(), height()) - 2.0;
    const QRectF head(1.0, 1.0, side, side);
    const QColor skin = Expression == Mood::Happy ? QColor(255, 215, 64)
                        : Expression == Mood::Sad ? QColor(150, 190, 255)
                                                  : QColor(230, 230, 230);
    painter.setPen(QPen(Qt::black, 1.5));
    painter.setBrush(skin);
    painter.drawEllipse(head);

    // Eyes.
    painter.setBrush(Qt::black);
    const qreal eye = side * 0.08;
    painter.drawEllipse(QPointF(head.left() + side * 0.33, head.top() + side * 0.38), eye, eye);
    painter.drawEllipse(QPointF(head.left() + side * 0.67, head.top() + side * 0.38), eye, eye);

    // Mouth: a smile, a frown or a straight line.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 2.0, Qt::SolidLine, Qt::RoundCap));
    const qreal left = head.left() + side * 0.28;
    const qreal right = head.left() + side * 0.72;
    const qreal middle = head.top() + side * 0.68;
    QPainterPath mouth(QPointF(left, middle));
    const qreal bend = Expression == Mood::Happy ? side * 0.16 : Expression == Mood::Sad ? -side * 0.16 : 0.0;
    mouth.quadTo(QPointF((left + right) / 2.0, middle + bend), QPointF(right, middle));
    painter.drawPath(mouth);
}

}  // namespace kelvaro
