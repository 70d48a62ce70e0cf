// The monitoring mode: the user's own sending from a straight key, paddles, the Ctrl key or the
// sound card's input, heard as sidetone and decoded into the monitoring pane.
#include "ui/MonitorFeature.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolButton>

#include "app/OutputFile.h"
#include "app/TextEncoding.h"
#include "decoding/AudioToneDecoder.h"
#include "decoding/HandKeyDecoder.h"
#include "decoding/MonitorDecoding.h"
#include "decoding/PaddleKeyer.h"
#include "platform/LinuxOneShotTimer.h"
#include "platform/PostedOneShotTimer.h"
#include "platform/SystemClock.h"
#include "platform/WaveIn.h"
#include "platform/qt/QtDispatcher.h"
#include "platform/qt/TJoystickex.h"
#include "ui/MainMenu.h"
#include "ui/MonitorPane.h"
#include "ui/Prompter.h"
#include "ui/TForm1.h"
#include "ui/TFormMonitorInfo.h"
#include "ui/TableText.h"
#include "ui/TextPane.h"
#include "ui/TypingEdit.h"

namespace kelvaro {

namespace {

// The practice mode kept for the next start (LASTCHOICE=).
constexpr int kLastChoiceMonitor = 7;

QString FromCodes(std::string_view codes) {
    return QString::fromStdString(Cp1252ToUtf8(codes));
}

}  // namespace

MonitorFeature::MonitorFeature(TForm1& form) : QObject(&form), Form(form) {
    setObjectName("MonitorFeature");
    WindowThread = new QtDispatcher(this);
    const TForm1Services& devices = Form.Devices();
    Input = devices.Input;
    if (devices.KeyClock != nullptr) {
        KeyClock = devices.KeyClock;
    } else {
        OwnClock = std::make_unique<SystemClock>();
        KeyClock = OwnClock.get();
    }
    Shared = std::make_unique<MonitorDecoding>(Form.Table(), *this);
    std::unique_ptr<OneShotTimer> inner =
        devices.CreateLetterTimer ? devices.CreateLetterTimer() : std::make_unique<LinuxOneShotTimer>();
    MMTimerEspace = std::make_unique<PostedOneShotTimer>(std::move(inner), *WindowThread, *KeyClock);
    MMTimerEspace->SetOnTimer([this] { MMTimerEspaceTimer(); });
    HandKey = std::make_unique<HandKeyDecoder>(*Shared, *this, *MMTimerEspace);
    Paddles = std::make_unique<PaddleKeyer>(*Shared, *HandKey);
    AudioDecoder = std::make_unique<AudioToneDecoder>(*Shared, *this);

    RadioButtonMonitor = new QRadioButton;
    RadioButtonMonitor->setObjectName("RadioButtonMonitor");
    Pane = new MonitorPane;
    Form.AddMode(RadioButtonMonitor, Pane);
    FormMonitorInfo = new TFormMonitorInfo(Form.Texts(), &Form);
    FormMonitorInfo->setVisible(false);
    SaveDialogMonitoring = new QFileDialog(&Form);
    SaveDialogMonitoring->setObjectName("SaveDialogMonitoring");
    SaveDialogMonitoring->setAcceptMode(QFileDialog::AcceptSave);
    SaveDialogMonitoring->setDefaultSuffix("txt");
    ChooseSaveFile = [this] {
        SaveDialogMonitoring->setNameFilter(T("msg.save-monitoring-filter"));
        SaveDialogMonitoring->selectFile(T("msg.save-monitoring-name"));
        if (SaveDialogMonitoring->exec() != QDialog::Accepted ||
            SaveDialogMonitoring->selectedFiles().isEmpty()) {
            return QString();
        }
        return SaveDialogMonitoring->selectedFiles().front();
    };
    BuildMenus();
    ConnectControls();
    HandKey->UpdateHandThresholds(Form.Speed().SpeedWpm());
    Form.RegisterFeature(this);
}

// The window's own members are gone by now: only the recording device, which outlives the
// window, is stopped, so that no block reaches the decoders after them.
MonitorFeature::~MonitorFeature() {
    if (RecordingOpen && Input != nullptr) {
        Input->Close();
    }
}

QString MonitorFeature::T(const char* entry) const {
    return TableText(Form.Texts(), entry);
}

void MonitorFeature::BuildMenus() {
    QMenu* options = Form.Menus().MenuOptions;
    options->addSeparator();
    MenuClearMonitoring = options->addAction(QString());
    MenuClearMonitoring->setObjectName("MenuClearMonitoring");
    MenuSaveMonitoring = options->addAction(QString());
    MenuSaveMonitoring->setObjectName("MenuSaveMonitoring");
    // Hidden: only its shortcut reaches it.
    MenuDebug = new QAction(&Form);
    MenuDebug->setObjectName("MenuDebug");
    MenuDebug->setShortcut(QKeySequence("Ctrl+Alt+M"));
    MenuDebug->setShortcutContext(Qt::WindowShortcut);
    Form.addAction(MenuDebug);
}

void MonitorFeature::ConnectControls() {
    connect(RadioButtonMonitor, &QRadioButton::clicked, this, [this] { RadioButtonMonitorClick(); });
    connect(RadioButtonMonitor, &QRadioButton::toggled, this, [this](bool on) {
        if (!on) {
            // Another mode was chosen: nothing stays held, recording stops, the practice
            // output comes back.
            ReleaseHeldKeys();
            StopRecording();
            UseKeyOutput(false);
        }
    });
    connect(Pane->RadioButtonPioche, &QRadioButton::clicked, this, [this] { RadioButtonPiocheClick(); });
    connect(Pane->RadioButtonElKeyN, &QRadioButton::clicked, this, [this] { RadioButtonElKeyNClick(); });
    connect(Pane->RadioButtonElKeyR, &QRadioButton::clicked, this, [this] { RadioButtonElKeyRClick(); });
    connect(Pane->RadioButtonCTRL, &QRadioButton::clicked, this, [this] { RadioButtonCTRLClick(); });
    connect(Pane->RadioButtonLC, &QRadioButton::clicked, this, [this] { RadioButtonLCClick(); });
    connect(Pane->RadioButtonRC, &QRadioButton::clicked, this, [this] { RadioButtonRCClick(); });
    connect(Pane->TrackBarLC, &QSlider::valueChanged, this, [this] { TrackBarLCChange(); });
    connect(Pane->TrackBarRC, &QSlider::valueChanged, this, [this] { TrackBarRCChange(); });
    connect(Pane->CheckBoxUpperCase, &QCheckBox::toggled, this, [this](bool on) { Shared->UpperCase = on; });
    connect(Pane->CheckBoxUpperCase, &QCheckBox::clicked, this, [this] { CheckBoxUpperCaseClick(); });
    connect(Pane->SpeedButtonRazMonitor, &QToolButton::clicked, this,
            [this] { SpeedButtonRazMonitorClick(); });
    connect(Pane->SpeedButtonHelpMonitor, &QToolButton::clicked, this,
            [this] { SpeedButtonHelpMonitorClick(); });
    connect(MenuClearMonitoring, &QAction::triggered, this, [this] { MenuClearMonitoringClick(); });
    connect(MenuSaveMonitoring, &QAction::triggered, this, [this] { MenuSaveMonitoringClick(); });
    connect(MenuDebug, &QAction::triggered, this, [this] { MenuDebugClick(); });

    TJoystickex& joystick = Form.Joystick();
    joystick.OnButton1_Change = [this](bool pressed, int, int) { Joystickex1Button1_Change(pressed); };
    joystick.OnButton2_Change = [this](bool pressed, int, int) { Joystickex1Button2_Change(pressed); };
    // A key or paddle held as the joystick goes away would never come up again.
    joystick.OnLost = [this] { ReleaseHeldKeys(); };
    TextBox = Form.TextBox().Editcaractere;
    TextBox->installEventFilter(this);
}

// The text box keeps the focus in this mode: its Ctrl key is the CTRL source, and a held Ctrl
// is let go when the box loses the focus (the key-up would go elsewhere).
// While the window is being destroyed the box still gets events (it loses the focus): they are
// recognised without asking the window, and nothing is held then.
bool MonitorFeature::eventFilter(QObject* watched, QEvent* event) {
    if (watched == TextBox && TextBox != nullptr) {
        switch (event->type()) {
            case QEvent::KeyPress: {
                const auto* key = static_cast<QKeyEvent*>(event);
                if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && Shown()) {
                    // Enter starts a new line of the decoded text.
                    Pane->MemoMonitor->moveCursor(QTextCursor::End);
                    InsertText("\n");
                }
                EditcaractereKeyDown(key);
                break;
            }
            case QEvent::KeyRelease:
                EditcaractereKeyUp(static_cast<QKeyEvent*>(event));
                break;
            case QEvent::FocusOut:
                if (KeyHeld && Pane->RadioButtonCTRL->isChecked()) {
                    ReleaseHeldKeys();
                }
                break;
            default:
                break;
        }
    }
    return QObject::eventFilter(watched, event);
}

