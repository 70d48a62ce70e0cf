// A label for a file's path that shows as much of its end as fits, the whole path as its hint.
#include "ui/PathLabel.h"

#include <QFontMetrics>
#include <algorithm>

namespace kelvaro {

PathLabel::PathLabel(QWidget* parent) : QLabel(parent) {
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    setMinimumWidth(40);
}

void PathLabel::SetPath(const QString& path) {
    FullPath = path;
    setToolTip(path);
    Elide();
}

void PathLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    Elide();
}

void PathLabel::Elide() {
    // The label's own frame and margins come on top of the text: narrow the text until the
    // whole label fits.
    int room = contentsRect().width() - 2 * margin();
    do {
        setText(fontMetrics().elidedText(FullPath, Qt::ElideLeft, std::max(0, room)));
        room -= 2;
    } while (room > 0 && minimumSizeHint().width() > width());
}

}  // namespace kelvaro
