// The quiz mode: its pane, its menu items and timers, driving the quiz's bookkeeping.
#include "ui/QuizFeature.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "app/TextEncoding.h"
#include "practice/QuizDelaySteps.h"
#include "ui/CharacterSetSource.h"
#include "ui/MainMenu.h"
#include "ui/Prompter.h"
#include "ui/QuizDelaySpinBox.h"
#include "ui/TForm1.h"
#include "ui/TextPane.h"
#include "ui/TypingEdit.h"

namespace kelvaro {

namespace {

constexpr int kEarlyVerdictMs = 500;
constexpr int kEndOfQuizMs = 500;
constexpr int kCountStep = 5;
constexpr int kMaxResumeDelaySeconds = 3;
// The practice mode kept for the next start (LASTCHOICE=).
constexpr int kLastChoiceQuiz = 6;

// The answer as 8-bit codes, in lower case; a character without a code can never be right.
std::string AnswerCodes(const QString& text) {
    std::string codes;
    for (char32_t codePoint : text.toLower().toUcs4()) {
        const auto code = CodePointToCp1252(codePoint);
        codes += code ? static_cast<char>(*code) : '\x7f';
    }
    return codes;
}

QString CodesToText(const std::string& codes) {
    return QString::fromStdString(Cp1252ToUtf8(codes));
}

}  // namespace

QuizFeature::QuizFeature(TForm1& form, CharacterSetSource* sets) : QObject(&form), Form(form) {
    setObjectName("QuizFeature");
    Session = QuizSession(QuizAdaptation{
        [this] { Form.Menus().UpSpeed->trigger(); },
        [this] { Form.Menus().DownSpeed->trigger(); },
        [this] { UpDownDelay->setValue(UpDownDelay->value() + 1); },
        [this] { UpDownDelay->setValue(UpDownDelay->value() - 1); },
    });
    AnswerTimer = Form.CreateTimer();
    AnswerTimer->SetOnTimer([this] { TimerQuizTimer(); });
    EndTimer = Form.CreateTimer();
    EndTimer->SetIntervalMs(kEndOfQuizMs);
    EndTimer->SetOnTimer([this] { TimerFinQuizTimer(); });
    EarlyVerdict = Form.CreateTimer();
    EarlyVerdict->SetIntervalMs(kEarlyVerdictMs);
    EarlyVerdict->SetOnTimer([this] { TimerQuizTimer(); });
    ResumeWait = Form.CreateTimer();
    ResumeWait->SetOnTimer([this] {
        ResumeWait->SetEnabled(false);
        ContinueAfterVerdict();
    });

    BuildPane();
    BuildMenus();
    Connect();
    UpDownDelayClick();
    SetCharacterSets(sets);
    Form.AddMode(RadioButtonQuiz, QuizGroupBox);
    Form.SetDefaultButtons(ButtonQuizOK, ButtonQuizStop);
    Form.RegisterFeature(this);
}

QuizFeature::~QuizFeature() = default;

QString QuizFeature::T(const char* entry) const {
    return QString::fromStdString(Form.Texts().Text(entry));
}

void QuizFeature::BuildPane() {
    RadioButtonQuiz = new QRadioButton;
    RadioButtonQuiz->setObjectName("RadioButtonQuiz");
    QuizGroupBox = new QGroupBox;
    QuizGroupBox->setObjectName("QuizGroupBox");

    auto named = [](QWidget* widget, const char* name) {
        widget->setObjectName(name);
        return widget;
    };
    LabelQuizNumber = static_cast<QLabel*>(named(new QLabel(QuizGroupBox), "LabelQuizNumber"));
    SpinEditQuizNumber = static_cast<QSpinBox*>(named(new QSpinBox(QuizGroupBox), "SpinEditQuizNumber"));
    SpinEditQuizNumber->setRange(QuizSession::kMinCount, QuizSession::kMaxCount);
    SpinEditQuizNumber->setSingleStep(kCountStep);
    SpinEditQuizNumber->setValue(Session.QuizCount());
    EditCaractersQuiz = static_cast<QLineEdit*>(named(new QLineEdit(QuizGroupBox), "EditCaractersQuiz"));
    EditCaractersQuiz->setReadOnly(true);
    EditCaractersQuiz->installEventFilter(this);
    ButtonQuizOK = static_cast<QPushButton*>(named(new QPushButton(QuizGroupBox), "ButtonQuizOK"));
    ButtonQuizOK->setDefault(true);
    ButtonQuizStop = static_cast<QPushButton*>(named(new QPushButton(QuizGroupBox), "ButtonQuizStop"));
    ButtonQuizStop->setVisible(false);
    ButtonQuizStop->setEnabled(false);
    LabelDelay = static_cast<QLabel*>(named(new QLabel(QuizGroupBox), "LabelDelay"));
    UpDownDelay = new QuizDelaySpinBox(QuizGroupBox);
    CheckBoxAbortDelay = static_cast<QCheckBox*>(named(new QCheckBox(QuizGroupBox), "CheckBoxAbortDelay"));
    CheckBoxVitMod = static_cast<QCheckBox*>(named(new QCheckBox(QuizGroupBox), "CheckBoxVitMod"));
    CheckBoxDelayAdjust = static_cast<QCheckBox*>(named(new QCheckBox(QuizGroupBox), "CheckBoxDelayAdjust"));
    CheckBoxDelayAdjust->setEnabled(false);
    QuizLabel = static_cast<QLabel*>(named(new QLabel(QuizGroupBox), "QuizLabel"));
    EditReponseQuiz = static_cast<QLineEdit*>(named(new QLineEdit(QuizGroupBox), "EditReponseQuiz"));
    QFont large = EditReponseQuiz->font();
    large.setPointSize(large.pointSize() * 2);
    EditReponseQuiz->setFont(large);
    EditReponseQuiz->setAlignment(Qt::AlignCenter);
    EditRandomQuiz = static_cast<QLineEdit*>(named(new QLineEdit(QuizGroupBox), "EditRandomQuiz"));
    EditRandomQuiz->setVisible(false);
    Label10 = static_cast<QLabel*>(named(new QLabel(QuizGroupBox), "Label10"));
    Label10->setVisible(false);

    GroupBoxQuiz = static_cast<QGroupBox*>(named(new QGroupBox(QuizGroupBox), "GroupBoxQuiz"));
    StaticText1 = static_cast<QLabel*>(named(new QLabel(GroupBoxQuiz), "StaticText1"));
    StaticText2 = static_cast<QLabel*>(named(new QLabel(GroupBoxQuiz), "StaticText2"));
    EditMark = static_cast<QLineEdit*>(named(new QLineEdit(GroupBoxQuiz), "EditMark"));
    EditMark->setReadOnly(true);
    EditMark->installEventFilter(this);
    EditRevise = static_cast<QLineEdit*>(named(new QLineEdit(GroupBoxQuiz), "EditRevise"));
    EditRevise->setReadOnly(true);
    Visage0 = static_cast<QuizFace*>(named(new QuizFace(QuizFace::Mood::Neutral, GroupBoxQuiz), "Visage0"));
    VisageHa = static_cast<QuizFace*>(named(new QuizFace(QuizFace::Mood::Happy, GroupBoxQuiz), "VisageHa"));
    VisageHo = static_cast<QuizFace*>(named(new QuizFace(QuizFace::Mood::Sad, GroupBoxQuiz), "VisageHo"));
    ButtonResetReport = static_cast<QPushButton*>(named(new QPushButton(GroupBoxQuiz), "ButtonResetReport"));
    // Outside the visible area: only its accelerator Alt+M reaches it.
    ButtonMark = static_cast<QPushButton*>(named(new QPushButton(QuizGroupBox), "ButtonMark"));
    ButtonMark->setGeometry(-1000, -1000, 10, 10);
    ButtonMark->setFocusPolicy(Qt::NoFocus);

    auto* report = new QGridLayout(GroupBoxQuiz);
    auto* faces = new QHBoxLayout;
    faces->addWidget(Visage0);
    faces->addWidget(VisageHa);
    faces->addWidget(VisageHo);
    report->addWidget(StaticText1, 0, 0);
    report->addWidget(EditMark, 0, 1);
    report->addLayout(faces, 0, 2);
    report->addWidget(StaticText2, 1, 0, 1, 3);
    report->addWidget(EditRevise, 2, 0, 1, 2);
    report->addWidget(ButtonResetReport, 2, 2);

    auto* pane = new QGridLayout(QuizGroupBox);
    pane->addWidget(LabelQuizNumber, 0, 0);
    pane->addWidget(SpinEditQuizNumber, 0, 1);
    pane->addWidget(EditCaractersQuiz, 1, 0);
    pane->addWidget(ButtonQuizOK, 1, 1);
    pane->addWidget(ButtonQuizStop, 1, 1);
    pane->addWidget(LabelDelay, 2, 0);
    pane->addWidget(UpDownDelay, 2, 1);
    pane->addWidget(CheckBoxAbortDelay, 3, 0, 1, 2);
    pane->addWidget(CheckBoxVitMod, 4, 0);
    pane->addWidget(CheckBoxDelayAdjust, 4, 1);
    pane->addWidget(QuizLabel, 5, 0);
    pane->addWidget(EditReponseQuiz, 5, 1);
    pane->addWidget(GroupBoxQuiz, 6, 0, 1, 2);
    ShowFace(QuizFace::Mood::Neutral);
}

void QuizFeature::BuildMenus() {
    MainMenu& menus = Form.Menus();
    QMenu* options = menus.MenuOptions;
    menuDivers = options->findChild<QMenu*>("menuDivers");
    if (menuDivers == nullptr) {
        menuDivers = options->addMenu(QString());
        menuDivers->setObjectName("menuDivers");
        menuDivers->menuAction()->setObjectName("menuDivers");
    }
    MenuQuizReprise = menuDivers->addMenu(QString());
    MenuQuizReprise->setObjectName("MenuQuizReprise");
    MenuQuizReprise->menuAction()->setObjectName("MenuQuizReprise");
    MenuQuizReprise->menuAction()->setCheckable(true);
    RepriseGroup = new QActionGroup(this);
    for (const char* name : {"MenuReprise0s", "MenuReprise1s", "MenuReprise2s", "MenuReprise3s"}) {
        QAction* item = MenuQuizReprise->addAction(QString());
        item->setObjectName(name);
        item->setCheckable(true);
        RepriseGroup->addAction(item);
        MenuReprise.push_back(item);
    }
    MenuReprise[0]->setChecked(true);
    MenuQuizErreur = menuDivers->addAction(QString());
    MenuQuizErreur->setObjectName("MenuQuizErreur");
    MenuQuizErreur->setCheckable(true);

    // A menu that never shows: its items live on the window for their shortcuts.
    MenuDelai = new QMenu(&Form);
    MenuDelai->setObjectName("MenuDelai");
    UpDelai = MenuDelai->addAction(QString());
    UpDelai->setObjectName("UpDelai");
    UpDelai->setShortcut(QKeySequence("Ctrl+Alt+U"));
    DownDelai = MenuDelai->addAction(QString());
    DownDelai->setObjectName("DownDelai");
    DownDelai->setShortcut(QKeySequence("Ctrl+Alt+D"));
    Form.addAction(UpDelai);
    Form.addAction(DownDelai);
}

void QuizFeature::Connect() {
    connect(RadioButtonQuiz, &QRadioButton::clicked, this, [this] { RadioButtonQuizClick(); });
    connect(ButtonQuizOK, &QPushButton::clicked, this, [this] { ButtonQuizOKClick(); });
    connect(ButtonQuizStop, &QPushButton::clicked, this, [this] { ButtonQuizStopClick(); });
    connect(EditReponseQuiz, &QLineEdit::textChanged, this, [this] { EditReponseQuizChange(); });
    connect(UpDownDelay, &QSpinBox::valueChanged, this, [this] { UpDownDelayClick(); });
    connect(CheckBoxVitMod, &QCheckBox::toggled, this, [this] { CheckBoxVitModClick(); });
    connect(SpinEditQuizNumber, &QSpinBox::valueChanged, this, [this] { SpinEditQuizNumberChange(); });
    connect(ButtonResetReport, &QPushButton::clicked, this, [this] { ButtonResetReportClick(); });
    connect(ButtonMark, &QPushButton::clicked, this, [this] { ButtonMarkClick(); });
    connect(MenuReprise[0], &QAction::triggered, this,
            [this] { MenuQuizReprise->menuAction()->setChecked(false); });
    for (std::size_t seconds = 1; seconds < MenuReprise.size(); ++seconds) {
        connect(MenuReprise[seconds], &QAction::triggered, this,
                [this] { MenuQuizReprise->menuAction()->setChecked(true); });
    }
    connect(UpDelai, &QAction::triggered, this, [this] { UpDownDelay->setValue(UpDownDelay->value() + 1); });
    connect(DownDelai, &QAction::triggered, this,
            [this] { UpDownDelay->setValue(UpDownDelay->value() - 1); });
}

void QuizFeature::SetCharacterSets(CharacterSetSource* sets) {
    Sets = sets;
    if (Sets != nullptr) {
        Sets->SetOnActiveSetChanged([this] { RefreshSetCaption(); });
    }
    RefreshSetCaption();
}

void QuizFeature::RefreshSetCaption() {
    EditCaractersQuiz->setText(Sets != nullptr ? Sets->ActiveSetCaption() : T("msg.quiz-set-all"));
}

void QuizFeature::OnSidePanelOpening(bool) {
    if (Session.Running()) {
        ButtonQuizStopClick();
    }
}

void QuizFeature::OnSidePanelsChanged(bool anyOpen) {
    OkBlocked = anyOpen;
    ButtonQuizOK->setEnabled(!OkBlocked && !Session.Running());
}

void QuizFeature::OnTextReplay(bool running) {
    QuizGroupBox->setEnabled(!running);
    RadioButtonQuiz->setEnabled(!running);
}

void QuizFeature::ShowFace(QuizFace::Mood mood) {
    Visage0->setVisible(mood == QuizFace::Mood::Neutral);
    VisageHa->setVisible(mood == QuizFace::Mood::Happy);
    VisageHo->setVisible(mood == QuizFace::Mood::Sad);
}

void QuizFeature::SetOtherModesEnabled(bool enabled) {
    if (enabled) {
        for (QRadioButton* mode : DisabledModes) {
            mode->setEnabled(true);
        }
        DisabledModes.clear();
        return;
    }
    for (QRadioButton* mode :
         RadioButtonQuiz->parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly)) {
        if (mode != RadioButtonQuiz && mode->isEnabled()) {
            mode->setEnabled(false);
            DisabledModes.push_back(mode);
        }
    }
}

