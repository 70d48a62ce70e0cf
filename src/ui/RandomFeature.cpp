// The Random practice mode: generated groups, character sets, lessons, vocabulary, the exam.
#include "ui/RandomFeature.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTextBlock>
#include <QToolButton>
#include <algorithm>

#include "app/OutputFile.h"
#include "app/TextEncoding.h"
#include "app/WordListFile.h"
#include "core/Cp1252.h"
#include "ui/ChosenCharactersPanel.h"
#include "ui/ControlsPane.h"
#include "ui/LocalLessonPanel.h"
#include "ui/MainMenu.h"
#include "ui/Prompter.h"
#include "ui/RandomMenu.h"
#include "ui/RandomPane.h"
#include "ui/SwitchButton.h"
#include "ui/TForm1.h"
#include "ui/TFormPause.h"
#include "ui/TableText.h"
#include "ui/TextPane.h"
#include "ui/TypingEdit.h"

namespace kelvaro {

namespace {

// The program's 8-bit codes of a text; characters without one are dropped.
std::string ToCodes(const QString& text) {
    std::string codes;
    for (char32_t codePoint : text.toUcs4()) {
        if (const auto code = CodePointToCp1252(codePoint)) {
            codes += static_cast<char>(*code);
        }
    }
    return codes;
}

QString FromCodes(std::string_view codes) {
    return QString::fromStdString(Cp1252ToUtf8(codes));
}

bool IsBlankText(const QString& text) {
    return text.isEmpty() || text == " ";
}

}  // namespace

RandomFeature::RandomFeature(TForm1& form)
    : QObject(&form), Form(form), Generator(form.Pool(), form.Randomness()) {
    CharacterSets::InstallExtras(Form.Pool());
    Pane = new RandomPane;
    RadioButtonRandom = new QRadioButton;
    RadioButtonRandom->setObjectName("RadioButtonRandom");
    Form.AddMode(RadioButtonRandom, Pane);

    Chosen = new ChosenCharactersPanel;
    LocalLesson = new LocalLessonPanel;
    Form.PlaceSidePanel(Chosen);
    Form.PlaceSidePanel(LocalLesson);
    Form.RegisterSidePanel(Chosen, [this] { ButtonCancelChoixClick(); });
    Form.RegisterSidePanel(LocalLesson, [this] { ButtonLocalLessonExitClick(); });
    Pause = new TFormPause(Form.CreateTimer(), Form.Texts(), &Form);
    Menu = new RandomMenu(Form.Menus(), this);

    ChooseWordList = [this] {
        return QFileDialog::getOpenFileName(&Form, QString(), QString(), T("msg.word-list-filter"));
    };
    ChooseSaveFile = [this] {
        return QFileDialog::getSaveFileName(&Form, QString(), T("msg.save-random-name"),
                                            T("msg.save-random-filter"));
    };
    ShowLessonPage(1);
    Chosen->BoxCaracteresChoix->setEditText(" ");
    ConnectControls();
    Form.RegisterFeature(this);
}

QString RandomFeature::T(const char* entry) const {
    return TableText(Form.Texts(), entry);
}

void RandomFeature::ConnectControls() {
    connect(RadioButtonRandom, &QRadioButton::clicked, this, [this] { ButtonChoixRandomClick(); });
    connect(RadioButtonRandom, &QRadioButton::toggled, this, [this](bool on) {
        if (!on) {
            PlayArmed = false;  // another mode was chosen
        }
    });
    connect(Pane->BitBtnPlayRandom, &QPushButton::clicked, this, [this] { BitBtnPlayRandomClick(); });
    connect(Pane->BitBtnStopRandom, &QPushButton::clicked, this, [this] { BitBtnStopRandomClick(); });
    connect(Pane->ButtonHide, &QPushButton::clicked, this, [this] { ButtonHideClick(); });
    connect(Pane->ButtonChangeLesson, &QPushButton::clicked, this, [this] { ButtonChangeLessonClick(); });
    connect(Pane->ButtonExamenTexte, &QPushButton::clicked, this, [this] { ButtonExamenTexteClick(); });
    connect(Pane->SpinEditRandomNumber, &QSpinBox::valueChanged, this,
            [this](int count) { Generator.Count = count; });
    Pane->SpeedButtonNoise->OnRightClick = [this] { Form.Menus().MenuNoisesettings->trigger(); };
    Pane->SpeedButtonQSB->OnRightClick = [this] { Form.Menus().MenuQSBsetting->trigger(); };
    Pane->SpeedButtonDrift->OnRightClick = [this] { Form.Menus().MenuDriftSetting->trigger(); };
    connect(Pane->SpeedButtonDrift, &QToolButton::clicked, this, [this] { DriftSwitchClick(); });

    const std::array<RandomSource, 9> sources = {
        RandomSource::Letters, RandomSource::Figures,        RandomSource::Stops,
        RandomSource::Local,   RandomSource::LettersFigures, RandomSource::All,
        RandomSource::Chosen,  RandomSource::Exam,           RandomSource::Vocabulary};
    for (std::size_t i = 0; i < sources.size(); ++i) {
        QAction* item = Menu->SetItems[i];
        const RandomSource source = sources[i];
        connect(item, &QAction::triggered, this, [this, source] {
            if (source == RandomSource::Chosen) {
                // The menu keeps the check where it was until OK builds the chosen set.
                CheckOnly(Menu->SetItems[static_cast<std::size_t>(CheckedSource()) - 1]);
                MenuChoixCaracteresClick();
            } else {
                SetCommandClick(source);
            }
        });
    }
    for (int length = 2; length <= 8; ++length) {
        connect(Menu->MenuFixedWords[static_cast<std::size_t>(length - 2)], &QAction::triggered, this,
                [this, length] { MenuFixedWordsClick(length); });
    }
    connect(Menu->MenuRandomWords, &QAction::triggered, this, [this] { MenuRandomWordsClick(); });
    connect(Menu->MenuWordContent, &QAction::triggered, this, [this] { MenuWordContentClick(); });
    connect(Menu->menuCallsigns, &QAction::triggered, this, [this] { menuCallsignsClick(); });
    connect(Menu->MenuAddV, &QAction::triggered, this, [this] { MenuAddVClick(); });
    connect(Menu->ClearMemoRandom, &QAction::triggered, this, [this] { ClearMemoRandomClick(); });
    connect(Menu->SaveMemoRandom1, &QAction::triggered, this, [this] { SaveMemoRandom1Click(); });
    connect(Menu->MenuQuickRandom, &QAction::triggered, this, [this] { MenuQuickRandomClick(); });
    connect(Menu->MenuLocallesson, &QAction::triggered, this, [this] { MenuLocallessonClick(); });

    QComboBox* box = Chosen->BoxCaracteresChoix;
    connect(box->lineEdit(), &QLineEdit::textEdited, this, [box](const QString& text) {
        const QString lower = text.toLower();
        if (lower != text) {
            const int caret = box->lineEdit()->cursorPosition();
            box->lineEdit()->setText(lower);
            box->lineEdit()->setCursorPosition(caret);
        }
    });
    connect(box->lineEdit(), &QLineEdit::returnPressed, this, [this] { ButtonChoixCaractereOKClick(); });
    connect(Chosen->ButtonChoixCaractereOK, &QPushButton::clicked, this,
            [this] { ButtonChoixCaractereOKClick(); });
    connect(Chosen->ButtonCancelChoix, &QPushButton::clicked, this, [this] { ButtonCancelChoixClick(); });
    connect(Chosen->SpeedButtonChoixMoins, &QToolButton::clicked, this,
            [this] { ShowLessonPage(LessonPage - 1); });
    connect(Chosen->SpeedButtonChoixPlus, &QToolButton::clicked, this,
            [this] { ShowLessonPage(LessonPage + 1); });

    connect(LocalLesson->EditNumeroLesson, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (text.isEmpty()) {
            LocalLesson->EditCaractereLesson->clear();
            return;
        }
        const auto number = LessonBook::ParseLessonNumber(text.toStdString());
        if (!number) {
            Form.Prompts().Beep();
            LocalLesson->EditNumeroLesson->clear();
            LocalLesson->EditCaractereLesson->clear();
            return;
        }
        const std::string& lesson = Book.Lesson(*number);
        LocalLesson->EditCaractereLesson->setText(LessonBook::IsBlank(lesson) ? QString()
                                                                              : FromCodes(lesson));
    });
    connect(LocalLesson->EditCaractereLesson, &QLineEdit::textEdited, this, [this](const QString& text) {
        const QString kept = FromCodes(LessonBook::FilterLessonText(ToCodes(text)));
        if (kept != text) {
            const int caret = LocalLesson->EditCaractereLesson->cursorPosition();
            LocalLesson->EditCaractereLesson->setText(kept);
            LocalLesson->EditCaractereLesson->setCursorPosition(
                std::min(caret, static_cast<int>(kept.size())));
        }
    });
    connect(LocalLesson->EditCaractereLesson, &QLineEdit::returnPressed, this,
            [this] { ButtonLocalLessonEnterClick(); });
    connect(LocalLesson->ButtonLocalLessonEnter, &QPushButton::clicked, this,
            [this] { ButtonLocalLessonEnterClick(); });
    connect(LocalLesson->ButtonLocalLessonExit, &QPushButton::clicked, this,
            [this] { ButtonLocalLessonExitClick(); });

