// A submenu of the Options menu that several features add their items to.
#pragma once

class QMenu;

namespace kelvaro {

class MainMenu;

/// The submenu of Options named `name`, made on first use; its title is set by whoever
/// retranslates it (the language table's "<name>.Caption").
QMenu* OptionsSubMenu(MainMenu& menus, const char* name);

}  // namespace kelvaro
