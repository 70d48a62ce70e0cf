// The confusion matrix as a heat map: rows are the characters sent, columns what was copied.
#include "ui/ProgressHeatMap.h"

#include <QPainter>
#include <algorithm>

#include "app/TextEncoding.h"

namespace kelvaro {

namespace {

QString Label(std::uint8_t code) {
    return code == 0 ? QStringLiteral("-")
                     : QString(QChar(static_cast<char16_t>(Cp1252ToCodePoint(code)))).toUpper();
}

}  // namespace

ProgressHeatMap::ProgressHeatMap(QWidget* parent) : QWidget(parent) {
    setObjectName("ChartProgressConfusion");
    setMinimumHeight(6 * fontMetrics().height());
}

void ProgressHeatMap::SetMatrix(ConfusionMatrix matrix) {
    Shown = std::move(matrix);
    update();
}

QSize ProgressHeatMap::sizeHint() const {
    return {40 * fontMetrics().horizontalAdvance('W'), 20 * fontMetrics().height()};
}

// Each row is scaled to its own total, so a character sent rarely shows its confusions as
// plainly as a frequent one; the diagonal (copied right) is drawn in green, the rest in red.
void ProgressHeatMap::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    if (Shown.Sent.empty()) {
        return;
    }
    const QFontMetrics metrics = fontMetrics();
    const int margin = metrics.horizontalAdvance('W') + 6;
    const double cellWidth = static_cast<double>(width() - margin) / static_cast<double>(Shown.Copied.size());
    const double cellHeight =
        static_cast<double>(height() - metrics.height() - 4) / static_cast<double>(Shown.Sent.size());
    painter.setPen(palette().color(QPalette::Text));
    const bool labelsFit =
        cellWidth >= metrics.horizontalAdvance('W') && cellHeight >= metrics.height() * 0.8;
    for (std::size_t column = 0; column < Shown.Copied.size(); ++column) {
        if (labelsFit) {
            painter.drawText(
                QRectF(margin + cellWidth * static_cast<double>(column), 0, cellWidth, metrics.height() + 2),
                Qt::AlignCenter, Label(Shown.Copied[column]));
        }
    }
    for (std::size_t row = 0; row < Shown.Sent.size(); ++row) {
        int total = 0;
        for (std::size_t column = 0; column < Shown.Copied.size(); ++column) {
            total += Shown.At(row, column);
        }
        const double top = metrics.height() + 4 + cellHeight * static_cast<double>(row);
        if (labelsFit) {
            painter.setPen(palette().color(QPalette::Text));
            painter.drawText(QRectF(0, top, margin - 2, cellHeight), Qt::AlignCenter, Label(Shown.Sent[row]));
        }
        for (std::size_t column = 0; column < Shown.Copied.size(); ++column) {
            const int count = Shown.At(row, column);
            if (count == 0) {
                continue;
            }
            const double share = static_cast<double>(count) / std::max(1, total);
            const bool right = Shown.Copied[column] == Shown.Sent[row];
            QColor colour = right ? QColor(40, 150, 60) : QColor(210, 40, 30);
            colour.setAlphaF(static_cast<float>(0.15 + 0.85 * share));
            painter.fillRect(
                QRectF(margin + cellWidth * static_cast<double>(column), top, cellWidth - 1, cellHeight - 1),
                colour);
        }
    }
}

}  // namespace kelvaro