    Pause->OnContinue = [this] {
        if (Generator.ExamPhase() == 1) {
            RunExamPhase(ExamFollowUp::Groups, false);
        } else if (Generator.ExamPhase() == 2) {
            RunExamPhase(ExamFollowUp::Text, false);
        }
    };
    Pause->OnAbort = [this] { ResetExam(); };
}

// Selecting the mode.
void RandomFeature::ButtonChoixRandomClick() {
    if (Form.Engine().SidetoneActive()) {
        Form.Engine().StopSidetone();
    }
    if (PlayArmed) {
        // Coming back with a series armed: it goes on at once.
        if (!Generator.Running()) {
            PlayArmed = false;
            Form.Engine().RestoreDriftedTone();
            RadioButtonRandomClick();
        }
        return;
    }
    Form.ButtonStopClick();
    Form.ShowModePane(Pane);
    Menu->MenuQuickRandom->setEnabled(true);
    Menu->menuExamen->setEnabled(ExamAvailable());
    Menu->MenuListWords->setEnabled(true);
    if (Menu->menuExamen->isChecked()) {
        ApplyExamSettings();
    }
    UpdateRandomDescription();
}

void RandomFeature::BitBtnPlayRandomClick() {
    if (Menu->menuExamen->isChecked() && WordListPath.empty()) {
        Form.Prompts().Warn(T("msg.choose-word-list"));
        return;
    }
    if (Generator.ExamChecked) {
        if (Generator.ExamPhase() != 0 && Generator.RandomRemaining() > 1) {
            ResetExam();  // a phase was interrupted
        }
        if (Generator.ExamPhase() == 0 && !Pane->MemoRandom->document()->isEmpty()) {
            Pane->MemoRandom->clear();
            Generator.ClearPane();
        }
    }
    PlayArmed = true;
    Generator.ClearStopRequest();
    Pane->BitBtnStopRandom->setVisible(true);
    Pane->BitBtnPlayRandom->setVisible(false);
    Form.Engine().StartQsbCycle();
    if (Menu->MenuHide->isChecked()) {
        SetMemoHidden(true);
    }
    RadioButtonRandomClick();
}

