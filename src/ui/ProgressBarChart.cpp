// A bar chart of per-character accuracy, worst first, painted by hand.
#include "ui/ProgressBarChart.h"

#include <QPainter>

namespace kelvaro {

ProgressBarChart::ProgressBarChart(QWidget* parent) : QWidget(parent) {
    setObjectName("ChartProgressCharacters");
    setMinimumHeight(4 * fontMetrics().height());
}

void ProgressBarChart::SetBars(std::vector<Bar> bars) {
    Shown = std::move(bars);
    update();
}

QSize ProgressBarChart::sizeHint() const {
    return {40 * fontMetrics().horizontalAdvance('W'), 10 * fontMetrics().height()};
}

void ProgressBarChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    const QFontMetrics metrics = fontMetrics();
    const int scaleWidth = metrics.horizontalAdvance("100 %") + 6;
    const int labelHeight = metrics.height() + 4;
    const QRect plot = rect().adjusted(scaleWidth, metrics.height() / 2, -4, -labelHeight);
    painter.setPen(palette().color(QPalette::Mid));
    for (int percent = 0; percent <= 100; percent += 25) {
        const int y = plot.bottom() - plot.height() * percent / 100;
        painter.drawLine(plot.left(), y, plot.right(), y);
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(QRect(0, y - metrics.height() / 2, scaleWidth - 4, metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(percent) + " %");
        painter.setPen(palette().color(QPalette::Mid));
    }
    if (Shown.empty()) {
        return;
    }
    const double slot = static_cast<double>(plot.width()) / static_cast<double>(Shown.size());
    for (std::size_t i = 0; i < Shown.size(); ++i) {
        const Bar& bar = Shown[i];
        const int left = plot.left() + static_cast<int>(slot * static_cast<double>(i));
        const int width = std::max(1, static_cast<int>(slot * 0.8));
        const int height = static_cast<int>(plot.height() * bar.Percent / 100.0);
        // Red for poor, amber for fair, green from 90 %.
        const QColor colour = bar.Percent >= 90.0   ? QColor(60, 160, 70)
                              : bar.Percent >= 70.0 ? QColor(220, 160, 30)
                                                    : QColor(200, 50, 40);
        painter.fillRect(QRect(left, plot.bottom() - height, width, height), colour);
        if (slot >= metrics.horizontalAdvance(bar.Label)) {
            painter.setPen(palette().color(QPalette::Text));
            painter.drawText(QRect(left, plot.bottom() + 2, width, labelHeight),
                             Qt::AlignHCenter | Qt::AlignTop, bar.Label);
        }
    }
}

}  // namespace kelvaro
