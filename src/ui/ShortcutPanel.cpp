// The side panel that creates, modifies and deletes the user's shortcuts.
#include "ui/ShortcutPanel.h"

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

// A character outside the program's 8-bit codes comes back as code 0x7f, which is refused.
std::string ToCodes(const QString& text) {
    std::string codes;
    for (char32_t codePoint : text.toUcs4()) {
        const auto code = CodePointToCp1252(codePoint);
        codes += code ? static_cast<char>(*code) : '\x7f';
    }
    return codes;
}

QString ToText(std::string_view codes) {
    return QString::fromStdString(Cp1252ToUtf8(codes));
}

}  // namespace

ShortcutPanel::ShortcutPanel(TForm1& form) : QFrame(form.centralWidget()), Form(form) {
    setObjectName("PanelLocalShortcut");
    setFrameShape(QFrame::StyledPanel);

    auto label = [this](const char* name) {
        auto* created = new QLabel(this);
        created->setObjectName(name);
        created->setWordWrap(true);
        return created;
    };
    LabelPanelShortcut = label("LabelPanelShortcut");
    QFont bold = LabelPanelShortcut->font();
    bold.setBold(true);
    LabelPanelShortcut->setFont(bold);
    Labelshortcutwarning = label("Labelshortcutwarning");
    EditShortcut = new QLineEdit(this);
    EditShortcut->setObjectName("EditShortcut");
    EditShortcut->setMaxLength(1);
    EditShortcut->setMaximumWidth(EditShortcut->fontMetrics().horizontalAdvance("MMMM"));
    LabelEditShortcut = label("LabelEditShortcut");
    EditShortcutText = new QLineEdit(this);
    EditShortcutText->setObjectName("EditShortcutText");
    EditShortcutText->setMaxLength(static_cast<int>(ShortcutTable::kMaxTextLength));
    LabelShortcutText = label("LabelShortcutText");
    LabelShortcutPlein = label("LabelShortcutPlein");
    QPalette red = LabelShortcutPlein->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    LabelShortcutPlein->setPalette(red);

    RadioGroupShortcut = new QGroupBox(this);
    RadioGroupShortcut->setObjectName("RadioGroupShortcut");
    RadioButtonShortcutCreate = new QRadioButton(RadioGroupShortcut);
    RadioButtonShortcutCreate->setObjectName("RadioButtonShortcutCreate");
    RadioButtonShortcutDelete = new QRadioButton(RadioGroupShortcut);
    RadioButtonShortcutDelete->setObjectName("RadioButtonShortcutDelete");
    RadioButtonShortcutModify = new QRadioButton(RadioGroupShortcut);
    RadioButtonShortcutModify->setObjectName("RadioButtonShortcutModify");
    Actions = new QButtonGroup(this);
    Actions->addButton(RadioButtonShortcutCreate);
    Actions->addButton(RadioButtonShortcutDelete);
    Actions->addButton(RadioButtonShortcutModify);
    auto* actionLayout = new QHBoxLayout(RadioGroupShortcut);
    actionLayout->addWidget(RadioButtonShortcutCreate);
    actionLayout->addWidget(RadioButtonShortcutDelete);
    actionLayout->addWidget(RadioButtonShortcutModify);

    ButtonShortcutEnter = new QPushButton(this);
    ButtonShortcutEnter->setObjectName("ButtonShortcutEnter");
    ButtonShortcutEnter->setDefault(true);
    ButtonShortcutExit = new QPushButton(this);
    ButtonShortcutExit->setObjectName("ButtonShortcutExit");

    auto* layout = new QGridLayout(this);
    layout->addWidget(LabelPanelShortcut, 0, 0, 1, 2);
    layout->addWidget(Labelshortcutwarning, 1, 0, 1, 2);
    layout->addWidget(EditShortcut, 2, 0);
    layout->addWidget(LabelEditShortcut, 2, 1);
    layout->addWidget(LabelShortcutText, 3, 0, 1, 2);
    layout->addWidget(EditShortcutText, 4, 0, 1, 2);
    layout->addWidget(RadioGroupShortcut, 5, 0, 1, 2);
    layout->addWidget(LabelShortcutPlein, 6, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ButtonShortcutEnter);
    buttons->addWidget(ButtonShortcutExit);
    buttons->addStretch(1);
    layout->addLayout(buttons, 7, 0, 1, 2);
    layout->setRowStretch(8, 1);
    layout->setColumnStretch(1, 1);
    Form.PlaceSidePanel(this);

    MenuLocalShortcuts = new QAction(Form.Menus().MenuOutils);
    MenuLocalShortcuts->setObjectName("MenuLocalShortcuts");
    const auto existing = Form.Menus().MenuOutils->actions();
    Form.Menus().MenuOutils->insertAction(existing.size() > 1 ? existing.at(1) : nullptr, MenuLocalShortcuts);

    connect(MenuLocalShortcuts, &QAction::triggered, this, [this] { MenuLocalShortcutsClick(); });
    connect(EditShortcut, &QLineEdit::textChanged, this, [this] { EditShortcutChange(); });
    connect(ButtonShortcutEnter, &QPushButton::clicked, this, [this] { ButtonShortcutEnterClick(); });
    connect(ButtonShortcutExit, &QPushButton::clicked, this, [this] { ButtonShortcutExitClick(); });
    connect(EditShortcutText, &QLineEdit::returnPressed, this, [this] { ButtonShortcutEnterClick(); });
    connect(EditShortcut, &QLineEdit::returnPressed, this, [this] { ButtonShortcutEnterClick(); });
    Form.RegisterSidePanel(this, [this] { ButtonShortcutExitClick(); });
    Form.RegisterFeature(this);
}