// One character: generated, shown, handed over.
void RandomFeature::RadioButtonRandomClick() {
    const SeriesStep step = Generator.Next();
    if (step.NoCharacters) {
        NoCharactersToPlay();
        return;
    }
    if (step.ExamWarmUpStarted) {
        SetExamCaption("msg.exam-phase1");
    }
    if (step.SeriesStarted) {
        Pane->BitBtnStopRandom->setVisible(true);
        Pane->BitBtnPlayRandom->setVisible(false);
        Form.ShowModePane(Pane);
        Form.TextBox().Editcaractere->setEnabled(false);
        EnableOtherModes(false);
        Form.NotifyPracticePlaying(true);
    }
    if (step.NewLineIfNeeded) {
        NewLineIfNeeded();
    }
    if (step.NewLine) {
        AppendToMemo("\n");
    }
    if (step.SeriesStarted) {
        SeriesStartOffset = Pane->MemoRandom->document()->characterCount() - 1;
    }
    LastHanded = step.Character;
    Form.Engine().PlayQueue().assign(1, static_cast<char>(step.Character));
    const QChar shown(static_cast<char16_t>(Cp1252ToCodePoint(step.Character)));
    AppendToMemo(Menu->menulowercase->isChecked() ? shown.toLower() : shown.toUpper());

    auto closeGroup = [this] {
        const GroupClose close = Generator.CloseGroupIfComplete();
        if (close.AppendSpace) {
            AppendToMemo(" ");
        }
        if (close.NewLine) {
            AppendToMemo("\n");
        }
    };
    if (Generator.Silent()) {
        closeGroup();
        Form.PlayQueued();
    } else {
        // The engine reads the group position as it starts, to end the group with a word gap.
        Form.PlayQueued();
        closeGroup();
    }
}

void RandomFeature::NoCharactersToPlay() {
    Form.PttOff();
    Form.Prompts().Warn(T("msg.no-morse-to-play"));
    Generator.Stop();
    Generator.ClearStopRequest();
    RadioButtonRandom->setAutoExclusive(false);
    RadioButtonRandom->setChecked(false);
    RadioButtonRandom->setAutoExclusive(true);
    Form.TextBox().ButtonQuitter->setVisible(true);
    Form.TextBox().ButtonStop->setVisible(false);
    Pane->BitBtnPlayRandom->setVisible(true);
    Pane->BitBtnStopRandom->setVisible(false);
    Form.TextBox().Editcaractere->setEnabled(true);
    EnableOtherModes(true);
    Form.Engine().PlayQueue().clear();
}

bool RandomFeature::HandlePlaybackEnded() {
    if (!RadioButtonRandom->isChecked() || !Generator.Running()) {
        return false;
    }
    const CharacterEnd end = Generator.End(LastHanded);
    switch (end.What) {
        case CharacterEnd::Kind::SeriesOver: {
            if (end.Beep) {
                Form.Prompts().InformationBeep();
            }
            if (end.ExamReset) {
                SetExamCaption("PanelExamen.Caption");
            }
            const bool silent = Generator.Silent();
            BitBtnStopRandomClick(true);
            StartExamFollowUp(end.FollowUp, silent);
            return true;
        }
        case CharacterEnd::Kind::Continue:
            RadioButtonRandomClick();
            return true;
        case CharacterEnd::Kind::Stopped:
        case CharacterEnd::Kind::NotRunning:
            break;
    }
    return false;
}

// After a sounding phase the pause window counts down first; a silent run goes on at once.
void RandomFeature::StartExamFollowUp(ExamFollowUp followUp, bool silent) {
    if (followUp == ExamFollowUp::None) {
        return;
    }
    if (!silent) {
        Pause->StartPause(Generator.ExamPhase());
        return;
    }
    RunExamPhase(followUp, true);
}

void RandomFeature::RunExamPhase(ExamFollowUp followUp, bool silent) {
    if (followUp == ExamFollowUp::Groups) {
        Generator.SetExamPhase(2);
        SetExamCaption("msg.exam-phase2");
        Generator.SetSilent(silent);
        BitBtnPlayRandomClick();
    } else {
        Generator.SetExamPhase(3);
        SetExamCaption("msg.exam-phase3");
        Generator.SetSilent(silent);
        ButtonExamenTexteClick();
    }
}

void RandomFeature::BitBtnStopRandomClick(bool afterKeying) {
    Pane->BitBtnPlayRandom->setVisible(true);
    Pane->BitBtnStopRandom->setVisible(false);
    Generator.ClearPendingWords();
    // The series stops and the window comes back; a side panel open meanwhile stays open with
    // what was typed in it.
    Form.StopPlayback(afterKeying);
    Form.Engine().RestoreDriftedTone();
}