bool MonitorFeature::Shown() const {
    return RadioButtonMonitor->isChecked() && !Pane->isHidden();
}

bool MonitorFeature::KeySourceSelected() const {
    return Pane->RadioButtonCTRL->isChecked() || Pane->RadioButtonPioche->isChecked() ||
           PaddleSourceSelected();
}

bool MonitorFeature::PaddleSourceSelected() const {
    return Pane->RadioButtonElKeyN->isChecked() || Pane->RadioButtonElKeyR->isChecked();
}

bool MonitorFeature::PaddleHeld() const {
    return Paddles->Held();
}

std::int64_t MonitorFeature::NowUs() const {
    return KeyClock->MonotonicUs();
}

void MonitorFeature::FocusTextBox() {
    if (!ReadingSettings) {
        Form.TextBox().Editcaractere->setFocus();
    }
}

// Starting the mode, and again after a source change or a playback.
void MonitorFeature::RadioButtonMonitorClick() {
    if (!Form.Engine().PlayQueue().empty()) {
        Form.Prompts().Beep();
        RadioButtonMonitor->setChecked(false);
        return;
    }
    Form.ShowModePane(Pane);
    Pane->setEnabled(true);
    RadioButtonMonitor->setChecked(true);
    QRadioButton* source = Pane->SelectedSource();
    const bool joystickSource = source == Pane->RadioButtonPioche || source == Pane->RadioButtonElKeyN ||
                                source == Pane->RadioButtonElKeyR;
    if (joystickSource && !Form.HasJoystick()) {
        Form.Prompts().Warn(T("msg.no-joystick"));
        Pane->ClearSources();
        source = nullptr;
    }
    if (source != nullptr && source != Pane->RadioButtonLC && source != Pane->RadioButtonRC) {
        StopRecording();
        UseKeyOutput(true);
        Shared->CurrentCode.clear();
        Shared->LastElement.clear();
        FocusTextBox();
        return;
    }
    StartAudioDecoding();
}

