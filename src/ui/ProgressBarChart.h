// A bar chart of per-character accuracy, worst first, painted by hand.
#pragma once

#include <QString>
#include <QWidget>
#include <vector>

namespace kelvaro {

class ProgressBarChart final : public QWidget {
    Q_OBJECT
public:
    struct Bar {
        QString Label;
        /// 0..100.
        double Percent = 0.0;
    };
    explicit ProgressBarChart(QWidget* parent = nullptr);
    void SetBars(std::vector<Bar> bars);
    const std::vector<Bar>& Bars() const { return Shown; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<Bar> Shown;
};

}  // namespace kelvaro
