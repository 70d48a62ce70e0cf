// The QRH illustration: how the pitch steps from character to character between its limits.
#include "ui/TFormDriftBMP.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <cmath>

#include "app/LanguageTable.h"
#include "core/FrequencyDrift.h"
#include "ui/TableText.h"

namespace kelvaro {

namespace {

constexpr int kDrawnCharacters = 15;
constexpr int kLeftMargin = 70;
constexpr int kRightMargin = 24;
constexpr int kTopMargin = 30;
constexpr int kBottomMargin = 46;

/// An arrow head at tip pointing from the given direction.
void DrawArrowHead(QPainter& painter, QPointF tip, QPointF from) {
    const QPointF along = tip - from;
    const double length = std::hypot(along.x(), along.y());
    const QPointF unit = along / length;
    const QPointF normal(-unit.y(), unit.x());
    constexpr double kHead = 7.0;
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(tip - unit * kHead + normal * (kHead / 2));
    head.lineTo(tip - unit * kHead - normal * (kHead / 2));
    head.closeSubpath();
    painter.fillPath(head, painter.pen().color());
}

}  // namespace

TFormDriftBMP::TFormDriftBMP(const LanguageTable& texts, QWidget* parent)
    : QWidget(parent, Qt::Tool), Texts(texts) {
    setObjectName("TFormDriftBMP");
    setFixedSize(kWidth, kHeight);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    Retranslate();
}

std::vector<int> TFormDriftBMP::IllustratedSteps() {
    FrequencyDrift drift;
    drift.StepSetting = 1;
    drift.Rate = 1;
    drift.MaxHz = kFMaxSteps;
    drift.MinHz = 0;
    double pitch = kF0Steps;
    std::vector<int> steps;
    for (int character = 0; character < kDrawnCharacters; ++character) {
        steps.push_back(static_cast<int>(pitch));
        drift.Step(pitch);
    }
    return steps;
}

void TFormDriftBMP::Retranslate() {
    setWindowTitle(TableText(Texts, "TFormDriftBMP.Caption"));
    update();
}

void TFormDriftBMP::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    const QRectF plot(kLeftMargin, kTopMargin, width() - kLeftMargin - kRightMargin,
                      height() - kTopMargin - kBottomMargin);
    const std::vector<int> steps = IllustratedSteps();
    const double characterWidth = plot.width() / static_cast<double>(steps.size());
    // One step of pitch per unit; half a unit of air above Fmax and below Fmin.
    const double unitHeight = plot.height() / (kFMaxSteps + 1.0);
    const auto yOf = [&](double level) { return plot.bottom() - (level + 0.5) * unitHeight; };
    const auto xOf = [&](double character) { return plot.left() + character * characterWidth; };

    const QColor axisColour(Qt::black);
    const QColor limitColour(160, 40, 40);
    const QColor baseColour(40, 90, 160);
    const QColor pitchColour(20, 120, 40);

    // Axes: pitch upwards, characters to the right.
    painter.setPen(QPen(axisColour, 1.5));
    const QPointF origin(plot.left(), plot.bottom());
    const QPointF pitchEnd(plot.left(), plot.top() - 12);
    const QPointF timeEnd(plot.right() + 12, plot.bottom());
    painter.drawLine(origin, pitchEnd);
    DrawArrowHead(painter, pitchEnd, origin);
    painter.drawLine(origin, timeEnd);
    DrawArrowHead(painter, timeEnd, origin);
    painter.drawText(QRectF(plot.left(), plot.bottom() + 4, plot.width(), 20), Qt::AlignCenter,
                     TableText(Texts, "TFormDriftBMP.Characters"));
    painter.drawText(QRectF(plot.left() + 6, 2, 120, 20), Qt::AlignLeft | Qt::AlignVCenter,
                     TableText(Texts, "TFormDriftBMP.Pitch"));
    for (std::size_t character = 0; character <= steps.size(); ++character) {
        const double x = xOf(static_cast<double>(character));
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + 4));
    }

    // The limits and the starting pitch, dashed across the plot and named on the left.
    const auto drawLevel = [&](int level, const QColor& colour, const char* entry) {
        painter.setPen(QPen(colour, 1, Qt::DashLine));
        painter.drawLine(QPointF(plot.left(), yOf(level)), QPointF(plot.right(), yOf(level)));
        painter.setPen(colour);
        painter.drawText(QRectF(0, yOf(level) - 10, kLeftMargin - 6, 20), Qt::AlignRight | Qt::AlignVCenter,
                         TableText(Texts, entry));
    };
    drawLevel(kFMaxSteps, limitColour, "TFormDriftBMP.Fmax");
    drawLevel(kF0Steps, baseColour, "TFormDriftBMP.F0");
    drawLevel(0, limitColour, "TFormDriftBMP.Fmin");

    // The staircase: one flat tread per character, a riser of dF between characters.
    QPainterPath staircase;
    staircase.moveTo(xOf(0), yOf(steps.front()));
    for (std::size_t character = 0; character < steps.size(); ++character) {
        const double level = steps[character];
        staircase.lineTo(xOf(static_cast<double>(character)), yOf(level));
        staircase.lineTo(xOf(static_cast<double>(character + 1)), yOf(level));
    }
    painter.setPen(QPen(pitchColour, 2.5));
    painter.drawPath(staircase);

    // dF marked on the first riser above F0.
    const double riserX = xOf(1) + characterWidth * 0.5;
    const double lowY = yOf(steps[0]);
    const double highY = yOf(steps[1]);
    painter.setPen(QPen(axisColour, 1));
    painter.drawLine(QPointF(riserX, lowY), QPointF(riserX, highY));
    DrawArrowHead(painter, QPointF(riserX, highY), QPointF(riserX, lowY));
    DrawArrowHead(painter, QPointF(riserX, lowY), QPointF(riserX, highY));
    painter.drawText(QRectF(riserX + 4, (lowY + highY) / 2 - 10, 40, 20), Qt::AlignLeft | Qt::AlignVCenter,
                     TableText(Texts, "TFormDriftBMP.Step"));
}

}  // namespace kelvaro
