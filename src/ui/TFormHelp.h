// The user manual in a window of the program, in the interface language where it exists.
#pragma once

#include <QDialog>
#include <QString>

#include "app/LanguageTable.h"

class QTextBrowser;

namespace kelvaro {

class TFormHelp final : public QDialog {
    Q_OBJECT
public:
    explicit TFormHelp(QWidget* parent);

    /// The manual's contents page for a language; English where the language has none.
    static QString PageFor(Language language);
    /// Shows the contents page of the language's manual.
    void ShowContents(Language language);
    QString ShownPage() const { return Page; }

    QTextBrowser* Browser = nullptr;

private:
    QString Page;
};

}  // namespace kelvaro
