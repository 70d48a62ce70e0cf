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
// plainly as a frequent one; the diagonal (copied right) is drawn in green, the rest in red,
// the strongest confusion fully red. Labels shrink with the cells.
void ProgressHeatMap::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    if (Shown.Sent.empty()) {
        return;
    }
    const std::size_t rows = Shown.Sent.size();
    const std::size_t columns = Shown.Copied.size();
    std::vector<int> totals(rows, 0);
    double strongest = 0.0;
    for (std::size_t row = 0; row < rows; ++row) {
        for (std::size_t column = 0; column < columns; ++column) {
            totals[row] += Shown.At(row, column);
        }
        for (std::size_t column = 0; column < columns; ++column) {
            if (Shown.Copied[column] != Shown.Sent[row]) {
                strongest = std::max(strongest,
                                     static_cast<double>(Shown.At(row, column)) / std::max(1, totals[row]));
            }
        }
    }
    const int cell = std::max(1, std::min((width() - 4) / static_cast<int>(columns + 1),
                                          (height() - 4) / static_cast<int>(rows + 1)));
    QFont small = font();
    small.setPixelSize(std::max(1, cell * 3 / 4));
    painter.setFont(small);
    const bool labelsFit = cell >= 7;
    painter.setPen(palette().color(QPalette::Text));
    for (std::size_t column = 0; labelsFit && column < columns; ++column) {
        painter.drawText(QRect(cell * static_cast<int>(column + 1), 0, cell, cell), Qt::AlignCenter,
                         Label(Shown.Copied[column]));
    }
    for (std::size_t row = 0; row < rows; ++row) {
        const int top = cell * static_cast<int>(row + 1);
        if (labelsFit) {
            painter.setPen(palette().color(QPalette::Text));
            painter.drawText(QRect(0, top, cell, cell), Qt::AlignCenter, Label(Shown.Sent[row]));
        }
        for (std::size_t column = 0; column < columns; ++column) {
            const int count = Shown.At(row, column);
            if (count == 0) {
                continue;
            }
            const double share = static_cast<double>(count) / std::max(1, totals[row]);
            const bool right = Shown.Copied[column] == Shown.Sent[row];
            QColor colour = right ? QColor(40, 150, 60) : QColor(210, 40, 30);
            const double strength = right ? share : share / std::max(strongest, 1e-9);
            colour.setAlphaF(static_cast<float>(0.12 + 0.88 * std::min(1.0, strength)));
            painter.fillRect(QRect(cell * static_cast<int>(column + 1), top, cell - 1, cell - 1), colour);
        }
    }
}

}  // namespace kelvaro
