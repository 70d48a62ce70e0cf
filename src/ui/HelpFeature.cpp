// The Help menu: the user manual (F1) and the information window (F2).
#include "ui/HelpFeature.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include "ui/TForm1.h"
#include "ui/TFormHelp.h"
#include "ui/TFormInfo.h"
#include "ui/TableText.h"

namespace kelvaro {

HelpFeature::HelpFeature(TForm1& form) : QObject(&form), Form(form) {
    setObjectName("HelpFeature");
    QMenu* menu = Form.menuBar()->addMenu(QString());
    menu->setObjectName("MenuHelpTop");
    MenuHelp = menu->addAction(QString());
    MenuHelp->setObjectName("MenuHelp");
    MenuHelp->setShortcut(QKeySequence(Qt::Key_F1));
    About1 = menu->addAction(QString());
    About1->setObjectName("About1");
    About1->setShortcut(QKeySequence(Qt::Key_F2));
    Help = new TFormHelp(&Form);
    Info = new TFormInfo(&Form);
    connect(MenuHelp, &QAction::triggered, this, [this] { MenuHelpClick(); });
    connect(About1, &QAction::triggered, this, [this] { About1Click(); });
    Form.RegisterFeature(this);
}

void HelpFeature::MenuHelpClick() {
    Help->ShowContents(Form.Texts().Current());
}

void HelpFeature::About1Click() {
    Info->Label1->setText("KELVARO 4.0");
    Info->show();
    Info->raise();
}

void HelpFeature::Retranslate(const LanguageTable& texts) {
    if (auto* menu = qobject_cast<QMenu*>(MenuHelp->parent())) {
        menu->setTitle(TableText(texts, "MenuHelpTop.Caption"));
    }
    MenuHelp->setText(TableText(texts, "MenuHelp.Caption"));
    About1->setText(TableText(texts, "About1.Caption"));
    Info->Retranslate(texts);
    if (Help->isVisible()) {
        MenuHelpClick();
    }
}

}  // namespace kelvaro
