// A label that is a link: shown underlined in the theme's link colour with the hand cursor;
// a click opens its target with the desktop's handler.
#include "ui/TLabelUrl.h"

#include <QDesktopServices>
#include <QMouseEvent>

namespace kelvaro {

TLabelUrl::TLabelUrl(QWidget* parent) : QLabel(parent) {
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    // The theme's link colour, so the link stays readable in a dark theme too.
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, colours.color(QPalette::Link));
    setPalette(colours);
    setCursor(Qt::PointingHandCursor);
    Open = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

void TLabelUrl::SetUrl(const QString& url) {
    Target = url;
    setText(url);
}

void TLabelUrl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        if (OnClick) {
            OnClick();
        }
        if (!Target.isEmpty()) {
            Open(QUrl::fromUserInput(Target));
        }
    }
    QLabel::mouseReleaseEvent(event);
}

}  // namespace kelvaro
