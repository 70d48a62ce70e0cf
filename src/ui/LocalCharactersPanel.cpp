// The side panel that creates, modifies and deletes the user's local characters.
#include "ui/LocalCharactersPanel.h"

#include <QAction>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/TextEncoding.h"
#include "ui/MainMenu.h"
#include "ui/Prompter.h"
#include "ui/TForm1.h"
#include "ui/TextPane.h"
#include "ui/TypingEdit.h"

namespace kelvaro {

namespace {

std::string ToCodes(const QString& text) {
    return Utf8ToCp1252(text.toStdString()).value_or(std::string());
}

QString ToText(std::string_view codes) {
    return QString::fromStdString(Cp1252ToUtf8(codes));
}

}  // namespace

LocalCharactersPanel::LocalCharactersPanel(TForm1& form) : QFrame(form.centralWidget()), Form(form) {
    setObjectName("PanelLocalCharacters");
    setFrameShape(QFrame::StyledPanel);

    auto label = [this](const char* name) {
        auto* created = new QLabel(this);
        created->setObjectName(name);
        created->setWordWrap(true);
        return created;
    };
    auto edit = [this](const char* name, int maxLength) {
        auto* created = new QLineEdit(this);
        created->setObjectName(name);
        created->setMaxLength(maxLength);
        return created;
    };
    LabelLocalTitle = label("LabelLocalTitle");
    QFont bold = LabelLocalTitle->font();
    bold.setBold(true);
    LabelLocalTitle->setFont(bold);
    LabelLocalWarning = label("LabelLocalWarning");
    EditLocalCharacter = edit("EditLocalCharacter", 1);
    LabelLocalCharacter = label("LabelLocalCharacter");
    EditLocalCode = edit("EditLocalCode", LocalCharacters::kMaxPatternLength);
    LabelLocalCode = label("LabelLocalCode");
    EditLocalComment = edit("EditLocalComment", LocalCharacters::kMaxCommentLength);
    LabelLocalComment = label("LabelLocalComment");
    LabelLocalPlein = label("LabelLocalPlein");

    RadioGroupLocal = new QGroupBox(this);
    RadioGroupLocal->setObjectName("RadioGroupLocal");
    RadioButtonLocalCreate = new QRadioButton(RadioGroupLocal);
    RadioButtonLocalCreate->setObjectName("RadioButtonLocalCreate");
    RadioButtonLocalDelete = new QRadioButton(RadioGroupLocal);
    RadioButtonLocalDelete->setObjectName("RadioButtonLocalDelete");
    RadioButtonLocalModify = new QRadioButton(RadioGroupLocal);
    RadioButtonLocalModify->setObjectName("RadioButtonLocalModify");
    Actions = new QButtonGroup(this);
    Actions->addButton(RadioButtonLocalCreate);
    Actions->addButton(RadioButtonLocalDelete);
    Actions->addButton(RadioButtonLocalModify);
    auto* actionLayout = new QVBoxLayout(RadioGroupLocal);
    actionLayout->addWidget(RadioButtonLocalCreate);
    actionLayout->addWidget(RadioButtonLocalDelete);
    actionLayout->addWidget(RadioButtonLocalModify);

    ButtonLocalCaractereEnter = new QPushButton(this);
    ButtonLocalCaractereEnter->setObjectName("ButtonLocalCaractereEnter");
    ButtonLocalCaractereEnter->setDefault(true);
    ButtonLocalCaractereExit = new QPushButton(this);
    ButtonLocalCaractereExit->setObjectName("ButtonLocalCaractereExit");

    auto* layout = new QGridLayout(this);
    layout->addWidget(LabelLocalTitle, 0, 0, 1, 2);
    layout->addWidget(LabelLocalWarning, 1, 0, 1, 2);
    layout->addWidget(EditLocalCharacter, 2, 0);
    layout->addWidget(LabelLocalCharacter, 2, 1);
    layout->addWidget(EditLocalCode, 3, 0);
    layout->addWidget(LabelLocalCode, 3, 1);
    layout->addWidget(EditLocalComment, 4, 0);
    layout->addWidget(LabelLocalComment, 4, 1);
    layout->addWidget(RadioGroupLocal, 5, 0, 1, 2);
    layout->addWidget(LabelLocalPlein, 6, 0, 1, 2);
    layout->addWidget(ButtonLocalCaractereEnter, 7, 0);
    layout->addWidget(ButtonLocalCaractereExit, 7, 1);
    Form.PlaceSidePanel(this);

    MenuLocalCharacters = new QAction(Form.Menus().MenuOutils);
    MenuLocalCharacters->setObjectName("MenuLocalCharacters");
    const auto existing = Form.Menus().MenuOutils->actions();
    Form.Menus().MenuOutils->insertAction(existing.isEmpty() ? nullptr : existing.front(),
                                          MenuLocalCharacters);

    SetShortcutKeyTest([&form](std::uint8_t code) { return form.Shortcuts().IsShortcutKey(code); });

    connect(MenuLocalCharacters, &QAction::triggered, this, [this] { MenuLocalCharactersClick(); });
    connect(EditLocalCharacter, &QLineEdit::textChanged, this, [this] { EditLocalCharacterChange(); });
    connect(EditLocalCode, &QLineEdit::textChanged, this, [this] { EditLocalCodeChange(); });
    connect(ButtonLocalCaractereEnter, &QPushButton::clicked, this,
            [this] { ButtonLocalCaractereEnterClick(); });
    connect(ButtonLocalCaractereExit, &QPushButton::clicked, this,
            [this] { ButtonLocalCaractereExitClick(); });
    Form.RegisterSidePanel(this, [this] { ButtonLocalCaractereExitClick(); });
    Form.RegisterFeature(this);
}

QString LocalCharactersPanel::T(const char* entry) const {
    return QString::fromStdString(Form.Texts().Text(entry));
}

void LocalCharactersPanel::SetShortcutKeyTest(LocalCharacters::ShortcutKeyTest isShortcutKey) {
    IsShortcutKey = std::move(isShortcutKey);
}

void LocalCharactersPanel::MenuLocalCharactersClick() {
    Form.OpenSidePanel(this);
    setVisible(true);
    EditLocalCharacter->setFocus();
    ShowPageFull(Form.Locals().PageIsFull());
}

void LocalCharactersPanel::ShowPageFull(bool full) {
    PageFullShown = full;
    LabelLocalPlein->setText(full ? T("msg.local-page-full") : QString());
}

void LocalCharactersPanel::ShowActions(const LocalActionState& state) {
    RadioButtonLocalCreate->setEnabled(state.CreateEnabled);
    RadioButtonLocalDelete->setEnabled(state.DeleteEnabled);
    RadioButtonLocalModify->setEnabled(state.ModifyEnabled);
    // An exclusive group cannot show "none selected": it is opened for the moment.
    Actions->setExclusive(false);
    RadioButtonLocalCreate->setChecked(state.Selected == LocalAction::Create);
    RadioButtonLocalDelete->setChecked(state.Selected == LocalAction::Delete);
    RadioButtonLocalModify->setChecked(state.Selected == LocalAction::Modify);
    Actions->setExclusive(true);
}

LocalAction LocalCharactersPanel::SelectedAction() const {
    if (RadioButtonLocalCreate->isChecked()) {
        return LocalAction::Create;
    }
    if (RadioButtonLocalDelete->isChecked()) {
        return LocalAction::Delete;
    }
    if (RadioButtonLocalModify->isChecked()) {
        return LocalAction::Modify;
    }
    return LocalAction::None;
}

// The set the random generators use, as far as the pool size after a change is concerned:
// All covers the standard and the local characters, Local the local ones alone.
PoolSet LocalCharactersPanel::ActiveSet() const {
    const CharacterPool& pool = Form.Pool();
    const int count = Form.Locals().LocalCharacterCount();
    if (pool.PoolStart() == 0 && pool.PoolSize() == CharacterPool::kStandardCount + count) {
        return PoolSet::All;
    }
    if (pool.PoolStart() == CharacterPool::kLocalStart && pool.PoolSize() == count) {
        return PoolSet::Local;
    }
    return PoolSet::Other;
}

void LocalCharactersPanel::EditLocalCharacterChange() {
    const QString typed = EditLocalCharacter->text().toLower();
    std::string codes = ToCodes(typed);
    if (!typed.isEmpty() && codes.empty()) {
        // A character outside the 8-bit code page can never be played.
        const QSignalBlocker quiet(EditLocalCharacter);
        EditLocalCharacter->clear();
        Form.Prompts().Beep();
        return;
    }
    const LocalCharacterCheck check = Form.Locals().CheckCharacter(codes, IsShortcutKey);
    {
        const QSignalBlocker quiet(EditLocalCharacter);
        EditLocalCharacter->setText(check.ClearField ? QString() : ToText(check.FieldText));
    }
    if (check.Beep) {
        Form.Prompts().Beep();
    }
    if (check.Pattern) {
        EditLocalCode->setText(ToText(*check.Pattern));
    }
    if (check.Comment) {
        EditLocalComment->setText(ToText(*check.Comment));
    }
    if (check.Actions) {
        ShowActions(*check.Actions);
    }
}

void LocalCharactersPanel::EditLocalCodeChange() {
    const LocalPatternEdit filtered =
        LocalCharacters::FilterPattern(EditLocalCode->text().toStdString(), EditLocalCode->cursorPosition());
    if (!filtered.Changed) {
        return;
    }
    const QSignalBlocker quiet(EditLocalCode);
    EditLocalCode->setText(QString::fromStdString(filtered.Text));
    EditLocalCode->setCursorPosition(filtered.CaretPosition);
}

void LocalCharactersPanel::ButtonLocalCaractereEnterClick() {
    const LocalApplyResult result = Form.Locals().Apply(
        SelectedAction(), ToCodes(EditLocalCharacter->text().toLower()), EditLocalCode->text().toStdString(),
        ToCodes(EditLocalComment->text()), ActiveSet());
    if (result.Beep) {
        Form.Prompts().Beep();
    }
    if (result.ClearFields) {
        const QSignalBlocker quiet(EditLocalCharacter);
        EditLocalCharacter->clear();
        EditLocalCode->clear();
        EditLocalComment->clear();
    }
    if (result.Actions) {
        ShowActions(*result.Actions);
    }
    if (result.PageFull) {
        ShowPageFull(*result.PageFull);
    }
    if (result.FocusCharacterField) {
        EditLocalCharacter->setFocus();
    }
}

void LocalCharactersPanel::ButtonLocalCaractereExitClick() {
    {
        const QSignalBlocker quiet(EditLocalCharacter);
        EditLocalCharacter->clear();
    }
    EditLocalCode->clear();
    EditLocalComment->clear();
    ShowActions({true, true, true, LocalAction::None});
    setVisible(false);
    Form.TextBox().Editcaractere->setFocus();
}

// Rows come in as the settings file held them; the character sits in the row's second place.
void LocalCharactersPanel::ApplySettings(const SettingsModel& settings) {
    const PoolSet activeSet = ActiveSet();
    bool loaded = false;
    for (const std::string& row : settings.LocalRows) {
        if (row.size() < 2) {
            continue;
        }
        loaded =
            Form.Locals().LoadRow(row, static_cast<std::uint8_t>(row[1]), LocalCharacters::RowPattern(row)) ||
            loaded;
    }
    if (loaded) {
        Form.Locals().UpdatePoolSize(activeSet);
    }
}

void LocalCharactersPanel::CollectSettings(SettingsModel& settings) const {
    settings.LocalRows.clear();
    const LocalCharacters& locals = Form.Locals();
    for (int i = 0; i < locals.LocalCharacterCount(); ++i) {
        settings.LocalRows.push_back(locals.Row(LocalCharacters::kFirstRow + i));
    }
}

void LocalCharactersPanel::Retranslate(const LanguageTable&) {
    MenuLocalCharacters->setText(T("MenuLocalCharacters.Caption"));
    LabelLocalTitle->setText(T("LabelLocalTitle.Caption"));
    LabelLocalWarning->setText(T("LabelLocalWarning.Caption"));
    LabelLocalCharacter->setText(T("LabelLocalCharacter.Caption"));
    LabelLocalCode->setText(T("LabelLocalCode.Caption"));
    LabelLocalComment->setText(T("LabelLocalComment.Caption"));
    RadioGroupLocal->setTitle(T("RadioGroupLocal.Caption"));
    RadioButtonLocalCreate->setText(T("RadioButtonLocalCreate.Caption"));
    RadioButtonLocalDelete->setText(T("RadioButtonLocalDelete.Caption"));
    RadioButtonLocalModify->setText(T("RadioButtonLocalModify.Caption"));
    ButtonLocalCaractereEnter->setText(T("ButtonLocalCaractereEnter.Caption"));
    ButtonLocalCaractereExit->setText(T("ButtonLocalCaractereExit.Caption"));
    ShowPageFull(PageFullShown);
}

}  // namespace kelvaro
