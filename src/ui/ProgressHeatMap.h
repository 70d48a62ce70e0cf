// The confusion matrix as a heat map: rows are the characters sent, columns what was copied.
#pragma once

#include <QWidget>

#include "app/ProgressStatistics.h"

namespace kelvaro {

class ProgressHeatMap final : public QWidget {
    Q_OBJECT
public:
    explicit ProgressHeatMap(QWidget* parent = nullptr);
    void SetMatrix(ConfusionMatrix matrix);
    const ConfusionMatrix& Matrix() const { return Shown; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ConfusionMatrix Shown;
};

}  // namespace kelvaro