// Keys and paddles play through the output that buffers little, so that the tone follows the
// key; everything else through the practice output, whose longer buffer never runs dry.
void MonitorFeature::UseKeyOutput(bool keyed) {
    WaveOut* sidetone = Form.Devices().SidetoneOutput;
    if (sidetone == nullptr || keyed == KeyOutputInUse) {
        return;
    }
    KeyOutputInUse = keyed;
    const Status switched = Form.Engine().UseOutput(keyed ? *sidetone : *Form.Devices().Output);
    if (!switched.Ok()) {
        Form.ShowDeviceError(switched);
        if (keyed) {
            // The practice output still serves the key, later.
            KeyOutputInUse = false;
            Form.Engine().UseOutput(*Form.Devices().Output);
        }
    }
}

// The audio branch: recording starts on the chosen input. A device that cannot be opened or
// started is reported, and decoding stays off; the program goes on (a machine may simply have
// no input), and a key source can still be chosen.
void MonitorFeature::StartAudioDecoding() {
    UseKeyOutput(false);
    AudioDecoder->Start();
    StopRecording();
    if (Input != nullptr && !Form.Engine().NoSoundCard()) {
        Input->SetOnError([this](const Status& status) { RecordingLost(status); });
        const Status opened =
            Input->Open(WaveIn::kDefaultDevice, [this](std::span<const std::uint8_t> frames) {
                if (RecordingOpen) {
                    AudioDecoder->AnalyseBuffer(frames);
                }
            });
        if (opened.Ok()) {
            RecordingOpen = true;
        } else {
            Form.ShowDeviceError(opened);
        }
    }
    FocusTextBox();
}