void QuizFeature::RadioButtonQuizClick() {
    if (Form.Engine().SidetoneActive()) {
        Form.Engine().StopSidetone();
    }
    Form.CloseOtherSidePanels(nullptr);
    Form.ShowModePane(QuizGroupBox);
    RadioButtonQuiz->setChecked(true);
    ButtonQuizOK->setVisible(true);
    ButtonQuizOK->setEnabled(!OkBlocked);
    ButtonQuizStop->setVisible(false);
    ButtonQuizStop->setEnabled(false);
    Session.ClearReplayChar();
    if (Sets != nullptr) {
        Sets->ClearPlayArmed();
        if (Sets->NeedsSetConfirmation()) {
            Sets->OpenChosenCharactersPanel(false);
        }
        Sets->SetRandomOnlyCommandsEnabled(false);
    }
    Form.TextBox().Editcaractere->setFocus();
    Session.RestartCount();
}

void QuizFeature::RestoreAfterEmptySet() {
    TextPane& text = Form.TextBox();
    ButtonQuizOK->setVisible(true);
    ButtonQuizOK->setEnabled(!OkBlocked);
    ButtonQuizStop->setVisible(false);
    ButtonQuizStop->setEnabled(false);
    text.ButtonQuitter->setVisible(true);
    text.ButtonStop->setVisible(false);
    AnswerTimer->SetEnabled(false);
    Form.Prompts().Warn(T("msg.no-morse-to-play"));
    text.Editcaractere->setEnabled(true);
    SetOtherModesEnabled(true);
    text.Editcaractere->setFocus();
    Form.Engine().PlayQueue().clear();
}

