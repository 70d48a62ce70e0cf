// The main window's menu bar: every item with its name, caption and shortcut.
#include "ui/MainMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

#include "app/LanguageTable.h"

namespace kelvaro {

MainMenu::MainMenu(QMenuBar* bar) : QObject(bar), Bar(bar) {
    MenuTextreplay = TopMenu("MenuTextreplay");
    MenuDelayedPlay = Item(MenuTextreplay, "MenuDelayedPlay", true);
    MenuDelayedPlay->setShortcut(QKeySequence("Shift+Ctrl+F7"));
    MenuContinuous = SubMenu(MenuTextreplay, "MenuContinuous");
    MenuContinuous->menuAction()->setCheckable(true);
    MenuContinuous->menuAction()->setShortcut(QKeySequence("Shift+Ctrl+F8"));
    auto* standby = new QActionGroup(this);
    for (auto [item, name] : {std::pair{&MenuNoBoucle, "MenuNoBoucle"},
                              {&MenuStanby1s, "MenuStanby1s"},
                              {&MenuStandby10s, "MenuStandby10s"},
                              {&MenuStandby60s, "MenuStandby60s"},
                              {&menuStandby300s, "menuStandby300s"}}) {
        *item = Item(MenuContinuous, name, true);
        standby->addAction(*item);
    }
    MenuNoBoucle->setChecked(true);

    MenuSpeed = TopMenu("MenuSpeed");
    UpSpeed = Item(MenuSpeed, "UpSpeed");
    UpSpeed->setShortcut(QKeySequence("Ctrl+U"));
    DownSpeed = Item(MenuSpeed, "DownSpeed");
    DownSpeed->setShortcut(QKeySequence("Ctrl+D"));
    MenuSpeed->addSeparator();
    Poids = SubMenu(MenuSpeed, "Poids");
    auto* weights = new QActionGroup(this);
    Poids31 = Item(Poids, "Poids31", true);
    Poids41 = Item(Poids, "Poids41", true);
    Poids51 = Item(Poids, "Poids51", true);
    for (QAction* weight : {Poids31, Poids41, Poids51}) {
        weights->addAction(weight);
    }
    Poids31->setChecked(true);
    MenuEspaceMot = SubMenu(MenuSpeed, "MenuEspaceMot");
    auto* wordSpacing = new QActionGroup(this);
    for (const char* name : {"MenuEspaceMot1", "MenuEspaceMot2", "MenuEspaceMot3", "MenuEspaceMot4"}) {
        QAction* item = Item(MenuEspaceMot, name, true);
        wordSpacing->addAction(item);
        MenuEspaceMotItems.push_back(item);
    }
    MenuEspaceMotItems[0]->setChecked(true);
    EspacePlus = Item(MenuSpeed, "EspacePlus");
    EspacePlus->setShortcut(QKeySequence("Ctrl+F1"));

    MenuSound = TopMenu("MenuSound");
    MenuVolume = SubMenu(MenuSound, "MenuVolume");
    UpVolume = Item(MenuVolume, "UpVolume");
    UpVolume->setShortcut(QKeySequence("Alt+U"));
    DownVolume = Item(MenuVolume, "DownVolume");
    DownVolume->setShortcut(QKeySequence("Alt+D"));
    MenuSound->addSeparator();
    MenuNote = Item(MenuSound, "MenuNote");
    MenuNoisesettings = Item(MenuSound, "MenuNoisesettings");
    MenuQSBsetting = Item(MenuSound, "MenuQSBsetting");
    MenuDriftSetting = Item(MenuSound, "MenuDriftSetting");

    MenuOptions = TopMenu("MenuOptions");

    MenuOutils = TopMenu("MenuOutils");
    MenuHideHints = Item(MenuOutils, "MenuHideHints", true);
    MenuOutils->addSeparator();
    MenuOutilsQuit = Item(MenuOutils, "MenuOutilsQuit");

    Language1 = TopMenu("Language1");
    auto* languages = new QActionGroup(this);
    struct LanguageEntry {
        const char* Name;
        Language Which;
        const char* Shortcut;
    };
    static constexpr std::array<LanguageEntry, 7> kLanguageItems = {{
        {"Deutsch1", Language::German, "Ctrl+F10"},
        {"English1", Language::English, "Ctrl+F11"},
        {"Espagnol1", Language::Spanish, "Ctrl+F7"},
        {"Francais1", Language::French, "Ctrl+F12"},
        {"Italiano1", Language::Italian, "Ctrl+F9"},
        {"Polski1", Language::Polish, "Ctrl+F6"},
        {"Portugues1", Language::Portuguese, "Ctrl+F8"},
    }};
    for (const LanguageEntry& entry : kLanguageItems) {
        QAction* item = Item(Language1, entry.Name, true);
        item->setShortcut(QKeySequence(entry.Shortcut));
        languages->addAction(item);
        LanguageItems[static_cast<std::size_t>(entry.Which)] = item;
    }
    LanguageItem(Language::English)->setChecked(true);
}

QAction* MainMenu::Item(QMenu* menu, const char* name, bool checkable) {
    QAction* action = menu->addAction(QString());
    action->setObjectName(name);
    action->setCheckable(checkable);
    Named.push_back(action);
    return action;
}

QMenu* MainMenu::SubMenu(QMenu* parent, const char* name) {
    QMenu* menu = parent->addMenu(QString());
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    Named.push_back(menu);
    return menu;
}

QMenu* MainMenu::TopMenu(const char* name) {
    QMenu* menu = Bar->addMenu(QString());
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(QString(name) + "Action");
    Named.push_back(menu);
    return menu;
}

void MainMenu::Retranslate(const LanguageTable& texts) {
    for (QObject* object : Named) {
        const QString caption =
            QString::fromStdString(texts.Text(object->objectName().toStdString() + ".Caption"));
        if (auto* menu = qobject_cast<QMenu*>(object)) {
            menu->setTitle(caption);
        } else if (auto* action = qobject_cast<QAction*>(object)) {
            action->setText(caption);
        }
    }
}

QString MainMenu::PlainCaption(const QAction* action) {
    QString caption = action->text();
    caption.remove('&');
    return caption;
}

}  // namespace kelvaro