void MonitorFeature::StopRecording() {
    ResumeAfterPlayback = false;
    if (!RecordingOpen) {
        return;
    }
    RecordingOpen = false;
    if (Input != nullptr) {
        Input->Close();
    }
    ShowLevels(0, 0);
}

// The engine needs the sound card for a character or a sidetone.
void MonitorFeature::CloseInputDevice() {
    const bool wasRecording = RecordingOpen;
    StopRecording();
    ResumeAfterPlayback = wasRecording;
}

void MonitorFeature::RecordingLost(const Status& status) {
    if (!RecordingOpen) {
        return;
    }
    StopRecording();
    Form.ShowDeviceError(status);
}

// The source handlers: one of six, the others cleared.
bool MonitorFeature::SelectSource(QRadioButton* source, bool needsJoystick) {
    ReleaseHeldKeys();
    Pane->SelectSource(source);
    if (needsJoystick && !Form.HasJoystick() && !Pane->isHidden()) {
        Form.Prompts().Warn(T("msg.no-joystick"));
        Pane->ClearSources();
        FocusTextBox();
        return false;
    }
    if (Shown() && (RecordingOpen || !KeyOutputInUse)) {
        RadioButtonMonitorClick();  // closes the recording, takes the key's output
    }
    FocusTextBox();
    return true;
}

void MonitorFeature::RadioButtonPiocheClick() {
    if (SelectSource(Pane->RadioButtonPioche, true)) {
        AudioDecoder->ForgetEstimates();
        HandKey->ResetKeyTimes();
        HandKey->UpdateHandThresholds(Form.Speed().SpeedWpm());
    }
}

void MonitorFeature::RadioButtonElKeyNClick() {
    SelectSource(Pane->RadioButtonElKeyN, true);
}

void MonitorFeature::RadioButtonElKeyRClick() {
    SelectSource(Pane->RadioButtonElKeyR, true);
}

void MonitorFeature::RadioButtonCTRLClick() {
    SelectSource(Pane->RadioButtonCTRL, false);
    HandKey->ResetKeyTimes();
    HandKey->UpdateHandThresholds(Form.Speed().SpeedWpm());
}

void MonitorFeature::RadioButtonLCClick() {
    ChooseChannel(Pane->RadioButtonLC);
}

void MonitorFeature::RadioButtonRCClick() {
    ChooseChannel(Pane->RadioButtonRC);
}

void MonitorFeature::ChooseChannel(QRadioButton* channel) {
    ReleaseHeldKeys();
    Pane->SelectSource(channel);
    const bool left = channel == Pane->RadioButtonLC;
    AudioDecoder->SetThreshold(left ? Pane->TrackBarLC->value() : Pane->TrackBarRC->value());
    AudioDecoder->ChooseChannel(left ? AudioToneDecoder::Channel::Left : AudioToneDecoder::Channel::Right);
    if (!RecordingOpen && Shown()) {
        RadioButtonMonitorClick();
    }
    FocusTextBox();
}

