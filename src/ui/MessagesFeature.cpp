// The six stored messages: their buttons under the text box and the panel that edits them.
#include "ui/MessagesFeature.h"

#include <QAction>
#include <QDockWidget>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/TextEncoding.h"
#include "ui/MainMenu.h"
#include "ui/TForm1.h"
#include "ui/TextPane.h"
#include "ui/TypingEdit.h"

namespace kelvaro {

namespace {

std::string ToCodes(const QString& text) {
    std::string codes;
    for (char32_t codePoint : text.toUcs4()) {
        const auto code = CodePointToCp1252(codePoint);
        codes += code ? static_cast<char>(*code) : '\x7f';  // no Morse code: skipped
    }
    return codes;
}

}  // namespace

MessagesFeature::MessagesFeature(TForm1& form) : QObject(&form), Form(form) {
    BuildButtons();
    BuildPanel();
    MenuLocalMessages = new QAction(Form.Menus().MenuOutils);
    MenuLocalMessages->setObjectName("MenuLocalMessages");
    const auto existing = Form.Menus().MenuOutils->actions();
    Form.Menus().MenuOutils->insertAction(existing.size() > 2 ? existing.at(2) : nullptr, MenuLocalMessages);
    connect(MenuLocalMessages, &QAction::triggered, this, [this] { MenuLocalMessagesClick(); });
    // Stop and Quit leave the panel open: its labels play while it stays in view.
    Form.RegisterSidePanel(
        PanelMsg, [this] { ButtonCloseMsgClick(); }, false);
    Form.RegisterFeature(this);
}

QString MessagesFeature::T(const char* entry) const {
    return QString::fromStdString(Form.Texts().Text(entry));
}

// "MSG # >>" and the six buttons, in a row under the text box.
void MessagesFeature::BuildButtons() {
    TextPane& text = Form.TextBox();
    auto* row = new QHBoxLayout;
    LabelMsg = new QLabel(&text);
    LabelMsg->setObjectName("LabelMsg");
    row->addWidget(LabelMsg);
    for (int i = 0; i < kMessageCount; ++i) {
        auto* button = new QPushButton(QString::number(i + 1), &text);
        button->setObjectName(QString("ButtonMsg%1").arg(i + 1));
        button->setFixedWidth(button->fontMetrics().horizontalAdvance("MM") + 12);
        button->installEventFilter(this);
        connect(button, &QPushButton::clicked, this, [this, i] { ButtonMsgXClick(i + 1); });
        ButtonMsg[static_cast<std::size_t>(i)] = button;
        row->addWidget(button);
    }
    row->addStretch(1);
    if (auto* layout = qobject_cast<QVBoxLayout*>(text.layout())) {
        layout->insertLayout(1, row);
    }
}

void MessagesFeature::BuildPanel() {
    PanelMsg = new QDockWidget(&Form);
    PanelMsg->setObjectName("PanelMsg");
    PanelMsg->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    PanelMsg->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);

    // The title row doubles as the grip by which the panel is dragged out and back.
    auto* title = new QWidget(PanelMsg);
    title->setObjectName("PanelMsgTitle");
    title->setMinimumHeight(8);
    auto* titleRow = new QHBoxLayout(title);
    titleRow->setContentsMargins(6, 2, 6, 2);
    LabelPanelMsg = new QLabel(title);
    LabelPanelMsg->setObjectName("LabelPanelMsg");
    QFont bold = LabelPanelMsg->font();
    bold.setBold(true);
    LabelPanelMsg->setFont(bold);
    ButtonCloseMsg = new QPushButton(title);
    ButtonCloseMsg->setObjectName("ButtonCloseMsg");
    ButtonCloseMsg->setMaximumWidth(ButtonCloseMsg->fontMetrics().horizontalAdvance("MM") + 12);
    titleRow->addWidget(LabelPanelMsg, 1);
    titleRow->addWidget(ButtonCloseMsg);
    PanelMsg->setTitleBarWidget(title);

