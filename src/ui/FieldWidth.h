// Widths of entry fields taken from the text they must show, so they follow the font.
#pragma once

class QLineEdit;
class QString;

namespace kelvaro {

/// The width `edit` needs to show `text` whole in its font, frame and margins included.
int FieldWidthFor(const QLineEdit* edit, const QString& text);

/// A field for a few characters: exactly as wide as `widest` in its font.
void SizeFieldFor(QLineEdit* edit, const QString& widest);

/// A read-only field that widens to whatever text it is given.
void WidenFieldWithText(QLineEdit* edit);

}  // namespace kelvaro
