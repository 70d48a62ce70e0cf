// The File practice mode: a text file played from its start or resumed where it stopped, its
// played part highlighted, masked stretches skipped, hidden or mirrored in the demo window.
#include "ui/FileFeature.h"

#include <QAction>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>
#include <QToolButton>

#include "app/CommandLine.h"
#include "app/PracticeTextFile.h"
#include "app/TextEncoding.h"
#include "ui/ControlsPane.h"
#include "ui/EntrySheetFeature.h"
#include "ui/FilePane.h"
#include "ui/MainMenu.h"
#include "ui/MaskedTextPanel.h"
#include "ui/OptionsSubMenu.h"
#include "ui/PathLabel.h"
#include "ui/Prompter.h"
#include "ui/SwitchButton.h"
#include "ui/TForm1.h"
#include "ui/TFormDemo.h"
#include "ui/TableText.h"
#include "ui/TextPane.h"
#include "ui/TypingEdit.h"

namespace kelvaro {

namespace {

constexpr int kLastChoiceFile = 5;
// The pane's text while no file is loaded.
const char* const kNoFileText = "MemoFile";
// A hidden text is black on black, its selection too.
const char* const kHiddenStyle =
    "QPlainTextEdit { background: black; color: black; selection-background-color: black; "
    "selection-color: black; }";

// The program's 8-bit code of a one-character field, lower case; nothing when empty or
// without a code.
std::optional<int> DelimiterOf(const QString& field) {
    if (field.isEmpty()) {
        return std::nullopt;
    }
    const auto code = CodePointToCp1252(field.toLower().toUcs4().value(0));
    if (!code) {
        return std::nullopt;
    }
    return static_cast<int>(*code);
}

QString DelimiterText(int code) {
    if (code < 0) {
        return {};
    }
    return QString(QChar(static_cast<char32_t>(Cp1252ToCodePoint(static_cast<unsigned char>(code)))));
}

}  // namespace

FileFeature::FileFeature(TForm1& form, EntrySheetFeature& sheet)
    : QObject(&form), Form(form), EntrySheet(sheet) {
    Pane = new FilePane;
    RadioButtonFile = new QRadioButton;
    RadioButtonFile->setObjectName("RadioButtonFile");
    Form.AddMode(RadioButtonFile, Pane);
    RadioButtonFile->installEventFilter(this);

    // Play File and Resume File take turns in one place under the speed and level.
    auto* place = new QWidget(&Form.ControlsBox());
    place->setObjectName("PanelFileButtons");
    ButtonPlayFile = new QPushButton(place);
    ButtonPlayFile->setObjectName("ButtonPlayFile");
    ButtonContinueFile = new QPushButton(place);
    ButtonContinueFile->setObjectName("ButtonContinueFile");
    for (QPushButton* button : {ButtonPlayFile, ButtonContinueFile}) {
        button->setCheckable(true);
        button->setEnabled(false);
    }
    ButtonContinueFile->setVisible(false);
    auto* row = new QHBoxLayout(place);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(ButtonPlayFile);
    row->addWidget(ButtonContinueFile);
    row->addStretch(1);
    if (auto* grid = qobject_cast<QGridLayout*>(Form.ControlsBox().layout())) {
        grid->addWidget(place, grid->rowCount(), 0, 1, grid->columnCount());
    }

    Masked = new MaskedTextPanel;
    Form.PlaceSidePanel(Masked);
    Form.RegisterSidePanel(Masked, [this] { ButtonMaskedTextCancelClick(); });
    Demo = new TFormDemo(&Form);
    ChooseFile = [this] {
        return QFileDialog::getOpenFileName(&Form, QString(), QString(), T("OpenDialogFile.Filter"));
    };
    BuildMenu();
    ConnectControls();
    Form.RegisterFeature(this);
}

QString FileFeature::T(const char* entry) const {
    return TableText(Form.Texts(), entry);
}

void FileFeature::BuildMenu() {
    MenuText = OptionsSubMenu(Form.Menus(), "MenuText");
    MenuMaskedtext = MenuText->addAction(QString());
    MenuMaskedtext->setObjectName("MenuMaskedtext");
    MenuMaskedtext->setCheckable(true);
    MenuMaskedtext->setShortcut(QKeySequence("Ctrl+Shift+F9"));
    MenuCacherText = MenuText->addAction(QString());
    MenuCacherText->setObjectName("MenuCacherText");
    MenuCacherText->setCheckable(true);
}

void FileFeature::ConnectControls() {
    connect(RadioButtonFile, &QRadioButton::pressed, this, [this] {
        PreviousMode = nullptr;
        for (auto* mode : RadioButtonFile->parentWidget()->findChildren<QRadioButton*>()) {
            if (mode != RadioButtonFile && mode->isChecked()) {
                PreviousMode = mode;
            }
        }
    });
    connect(RadioButtonFile, &QRadioButton::clicked, this, [this] { RadioButtonFileClick(); });
    connect(ButtonPlayFile, &QPushButton::clicked, this, [this] { ButtonPlayFileClick(); });
    connect(ButtonContinueFile, &QPushButton::clicked, this, [this] { ButtonContinueFileClick(); });
    connect(Pane->ButtonHideFile, &QPushButton::clicked, this, [this] { ButtonHideFileClick(); });
    connect(Pane->SpeedButtonDemo, &QToolButton::clicked, this, [this] { SpeedButtonDemoClick(); });
    connect(Pane->SpeedButtonSaisieFile, &QToolButton::clicked, this,
            [this] { EntrySheet.SpeedButtonSaisieClick(); });
    connect(Pane->FileEdit, &QPlainTextEdit::textChanged, this, [this] { FileEditChange(); });
    connect(Pane->FileEdit, &QPlainTextEdit::selectionChanged, this, [this] { FileEditSelectionChange(); });
    Pane->SpeedButtonNoiseFile->OnRightClick = [this] { Form.Menus().MenuNoisesettings->trigger(); };
    Pane->SpeedButtonQSBFile->OnRightClick = [this] { Form.Menus().MenuQSBsetting->trigger(); };
    Pane->SpeedButtonDriftFile->OnRightClick = [this] { Form.Menus().MenuDriftSetting->trigger(); };
    connect(Pane->SpeedButtonDriftFile, &QToolButton::clicked, this, [this] { DriftSwitchClick(); });

    connect(MenuMaskedtext, &QAction::triggered, this, [this] {
        // The check mark tells whether a start delimiter is set; only OK changes it.
        MenuMaskedtext->setChecked(Progress.MaskStartChar() != FilePlayback::kNoDelimiter);
        MenuMaskedtextClick();
    });
    for (QLineEdit* edit : {Masked->EditStartMaskedText, Masked->EditEndMaskedText}) {
        connect(edit, &QLineEdit::textEdited, this, [edit](const QString& text) {
            if (text.toLower() != text) {
                edit->setText(text.toLower());
            }
        });
        connect(edit, &QLineEdit::returnPressed, this, [this] { ButtonMaskedTextOKClick(); });
    }
    connect(Masked->ButtonMaskedTextOK, &QPushButton::clicked, this, [this] { ButtonMaskedTextOKClick(); });
    connect(Masked->ButtonMaskedTextCancel, &QPushButton::clicked, this,
            [this] { ButtonMaskedTextCancelClick(); });
}

// Choosing a file, or coming back to the one loaded.
void FileFeature::RadioButtonFileClick() {
    if (Form.TextBox().ButtonStop->isVisible()) {
        if (Form.Engine().SidetoneActive()) {
            Form.Engine().StopSidetone();
        }
        return;
    }
    if (auto* quick = Form.findChild<QAction*>("MenuQuickRandom")) {
        quick->setEnabled(false);
    }
    if (auto* lists = Form.findChild<QAction*>("MenuListWords")) {
        lists->setEnabled(true);
    }
    if (Loaded) {
        Form.ShowModePane(Pane);
        Pane->FileEdit->setReadOnly(false);
        SelectPlayed();
        Pane->FileEdit->setFocus();
    }
    const QString name = ChooseFile ? ChooseFile() : QString();
    if (name.isEmpty()) {
        // Cancelled: a loaded file stays in its pane; else the pane that shows keeps its mode
        // button checked.
        if (Loaded || PreviousMode != nullptr) {
            UncheckRadio(RadioButtonFile);
        }
        if (PreviousMode != nullptr && PreviousMode->isEnabled() && !Pane->isVisible()) {
            PreviousMode->setChecked(true);
        }
        return;
    }
    LoadFile(name);
}

bool FileFeature::LoadFile(const QString& name) {
    const PracticeTextLoad load = PracticeTextFile::Load(QFile::encodeName(name).toStdString());
    if (!load.Ok()) {
        switch (load.Problem) {
            case PracticeTextProblem::Binary:
                Form.Prompts().Warn(T("msg.file-not-text"));
                break;
            case PracticeTextProblem::Empty:
                Form.Prompts().Warn(T("msg.file-empty"));
                break;
            case PracticeTextProblem::TooLarge:
                Form.Prompts().Warn(T("msg.file-too-large"));
                break;
            default:
                Form.Prompts().Warn(T("msg.cannot-open-file"));
                break;
        }
        UncheckRadio(RadioButtonFile);
        if (PreviousMode != nullptr && !Pane->isVisible()) {
            PreviousMode->setChecked(true);
        }
        return false;
    }
    Path = name.toStdString();
    EntrySheet.HideSheet();
    Form.ShowModePane(Pane);
    if (MenuCacherText->isChecked()) {
        SetTextHidden(true);
    }
    Pane->FileEdit->setPlainText(QString::fromStdString(load.Text));
    Pane->FileEdit->moveCursor(QTextCursor::Start);
    Progress.Reset();
    Pane->FileEdit->setFocus();
    Loaded = Pane->FileEdit->document()->firstBlock().text() != kNoFileText;
    if (!Loaded) {
        UncheckRadio(RadioButtonFile);
        Pane->setVisible(false);
        return true;
    }
    Pane->FileEdit->setReadOnly(false);
    UncheckRadio(RadioButtonFile);  // a further click opens the dialog again
    ButtonContinueFile->setVisible(false);
    ButtonPlayFile->setVisible(true);
    Pane->PanelPathFile->SetPath(name);
    Form.TextBox().ButtonReplayText->setEnabled(!Form.TextBox().Editcaractere->IsEmpty());
    UpdateFileButtons();
    Form.Engine().RestoreDriftedTone();
    UpdateFileDescription();
    EntrySheet.ShowIfAlways();
    return true;
}

void FileFeature::ButtonPlayFileClick() {
    if (Playing || Form.TextBox().ButtonStop->isVisible()) {
        ButtonPlayFile->setChecked(Playing && !ButtonContinueFile->isChecked());
        return;
    }
    PlayFromStart();
}

void FileFeature::PlayFromStart() {
    const QString text = Pane->FileEdit->toPlainText();
    if (text.isEmpty()) {
        Form.Engine().PlayQueue().clear();
        ButtonPlayFile->setChecked(false);
        return;
    }
    Progress.Start();
    Pane->FileEdit->moveCursor(QTextCursor::Start);
    StartPlaying(PracticeTextFile::PlayCodes(text.toStdU16String()), ButtonPlayFile);
}

void FileFeature::ButtonContinueFileClick() {
    if (Playing || Form.TextBox().ButtonStop->isVisible() || Progress.ResumeText().empty()) {
        ButtonContinueFile->setChecked(Playing && ButtonContinueFile->isChecked());
        return;
    }
    std::string rest = Progress.TakeResumeText();
    SelectPlayed();
    StartPlaying(std::move(rest), ButtonContinueFile);
}

// What Play File and Resume File share once the queue is known.
void FileFeature::StartPlaying(std::string queue, QPushButton* held) {
    UncheckRadio(RadioButtonFile);
    Form.Engine().StartQsbCycle();
    Pane->FileEdit->setReadOnly(true);
    BlankAdded = Form.Menus().MenuContinuous->menuAction()->isChecked();
    if (BlankAdded) {
        queue += ' ';
    }
    Form.Engine().PlayQueue() += queue;
    Form.TextBox().ButtonStop->setVisible(true);
    Form.TextBox().ButtonQuitter->setVisible(false);
    Form.TextBox().ButtonReplayText->setEnabled(false);
    Form.TextBox().Editcaractere->setEnabled(false);
    Playing = true;
    InStandby = false;
    SetModesEnabled(false);
    if (!Pane->isVisible()) {
        Form.ShowModePane(Pane);
    }
    if (!Demo->isVisible()) {
        Pane->FileEdit->setFocus();
    }
    DemoOffset = 0;
    if (MenuCacherText->isChecked()) {
        SetTextHidden(true);
    }
    held->setChecked(true);
    Form.NotifyPracticePlaying(true);
    Form.PlayQueued();
}

void FileFeature::OnCharacterTaken(std::uint8_t, bool fromShortcut) {
    if (!Playing || fromShortcut) {
        return;
    }
    Progress.CharacterTaken(Pane->FileEdit->document()->characterCount() - 1);
    SelectPlayed();
}

bool FileFeature::IsMasked(std::uint8_t character) {
    return Playing && Progress.IsMasked(character);
}

void FileFeature::AddToContext(CharacterContext& context) const {
    if (Playing) {
        context.NoiseOn = context.NoiseOn || Pane->SpeedButtonNoiseFile->isChecked();
        context.QsbOn = context.QsbOn || Pane->SpeedButtonQSBFile->isChecked();
        context.DriftOn = context.DriftOn || Pane->SpeedButtonDriftFile->isChecked();
    }
}

// The queue ran empty while the file played: it ended, or goes round again after the standby.
bool FileFeature::HandlePlaybackEnded() {
    if (!Playing) {
        return false;
    }
    Playing = false;
    ButtonPlayFile->setChecked(false);
    ButtonContinueFile->setChecked(false);
    Form.TextBox().ButtonReplayText->setChecked(false);
    Progress.Finish();
    ShowFinished();
    if (Form.Menus().MenuContinuous->menuAction()->isChecked()) {
        // The standby keeps Stop showing; the transmitter is not left on while nothing plays.
        InStandby = true;
        Form.PttOffAfterKeying();
        UpdateFileButtons();
        Form.SetContinuousSource([this] {
            InStandby = false;
            PlayFromStart();
        });
        Form.TimerBoucle().SetEnabled(true);
        return true;
    }
    Form.TextBox().ButtonStop->setVisible(false);
    Form.TextBox().ButtonQuitter->setVisible(true);
    Demo->hide();
    GiveWindowBack();
    Form.PttOffAfterKeying();
    return true;
}

void FileFeature::ShowFinished() {
    ButtonContinueFile->setVisible(false);
    ButtonPlayFile->setVisible(true);
    QTextCursor end(Pane->FileEdit->document());
    end.movePosition(QTextCursor::End);
    Pane->FileEdit->setTextCursor(end);
}

void FileFeature::ShowStopped() {
    ButtonPlayFile->setVisible(false);
    ButtonContinueFile->setVisible(true);
    Pane->FileEdit->setReadOnly(true);
    SelectPlayed();
}

// Controls back after the file: the modes, the text box, the message buttons.
void FileFeature::GiveWindowBack() {
    Pane->FileEdit->setReadOnly(!Progress.ResumeText().empty());
    Form.TextBox().Editcaractere->setEnabled(true);
    Form.TextBox().ButtonReplayText->setEnabled(!Form.TextBox().Editcaractere->IsEmpty());
    SetModesEnabled(true);
    UpdateFileButtons();
    Form.NotifyPracticePlaying(false);
}

void FileFeature::OnStop() {
    ButtonPlayFile->setChecked(false);
    ButtonContinueFile->setChecked(false);
    if (Playing) {
        Playing = false;
        const PlayEngine& engine = Form.Engine();
        Progress.Stop(engine.PlayQueue(), !engine.BufferIdle(), BlankAdded);
        if (Progress.ResumeText().empty()) {
            Progress.Finish();
            ShowFinished();
        } else {
            ShowStopped();
        }
        GiveWindowBack();
        return;
    }
    if (InStandby) {
        InStandby = false;
        Form.SetContinuousSource(nullptr);
        Demo->hide();
        GiveWindowBack();
        return;
    }
    UpdateFileButtons();
}

void FileFeature::OnTextReplay(bool running) {
    // A replay that ends while a series still plays leaves the modes to the series.
    RadioButtonFile->setEnabled(!running && !Form.TextBox().ButtonStop->isVisible());
    UpdateFileButtons();
}

// The file buttons follow the mode buttons: while another mode holds the window (a series, a
// quiz, a replay), the file cannot start either.
void FileFeature::UpdateFileButtons() {
    if (Playing) {
        return;
    }
    const bool free = Loaded && RadioButtonFile->isEnabled() && !InStandby;
    const bool resumable = !Progress.ResumeText().empty();
    ButtonPlayFile->setEnabled(free && !resumable);
    ButtonContinueFile->setEnabled(free && resumable);
    ButtonPlayFile->setVisible(!resumable);
    ButtonContinueFile->setVisible(resumable);
}

bool FileFeature::eventFilter(QObject* watched, QEvent* event) {
    if (watched == RadioButtonFile && event->type() == QEvent::EnabledChange) {
        UpdateFileButtons();
    }
    return QObject::eventFilter(watched, event);
}

void FileFeature::SetModesEnabled(bool enabled) {
    for (auto* mode : RadioButtonFile->parentWidget()->findChildren<QRadioButton*>()) {
        mode->setEnabled(enabled);
        if (!enabled) {
            UncheckRadio(mode);
        }
    }
}

void FileFeature::UncheckRadio(QRadioButton* button) {
    if (!button->isChecked()) {
        return;
    }
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(true);
}

void FileFeature::SetTextHidden(bool hidden) {
    TextHidden = hidden;
    Pane->FileEdit->setStyleSheet(hidden ? kHiddenStyle : QString());
    Pane->ButtonHideFile->setText(hidden ? T("msg.show-file") : T("ButtonHideFile.Caption"));
}

void FileFeature::ButtonHideFileClick() {
    if (HiddenByInstructor) {
        return;
    }
    if (!TextHidden) {
        SetTextHidden(true);
        return;
    }
    SetTextHidden(false);
    SelectPlayed();
    Pane->FileEdit->setFocus();
}

// The played part is selected, as far as the file has been played.
void FileFeature::SelectPlayed() {
    QPlainTextEdit* edit = Pane->FileEdit;
    QTextCursor cursor(edit->document());
    cursor.setPosition(std::min(Progress.Position(), edit->document()->characterCount() - 1),
                       QTextCursor::KeepAnchor);
    edit->setTextCursor(cursor);
}

void FileFeature::SpeedButtonDemoClick() {
    if (TextHidden) {
        return;  // a masked text is never shown large
    }
    if (DemoStale) {
        Demo->SetText(Pane->FileEdit->toPlainText());
        DemoStale = false;
    }
    Demo->ShowLarge(Pane->FileEdit->width(), Pane->FileEdit->font().pointSizeF());
    FileEditSelectionChange();
}

void FileFeature::FileEditChange() {
    DemoOffset = 0;
    if (Demo->isVisible()) {
        Demo->SetText(Pane->FileEdit->toPlainText());
        DemoStale = false;
    } else {
        DemoStale = true;
    }
}

void FileFeature::FileEditSelectionChange() {
    if (Demo->isVisible()) {
        const QTextCursor cursor = Pane->FileEdit->textCursor();
        Demo->SelectPlayed(cursor.selectionEnd() - cursor.selectionStart() + DemoOffset);
    }
}

void FileFeature::DriftSwitchClick() {
    PlayEngine& engine = Form.Engine();
    if (Pane->SpeedButtonDriftFile->isChecked()) {
        engine.SnapshotBaseFrequency();
    } else {
        engine.RestoreDriftedTone();
    }
}

void FileFeature::UpdateFileDescription() {
    Pane->LabelwordsFile->setText(T("msg.spacing-between") + "=" + QString::number(Form.Speed().Spacing()) +
                                  " / " + Form.ControlsBox().LabelVitesseCorrigee->text());
}

// Masked text.
void FileFeature::MenuMaskedtextClick() {
    Form.OpenSidePanel(Masked);
    Masked->EditStartMaskedText->setText(DelimiterText(Progress.MaskStartChar()));
    Masked->EditEndMaskedText->setText(DelimiterText(Progress.MaskEndChar()));
    Masked->setVisible(true);
    Masked->EditStartMaskedText->setFocus();
}

void FileFeature::ButtonMaskedTextOKClick() {
    const QString start = Masked->EditStartMaskedText->text();
    const QString end = Masked->EditEndMaskedText->text();
    if (!start.isEmpty() && start.toLower() == end.toLower()) {
        Form.Prompts().Beep();
        Form.Prompts().Warn(T("msg.delimiters-must-differ"));
        Masked->EditStartMaskedText->setFocus();
        return;
    }
    const int startCode = DelimiterOf(start).value_or(FilePlayback::kNoDelimiter);
    const int endCode = DelimiterOf(end).value_or(FilePlayback::kNoDelimiter);
    Progress.SetDelimiters(startCode, endCode);
    MenuMaskedtext->setChecked(startCode != FilePlayback::kNoDelimiter);
    Masked->setVisible(false);
    ReturnFocus();
}

void FileFeature::ButtonMaskedTextCancelClick() {
    Masked->setVisible(false);
    ReturnFocus();
}

void FileFeature::ReturnFocus() {
    if (Pane->isVisible()) {
        Pane->FileEdit->setFocus();
    } else if (auto* random = Form.findChild<QWidget*>("MemoRandom");
               random != nullptr && random->isVisible()) {
        random->setFocus();
    } else {
        Form.TextBox().Editcaractere->setFocus();
    }
}

void FileFeature::ApplyInstructorLimits(const InstructorLimits& limits) {
    HiddenByInstructor = limits.MaskedFile;
    SetTextHidden(limits.MaskedFile);
    Pane->ButtonHideFile->setEnabled(!limits.MaskedFile);
    if (!limits.MaskedFile) {
        SelectPlayed();
    }
}

// Settings.
void FileFeature::ApplySettings(const SettingsModel& settings) {
    Progress.SetDelimiters(settings.MaskStartChar, settings.MaskEndChar);
    MenuMaskedtext->setChecked(settings.MaskStartChar != SettingsModel::kNoDelimiter);
}

void FileFeature::FinishStartUp(const SettingsModel& settings) {
    AddCommandLineFile();
    if (settings.LastChoice == kLastChoiceFile && !Loaded) {
        // The dialog opens once the window shows, as a click on "File" would.
        RadioButtonFile->setChecked(true);
        QTimer::singleShot(0, this, [this] {
            if (RadioButtonFile->isChecked() && !Loaded) {
                RadioButtonFileClick();
            }
        });
    }
    UpdateFileDescription();
}

// A parameter that is not one of the program's switches names a file to load at start.
void FileFeature::AddCommandLineFile() {
    for (const std::string& argument : Form.Arguments()) {
        const std::vector<CommandLineParameter> parsed = ParseCommandLine({argument});
        const bool isSwitch = !parsed.empty() && (parsed.front().SelectLanguage ||
                                                  parsed.front().SerialPortNumber || parsed.front().SpeedWpm);
        if (!isSwitch && !argument.empty()) {
            LoadFile(QFile::decodeName(argument.c_str()));
            return;
        }
    }
}

void FileFeature::CollectSettings(SettingsModel& settings) const {
    settings.MaskStartChar = Progress.MaskStartChar();
    settings.MaskEndChar = Progress.MaskEndChar();
    if (RadioButtonFile->isChecked()) {
        settings.LastChoice = kLastChoiceFile;
    } else if (settings.LastChoice == kLastChoiceFile) {
        settings.LastChoice = 1;
    }
}

void FileFeature::Retranslate(const LanguageTable& texts) {
    RadioButtonFile->setText(T("RadioButtonFile.Caption"));
    RadioButtonFile->setToolTip(T("RadioButtonFile.Hint"));
    Pane->setTitle(T("PanelFile.Caption"));
    Pane->ButtonHideFile->setText(TextHidden ? T("msg.show-file") : T("ButtonHideFile.Caption"));
    Pane->SpeedButtonDemo->setToolTip(T("SpeedButtonDemo.Hint"));
    for (auto [button, name] :
         {std::pair<SwitchButton*, const char*>{Pane->SpeedButtonNoiseFile, "SpeedButtonNoise"},
          {Pane->SpeedButtonQSBFile, "SpeedButtonQSB"},
          {Pane->SpeedButtonDriftFile, "SpeedButtonDrift"}}) {
        button->setText(TableText(texts, std::string(name) + ".Caption"));
        button->setToolTip(TableText(texts, std::string(name) + ".Hint"));
    }
    ButtonPlayFile->setText(T("ButtonPlayFile.Caption"));
    ButtonPlayFile->setToolTip(T("ButtonPlayFile.Hint"));
    ButtonContinueFile->setText(T("ButtonContinueFile.Caption"));
    ButtonContinueFile->setToolTip(T("ButtonContinueFile.Hint"));
    MenuText->setTitle(T("MenuText.Caption"));
    MenuMaskedtext->setText(T("MenuMaskedtext.Caption"));
    MenuCacherText->setText(T("MenuCacherText.Caption"));
    Masked->LabelMaskedText->setText(T("LabelMaskedText.Caption"));
    Masked->LabelStartMaskedText->setText(T("LabelStartMaskedText.Caption"));
    Masked->LabelEndMaskedText->setText(T("LabelEndMaskedText.Caption"));
    Masked->LabelMaskedNote->setText(T("LabelMaskedNote.Caption"));
    Masked->ButtonMaskedTextOK->setText(T("ButtonMaskedTextOK.Caption"));
    Masked->ButtonMaskedTextCancel->setText(T("ButtonMaskedTextCancel.Caption"));
    UpdateFileDescription();
}

}  // namespace kelvaro
