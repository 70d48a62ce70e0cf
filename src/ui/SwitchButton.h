// A sticky switch button of the random pane: a left click toggles, a right click opens settings.
#pragma once

#include <QToolButton>
#include <functional>

namespace kelvaro {

class SwitchButton final : public QToolButton {
    Q_OBJECT
public:
    explicit SwitchButton(const char* name, QWidget* parent = nullptr);

    std::function<void()> OnRightClick;

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace kelvaro
