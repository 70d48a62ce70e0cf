// The main window's menu bar: every item with its name, caption and shortcut.
#pragma once

#include <QObject>
#include <array>
#include <vector>

#include "app/LanguageTable.h"

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;

namespace kelvaro {

class LanguageTable;

/// Items only; the main window connects their handlers. Each item's objectName is its name,
/// and its caption is the language table's "<name>.Caption".
class MainMenu final : public QObject {
    Q_OBJECT
public:
    explicit MainMenu(QMenuBar* bar);

    void Retranslate(const LanguageTable& texts);
    /// The item's caption without its "&".
    static QString PlainCaption(const QAction* action);

    QMenu* MenuTextreplay = nullptr;
    QAction* MenuDelayedPlay = nullptr;
    QMenu* MenuContinuous = nullptr;
    QAction* MenuNoBoucle = nullptr;
    QAction* MenuStanby1s = nullptr;
    QAction* MenuStandby10s = nullptr;
    QAction* MenuStandby60s = nullptr;
    QAction* menuStandby300s = nullptr;

    QMenu* MenuSpeed = nullptr;
    QAction* UpSpeed = nullptr;
    QAction* DownSpeed = nullptr;
    QMenu* Poids = nullptr;
    QAction* Poids31 = nullptr;
    QAction* Poids41 = nullptr;
    QAction* Poids51 = nullptr;
    QMenu* MenuEspaceMot = nullptr;
    std::vector<QAction*> MenuEspaceMotItems;  // MenuEspaceMot1 .. MenuEspaceMot4
    QAction* EspacePlus = nullptr;

    QMenu* MenuSound = nullptr;
    QMenu* MenuVolume = nullptr;
    QAction* UpVolume = nullptr;
    QAction* DownVolume = nullptr;
    QAction* MenuNote = nullptr;
    QAction* MenuNoisesettings = nullptr;
    QAction* MenuQSBsetting = nullptr;
    QAction* MenuDriftSetting = nullptr;

    /// The practice options (random characters, quiz ...): each feature adds its own items.
    QMenu* MenuOptions = nullptr;

    QMenu* MenuOutils = nullptr;
    QAction* MenuHideHints = nullptr;
    QAction* MenuOutilsQuit = nullptr;

    /// One checkable item per interface language, in the order of kAllLanguages (the menu
    /// itself lists them alphabetically by their own names).
    QMenu* Language1 = nullptr;
    std::array<QAction*, 7> LanguageItems{};
    QAction* LanguageItem(Language language) const {
        return LanguageItems[static_cast<std::size_t>(language)];
    }

private:
    QAction* Item(QMenu* menu, const char* name, bool checkable = false);
    QMenu* SubMenu(QMenu* parent, const char* name);
    QMenu* TopMenu(const char* name);

    QMenuBar* Bar;
    std::vector<QObject*> Named;
};

}  // namespace kelvaro