    auto* body = new QWidget(PanelMsg);
    auto* grid = new QGridLayout(body);
    for (int i = 0; i < kMessageCount; ++i) {
        auto* label = new QLabel(body);
        label->setObjectName(QString("StaticTextMsg%1").arg(i + 1));
        label->setCursor(Qt::PointingHandCursor);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Raised);
        label->installEventFilter(this);
        auto* edit = new QLineEdit(body);
        edit->setObjectName(QString("EditMsg%1").arg(i + 1));
        connect(edit, &QLineEdit::textChanged, this, [this, i] { EditMsgChange(i + 1); });
        StaticTextMsg[static_cast<std::size_t>(i)] = label;
        EditMsg[static_cast<std::size_t>(i)] = edit;
        grid->addWidget(label, i, 0);
        grid->addWidget(edit, i, 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(kMessageCount, 1);
    PanelMsg->setWidget(body);
    Form.addDockWidget(Qt::RightDockWidgetArea, PanelMsg);
    PanelMsg->setVisible(false);

    connect(ButtonCloseMsg, &QPushButton::clicked, this, [this] { ButtonCloseMsgClick(); });
    connect(PanelMsg, &QDockWidget::topLevelChanged, this,
            [this](bool floating) { PanelMsgStartDock(floating); });
}

void MessagesFeature::ButtonMsgXClick(int number) {
    const QString& message = StoredMessages[static_cast<std::size_t>(number - 1)];
    if (message.isEmpty()) {
        return;
    }
    TextPane& text = Form.TextBox();
    text.SpeedButtonRAZtext->click();
    text.Editcaractere->setPlainText(message);
    text.Editcaractere->MoveCaretToEnd();
    text.Editcaractere->setFocus();
    text.ButtonReplayText->setEnabled(true);
    text.ButtonReplayText->click();
}

void MessagesFeature::StaticTextMsgXClick(int number) {
    const auto index = static_cast<std::size_t>(number - 1);
    const QString& message = StoredMessages[index];
    if (message.isEmpty()) {
        return;
    }
    EditMsg[index]->setFocus();
    EditMsg[index]->selectAll();
    Form.Engine().PlayQueue() += ToCodes(message);
    if (!Frozen.Frozen()) {
        std::vector<QWidget*> controls;
        if (auto* modes = Form.findChild<QGroupBox*>("GroupBoxChoix")) {
            for (QRadioButton* mode : modes->findChildren<QRadioButton*>()) {
                controls.push_back(mode);
            }
        }
        controls.push_back(Form.TextBox().ButtonReplayText);
        controls.push_back(Form.findChild<QPushButton*>("ButtonPlayFile"));
        controls.push_back(Form.findChild<QPushButton*>("ButtonContinueFile"));
        Frozen.Freeze(controls);
    }
    Form.PlayQueued();
}

void MessagesFeature::EditMsgChange(int number) {
    const auto index = static_cast<std::size_t>(number - 1);
    StoredMessages[index] = EditMsg[index]->text();
    ButtonMsg[index]->setToolTip(StoredMessages[index]);
}

void MessagesFeature::MenuLocalMessagesClick() {
    Form.OpenSidePanel(PanelMsg);
    PanelMsg->setVisible(true);
    PanelMsg->raise();
    EditMsg[0]->setFocus();
}

void MessagesFeature::ButtonCloseMsgClick() {
    PanelMsg->setVisible(false);
    Form.TextBox().Editcaractere->setFocus();
}

// Floating, the panel has its own window: its title and close button give way to the grip.
void MessagesFeature::PanelMsgStartDock(bool floating) {
    LabelPanelMsg->setVisible(!floating);
    ButtonCloseMsg->setVisible(!floating);
}

bool MessagesFeature::HandlePlaybackEnded() {
    Frozen.Release();
    return false;  // the window ends the playback as for typed text
}

void MessagesFeature::OnStop() {
    Frozen.Release();
}

void MessagesFeature::OnPracticePlaying(bool playing) {
    for (QPushButton* button : ButtonMsg) {
        button->setEnabled(!playing);
    }
}

bool MessagesFeature::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        for (int i = 0; i < kMessageCount; ++i) {
            const auto index = static_cast<std::size_t>(i);
            if (watched == ButtonMsg[index] && mouse->button() == Qt::RightButton &&
                ButtonMsg[index]->isEnabled()) {
                MenuLocalMessagesClick();
                return true;
            }
            if (watched == StaticTextMsg[index] && mouse->button() == Qt::LeftButton) {
                StaticTextMsgXClick(i + 1);
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

void MessagesFeature::ApplySettings(const SettingsModel& settings) {
    for (int i = 0; i < kMessageCount; ++i) {
        const auto index = static_cast<std::size_t>(i);
        StoredMessages[index] = QString::fromStdString(Cp1252ToUtf8(settings.StoredMessages[index]));
        EditMsg[index]->setText(StoredMessages[index]);
        ButtonMsg[index]->setToolTip(StoredMessages[index]);
    }
}

void MessagesFeature::CollectSettings(SettingsModel& settings) const {
    for (int i = 0; i < kMessageCount; ++i) {
        const auto index = static_cast<std::size_t>(i);
        settings.StoredMessages[index] = ToCodes(StoredMessages[index]);
    }
}

void MessagesFeature::Retranslate(const LanguageTable&) {
    LabelMsg->setText(T("LabelMsg.Caption"));
    LabelPanelMsg->setText(T("LabelPanelMsg.Caption"));
    PanelMsg->setWindowTitle(LabelPanelMsg->text());
    ButtonCloseMsg->setText(T("ButtonCloseMsg.Caption"));
    MenuLocalMessages->setText(T("MenuLocalMessages.Caption"));
    for (int i = 0; i < kMessageCount; ++i) {
        const std::string entry = "StaticTextMsg" + std::to_string(i + 1) + ".Caption";
        StaticTextMsg[static_cast<std::size_t>(i)]->setText(QString::fromStdString(Form.Texts().Text(entry)));
    }
}

}  // namespace kelvaro