void MonitorFeature::TrackBarLCChange() {
    AudioDecoder->SetThreshold(Pane->TrackBarLC->value());
    FocusTextBox();
}

void MonitorFeature::TrackBarRCChange() {
    AudioDecoder->SetThreshold(Pane->TrackBarRC->value());
    FocusTextBox();
}

// The straight key: a key-down is taken only while nothing plays, so the keyboard's repeat of
// a held Ctrl (the sidetone is in the device) never starts a second tone.
void MonitorFeature::StraightKeyDown() {
    PlayEngine& engine = Form.Engine();
    if (KeyHeld || !engine.PlayQueue().empty() || !engine.BufferIdle()) {
        return;
    }
    HandKey->TimeHandKey(true, NowUs());
    KeyHeld = true;
    engine.StartSidetone(false);
}

// Only the key-up of a key-down that was taken: a key released while text plays must not cut
// the character that sounds.
void MonitorFeature::StraightKeyUp() {
    if (!KeyHeld) {
        return;
    }
    KeyHeld = false;
    HandKey->TimeHandKey(false, NowUs());
    if (Form.Engine().SidetoneActive()) {
        Form.Engine().StopSidetone();  // the hand-keyed line goes idle with it
    }
}

void MonitorFeature::Joystickex1Button1_Change(bool pressed) {
    if (!Shown()) {
        return;
    }
    if (Pane->RadioButtonPioche->isChecked()) {
        pressed ? StraightKeyDown() : StraightKeyUp();
        return;
    }
    PaddleChange(1, pressed);
}

void MonitorFeature::Joystickex1Button2_Change(bool pressed) {
    if (!Shown()) {
        return;
    }
    PaddleChange(2, pressed);
}

void MonitorFeature::PaddleChange(int button, bool pressed) {
    if (!PaddleSourceSelected()) {
        return;
    }
    if (!pressed) {
        Paddles->Release();
        return;
    }
    const auto contact = PaddleKeyer::ContactOf(button, Pane->RadioButtonElKeyR->isChecked());
    std::string& queue = Form.Engine().PlayQueue();
    if (const char element = Paddles->Press(contact, queue.empty())) {
        queue += element;
        // Paddles key the CW line with each element but never switch PTT on.
        Form.TextBox().Button1->click();
    }
}

bool MonitorFeature::EditcaractereKeyDown(const QKeyEvent* event) {
    if (event->key() != Qt::Key_Control || !Shown() || !Pane->RadioButtonCTRL->isChecked()) {
        return false;
    }
    if (!event->isAutoRepeat()) {
        StraightKeyDown();
    }
    return true;
}

bool MonitorFeature::EditcaractereKeyUp(const QKeyEvent* event) {
    if (event->key() != Qt::Key_Control || event->isAutoRepeat() || !Shown() ||
        !Pane->RadioButtonCTRL->isChecked()) {
        return false;
    }
    StraightKeyUp();
    return true;
}

void MonitorFeature::ReleaseHeldKeys() {
    Paddles->Release();
    if (KeyHeld) {
        StraightKeyUp();
    } else if (Form.Engine().SidetoneActive()) {
        Form.Engine().StopSidetone();
    }
}

void MonitorFeature::MMTimerEspaceTimer() {
    HandKey->MMTimerEspaceTimer();
}

// The display the decoders write to.
void MonitorFeature::InsertText(std::string_view text) {
    QTextCursor caret = Pane->MemoMonitor->textCursor();
    caret.insertText(FromCodes(text));
    Pane->MemoMonitor->setTextCursor(caret);
    Pane->MemoMonitor->ensureCursorVisible();
}

void MonitorFeature::ShowEchoLine(std::string_view text) {
    Pane->EditMonitor->setText(FromCodes(text));
    Pane->EditMonitor->deselect();
    Pane->EditMonitor->end(false);
}

void MonitorFeature::ShowDebugLine(std::string_view text) {
    Pane->Label4->setText(FromCodes(text));
}