QString ShortcutPanel::T(const char* entry) const {
    return QString::fromStdString(Form.Texts().Text(entry));
}

ShortcutTable::HasCodeTest ShortcutPanel::HasCode() const {
    const MorseTable& table = Form.Table();
    return [&table](std::uint8_t code) { return table.HasPattern(code); };
}

void ShortcutPanel::MenuLocalShortcutsClick() {
    Form.OpenSidePanel(this);
    setVisible(true);
    EditShortcut->setFocus();
    const bool full = Form.Shortcuts().PageIsFull();
    ShowPageFull(full);
    RadioButtonShortcutCreate->setEnabled(!full);
}

void ShortcutPanel::ShowPageFull(bool full) {
    PageFullShown = full;
    LabelShortcutPlein->setText(full ? T("msg.shortcut-page-full") : QString());
}

void ShortcutPanel::ShowActions(const ShortcutActionState& state) {
    RadioButtonShortcutCreate->setEnabled(state.CreateEnabled);
    RadioButtonShortcutDelete->setEnabled(state.DeleteEnabled);
    RadioButtonShortcutModify->setEnabled(state.ModifyEnabled);
    // An exclusive group cannot show "none selected": it is opened for the moment.
    Actions->setExclusive(false);
    RadioButtonShortcutCreate->setChecked(state.Selected == ShortcutAction::Create);
    RadioButtonShortcutDelete->setChecked(state.Selected == ShortcutAction::Delete);
    RadioButtonShortcutModify->setChecked(state.Selected == ShortcutAction::Modify);
    Actions->setExclusive(true);
}

ShortcutAction ShortcutPanel::SelectedAction() const {
    if (RadioButtonShortcutCreate->isChecked()) {
        return ShortcutAction::Create;
    }
    if (RadioButtonShortcutDelete->isChecked()) {
        return ShortcutAction::Delete;
    }
    if (RadioButtonShortcutModify->isChecked()) {
        return ShortcutAction::Modify;
    }
    return ShortcutAction::None;
}

