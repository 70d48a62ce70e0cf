// A line chart of values over time (accuracy, speed), painted by hand.
#pragma once

#include <QWidget>
#include <vector>

#include "app/ProgressStatistics.h"

namespace kelvaro {

class ProgressLineChart final : public QWidget {
    Q_OBJECT
public:
    explicit ProgressLineChart(const char* name, QString unit, QWidget* parent = nullptr);
    /// The points in time order; the scale runs from 0 to `top` (at least the largest value).
    void SetPoints(std::vector<RunPoint> points, double top);
    const std::vector<RunPoint>& Points() const { return Shown; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<RunPoint> Shown;
    double Top = 100.0;
    QString Unit;
};

}  // namespace kelvaro
