// A label that is a link: shown underlined in the theme's link colour with the hand cursor;
// a click opens its target with the desktop's handler.
#pragma once

#include <QLabel>
#include <QUrl>
#include <functional>

namespace kelvaro {

class TLabelUrl final : public QLabel {
    Q_OBJECT
    Q_PROPERTY(QString Url READ Url WRITE SetUrl)
public:
    explicit TLabelUrl(QWidget* parent = nullptr);

    QString Url() const { return Target; }
    /// Stores the target and shows it as the caption.
    void SetUrl(const QString& url);

    /// Runs first on a click, when set.
    std::function<void()> OnClick;
    /// Opens the target; the desktop's handler unless a test replaces it.
    std::function<bool(const QUrl&)> Open;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString Target;
};

}  // namespace kelvaro
