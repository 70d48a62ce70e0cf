// Finds every text a window shows only in part: a label, button, radio, check box, group title,
// read-only field or menu title that is narrower or lower than its text, partly covered by a
// sibling, or reaching outside its parent.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace kelvaro::test {

/// One line per fault, naming the widget and its text; empty when every text shows whole.
/// A widget that a sibling covers completely (a side panel laid over the text box) counts as
/// hidden, not clipped. Widgets named in `offStage` are skipped (placed outside on purpose).
QStringList ClippedTexts(QWidget* window, const QStringList& offStage = {});

}  // namespace kelvaro::test