void QuizFeature::ButtonQuizOKClick() {
    if (Form.Pool().PoolSize() <= 0) {
        Session.Stop();
        RestoreAfterEmptySet();
        return;
    }
    Form.CloseOtherSidePanels(nullptr);
    TextPane& text = Form.TextBox();
    ButtonQuizStop->setVisible(true);
    ButtonQuizStop->setEnabled(true);
    ButtonQuizOK->setVisible(false);
    ButtonQuizOK->setEnabled(false);
    text.ButtonStop->setVisible(true);
    text.ButtonQuitter->setVisible(false);
    SetOtherModesEnabled(false);
    text.Editcaractere->setEnabled(false);
    text.ButtonReplayText->setEnabled(false);

    const bool answerShown = Session.Asked() > 0 && !EditReponseQuiz->text().isEmpty();
    const auto question = Session.Ask(Form.Randomness(), Form.Pool());
    SinceAsked.start();
    AnswerMs = -1;
    if (!question) {
        RestoreAfterEmptySet();
        return;
    }
    std::string& queue = Form.Engine().PlayQueue();
    // A character still sounding stays at the head of the queue, where the engine expects it.
    const std::string sounding = !Form.Engine().BufferIdle() && !queue.empty() ? queue.substr(0, 1) : "";
    queue = sounding + static_cast<char>(*question);
    Form.NotifyPracticePlaying(true);
    EditRandomQuiz->setText(CodesToText(std::string(1, static_cast<char>(*question))));
    EditReponseQuiz->setFocus();
    if (answerShown) {
        IgnoreNextAnswerChange = true;
    }
    EditReponseQuiz->clear();
    IgnoreNextAnswerChange = false;
    Form.PlayQueued();
}

