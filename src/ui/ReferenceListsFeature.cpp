// The three reference lists as practice modes: the alphabet (with the local characters and
// the shortcuts), the Q codes and the abbreviations; a click on a row plays what it describes.
#include "ui/ReferenceListsFeature.h"

#include <QAction>
#include <QGroupBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

#include "app/TextEncoding.h"
#include "core/LocalCharacters.h"
#include "practice/ReferenceLists.h"
#include "ui/TForm1.h"
#include "ui/TableText.h"
#include "ui/TextPane.h"
#include "ui/TypingEdit.h"

namespace kelvaro {

namespace {

constexpr int kCodesRole = Qt::UserRole;

// The practice mode kept for the next start (LASTCHOICE=).
constexpr int kLastChoiceAlphabet = 1;
constexpr int kLastChoiceCodeQ = 2;
constexpr int kLastChoiceAbrev = 3;

std::string RowCodes(const QListWidgetItem* item) {
    return item->data(kCodesRole).toByteArray().toStdString();
}

}  // namespace

ReferenceListsFeature::ReferenceListsFeature(TForm1& form) : QObject(&form), Form(form) {
    auto radio = [](const char* name) {
        auto* button = new QRadioButton;
        button->setObjectName(name);
        return button;
    };
    RadioButtonAlphabet = radio("RadioButtonAlphabet");
    RadioButtonCodeQ = radio("RadioButtonCodeQ");
    RadioButtonAbrev = radio("RadioButtonAbrev");
    ListAlphabet = MakeList("ListAlphabet", ReferenceLists::kAlphabetRows);
    ListCodeQ = MakeList("ListCodeQ", ReferenceLists::kQCodeRows);
    ListAbreviations = MakeList("ListAbreviations", ReferenceLists::kAbbreviationRows);
    Lists = {ListAlphabet, ListCodeQ, ListAbreviations};
    for (std::size_t i = 0; i < Lists.size(); ++i) {
        Viewports[i] = Lists[i]->viewport();
    }
    QFont courier("Courier");
    courier.setStyleHint(QFont::TypeWriter);
    courier.setFixedPitch(true);
    courier.setBold(true);
    ListAlphabet->setFont(courier);
    QPalette blue = ListAlphabet->palette();
    blue.setColor(QPalette::Text, Qt::blue);
    ListAlphabet->setPalette(blue);
    QFont fixed("Courier");
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setFixedPitch(true);
    ListAbreviations->setFont(fixed);

    Form.AddMode(RadioButtonAlphabet, ListAlphabet);
    Form.AddMode(RadioButtonCodeQ, ListCodeQ);
    Form.AddMode(RadioButtonAbrev, ListAbreviations);
    RadioButtonAlphabet->setChecked(true);

    const auto& characters = ReferenceLists::AlphabetCharacterRows();
    for (int row = 0; row < ReferenceLists::kAlphabetRows; ++row) {
        SetRow(ListAlphabet, row, characters[static_cast<std::size_t>(row)]);
    }
    for (QListWidget* list : {ListAlphabet, ListCodeQ, ListAbreviations}) {
        list->setCurrentRow(0);
    }

    connect(RadioButtonAlphabet, &QRadioButton::clicked, this, [this] { RadioButtonAlphabetClick(); });
    connect(RadioButtonCodeQ, &QRadioButton::clicked, this, [this] { RadioButtonCodeQClick(); });
    connect(RadioButtonAbrev, &QRadioButton::clicked, this, [this] { RadioButtonAbrevClick(); });
    Form.RegisterFeature(this);
}

QListWidget* ReferenceListsFeature::MakeList(const char* name, int rows) {
    auto* list = new QListWidget;
    list->setObjectName(name);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    for (int row = 0; row < rows; ++row) {
        list->addItem(QString());
    }
    list->installEventFilter(this);
    list->viewport()->installEventFilter(this);
    return list;
}

void ReferenceListsFeature::SetRow(QListWidget* list, int row, const std::string& codes) {
    QListWidgetItem* item = list->item(row);
    item->setText(QString::fromStdString(Cp1252ToUtf8(codes)));
    item->setData(kCodesRole, QByteArray::fromStdString(codes));
}

void ReferenceListsFeature::RebuildAlphabet() {
    const LanguageTable& texts = Form.Texts();
    for (int row : ReferenceLists::kAlphabetHeadingRows) {
        const std::string entry = "ListAlphabet.Row" + std::to_string(row);
        SetRow(ListAlphabet, row, Utf8ToCp1252(texts.Text(entry)).value_or("  "));
    }
    for (int i = 0; i < 26; ++i) {
        SetRow(ListAlphabet, ReferenceLists::kFirstLocalRow + i,
               Form.Locals().Row(LocalCharacters::kFirstRow + i));
    }
    const std::vector<std::string> shortcuts = Form.Shortcuts().ListRows();
    for (std::size_t i = 0; i < shortcuts.size(); ++i) {
        SetRow(ListAlphabet, ReferenceLists::kFirstShortcutRow + static_cast<int>(i), shortcuts[i]);
    }
}

void ReferenceListsFeature::SelectList(QListWidget* list) {
    if (Form.Engine().SidetoneActive()) {
        Form.Engine().StopSidetone();
    }
    Form.ShowModePane(list);
    if (auto* quick = Form.findChild<QAction*>("MenuQuickRandom")) {
        quick->setEnabled(false);
    }
    if (auto* words = Form.findChild<QAction*>("MenuListWords")) {
        words->setEnabled(true);
    }
    Form.TextBox().Editcaractere->setFocus();
}

void ReferenceListsFeature::RadioButtonAlphabetClick() {
    RadioButtonAlphabet->setChecked(true);
    SelectList(ListAlphabet);
}

void ReferenceListsFeature::RadioButtonCodeQClick() {
    RadioButtonCodeQ->setChecked(true);
    SelectList(ListCodeQ);
}

void ReferenceListsFeature::RadioButtonAbrevClick() {
    RadioButtonAbrev->setChecked(true);
    SelectList(ListAbreviations);
}

QListWidget* ReferenceListsFeature::VisibleList() const {
    for (QListWidget* list : {ListAlphabet, ListCodeQ, ListAbreviations}) {
        if (!list->isHidden()) {
            return list;
        }
    }
    return nullptr;
}

void ReferenceListsFeature::PlaySelected(QListWidget* list) {
    const int row = list->currentRow();
    if (row < 0 || !list->isEnabled()) {
        return;
    }
    const std::string entry = RowCodes(list->item(row));
    if (list == ListAlphabet) {
        if (const auto text = ReferenceLists::AlphabetPlayText(row, entry)) {
            Play(*text, false, RadioButtonAlphabet);
        }
    } else if (list == ListCodeQ) {
        if (const auto text = ReferenceLists::QCodePlayText(entry)) {
            Play(*text, true, RadioButtonCodeQ);
        }
    } else if (const auto text = ReferenceLists::AbbreviationPlayText(entry)) {
        Play(*text, true, RadioButtonAbrev);
    }
}

void ReferenceListsFeature::Play(const std::string& codes, bool freezeOthers, QRadioButton* own) {
    if (freezeOthers && !Frozen.Frozen()) {
        std::vector<QWidget*> controls;
        if (auto* modes = Form.findChild<QGroupBox*>("GroupBoxChoix")) {
            for (QRadioButton* mode : modes->findChildren<QRadioButton*>()) {
                if (mode != own) {
                    controls.push_back(mode);
                }
            }
        }
        controls.push_back(Form.TextBox().ButtonReplayText);
        controls.push_back(Form.findChild<QPushButton*>("ButtonPlayFile"));
        controls.push_back(Form.findChild<QPushButton*>("ButtonContinueFile"));
        Frozen.Freeze(controls);
    }
    Form.Engine().PlayQueue() += codes;
    Form.PlayQueued();
}

bool ReferenceListsFeature::HandlePlaybackEnded() {
    Frozen.Release();
    return false;  // the window ends the playback as for typed text
}

void ReferenceListsFeature::OnStop() {
    Frozen.Release();
    for (QWidget* control : {static_cast<QWidget*>(ListAlphabet), static_cast<QWidget*>(ListCodeQ),
                             static_cast<QWidget*>(ListAbreviations)}) {
        control->setEnabled(true);
    }
}

void ReferenceListsFeature::OnTextReplay(bool running) {
    for (QWidget* control :
         {static_cast<QWidget*>(ListAlphabet), static_cast<QWidget*>(ListCodeQ),
          static_cast<QWidget*>(ListAbreviations), static_cast<QWidget*>(RadioButtonAlphabet),
          static_cast<QWidget*>(RadioButtonCodeQ), static_cast<QWidget*>(RadioButtonAbrev)}) {
        control->setEnabled(!running);
    }
}

// The local characters may have changed in their panel.
void ReferenceListsFeature::OnSidePanelsChanged(bool) {
    RebuildAlphabet();
}

bool ReferenceListsFeature::HandleTextBoxKey(int key) {
    QListWidget* list = VisibleList();
    if (list == nullptr || !list->isEnabled()) {
        return false;
    }
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            PlaySelected(list);
            return true;
        case Qt::Key_Up:
            list->setCurrentRow(std::max(0, list->currentRow() - 1));
            return true;
        case Qt::Key_Down:
            list->setCurrentRow(std::min(list->count() - 1, list->currentRow() + 1));
            return true;
        default:
            return false;
    }
}