void ShortcutPanel::EditShortcutChange() {
    const QString typed = EditShortcut->text().toLower();
    if (typed != EditShortcut->text()) {
        const QSignalBlocker quiet(EditShortcut);
        EditShortcut->setText(typed);
    }
    const ShortcutCheck check = Form.Shortcuts().CheckCharacter(ToCodes(typed), HasCode());
    if (check.ClearField) {
        const QSignalBlocker quiet(EditShortcut);
        EditShortcut->clear();
    }
    if (check.Beep) {
        Form.Prompts().Beep();
    }
    if (check.Text) {
        EditShortcutText->setText(ToText(*check.Text));
    }
    ShowActions(check.Actions);
}

void ShortcutPanel::ButtonShortcutEnterClick() {
    const ShortcutApplyResult result = Form.Shortcuts().Apply(SelectedAction(), ToCodes(EditShortcut->text()),
                                                              ToCodes(EditShortcutText->text()), HasCode());
    if (result.Beep) {
        Form.Prompts().Beep();
    }
    if (result.ClearFields) {
        const QSignalBlocker quiet(EditShortcut);
        EditShortcut->clear();
        EditShortcutText->clear();
    }
    if (result.Actions) {
        ShowActions(*result.Actions);
    }
    if (result.PageFull) {
        ShowPageFull(*result.PageFull);
    }
    if (result.Changed && OnShortcutsChanged) {
        OnShortcutsChanged();
    }
    EditShortcut->setFocus();
}

void ShortcutPanel::ButtonShortcutExitClick() {
    {
        const QSignalBlocker quiet(EditShortcut);
        EditShortcut->clear();
    }
    EditShortcutText->clear();
    ShowActions({!Form.Shortcuts().PageIsFull(), true, true, ShortcutAction::None});
    setVisible(false);
    Form.TextBox().Editcaractere->setFocus();
}

void ShortcutPanel::ApplySettings(const SettingsModel& settings) {
    std::array<ShortcutTable::Slot, ShortcutTable::kSlotCount> stored{};
    for (std::size_t i = 0; i < stored.size() && i < settings.ShortcutTable.size(); ++i) {
        const SettingsModel::Shortcut& saved = settings.ShortcutTable[i];
        stored[i] = {static_cast<std::uint8_t>(saved.Letter), saved.Text};
    }
    Form.Shortcuts().Load(stored);
    if (OnShortcutsChanged) {
        OnShortcutsChanged();
    }
}

void ShortcutPanel::CollectSettings(SettingsModel& settings) const {
    const auto& stored = Form.Shortcuts().Slots();
    for (std::size_t i = 0; i < stored.size() && i < settings.ShortcutTable.size(); ++i) {
        settings.ShortcutTable[i] = {static_cast<char>(stored[i].Character), stored[i].Text};
    }
}

void ShortcutPanel::Retranslate(const LanguageTable&) {
    MenuLocalShortcuts->setText(T("MenuLocalShortcuts.Caption"));
    LabelPanelShortcut->setText(T("LabelPanelShortcut.Caption"));
    Labelshortcutwarning->setText(T("Labelshortcutwarning.Caption"));
    LabelEditShortcut->setText(T("LabelEditShortcut.Caption"));
    LabelShortcutText->setText(T("LabelShortcutText.Caption"));
    RadioGroupShortcut->setTitle(T("RadioGroupShortcut.Caption"));
    RadioButtonShortcutCreate->setText(T("RadioButtonShortcutCreate.Caption"));
    RadioButtonShortcutDelete->setText(T("RadioButtonShortcutDelete.Caption"));
    RadioButtonShortcutModify->setText(T("RadioButtonShortcutModify.Caption"));
    ButtonShortcutEnter->setText(T("ButtonShortcutEnter.Caption"));
    ButtonShortcutExit->setText(T("ButtonShortcutExit.Caption"));
    ShowPageFull(PageFullShown);
}

}  // namespace kelvaro