// The field always holds the last key typed: its character stays selected so the next key
// replaces it.
void QuizFeature::EditReponseQuizChange() {
    const QString text = EditReponseQuiz->text();
    const QString kept = text.size() > 1 ? text.right(1).toLower() : text.toLower();
    if (kept != text) {
        const QSignalBlocker quiet(EditReponseQuiz);
        EditReponseQuiz->setText(kept);
    }
    EditReponseQuiz->setSelection(0, 1);
    if (IgnoreNextAnswerChange) {
        IgnoreNextAnswerChange = false;
        return;
    }
    if (SinceAsked.isValid()) {
        AnswerMs = static_cast<int>(SinceAsked.elapsed());
    }
    if (!CheckBoxAbortDelay->isChecked() || !Session.Running()) {
        return;
    }
    // The verdict comes half a second after the key; a second key within it starts it again.
    AnswerTimer->SetEnabled(false);
    EarlyVerdict->SetEnabled(false);
    EarlyVerdict->SetEnabled(true);
}

void QuizFeature::SyncOptions() {
    QuizOptions& options = Session.Options();
    options.VariableSpeed = CheckBoxVitMod->isChecked();
    options.DelayAdjust = CheckBoxDelayAdjust->isChecked();
    options.ResumeDelaySeconds = ResumeDelaySeconds();
    options.ReplayLastError = MenuQuizErreur->isChecked();
}

