// The menu items of the random groups: the character sets, the word options and the Tools items.
#include "ui/RandomMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <string>

#include "app/LanguageTable.h"
#include "ui/MainMenu.h"
#include "ui/TableText.h"

namespace kelvaro {

RandomMenu::RandomMenu(MainMenu& menus, QObject* parent) : QObject(parent) {
    Randomcaracters1 = menus.MenuOptions->addMenu(QString());
    Randomcaracters1->setObjectName("Randomcaracters1");
    Randomcaracters1->menuAction()->setObjectName("Randomcaracters1");
    Named.push_back(Randomcaracters1);

    MenuLetters = Item(Randomcaracters1, "MenuLetters", "F5", true);
    MenuFigures = Item(Randomcaracters1, "MenuFigures", "F6", true);
    MenuStops = Item(Randomcaracters1, "MenuStops", "F7", true);
    MenuLocal = Item(Randomcaracters1, "MenuLocal", "F8", true);
    MenuLettersFigures = Item(Randomcaracters1, "MenuLettersFigures", "F9", true);
    MenuAll = Item(Randomcaracters1, "MenuAll", "F10", true);
    MenuChoixCaracteres = Item(Randomcaracters1, "MenuChoixCaracteres", "F11", true);
    menuExamen = Item(Randomcaracters1, "menuExamen", "Ctrl+Alt+E", true);
    MenuListWords = Item(Randomcaracters1, "MenuListWords", "Ctrl+Alt+V", true);
    SetItems = {MenuLetters, MenuFigures,         MenuStops,  MenuLocal,    MenuLettersFigures,
                MenuAll,     MenuChoixCaracteres, menuExamen, MenuListWords};
    MenuAll->setChecked(true);
    Randomcaracters1->addSeparator();
    MenuAddV = Item(Randomcaracters1, "MenuAddV", "F12", true);
    MenuWordslength = Randomcaracters1->addMenu(QString());
    MenuWordslength->setObjectName("MenuWordslength");
    MenuWordslength->menuAction()->setObjectName("MenuWordslength");
    MenuWordslength->menuAction()->setShortcut(QKeySequence("F3"));
    Named.push_back(MenuWordslength);
    auto* lengths = new QActionGroup(this);
    for (int length = 2; length <= 8; ++length) {
        const std::string name = "MenuFixedWords" + std::to_string(length);
        QAction* item = Item(MenuWordslength, name.c_str(), nullptr, true);
        lengths->addAction(item);
        MenuFixedWords[static_cast<std::size_t>(length - 2)] = item;
    }
    MenuRandomWords = Item(MenuWordslength, "MenuRandomWords", nullptr, true);
    lengths->addAction(MenuRandomWords);
    MenuFixedWords[3]->setChecked(true);
    MenuWordslength->addSeparator();
    MenuWordContent = Item(MenuWordslength, "MenuWordContent", nullptr, true);
    menuCallsigns = Item(MenuWordslength, "menuCallsigns", nullptr, true);
    menuCallsigns->setEnabled(false);
    Randomcaracters1->addSeparator();
    MenuHide = Item(Randomcaracters1, "MenuHide", nullptr, true);
    menulowercase = Item(Randomcaracters1, "menulowercase", nullptr, true);

    QMenu* tools = menus.MenuOutils;
    QAction* before = tools->actions().isEmpty() ? nullptr : tools->actions().front();
    ClearMemoRandom = Item(tools, "ClearMemoRandom", "Ctrl+Shift+F1", false);
    SaveMemoRandom1 = Item(tools, "SaveMemoRandom1", "Ctrl+Shift+F2", false);
    MenuQuickRandom = Item(tools, "MenuQuickRandom", "Ctrl+Shift+F11", false);
    MenuQuickRandom->setEnabled(false);
    MenuLocallesson = Item(tools, "MenuLocallesson", "Ctrl+Shift+F4", false);
    if (before != nullptr) {
        // The random items come first in the Tools menu, above the program's own items.
        for (QAction* item : {ClearMemoRandom, SaveMemoRandom1, MenuQuickRandom, MenuLocallesson}) {
            tools->removeAction(item);
            tools->insertAction(before, item);
        }
        tools->insertSeparator(before);
    }
}

QAction* RandomMenu::Item(QMenu* menu, const char* name, const char* keys, bool checkable) {
    QAction* action = menu->addAction(QString());
    action->setObjectName(name);
    action->setCheckable(checkable);
    if (keys != nullptr) {
        action->setShortcut(QKeySequence(keys));
    }
    Named.push_back(action);
    return action;
}

void RandomMenu::Retranslate(const LanguageTable& texts) {
    for (QObject* object : Named) {
        const QString caption = TableText(texts, object->objectName().toStdString() + ".Caption");
        if (auto* menu = qobject_cast<QMenu*>(object)) {
            menu->setTitle(caption);
        } else if (auto* action = qobject_cast<QAction*>(object)) {
            action->setText(caption);
        }
    }
}

}  // namespace kelvaro