void MonitorFeature::ShowLevels(int leftPercent, int rightPercent) {
    Pane->ProgressBarLeft->setValue(leftPercent);
    Pane->ProgressBarRight->setValue(rightPercent);
}

void MonitorFeature::SpeedButtonRazMonitorClick() {
    MenuClearMonitoringClick();
    HandKey->UpdateHandThresholds(Form.Speed().SpeedWpm());
}

void MonitorFeature::MenuClearMonitoringClick() {
    Pane->MemoMonitor->clear();
    Shared->ClearEcho();
    Pane->EditMonitor->clear();
}

void MonitorFeature::MenuSaveMonitoringClick() {
    if (!RadioButtonMonitor->isChecked()) {
        Form.Prompts().Beep();
        return;
    }
    if (Pane->MemoMonitor->document()->isEmpty()) {
        Form.Prompts().Warn(T("msg.nothing-to-record"));
        return;
    }
    const QString name = ChooseSaveFile();
    if (name.isEmpty()) {
        return;
    }
    QString text;
    for (QTextBlock line = Pane->MemoMonitor->document()->begin(); line.isValid(); line = line.next()) {
        text += line.text() + "\r\n";
    }
    // Written beside and renamed into place: a failed save never leaves half a file under the
    // chosen name.
    const QByteArray bytes = text.toUtf8();
    const Status saved = OutputFile::WriteWhole(QFile::encodeName(name).toStdString(),
                                                std::string_view(bytes.constData(), bytes.size()));
    if (!saved.Ok()) {
        Form.Prompts().Warn(T("msg.cannot-open-file") + "\n" + QString::fromStdString(saved.Context));
    }
}

void MonitorFeature::CheckBoxUpperCaseClick() {
    FocusTextBox();
}

void MonitorFeature::MenuDebugClick() {
    Pane->Label4->setVisible(true);
}

void MonitorFeature::SpeedButtonHelpMonitorClick() {
    FormMonitorInfo->ShowOver();
}

// Settings.
void MonitorFeature::ApplySettings(const SettingsModel& settings) {
    ReadingSettings = true;
    Pane->CheckBoxUpperCase->setChecked(settings.MonitorUpperCase);
    Pane->TrackBarLC->setValue(std::clamp(settings.LeftThreshold, 0, AudioToneDecoder::kMaxThreshold));
    Pane->TrackBarRC->setValue(std::clamp(settings.RightThreshold, 0, AudioToneDecoder::kMaxThreshold));
    using Source = SettingsModel::MonitorSource;
    QRadioButton* source = Pane->RadioButtonLC;
    switch (settings.Source) {
        case Source::Left:
            source = Pane->RadioButtonLC;
            break;
        case Source::Right:
            source = Pane->RadioButtonRC;
            break;
        case Source::ElKeyNormal:
            source = Pane->RadioButtonElKeyN;
            break;
        case Source::ElKeyReverse:
            source = Pane->RadioButtonElKeyR;
            break;
        case Source::SimpleKey:
            source = Pane->RadioButtonPioche;
            break;
        case Source::CtrlKey:
            source = Pane->RadioButtonCTRL;
            break;
    }
    Pane->SelectSource(source);
    // The decoder listens to the channel chosen, at its slider's threshold.
    const bool right = source == Pane->RadioButtonRC;
    AudioDecoder->SetThreshold(right ? Pane->TrackBarRC->value() : Pane->TrackBarLC->value());
    AudioDecoder->ChooseChannel(right ? AudioToneDecoder::Channel::Right : AudioToneDecoder::Channel::Left);
    ReadingSettings = false;
}