int QuizFeature::ResumeDelaySeconds() const {
    for (std::size_t seconds = 0; seconds < MenuReprise.size(); ++seconds) {
        if (MenuReprise[seconds]->isChecked()) {
            return static_cast<int>(seconds);
        }
    }
    return 0;
}

void QuizFeature::TimerQuizTimer() {
    AnswerTimer->SetEnabled(false);
    EarlyVerdict->SetEnabled(false);
    if (!Session.Running() || !Session.AwaitingVerdict()) {
        return;
    }
    SyncOptions();
    const std::uint8_t asked = Session.Question();
    const std::string answer = AnswerCodes(EditReponseQuiz->text());
    const QuizVerdict verdict = Session.Judge(answer);
    if (OnAnswerJudged) {
        OnAnswerJudged(asked, answer.empty() ? std::uint8_t{0} : static_cast<std::uint8_t>(answer[0]),
                       verdict.Right, answer.empty() ? -1 : AnswerMs);
    }
    ShowFace(verdict.Right ? QuizFace::Mood::Happy : QuizFace::Mood::Sad);
    if (verdict.ShowReviseNow) {
        EditRevise->setText(CodesToText(Session.ReviseList()));
        EditRevise->end(false);
    }
    EditMark->setText(QString::fromStdString(Session.MarkText()));
    Label10->setText(QString::number(Session.RightStreak()));
    if (verdict.ResumeDelayMs > 0) {
        ResumeWait->SetIntervalMs(verdict.ResumeDelayMs);
        ResumeWait->SetEnabled(true);
        return;
    }
    ContinueAfterVerdict();
}

