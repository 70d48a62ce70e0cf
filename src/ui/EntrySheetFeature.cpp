// The entry sheet as the main window uses it: the "Always show the entry sheet" option, the
// sheet buttons of the random and file panes, and when the sheet shows and hides.
#include "ui/EntrySheetFeature.h"

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include "ui/MainMenu.h"
#include "ui/OptionsSubMenu.h"
#include "ui/TForm1.h"
#include "ui/TFormSaisie.h"
#include "ui/TableText.h"

namespace kelvaro {

namespace {

// The sheet's first place, from the main window's top-left corner.
constexpr int kFirstLeftOffset = 245;
constexpr int kFirstTopOffset = 170;

}  // namespace

EntrySheetFeature::EntrySheetFeature(TForm1& form) : QObject(&form), Form(form) {
    Saisie = new TFormSaisie(&Form);
    QMenu* miscellaneous = OptionsSubMenu(Form.Menus(), "MenuDivers");
    MenuSaisie = miscellaneous->addAction(QString());
    MenuSaisie->setObjectName("MenuSaisie");
    MenuSaisie->setCheckable(true);
    connect(MenuSaisie, &QAction::triggered, this, [this] { MenuSaisieClick(); });
    if (auto* button = Form.findChild<QToolButton*>("SpeedButtonSaisie")) {
        connect(button, &QToolButton::clicked, this, [this] { SpeedButtonSaisieClick(); });
    }
    // Connected after the random feature's own handler: the series has started when the
    // focus comes back to the sheet, so the student can type at once.
    if (auto* play = Form.findChild<QPushButton*>("BitBtnPlayRandom")) {
        connect(play, &QPushButton::clicked, this, [this] {
            if (Saisie->isVisible()) {
                Saisie->activateWindow();
                Saisie->MemoSaisie->setFocus();
            }
        });
    }
    Form.RegisterFeature(this);
}

QString EntrySheetFeature::T(const char* entry) const {
    return TableText(Form.Texts(), entry);
}

bool EntrySheetFeature::Always() const {
    return MenuSaisie->isChecked();
}

void EntrySheetFeature::MenuSaisieClick() {
    if (!Always()) {
        HideSheet();
        return;
    }
    const QWidget* random = Form.findChild<QWidget*>("GroupBoxRandom");
    const QWidget* file = Form.findChild<QWidget*>("PanelFile");
    // Asked of the panes within the window: at start-up the window itself is not shown yet.
    if ((random != nullptr && random->isVisibleTo(&Form)) || (file != nullptr && file->isVisibleTo(&Form))) {
        ShowSheet();
    }
}

void EntrySheetFeature::ShowIfAlways() {
    if (Always()) {
        ShowSheet();
    }
}

void EntrySheetFeature::ShowSheet() {
    Saisie->setWindowTitle(T("TFormSaisie.Caption"));
    if (!Placed) {
        Placed = true;
        Saisie->move(Form.pos() + QPoint(kFirstLeftOffset, kFirstTopOffset));
    }
    Saisie->show();
    Saisie->raise();
}

void EntrySheetFeature::HideSheet() {
    if (Saisie->isVisible()) {
        Saisie->hide();
    }
}

void EntrySheetFeature::OnModePaneShown(const QWidget* pane) {
    if (pane->objectName() == "GroupBoxRandom") {
        ShowIfAlways();
    } else if (pane->objectName() != "PanelFile" && Started) {
        HideSheet();  // the file mode decides for itself: a file loaded shows it
    }
}

void EntrySheetFeature::FinishStartUp(const SettingsModel& settings) {
    if (settings.ShowSheetAtStart) {
        MenuSaisie->setChecked(true);
        MenuSaisieClick();
    }
    Started = true;
}

void EntrySheetFeature::CollectSettings(SettingsModel& settings) const {
    settings.ShowSheetAtStart = Always();
}

void EntrySheetFeature::Retranslate(const LanguageTable& texts) {
    MenuSaisie->setText(TableText(texts, "MenuSaisie.Caption"));
    if (QMenu* miscellaneous = Form.Menus().MenuOptions->findChild<QMenu*>("MenuDivers")) {
        miscellaneous->setTitle(TableText(texts, "MenuDivers.Caption"));
    }
    for (const char* name : {"SpeedButtonSaisie", "SpeedButtonSaisieFile"}) {
        if (auto* button = Form.findChild<QToolButton*>(name)) {
            button->setToolTip(TableText(texts, std::string(name) + ".Hint"));
        }
    }
    if (Saisie->isVisible()) {
        Saisie->setWindowTitle(T("TFormSaisie.Caption"));
    }
}

}  // namespace kelvaro
