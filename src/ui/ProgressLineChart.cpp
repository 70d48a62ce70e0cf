// A line chart of values over time (accuracy, speed), painted by hand.
#include "ui/ProgressLineChart.h"

#include <QDateTime>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace kelvaro {

ProgressLineChart::ProgressLineChart(const char* name, QString unit, QWidget* parent)
    : QWidget(parent), Unit(std::move(unit)) {
    setObjectName(name);
    setMinimumHeight(6 * fontMetrics().height());
}

void ProgressLineChart::SetPoints(std::vector<RunPoint> points, double top) {
    Shown = std::move(points);
    Top = top;
    for (const RunPoint& point : Shown) {
        Top = std::max(Top, point.Value);
    }
    if (Top <= 0.0) {
        Top = 1.0;
    }
    update();
}

QSize ProgressLineChart::sizeHint() const {
    return {40 * fontMetrics().horizontalAdvance('W'), 10 * fontMetrics().height()};
}

// Runs are spaced evenly, in order: days without practice take no room.
void ProgressLineChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), palette().base());
    const QFontMetrics metrics = fontMetrics();
    const QString topLabel = QString::number(Top, 'f', 0) + " " + Unit;
    const int scaleWidth = metrics.horizontalAdvance(topLabel) + 8;
    const int dateHeight = metrics.height() + 4;
    const QRect plot = rect().adjusted(scaleWidth, metrics.height() / 2, -8, -dateHeight);
    for (int step = 0; step <= 4; ++step) {
        const int y = plot.bottom() - plot.height() * step / 4;
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawLine(plot.left(), y, plot.right(), y);
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(QRect(0, y - metrics.height() / 2, scaleWidth - 4, metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(Top * step / 4, 'f', 0) + " " + Unit);
    }
    if (Shown.empty()) {
        return;
    }
    auto at = [&](std::size_t i) {
        const double x = Shown.size() == 1 ? plot.center().x()
                                           : plot.left() + plot.width() * static_cast<double>(i) /
                                                               static_cast<double>(Shown.size() - 1);
        return QPointF(x, plot.bottom() - plot.height() * Shown[i].Value / Top);
    };
    QPainterPath path(at(0));
    for (std::size_t i = 1; i < Shown.size(); ++i) {
        path.lineTo(at(i));
    }
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.drawPath(path);
    painter.setBrush(palette().color(QPalette::Highlight));
    for (std::size_t i = 0; i < Shown.size(); ++i) {
        painter.drawEllipse(at(i), 2.5, 2.5);
    }
    painter.setPen(palette().color(QPalette::Text));
    const auto date = [](std::int64_t ms) {
        return QDateTime::fromMSecsSinceEpoch(ms).toString("yyyy-MM-dd");
    };
    painter.drawText(QRect(plot.left(), plot.bottom() + 2, plot.width(), dateHeight), Qt::AlignLeft,
                     date(Shown.front().TimeMs));
    painter.drawText(QRect(plot.left(), plot.bottom() + 2, plot.width(), dateHeight), Qt::AlignRight,
                     date(Shown.back().TimeMs));
}

}  // namespace kelvaro