void QuizFeature::ContinueAfterVerdict() {
    switch (Session.Advance()) {
        case QuizStep::AskNext:
            ButtonQuizOKClick();
            break;
        case QuizStep::Finished:
            Form.Prompts().InformationBeep();
            EndTimer->SetEnabled(true);
            break;
        case QuizStep::Stopped:
            break;
    }
}

void QuizFeature::TimerFinQuizTimer() {
    EndTimer->SetEnabled(false);
    EndingSeries = true;
    ButtonQuizStop->click();
    EndingSeries = false;
}

// Stops the quiz itself, never merely an open side panel (opening one stops the quiz anyway).
void QuizFeature::ButtonQuizStopClick() {
    Session.ResetAdaptation();
    Form.StopPlayback(EndingSeries);
}

void QuizFeature::OnStop() {
    ButtonQuizOK->setVisible(true);
    ButtonQuizOK->setEnabled(!OkBlocked);
    ButtonQuizStop->setVisible(false);
    ButtonQuizStop->setEnabled(false);
    const bool wasRunning = Session.Running();
    Session.Stop();
    if (wasRunning) {
        EditRevise->setText(CodesToText(Session.ReviseList()));
    }
    ShowFace(QuizFace::Mood::Neutral);
    AnswerTimer->SetEnabled(false);
    EarlyVerdict->SetEnabled(false);
    ResumeWait->SetEnabled(false);
    EndTimer->SetEnabled(false);
    SetOtherModesEnabled(true);
    if (QuizGroupBox->isVisible()) {
        Form.TextBox().Editcaractere->setFocus();
    }
}

// A quit that is confirmed must not be followed by a verdict and a next question.
void QuizFeature::OnQuitRequested() {
    AnswerTimer->SetEnabled(false);
}

void QuizFeature::UpDownDelayClick() {
    const int step = QuizDelaySteps::Clamp(UpDownDelay->value());
    AnswerTimer->SetIntervalMs(QuizDelaySteps::IntervalMs(step));
}

void QuizFeature::CheckBoxVitModClick() {
    CheckBoxDelayAdjust->setEnabled(CheckBoxVitMod->isChecked());
}

void QuizFeature::SpinEditQuizNumberChange() {
    Session.SetQuizCount(SpinEditQuizNumber->value());
}

void QuizFeature::ButtonResetReportClick() {
    Session.ClearReport();
    EditMark->clear();
    EditRevise->clear();
    if (!Session.Running()) {
        Form.TextBox().Editcaractere->setFocus();
    }
}

// The mark in Morse code: "7/10" for 7 right of 10 asked.
void QuizFeature::ButtonMarkClick() {
    if (!QuizGroupBox->isVisible() || Session.Running()) {
        return;
    }
    Form.Engine().PlayQueue() += Session.MarkToSend();
    Form.PlayQueued();
}

void QuizFeature::EditMarkClick() {
    MarkHidden = !MarkHidden;
    EditMark->setStyleSheet(MarkHidden ? "QLineEdit { background: black; color: black; }" : QString());
    EditReponseQuiz->setFocus();
}

void QuizFeature::EditCaractersQuizClick() {
    if (Sets != nullptr && !Session.Running()) {
        Sets->OpenChosenCharactersPanel(true);
    }
}

