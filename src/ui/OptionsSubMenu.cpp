// A submenu of the Options menu that several features add their items to.
#include "ui/OptionsSubMenu.h"

#include <QAction>
#include <QMenu>

#include "ui/MainMenu.h"

namespace kelvaro {

QMenu* OptionsSubMenu(MainMenu& menus, const char* name) {
    if (auto* existing = menus.MenuOptions->findChild<QMenu*>(name, Qt::FindDirectChildrenOnly)) {
        return existing;
    }
    QMenu* menu = menus.MenuOptions->addMenu(QString());
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
}

}  // namespace kelvaro