// The Port panel stops a running series: its choices rewire what the series keys.
void RandomFeature::OnSidePanelOpening(bool rewiresTransmitter) {
    if (rewiresTransmitter && Generator.Running()) {
        BitBtnStopRandomClick();
    }
}

// The random part of the window's Stop.
void RandomFeature::OnStop() {
    Generator.Stop();
    Pane->BitBtnPlayRandom->setVisible(true);
    Pane->BitBtnStopRandom->setVisible(false);
    EnableOtherModes(true);
}

// A replay may start while a series is generated (between two characters): Random then stays
// selectable.
void RandomFeature::OnTextReplay(bool running) {
    RadioButtonRandom->setEnabled(!running || Generator.Running());
}

void RandomFeature::EnableOtherModes(bool enabled) {
    auto* modes = Form.findChild<QGroupBox*>("GroupBoxChoix");
    if (modes == nullptr) {
        return;
    }
    for (QRadioButton* mode : modes->findChildren<QRadioButton*>()) {
        if (mode != RadioButtonRandom) {
            mode->setEnabled(enabled);
        }
    }
}

QString RandomFeature::LatestSeriesText() const {
    const QString text = Pane->MemoRandom->toPlainText();
    return SeriesStartOffset <= text.size() ? text.mid(SeriesStartOffset) : text;
}

void RandomFeature::AppendToMemo(const QString& text) {
    QTextCursor cursor(Pane->MemoRandom->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text);
}

void RandomFeature::NewLineIfNeeded() {
    if (!Pane->MemoRandom->document()->lastBlock().text().isEmpty()) {
        AppendToMemo("\n");
    }
}

void RandomFeature::SetMemoHidden(bool hidden) {
    MemoHidden = hidden || MaskLocked;
    hidden = MemoHidden;
    Pane->MemoRandom->setStyleSheet(hidden ? "QPlainTextEdit { background: black; color: black; }"
                                           : QString());
    Pane->ButtonHide->setText(hidden ? T("msg.show-memo") : T("ButtonHide.Caption"));
}

// The lock blacks the groups out and keeps Hide from showing them; lifting it shows them again.
void RandomFeature::ApplyInstructorLimits(const InstructorLimits& limits) {
    const bool wasLocked = MaskLocked;
    MaskLocked = limits.MaskedRandom;
    Pane->ButtonHide->setEnabled(!MaskLocked);
    if (MaskLocked) {
        SetMemoHidden(true);
    } else if (wasLocked) {
        SetMemoHidden(false);
    }
}

void RandomFeature::ButtonHideClick() {
    SetMemoHidden(!MemoHidden);
}

void RandomFeature::ClearMemoRandomClick() {
    if (Generator.Running()) {
        Form.Prompts().Warn(T("msg.stop-before-clearing"));
        return;
    }
    QTextDocument* memo = Pane->MemoRandom->document();
    if (memo->firstBlock().text().isEmpty() && memo->blockCount() < 2) {
        Form.Prompts().Warn(T("msg.nothing-to-clear"));
        return;
    }
    Pane->MemoRandom->clear();
    Generator.ClearPane();
}

void RandomFeature::SaveMemoRandom1Click() {
    if (Generator.Running()) {
        Form.Prompts().Warn(T("msg.stop-before-recording"));
        return;
    }
    if (Pane->MemoRandom->document()->firstBlock().text().isEmpty()) {
        Form.Prompts().Warn(T("msg.nothing-to-record-random"));
        return;
    }
    const QString name = ChooseSaveFile();
    if (name.isEmpty()) {
        return;
    }
    QString text = Pane->MemoRandom->toPlainText();
    text.replace("\n", "\r\n");
    // Written beside and renamed into place: a failed save never leaves half a file under the
    // chosen name, and a link or device in its place is never replaced.
    const QByteArray bytes = text.toUtf8();
    const Status saved = OutputFile::WriteWhole(QFile::encodeName(name).toStdString(),
                                                std::string_view(bytes.constData(), bytes.size()));
    if (!saved.Ok()) {
        Form.Prompts().Warn(T("msg.cannot-open-file") + "\n" + QString::fromStdString(saved.Context));
    }
}

void RandomFeature::MenuQuickRandomClick() {
    if (Generator.Running()) {
        BitBtnStopRandomClick();
    }
    if (!RadioButtonRandom->isChecked()) {
        RadioButtonRandom->setChecked(true);
        ButtonChoixRandomClick();
    }
    if (!Pane->MemoRandom->document()->isEmpty()) {
        Pane->MemoRandom->clear();
        Generator.ClearPane();
    }
    Generator.SetRandomRemaining(Generator.Count);
    Generator.SetSilent(true);
    BitBtnPlayRandomClick();
    Generator.SetSilent(Generator.Silent() && Generator.Running());
}

// The set commands.
RandomSource RandomFeature::CheckedSource() const {
    for (std::size_t i = 0; i < Menu->SetItems.size(); ++i) {
        if (Menu->SetItems[i]->isChecked()) {
            return static_cast<RandomSource>(i + 1);
        }
    }
    return RandomSource::All;
}

void RandomFeature::CheckOnly(QAction* item) {
    for (QAction* other : Menu->SetItems) {
        other->setChecked(other == item);
    }
}

bool RandomFeature::ExamAvailable() const {
    return Form.Texts().Current() == Language::French;
}

