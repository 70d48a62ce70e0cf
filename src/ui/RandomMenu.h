// The menu items of the random groups: the character sets, the word options and the Tools items.
#pragma once

#include <QObject>
#include <array>
#include <vector>

class QAction;
class QMenu;

namespace kelvaro {

class LanguageTable;
class MainMenu;

/// Items only; the random feature connects their handlers. Each item's objectName is its
/// name and its caption the language table's "<name>.Caption".
class RandomMenu final : public QObject {
    Q_OBJECT
public:
    explicit RandomMenu(MainMenu& menus, QObject* parent = nullptr);
    void Retranslate(const LanguageTable& texts);

    QMenu* Randomcaracters1 = nullptr;
    /// The nine set items, in the settings file's order 1..9.
    std::array<QAction*, 9> SetItems{};
    QAction* MenuLetters = nullptr;
    QAction* MenuFigures = nullptr;
    QAction* MenuStops = nullptr;
    QAction* MenuLocal = nullptr;
    QAction* MenuLettersFigures = nullptr;
    QAction* MenuAll = nullptr;
    QAction* MenuChoixCaracteres = nullptr;
    QAction* menuExamen = nullptr;
    QAction* MenuListWords = nullptr;
    QAction* MenuAddV = nullptr;
    QMenu* MenuWordslength = nullptr;
    /// MenuFixedWords2 .. MenuFixedWords8 at indexes 0 .. 6.
    std::array<QAction*, 7> MenuFixedWords{};
    QAction* MenuRandomWords = nullptr;
    QAction* MenuWordContent = nullptr;
    QAction* menuCallsigns = nullptr;
    QAction* MenuHide = nullptr;
    QAction* menulowercase = nullptr;

    QAction* ClearMemoRandom = nullptr;
    QAction* SaveMemoRandom1 = nullptr;
    QAction* MenuQuickRandom = nullptr;
    QAction* MenuLocallesson = nullptr;

private:
    QAction* Item(QMenu* menu, const char* name, const char* keys, bool checkable);

    std::vector<QObject*> Named;
};

}  // namespace kelvaro
