// The user manual in a window of the program, in the interface language where it exists.
#include "ui/TFormHelp.h"

#include <QFile>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace kelvaro {

namespace {

const char* FolderOf(Language language) {
    switch (language) {
        case Language::French:
            return "fr";
        case Language::German:
            return "de";
        case Language::Italian:
            return "it";
        case Language::Portuguese:
            return "pt";
        case Language::Spanish:
            return "es";
        case Language::Polish:
            return "pl";
        case Language::English:
            break;
    }
    return "en";
}

}  // namespace

TFormHelp::TFormHelp(QWidget* parent) : QDialog(parent) {
    setObjectName("FormHelp");
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    Browser = new QTextBrowser(this);
    Browser->setObjectName("HelpBrowser");
    Browser->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Browser);
    resize(760, 620);
}

QString TFormHelp::PageFor(Language language) {
    const QString page = QString(":/help/%1/index.html").arg(FolderOf(language));
    return QFile::exists(page) ? page : QString(":/help/en/index.html");
}

void TFormHelp::ShowContents(Language language) {
    Page = PageFor(language);
    Browser->setSource(QUrl("qrc" + Page));
    setWindowTitle(Browser->documentTitle());
    show();
    raise();
    activateWindow();
}

}  // namespace kelvaro