void RandomFeature::ShowSetCaption(const QString& caption) {
    SetCaption = caption;
    Pane->PanelRandomLesson->setText(caption);
    NotifySetChanged();
}

void RandomFeature::NotifySetChanged() {
    if (OnSetChanged) {
        OnSetChanged();
    }
}

void RandomFeature::RestartCountIfRunning() {
    if (Generator.RestartCount()) {
        NewLineIfNeeded();
    }
}

bool RandomFeature::AskForWordList() {
    const QString chosen = ChooseWordList ? ChooseWordList() : QString();
    if (chosen.isEmpty()) {
        return false;
    }
    WordListPath = ToCodes(chosen);
    return true;
}

bool RandomFeature::LoadWordList(const std::string& path) {
    const WordListLoad load = WordListFile::Load(Cp1252ToUtf8(path));
    if (!load.Ok()) {
        Form.Prompts().Warn(T("msg.cannot-open-word-list"));
        WordListPath.clear();
        Generator.Words.clear();
        return false;
    }
    Generator.Words = load.Lines;
    return true;
}

void RandomFeature::SetCommandClick(RandomSource source) {
    const bool words = source == RandomSource::Vocabulary || source == RandomSource::Exam;
    if (words) {
        if (WordListPath.empty() && !Restoring && !AskForWordList()) {
            return;
        }
        if (!WordListPath.empty()) {
            LoadWordList(WordListPath);
        }
    }
    CharacterPool& pool = Form.Pool();
    const PoolWindow window = CharacterSets::WindowFor(source, Form.Locals().LocalCharacterCount(),
                                                       pool.PoolSize(), {pool.PoolStart(), pool.PoolSize()});
    pool.SetPoolStart(window.Start);
    pool.SetPoolSize(window.Size);
    QAction* item = Menu->SetItems[static_cast<std::size_t>(source) - 1];
    CheckOnly(item);
    Generator.VocabularyChecked = source == RandomSource::Vocabulary;
    Generator.ExamChecked = source == RandomSource::Exam && ExamAvailable();
    CallsignsFollowLength();
    Menu->MenuWordslength->setEnabled(!words);
    Pane->PanelExamen->setVisible(source == RandomSource::Exam);
    Pane->ButtonExamenTexte->setVisible(source == RandomSource::Exam);
    ShowSetCaption(" " + MainMenu::PlainCaption(item));
    Pane->MemoRandom->moveCursor(QTextCursor::End);
    RestartCountIfRunning();
    if (source == RandomSource::Exam && RandomModeSelected()) {
        ApplyExamSettings();
    }
    UpdateRandomDescription();
}

void RandomFeature::CallsignsFollowLength() {
    const RandomSource source = CheckedSource();
    const bool allowed = Generator.GroupLengthOption() == 5 &&
                         (source == RandomSource::LettersFigures || source == RandomSource::Exam);
    Menu->menuCallsigns->setEnabled(allowed);
    if (!allowed && Menu->menuCallsigns->isChecked()) {
        Menu->menuCallsigns->setChecked(false);
        Generator.Rule = Menu->MenuWordContent->isChecked() ? GroupRule::NonMixed : GroupRule::Mixed;
    }
}

// The chosen-characters panel.
void RandomFeature::ShowSidePanel(QWidget* panel) {
    panel->raise();
    panel->setVisible(true);
}

void RandomFeature::MenuChoixCaracteresClick() {
    if (AskNewWordList) {
        AskNewWordList = false;
        const std::string previous = WordListPath;
        if (!AskForWordList()) {
            WordListPath = previous;  // Cancel keeps the old list
        }
        if (LoadWordList(WordListPath)) {
            Pane->LabelWords->setText(FromCodes(WordListPath));
        }
        return;
    }
    Form.OpenSidePanel(Chosen);
    ShowSidePanel(Chosen);
    Chosen->BoxCaracteresChoix->setFocus();
    RememberedText = Chosen->BoxCaracteresChoix->currentText();
    RememberedItem = Chosen->BoxCaracteresChoix->currentIndex();
    RememberedPage = LessonPage;
    Chosen->ButtonCancelChoix->setEnabled(true);
    Menu->menuCallsigns->setEnabled(false);
    if (Menu->menuCallsigns->isChecked()) {
        Menu->menuCallsigns->setChecked(false);
        Generator.Rule = Menu->MenuWordContent->isChecked() ? GroupRule::NonMixed : GroupRule::Mixed;
    }
    UpdateRandomDescription();
}

void RandomFeature::OpenChosenCharactersPanel(bool cancelAllowed) {
    MenuChoixCaracteresClick();
    Chosen->ButtonCancelChoix->setEnabled(cancelAllowed);
}

std::string RandomFeature::ChosenText() const {
    return ToCodes(Chosen->BoxCaracteresChoix->currentText());
}