bool QuizFeature::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == EditMark) {
            EditMarkClick();
            return true;
        }
        if (watched == EditCaractersQuiz) {
            EditCaractersQuizClick();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void QuizFeature::ApplySettings(const SettingsModel& settings) {
    SpinEditQuizNumber->setValue(settings.QuizCount);
    SpinEditQuizNumberChange();
    UpDownDelay->setValue(QuizDelaySteps::Clamp(settings.QuizDelayStep));
    UpDownDelayClick();
    CheckBoxVitMod->setChecked(settings.VariableSpeed);
    CheckBoxVitModClick();
    CheckBoxDelayAdjust->setChecked(settings.DelayAdjust);
    CheckBoxAbortDelay->setChecked(settings.AbortDelay);
    const int resume = std::clamp(settings.ResumeDelaySeconds, 0, kMaxResumeDelaySeconds);
    MenuReprise[static_cast<std::size_t>(resume)]->setChecked(true);
    MenuQuizReprise->menuAction()->setChecked(resume != 0);
    MenuQuizErreur->setChecked(settings.ReplayLastError);
}

void QuizFeature::FinishStartUp(const SettingsModel& settings) {
    if (settings.LastChoice == kLastChoiceQuiz) {
        RadioButtonQuiz->setChecked(true);
        RadioButtonQuizClick();
    }
}

void QuizFeature::CollectSettings(SettingsModel& settings) const {
    settings.QuizCount = SpinEditQuizNumber->value();
    settings.QuizDelayStep = UpDownDelay->value();
    settings.VariableSpeed = CheckBoxVitMod->isChecked();
    settings.DelayAdjust = CheckBoxDelayAdjust->isChecked();
    settings.AbortDelay = CheckBoxAbortDelay->isChecked();
    settings.ResumeDelaySeconds = ResumeDelaySeconds();
    settings.ReplayLastError = MenuQuizErreur->isChecked();
    if (RadioButtonQuiz->isChecked()) {
        settings.LastChoice = kLastChoiceQuiz;
    } else if (settings.LastChoice == kLastChoiceQuiz) {
        settings.LastChoice = 1;
    }
}

void QuizFeature::AddToContext(CharacterContext& context) const {
    context.QuizRunning = context.QuizRunning || Session.Running();
}

bool QuizFeature::HandlePlaybackEnded() {
    if (!Session.Running()) {
        return false;
    }
    ShowFace(QuizFace::Mood::Neutral);
    if (Session.AwaitingVerdict() && !EarlyVerdict->Enabled()) {
        AnswerTimer->SetEnabled(true);
    }
    return true;
}

void QuizFeature::Retranslate(const LanguageTable&) {
    RadioButtonQuiz->setText(T("RadioButtonQuiz.Caption"));
    QuizGroupBox->setTitle(T("QuizGroupBox.Caption"));
    LabelQuizNumber->setText(T("LabelQuizNumber.Caption"));
    ButtonQuizOK->setText(T("ButtonQuizOK.Caption"));
    ButtonQuizOK->setToolTip(T("ButtonQuizOK.Hint"));
    ButtonQuizStop->setText(T("ButtonQuizStop.Caption"));
    ButtonQuizStop->setToolTip(T("ButtonQuizStop.Hint"));
    LabelDelay->setText(T("LabelDelay.Caption"));
    UpDownDelay->setToolTip(T("UpDownDelay.Hint"));
    CheckBoxAbortDelay->setText(T("CheckBoxAbortDelay.Caption"));
    CheckBoxAbortDelay->setToolTip(T("CheckBoxAbortDelay.Hint"));
    CheckBoxVitMod->setText(T("CheckBoxVitMod.Caption"));
    CheckBoxVitMod->setToolTip(T("CheckBoxVitMod.Hint"));
    CheckBoxDelayAdjust->setText(T("CheckBoxDelayAdjust.Caption"));
    QuizLabel->setText(T("QuizLabel.Caption"));
    GroupBoxQuiz->setTitle(T("GroupBoxQuiz.Caption"));
    StaticText1->setText(T("StaticText1.Caption"));
    StaticText2->setText(T("StaticText2.Caption"));
    ButtonResetReport->setText(T("ButtonResetReport.Caption"));
    ButtonMark->setText(T("ButtonMark.Caption"));
    menuDivers->setTitle(T("menuDivers.Caption"));
    MenuQuizReprise->setTitle(T("MenuQuizReprise.Caption"));
    for (QAction* item : MenuReprise) {
        item->setText(T((item->objectName() + ".Caption").toUtf8().constData()));
    }
    MenuQuizErreur->setText(T("MenuQuizErreur.Caption"));
    MenuDelai->setTitle(T("MenuDelai.Caption"));
    UpDelai->setText(T("UpDelai.Caption"));
    DownDelai->setText(T("DownDelai.Caption"));
    RefreshSetCaption();
}

}  // namespace kelvaro
