// The language menu through the real window: each switch leaves no text of the previous
// language anywhere in the window or its small windows, keeps every state, and the choice is
// saved and comes back at the next start.
#include <QAbstractButton>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <set>

#include "WindowFixture.h"
#include "app/LanguageTable.h"

namespace kelvaro::test {
namespace {

struct Item {
    const char* Name;
    Language Which;
    char Code;
};
// Every language once, through its menu item, ending back in English.
constexpr std::array<Item, 8> kWalk = {{{"Francais1", Language::French, 'F'},
                                        {"Deutsch1", Language::German, 'D'},
                                        {"Italiano1", Language::Italian, 'I'},
                                        {"Portugues1", Language::Portuguese, 'P'},
                                        {"Espagnol1", Language::Spanish, 'S'},
                                        {"Polski1", Language::Polish, 'K'},
                                        {"English1", Language::English, 'E'},
                                        {"Francais1", Language::French, 'F'}}};

std::set<QString> TableTexts(Language language) {
    std::set<QString> texts;
    for (const auto& [entry, text] : LanguageTable::EntriesOf(language)) {
        texts.insert(QString::fromStdString(text));
    }
    return texts;
}

class LanguageSwitchTest : public WindowFixture {
protected:
    /// Every text the window and its small windows carry: titles, captions, hints, menu items
    /// and list rows (trimmed, as the table's list rows carry leading blanks).
    std::vector<std::pair<QString, QString>> ShownTexts() {
        std::vector<std::pair<QString, QString>> texts;
        auto add = [&](const QObject* owner, const QString& text) {
            if (!text.isEmpty()) {
                QString name = owner->objectName();
                for (const QObject* up = owner->parent(); name.isEmpty() && up != nullptr;
                     up = up->parent()) {
                    name = "in " + up->objectName();
                }
                texts.emplace_back(name, text);
            }
        };
        for (QWidget* widget : Form->findChildren<QWidget*>()) {
            // Qt's standard dialogs (file, input, message boxes) carry Qt's own texts.
            const QWidget* window = widget->window();
            if (window->inherits("QFileDialog") || window->inherits("QInputDialog") ||
                window->inherits("QMessageBox")) {
                continue;
            }
            add(widget, widget->toolTip());
            if (widget->isWindow()) {
                add(widget, widget->windowTitle());
            }
            if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
                add(button, button->text());
            } else if (auto* label = qobject_cast<QLabel*>(widget)) {
                add(label, label->text());
            } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
                add(group, group->title());
            } else if (auto* menu = qobject_cast<QMenu*>(widget)) {
                add(menu, menu->title());
            } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
                for (int row = 0; row < list->count(); ++row) {
                    add(list, list->item(row)->text());
                }
            }
        }
        for (QAction* action : Form->findChildren<QAction*>()) {
            add(action, action->text());
        }
        add(Form.get(), Form->windowTitle());
        return texts;
    }

    /// The texts that belong to `before` only: any of them still showing was left behind.
    QStringList LeftBehind(Language before, Language after) {
        const std::set<QString> old = TableTexts(before);
        const std::set<QString> now = TableTexts(after);
        QStringList faults;
        for (const auto& [name, text] : ShownTexts()) {
            // The alphabet's headings are indented in the table.
            const QString heading = name == "ListAlphabet" ? QString("       ") + text.trimmed() : text;
            for (const QString& candidate : {text, heading}) {
                if (old.contains(candidate) && !now.contains(candidate)) {
                    faults << name + ": " + text;
                }
            }
        }
        return faults;
    }
};

TEST_F(LanguageSwitchTest, EveryLanguageFromTheMenuReplacesEveryTextAndKeepsTheStates) {
    Create();
    // Open the small windows and panels so that their texts are on show too.
    Find<QRadioButton>("RadioButtonQuiz")->click();
    Trigger("MenuNote");
    Trigger("MenuNoisesettings");
    Trigger("MenuQSBsetting");
    Trigger("MenuDriftSetting");
    Trigger("MenuInstructor");
    Trigger("Poids41");
    const bool hintsHidden = Find<QAction>("MenuHideHints")->isChecked();
    Language before = Language::English;
    int checkedTexts = 0;
    for (const Item& item : kWalk) {
        SCOPED_TRACE(item.Name);
        Trigger(item.Name);
        EXPECT_EQ(Form->Texts().Current(), item.Which);
        EXPECT_TRUE(Find<QAction>(item.Name)->isChecked());
        EXPECT_EQ(Form->windowTitle().toStdString(),
                  LanguageTable::EntriesOf(item.Which).at("TForm1.Caption"));
        EXPECT_EQ(LeftBehind(before, item.Which).join(" | ").toStdString(), "");
        checkedTexts += static_cast<int>(ShownTexts().size());
        // The states stay as they were: only the texts change.
        EXPECT_TRUE(Find<QRadioButton>("RadioButtonQuiz")->isChecked());
        EXPECT_EQ(Find<QAction>("MenuHideHints")->isChecked(), hintsHidden);
        before = item.Which;
    }
    EXPECT_GT(checkedTexts, 8 * 300);
}