void RandomFeature::ButtonChoixCaractereOKClick() {
    const QString text = Chosen->BoxCaracteresChoix->currentText();
    if (IsBlankText(text)) {
        Form.Prompts().Beep();
        return;
    }
    Chosen->setVisible(false);
    const std::string codes = ChosenText();
    CharacterPool& pool = Form.Pool();
    const int count = CharacterSets::BuildChosenSet(pool, codes, Form.Locals().LocalCharacterCount());
    pool.SetPoolStart(CharacterSets::kChosenStart);
    pool.SetPoolSize(count);
    CheckOnly(Menu->MenuChoixCaracteres);
    Generator.VocabularyChecked = false;
    Generator.ExamChecked = false;
    Menu->MenuWordslength->setEnabled(true);
    Pane->PanelExamen->setVisible(false);
    Pane->ButtonExamenTexte->setVisible(false);
    const auto item = Book.LastMatchingItem(LessonPage, codes);
    if (item) {
        Chosen->BoxCaracteresChoix->setCurrentIndex(*item);
        ShowSetCaption(" " + T("msg.lesson") + " #" +
                       QString::number(LessonBook::NumberOf(LessonPage, *item)));
    } else {
        ShowSetCaption(" " + MainMenu::PlainCaption(Menu->MenuChoixCaracteres));
    }
    RestartCountIfRunning();
    UpdateRandomDescription();
}

void RandomFeature::ChooseLesson(int number) {
    ShowLessonPage((number - 1) / LessonBook::kPerPage + 1);
    Chosen->BoxCaracteresChoix->setCurrentIndex((number - 1) % LessonBook::kPerPage);
    ButtonChoixCaractereOKClick();
}

void RandomFeature::UseCharacters(const std::string& codes, const QString& caption) {
    Chosen->BoxCaracteresChoix->setEditText(FromCodes(codes));
    ButtonChoixCaractereOKClick();
    ShowSetCaption(" " + caption);
}

void RandomFeature::ButtonCancelChoixClick() {
    Chosen->setVisible(false);
    ShowLessonPage(RememberedPage);
    Chosen->BoxCaracteresChoix->setCurrentIndex(RememberedItem);
    Chosen->BoxCaracteresChoix->setEditText(RememberedText);
    NotifySetChanged();
}

void RandomFeature::ShowLessonPage(int page) {
    LessonPage = std::clamp(page, 1, LessonBook::kPageCount);
    QComboBox* box = Chosen->BoxCaracteresChoix;
    const QString text = box->currentText();
    box->clear();
    for (int item = 0; item < LessonBook::kPerPage; ++item) {
        box->addItem(FromCodes(Book.Lesson(LessonBook::NumberOf(LessonPage, item))));
    }
    box->setCurrentIndex(-1);
    box->setEditText(text);
    Chosen->Label3->setText(QString::fromStdString(LessonBook::PageLabel(LessonPage)));
    Chosen->SpeedButtonChoixMoins->setEnabled(LessonPage > 1);
    Chosen->SpeedButtonChoixPlus->setEnabled(LessonPage < LessonBook::kPageCount);
}

void RandomFeature::ButtonChangeLessonClick() {
    if (Menu->MenuListWords->isChecked() || Menu->menuExamen->isChecked()) {
        AskNewWordList = true;
    }
    MenuChoixCaracteresClick();
}

bool RandomFeature::NeedsSetConfirmation() const {
    return Menu->MenuListWords->isChecked() || Menu->menuExamen->isChecked();
}

// Word options.
void RandomFeature::MenuFixedWordsClick(int length) {
    Menu->MenuFixedWords[static_cast<std::size_t>(length - 2)]->setChecked(true);
    Generator.SetGroupLengthOption(length);
    CallsignsFollowLength();
    UpdateRandomDescription();
}

void RandomFeature::MenuRandomWordsClick() {
    Menu->MenuRandomWords->setChecked(true);
    Generator.SetGroupLengthOption(0);
    CallsignsFollowLength();
    UpdateRandomDescription();
}

void RandomFeature::MenuWordContentClick() {
    if (Menu->MenuWordContent->isChecked()) {
        Menu->menuCallsigns->setChecked(false);
        Generator.Rule = GroupRule::NonMixed;
    } else {
        Generator.Rule = Menu->menuCallsigns->isChecked() ? GroupRule::Callsigns : GroupRule::Mixed;
    }
    UpdateRandomDescription();
}

void RandomFeature::menuCallsignsClick() {
    if (Menu->menuCallsigns->isChecked()) {
        Menu->MenuWordContent->setChecked(false);
        Generator.Rule = GroupRule::Callsigns;
    } else {
        Generator.Rule = Menu->MenuWordContent->isChecked() ? GroupRule::NonMixed : GroupRule::Mixed;
    }
    UpdateRandomDescription();
}

void RandomFeature::MenuAddVClick() {
    Generator.AddLeadingVs = Menu->MenuAddV->isChecked();
    UpdateRandomDescription();
}

void RandomFeature::UpdateRandomDescription() {
    if (Menu->MenuListWords->isChecked()) {
        Pane->LabelWords->setText(FromCodes(WordListPath));
        return;
    }
    QString text;
    if (Generator.ExamChecked) {
        text = T("msg.word-length") + "5  / " + T("msg.leading-vs") + " / " + T("msg.non-mixed");
    } else {
        text = T("msg.word-length") +
               (Generator.GroupLengthOption() == 0 ? T("msg.random-length")
                                                   : QString::number(Generator.GroupLengthOption())) +
               " / " + (Generator.AddLeadingVs ? T("msg.leading-vs") : T("msg.no-leading-vs")) + " / ";
        text += Generator.Rule == GroupRule::NonMixed    ? T("msg.non-mixed")
                : Generator.Rule == GroupRule::Callsigns ? T("msg.callsigns")
                                                         : T("msg.mixed");
    }
    const auto* spacing = Form.findChild<QSpinBox*>("SpinEditEspace");
    text +=
        " / " + T("msg.spacing-between") + "=" + QString::number(spacing != nullptr ? spacing->value() : 1);
    text += " / " + Form.ControlsBox().LabelVitesseCorrigee->text();
    Pane->LabelWords->setText(text);
}

