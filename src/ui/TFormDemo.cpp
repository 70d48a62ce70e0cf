// The demonstration window: the played file in large type for a class, its progress selected.
#include "ui/TFormDemo.h"

#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextCursor>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace kelvaro {

TFormDemo::TFormDemo(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("TFormDemo");
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowTitle("KELVARO  DEMO");
    MemoDemo = new QPlainTextEdit(this);
    MemoDemo->setObjectName("MemoDemo");
    MemoDemo->setReadOnly(true);
    MemoDemo->setUndoRedoEnabled(false);
    MemoDemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The played part stays highlighted while the main window has the focus.
    QPalette palette = MemoDemo->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight,
                     palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::HighlightedText));
    MemoDemo->setPalette(palette);
    QFont font("Courier");
    font.setStyleHint(QFont::TypeWriter);
    font.setBold(true);
    MemoDemo->setFont(font);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(MemoDemo, 0, Qt::AlignLeft | Qt::AlignTop);
}

void TFormDemo::ShowLarge(int paneWidth, double panePointSize) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize area = screen != nullptr ? screen->availableGeometry().size() : QSize(1024, 768);
    MemoDemo->setFixedSize(std::max(100, area.width() - 20), std::max(100, area.height() - 40));
    QFont font = MemoDemo->font();
    const double scaled =
        std::trunc(static_cast<double>(MemoDemo->width()) / std::max(1, paneWidth) * panePointSize);
    font.setPointSizeF(std::max(8.0, scaled));
    MemoDemo->setFont(font);
    showMaximized();
    raise();
}

void TFormDemo::SelectPlayed(int length) {
    QTextCursor cursor(MemoDemo->document());
    cursor.setPosition(std::min(length, MemoDemo->document()->characterCount() - 1), QTextCursor::KeepAnchor);
    MemoDemo->setTextCursor(cursor);
}

void TFormDemo::SetText(const QString& text) {
    MemoDemo->setPlainText(text);
    MemoDemo->moveCursor(QTextCursor::Start);
}

}  // namespace kelvaro