TEST_F(LanguageSwitchTest, ChoosingTheCurrentLanguageChangesNothing) {
    Create({"/D"});
    const QString title = Form->windowTitle();
    Trigger("Deutsch1");
    EXPECT_EQ(Form->Texts().Current(), Language::German);
    EXPECT_TRUE(Find<QAction>("Deutsch1")->isChecked());
    EXPECT_EQ(Form->windowTitle(), title);
}

TEST_F(LanguageSwitchTest, LeavingFrenchDuringTheExamTurnsItOffForLettersAndFigures) {
    const QString words = Folder.path() + "/words.txt";
    QFile list(words);
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("abc\r\ndefg\r\n");
    list.close();
    QFile settings(Folder.path() + "/kelvaro.dat");
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write(("LISTW=" + words + "\r\n\x02\xff\xff\r\n").toLatin1());
    settings.close();
    Create({"/F"});
    Find<QRadioButton>("RadioButtonRandom")->click();
    Trigger("menuExamen");
    ASSERT_TRUE(Find<QAction>("menuExamen")->isChecked());
    ASSERT_TRUE(Find<QLabel>("PanelExamen")->isVisible());

    Trigger("Espagnol1");
    EXPECT_FALSE(Find<QAction>("menuExamen")->isChecked());
    EXPECT_FALSE(Find<QAction>("menuExamen")->isEnabled());
    EXPECT_TRUE(Find<QAction>("MenuLettersFigures")->isChecked());
    EXPECT_FALSE(Find<QLabel>("PanelExamen")->isVisible());

    Trigger("Francais1");
    EXPECT_TRUE(Find<QAction>("menuExamen")->isEnabled());
    EXPECT_FALSE(Find<QAction>("menuExamen")->isChecked());
}

TEST_F(LanguageSwitchTest, TheChosenLanguageIsSavedAndComesBackAtTheNextStart) {
    for (const Item& item : kWalk) {
        SCOPED_TRACE(item.Name);
        Create();
        Trigger(item.Name);
        Form->MenuOutilsQuitClick();
        Form.reset();
        QFile saved(Folder.path() + "/kelvaro.dat");
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
        EXPECT_NE(saved.readAll().indexOf(QByteArray("LANGUAGE=") + item.Code + "\r\n"), -1);
        saved.close();
        Create();
        EXPECT_EQ(Form->Texts().Current(), item.Which);
        EXPECT_TRUE(Find<QAction>(item.Name)->isChecked());
        EXPECT_EQ(Form->windowTitle().toStdString(),
                  LanguageTable::EntriesOf(item.Which).at("TForm1.Caption"));
        Form.reset();
    }
}

TEST_F(LanguageSwitchTest, CommandLineSwitchesPickTheLanguageAndPolishKeepsTheEnglishTitle) {
    const std::array<std::pair<const char*, const char*>, 7> switches = {{{"/E", "English1"},
                                                                          {"/F", "Francais1"},
                                                                          {"/d", "Deutsch1"},
                                                                          {"/I", "Italiano1"},
                                                                          {"/P", "Portugues1"},
                                                                          {"/S", "Espagnol1"},
                                                                          {"/K", "Polski1"}}};
    for (const auto& [argument, item] : switches) {
        SCOPED_TRACE(argument);
        Create({argument});
        EXPECT_TRUE(Find<QAction>(item)->isChecked());
        Form.reset();
    }
    Create({"/K"});
    EXPECT_EQ(Form->windowTitle(), "KELVARO 4.0 - THE  MORSE  CODE  TEACHER  &  TRAINER");
    Prompts.Answer = false;
    Form->ButtonQuitterClick();
    ASSERT_EQ(Prompts.Questions.size(), 1U);
    EXPECT_EQ(Prompts.Questions[0], "You quit ! Are you sure ?");
    EXPECT_EQ(Find<QAbstractButton>("ButtonQuitter")->text().toStdString(),
              LanguageTable::EntriesOf(Language::Polish).at("ButtonQuitter.Caption"));
}

}  // namespace
}  // namespace kelvaro::test