// Local lessons.
void RandomFeature::MenuLocallessonClick() {
    Form.OpenSidePanel(LocalLesson);
    ShowSidePanel(LocalLesson);
    LocalLesson->EditNumeroLesson->setFocus();
}

void RandomFeature::ButtonLocalLessonEnterClick() {
    const auto number = LessonBook::ParseLessonNumber(LocalLesson->EditNumeroLesson->text().toStdString());
    if (!number) {
        Form.Prompts().Beep();
        return;
    }
    Book.SetLesson(*number, ToCodes(LocalLesson->EditCaractereLesson->text()));
    QComboBox* box = Chosen->BoxCaracteresChoix;
    const QString text = box->currentText();
    if (LessonBook::IsOnPage(*number, LessonPage)) {
        box->setItemText(*number - 1 - LessonBook::kPerPage * (LessonPage - 1),
                         FromCodes(Book.Lesson(*number)));
    }
    box->setEditText(text);
    if (!IsBlankText(text)) {
        ButtonChoixCaractereOKClick();
    }
    LocalLesson->EditNumeroLesson->setFocus();
    LocalLesson->EditNumeroLesson->selectAll();
}

void RandomFeature::ButtonLocalLessonExitClick() {
    LocalLesson->setVisible(false);
}

// The exam.
void RandomFeature::SetExamCaption(const char* entry) {
    Pane->PanelExamen->setText(T(entry));
}

void RandomFeature::ResetExam() {
    Generator.ResetExam();
    SetExamCaption("PanelExamen.Caption");
}

void RandomFeature::ApplyExamSettings() {
    Form.ControlsBox().UpDownVitesse->setValue(12);
    if (auto* spacing = Form.findChild<QSpinBox*>("SpinEditEspace")) {
        spacing->setValue(1);
    }
    Form.Menus().MenuEspaceMotItems[1]->trigger();
    MenuFixedWordsClick(5);
    Menu->MenuWordContent->setChecked(true);
    MenuWordContentClick();
}

void RandomFeature::ButtonExamenTexteClick() {
    if (WordListPath.empty()) {
        Form.Prompts().Warn(T("msg.no-morse-to-play"));
        return;
    }
    const WordListLoad load = WordListFile::Load(Cp1252ToUtf8(WordListPath));
    if (!load.Ok()) {
        Form.Prompts().Warn(T("msg.cannot-open-file"));
        WordListPath.clear();
        Generator.Words.clear();
        return;
    }
    Generator.Words = load.Lines;
    if (Generator.ExamPhase() != 3) {
        Generator.SetExamPhase(3);
        SetExamCaption("msg.exam-phase3");
    }
    BitBtnPlayRandomClick();
}

// Impairments.
void RandomFeature::DriftSwitchClick() {
    PlayEngine& engine = Form.Engine();
    if (Pane->SpeedButtonDrift->isChecked()) {
        engine.SnapshotBaseFrequency();
        engine.Drift().SwitchOn();
    } else {
        engine.RestoreDriftedTone();
    }
}

bool RandomFeature::RandomModeSelected() const {
    return RadioButtonRandom->isChecked();
}

bool RandomFeature::RandomGroupsPlaying() const {
    return RandomModeSelected() && Generator.Running();
}

void RandomFeature::AddToContext(CharacterContext& context) const {
    if (RandomGroupsPlaying()) {
        context.NoiseOn = context.NoiseOn || Pane->SpeedButtonNoise->isChecked();
        context.QsbOn = context.QsbOn || Pane->SpeedButtonQSB->isChecked();
        context.DriftOn = context.DriftOn || Pane->SpeedButtonDrift->isChecked();
    }
    if (RandomModeSelected() && Generator.CompletesGroup()) {
        context.CompletesGroup = true;
    }
}

// Settings.
void RandomFeature::ApplySettings(const SettingsModel& settings) {
    Pane->SpinEditRandomNumber->setValue(settings.RandomCount);
    Generator.Count = Pane->SpinEditRandomNumber->value();
    if (settings.GroupLength == 0) {
        MenuRandomWordsClick();
    } else if (settings.GroupLength >= 2 && settings.GroupLength <= 8) {
        MenuFixedWordsClick(settings.GroupLength);
    }
    if (settings.Content == SettingsModel::GroupContent::NonMixed) {
        Menu->MenuWordContent->setChecked(true);
        MenuWordContentClick();
    } else if (settings.Content == SettingsModel::GroupContent::Callsigns) {
        Menu->menuCallsigns->setChecked(true);
        menuCallsignsClick();
    }
    if (settings.AddLeadingVs) {
        Menu->MenuAddV->setChecked(true);
        MenuAddVClick();
    }
    Menu->menulowercase->setChecked(settings.LowerCaseGroups);
    WordListPath = settings.WordListFile;
    Book.SetAll(settings.LessonTable);
    LessonPage = std::clamp(settings.LessonPage, 1, LessonBook::kPageCount);
    Chosen->BoxCaracteresChoix->setEditText(FromCodes(Cp1252::ToLower(settings.ChosenCharacters)));
}