void MonitorFeature::CollectSettings(SettingsModel& settings) const {
    using Source = SettingsModel::MonitorSource;
    settings.MonitorUpperCase = Pane->CheckBoxUpperCase->isChecked();
    settings.LeftThreshold = Pane->TrackBarLC->value();
    settings.RightThreshold = Pane->TrackBarRC->value();
    const QRadioButton* source = Pane->SelectedSource();
    // With no source selected nothing is written and the next start takes the left channel.
    settings.Source = source == Pane->RadioButtonRC       ? Source::Right
                      : source == Pane->RadioButtonElKeyN ? Source::ElKeyNormal
                      : source == Pane->RadioButtonElKeyR ? Source::ElKeyReverse
                      : source == Pane->RadioButtonPioche ? Source::SimpleKey
                      : source == Pane->RadioButtonCTRL   ? Source::CtrlKey
                                                          : Source::Left;
    if (RadioButtonMonitor->isChecked()) {
        settings.LastChoice = kLastChoiceMonitor;
    } else if (settings.LastChoice == kLastChoiceMonitor) {
        settings.LastChoice = 1;
    }
}

// The engine and the window.
void MonitorFeature::AddToContext(CharacterContext& context) const {
    context.PaddleHeld = context.PaddleHeld || (Shown() && Paddles->Held());
}

void MonitorFeature::OnCharacterSounded() {
    if (!Shown() || !PaddleSourceSelected()) {
        return;
    }
    if (const char element = Paddles->NextElement()) {
        Form.Engine().PlayQueue() += element;
    }
}

bool MonitorFeature::HandlePlaybackEnded() {
    if (Shown() && PaddleSourceSelected()) {
        Paddles->QueueRanEmpty(Form.Engine().Keying().PaddleSpacingMs);
    }
    if (ResumeAfterPlayback && Shown() && !RecordingOpen &&
        (Pane->RadioButtonLC->isChecked() || Pane->RadioButtonRC->isChecked())) {
        RadioButtonMonitorClick();  // decoding resumes by itself after a playback
    }
    return false;
}

void MonitorFeature::OnStop() {
    ReleaseHeldKeys();
}

void MonitorFeature::OnSidePanelOpening(bool) {
    ReleaseHeldKeys();
}

void MonitorFeature::OnQuitRequested() {
    ReleaseHeldKeys();
}

void MonitorFeature::OnSpeedChanged() {
    HandKey->UpdateHandThresholds(Form.Speed().SpeedWpm());
}

void MonitorFeature::Retranslate(const LanguageTable&) {
    RadioButtonMonitor->setText(T("RadioButtonMonitor.Caption"));
    Pane->setTitle(T("GroupBoxMonitor.Caption"));
    Pane->LabelMonitor->setText(T("LabelMonitor.Caption"));
    Pane->CheckBoxUpperCase->setText(T("CheckBoxUpperCase.Caption"));
    Pane->SpeedButtonRazMonitor->setToolTip(T("SpeedButtonRazMonitor.Hint"));
    Pane->GroupBoxAudioMonitor->setTitle(T("GroupBoxAudioMonitor.Caption"));
    Pane->LabelLeftChannel->setText(T("LabelLeftChannel.Caption"));
    Pane->LabelRightChannel->setText(T("LabelRightChannel.Caption"));
    Pane->LabelThreshold->setText(T("LabelThreshold.Caption"));
    Pane->GroupBoxKeyMonitor->setTitle(T("GroupBoxKeyMonitor.Caption"));
    Pane->RadioButtonPioche->setText(T("RadioButtonPioche.Caption"));
    Pane->RadioButtonElKeyN->setText(T("RadioButtonElKeyN.Caption"));
    Pane->RadioButtonElKeyR->setText(T("RadioButtonElKeyR.Caption"));
    Pane->RadioButtonCTRL->setText(T("RadioButtonCTRL.Caption"));
    MenuClearMonitoring->setText(T("MenuClearMonitoring.Caption"));
    MenuSaveMonitoring->setText(T("MenuSaveMonitoring.Caption"));
    MenuDebug->setText(T("MenuDebug.Caption"));
    if (FormMonitorInfo != nullptr) {
        FormMonitorInfo->Retranslate();
    }
}

}  // namespace kelvaro
