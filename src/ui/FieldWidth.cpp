// Widths of entry fields taken from the text they must show, so they follow the font.
#include "ui/FieldWidth.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

namespace kelvaro {

int FieldWidthFor(const QLineEdit* edit, const QString& text) {
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
    const QMargins margins = edit->textMargins();
    // QLineEdit keeps two pixels free on either side of its text.
    const QSize contents(edit->fontMetrics().horizontalAdvance(text) + 4 + margins.left() + margins.right(),
                         edit->fontMetrics().height());
    return edit->style()->sizeFromContents(QStyle::CT_LineEdit, &option, contents, edit).width();
}

void SizeFieldFor(QLineEdit* edit, const QString& widest) {
    edit->setFixedWidth(FieldWidthFor(edit, widest));
}

void WidenFieldWithText(QLineEdit* edit) {
    QObject::connect(edit, &QLineEdit::textChanged, edit,
                     [edit](const QString& text) { edit->setMinimumWidth(FieldWidthFor(edit, text)); });
}

}  // namespace kelvaro