void RandomFeature::FinishStartUp(const SettingsModel& settings) {
    Restoring = true;
    ShowLessonPage(LessonPage);
    const QString text = Chosen->BoxCaracteresChoix->currentText();
    if (!IsBlankText(text)) {
        ButtonChoixCaractereOKClick();
    }
    const int source = settings.RandomSource;
    if (source >= 1 && source <= 9 && source != static_cast<int>(RandomSource::Chosen)) {
        SetCommandClick(static_cast<RandomSource>(source));
    } else if (CheckedSource() == RandomSource::All) {
        ShowSetCaption(" " + MainMenu::PlainCaption(Menu->MenuAll));
    }
    if (CheckedSource() == RandomSource::All) {
        Form.Pool().SetPoolSize(CharacterPool::kStandardCount + Form.Locals().LocalCharacterCount());
    }
    Restoring = false;
    if (settings.LastChoice == 4) {
        RadioButtonRandom->setChecked(true);
        ButtonChoixRandomClick();
    }
    UpdateRandomDescription();
}

void RandomFeature::CollectSettings(SettingsModel& settings) const {
    settings.RandomCount = Pane->SpinEditRandomNumber->value();
    settings.GroupLength = Generator.GroupLengthOption();
    settings.Content = Menu->MenuWordContent->isChecked() ? SettingsModel::GroupContent::NonMixed
                       : Menu->menuCallsigns->isChecked() ? SettingsModel::GroupContent::Callsigns
                                                          : SettingsModel::GroupContent::Mixed;
    settings.AddLeadingVs = Menu->MenuAddV->isChecked();
    settings.RandomSource = static_cast<int>(CheckedSource());
    settings.LowerCaseGroups = Menu->menulowercase->isChecked();
    settings.WordListFile = WordListPath;
    settings.LessonPage = LessonPage;
    settings.LessonTable = Book.All();
    const std::string chosen = ChosenText();
    settings.ChosenCharacters = chosen.empty() ? " " : chosen;
    if (RadioButtonRandom->isChecked()) {
        settings.LastChoice = 4;
    } else if (settings.LastChoice == 4) {
        settings.LastChoice = 1;
    }
}

void RandomFeature::Retranslate(const LanguageTable& texts) {
    Pause->Retranslate();
    Menu->Retranslate(texts);
    RadioButtonRandom->setText(T("RadioButtonRandom.Caption"));
    Pane->setTitle(T("GroupBoxRandom.Caption"));
    Pane->LabelRandomNumber->setText(T("LabelRandomNumber.Caption"));
    Pane->ButtonChangeLesson->setText(T("ButtonChangeLesson.Caption"));
    Pane->BitBtnPlayRandom->setText(T("BitBtnPlayRandom.Caption"));
    Pane->BitBtnStopRandom->setText(T("BitBtnStopRandom.Caption"));
    Pane->ButtonHide->setText(MemoHidden ? T("msg.show-memo") : T("ButtonHide.Caption"));
    Pane->ButtonExamenTexte->setText(T("ButtonExamenTexte.Caption"));
    if (Generator.ExamPhase() == 0) {
        SetExamCaption("PanelExamen.Caption");
    }
    for (auto [button, name] :
         {std::pair<SwitchButton*, const char*>{Pane->SpeedButtonNoise, "SpeedButtonNoise"},
          {Pane->SpeedButtonQSB, "SpeedButtonQSB"},
          {Pane->SpeedButtonDrift, "SpeedButtonDrift"}}) {
        button->setText(TableText(texts, std::string(name) + ".Caption"));
        button->setToolTip(TableText(texts, std::string(name) + ".Hint"));
    }
    Chosen->LabelChoixRandom->setText(T("LabelChoixRandom.Caption"));
    Chosen->BoxCaracteresChoix->setToolTip(T("BoxCaracteresChoix.Hint"));
    Chosen->SpeedButtonChoixMoins->setToolTip(T("SpeedButtonChoixMoins.Hint"));
    Chosen->SpeedButtonChoixPlus->setToolTip(T("SpeedButtonChoixPlus.Hint"));
    Chosen->ButtonChoixCaractereOK->setText(T("ButtonChoixCaractereOK.Caption"));
    Chosen->ButtonCancelChoix->setText(T("ButtonCancelChoix.Caption"));
    LocalLesson->LabelLocalLesson->setText(T("LabelLocalLesson.Caption"));
    LocalLesson->LabelNumeroLesson->setText(T("LabelNumeroLesson.Caption"));
    LocalLesson->LabelCaractereLesson->setText(T("LabelCaractereLesson.Caption"));
    LocalLesson->ButtonLocalLessonEnter->setText(T("ButtonLocalLessonEnter.Caption"));
    LocalLesson->ButtonLocalLessonExit->setText(T("ButtonLocalLessonExit.Caption"));
    Pause->Retranslate();

    Menu->menuExamen->setEnabled(ExamAvailable());
    if (Menu->menuExamen->isChecked() && !ExamAvailable()) {
        SetCommandClick(RandomSource::LettersFigures);
    }
    if (CheckedSource() != RandomSource::Chosen) {
        ShowSetCaption(" " +
                       MainMenu::PlainCaption(Menu->SetItems[static_cast<std::size_t>(CheckedSource()) - 1]));
    }
    UpdateRandomDescription();
}

void RandomFeature::SetRandomOnlyCommandsEnabled(bool enabled) {
    Menu->MenuQuickRandom->setEnabled(enabled);
    Menu->menuExamen->setEnabled(enabled && ExamAvailable());
    Menu->MenuListWords->setEnabled(enabled);
}

}  // namespace kelvaro