// Only mouse releases and key presses are looked at: the lists may be half destroyed when
// the window closes, and then no member of theirs may be called.
bool ReferenceListsFeature::eventFilter(QObject* watched, QEvent* event) {
    const bool release = event->type() == QEvent::MouseButtonRelease;
    const bool keyPress = event->type() == QEvent::KeyPress;
    if (!release && !keyPress) {
        return QObject::eventFilter(watched, event);
    }
    for (std::size_t i = 0; i < Viewports.size(); ++i) {
        QListWidget* list = Lists[i];
        if (release && watched == Viewports[i]) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton && list->itemAt(mouse->position().toPoint()) != nullptr) {
                PlaySelected(list);
            }
        } else if (keyPress && watched == list) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                PlaySelected(list);
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

void ReferenceListsFeature::FinishStartUp(const SettingsModel& settings) {
    RebuildAlphabet();
    if (settings.LastChoice == kLastChoiceCodeQ) {
        RadioButtonCodeQClick();
    } else if (settings.LastChoice == kLastChoiceAbrev) {
        RadioButtonAbrevClick();
    } else {
        RadioButtonAlphabetClick();
    }
}

void ReferenceListsFeature::CollectSettings(SettingsModel& settings) const {
    if (RadioButtonAlphabet->isChecked()) {
        settings.LastChoice = kLastChoiceAlphabet;
    } else if (RadioButtonCodeQ->isChecked()) {
        settings.LastChoice = kLastChoiceCodeQ;
    } else if (RadioButtonAbrev->isChecked()) {
        settings.LastChoice = kLastChoiceAbrev;
    }
}

void ReferenceListsFeature::Retranslate(const LanguageTable& texts) {
    RadioButtonAlphabet->setText(TableText(texts, "RadioButtonAlphabet.Caption"));
    RadioButtonAlphabet->setToolTip(TableText(texts, "RadioButtonAlphabet.Hint"));
    RadioButtonCodeQ->setText(TableText(texts, "RadioButtonCodeQ.Caption"));
    RadioButtonCodeQ->setToolTip(TableText(texts, "RadioButtonCodeQ.Hint"));
    RadioButtonAbrev->setText(TableText(texts, "RadioButtonAbrev.Caption"));
    RadioButtonAbrev->setToolTip(TableText(texts, "RadioButtonAbrev.Hint"));
    ListAlphabet->setToolTip(TableText(texts, "ListAlphabet.Hint"));
    ListCodeQ->setToolTip(TableText(texts, "ListCodeQ.Hint"));
    ListAbreviations->setToolTip(TableText(texts, "ListAbreviations.Hint"));
    const char language = LanguageCode(texts.Current());
    const auto& codes = ReferenceLists::QCodeRows(language);
    for (int row = 0; row < ReferenceLists::kQCodeRows; ++row) {
        SetRow(ListCodeQ, row, Utf8ToCp1252(codes[static_cast<std::size_t>(row)]).value_or(" "));
    }
    const auto& abbreviations = ReferenceLists::AbbreviationRows(language);
    for (int row = 0; row < ReferenceLists::kAbbreviationRows; ++row) {
        SetRow(ListAbreviations, row,
               Utf8ToCp1252(abbreviations[static_cast<std::size_t>(row)]).value_or(" "));
    }
    RebuildAlphabet();
}

}  // namespace kelvaro
