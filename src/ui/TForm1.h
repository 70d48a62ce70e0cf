// The main window: owns every subsystem and coordinates what crosses its panes.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/LanguageTable.h"
#include "app/SettingsModel.h"
#include "core/CharacterPool.h"
#include "core/LocalCharacters.h"
#include "core/MorseTable.h"
#include "core/PlayEngine.h"
#include "core/PlayHost.h"
#include "core/RandomGenerator.h"
#include "core/SpeedSettings.h"
#include "platform/Clock.h"
#include "platform/OneShotTimer.h"
#include "platform/SoundDeviceList.h"
#include "platform/WaveIn.h"
#include "platform/WaveOut.h"
#include "platform/WindowTimer.h"
#include "practice/ShortcutTable.h"
#include "ui/FormFeature.h"
#include "ui/TransmitterDevices.h"

class QAction;
class QGridLayout;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QToolButton;
class QVBoxLayout;

namespace kelvaro {

class ControlsPane;
class MainMenu;
class Prompter;
class SettingsLock;
class SpacingPanel;
class TextPane;
class TFormDrift;
class TFormDriftBMP;
class TFormNoise;
class TFormNote;
class TFormQSB;
class TJoystickex;
class TransmitterFeature;
class TypingEdit;

/// What the window is given from outside: the real devices in the program, fakes in tests.
struct TForm1Services {
    WaveOut* Output = nullptr;
    std::function<std::unique_ptr<WindowTimer>()> CreateTimer;
    Prompter* Prompts = nullptr;
    /// Where kelvaro.dat is read at start-up and written at quit.
    std::string SettingsPath;
    /// The command line without the program's name.
    std::vector<std::string> Arguments;
    std::uint32_t RandomSeed = 0;
    /// Ends the program once the release sequence has run.
    std::function<void()> Terminate;
    /// The transmitter's serial lines, parallel port and keying timer; the system's when empty.
    std::function<TransmitterDevices()> CreateTransmitterDevices;
    /// The joystick whose buttons 1 and 2 are a key or paddles; empty: none is looked for.
    std::string JoystickDevice = "/dev/input/js0";
    /// The output a hand key's sidetone plays through while a key source is chosen (it buffers
    /// little, so the tone follows the key); null: Output serves.
    WaveOut* SidetoneOutput = nullptr;
    /// The monitoring's character timer; empty: one on its own thread.
    std::function<std::unique_ptr<OneShotTimer>()> CreateLetterTimer;
    /// Times the key's marks and spaces; null: the system's monotonic clock.
    const Clock* KeyClock = nullptr;
    /// The sound card's input, for the audio decoder of the monitoring; null: none.
    WaveIn* Input = nullptr;
    /// The sound devices the user can choose from; the system's when empty.
    std::function<std::unique_ptr<SoundDeviceList>()> CreateSoundDevices;
};

/// Creation runs the start-up order: settings read and applied, command line, sound output
/// opened (a failure is shown once and playback is simulated), then the small windows get
/// their held values. Quitting runs the release sequence and writes the settings.
class TForm1 final : public QMainWindow, public PlayHost {
    Q_OBJECT
public:
    explicit TForm1(TForm1Services services);
    ~TForm1() override;

    // Play control of the text box.
    void ButtonReplayTextClick();
    void SpeedButtonRAZtextClick();
    /// Stop (button, Escape): closes an open side panel, else stops whatever plays.
    void ButtonStopClick();
    /// Stops whatever plays and gives the controls back, leaving an open side panel as it is
    /// (the end of a series or of a quiz must not take a half-typed set away): every mode
    /// stops, the queue is emptied (the sounding character finishes) and the transmitter drops
    /// out.
    /// afterKeying: the natural end of a series; PTT waits for the last character's keying.
    void StopPlayback(bool afterKeying = false);
    void StartClick();
    void SetStandby(int standbyMs);
    void TimerBoucleTimer();

    // Speed, spacing, level.
    void UpDownVitesseClick();
    void SpinEditEspaceChange();
    void EspacePlusClick();
    void BitBtnOKEspaceClick();
    void UpDownAmplitudeClick();

    // Start and end.
    void ButtonQuitterClick();
    void MenuOutilsQuitClick();
    /// A quit asked by SIGTERM, SIGINT or SIGHUP: like the menu's Quit, but nothing waits on
    /// a message box; a failed save goes to standard error and to the next start.
    void QuitOnSignal();
    void MenuHideHintsClick();
    /// The user chose not to start a second window on settings already in use.
    bool StartDeclined() const { return Declined; }

    // What the features of the window share.
    PlayEngine& Engine() { return *Player; }
    const SpeedSettings& Speed() const { return SpeedState; }
    LanguageTable& Texts() { return Language; }
    RandomGenerator& Randomness() { return Random; }
    MorseTable& Table() { return Codes; }
    CharacterPool& Pool() { return Characters; }
    LocalCharacters& Locals() { return LocalCodes; }
    ShortcutTable& Shortcuts() { return ShortcutKeys; }
    Prompter& Prompts() { return *Services.Prompts; }
    MainMenu& Menus() { return *Menu; }
    TextPane& TextBox() { return *Text; }
    ControlsPane& ControlsBox() { return *Controls; }
    std::unique_ptr<WindowTimer> CreateTimer() { return Services.CreateTimer(); }
    const SettingsModel& LoadedSettings() const { return Settings; }
    /// Where kelvaro.dat is read and written; empty when there is no settings folder.
    const std::string& SettingsFilePath() const { return Services.SettingsPath; }
    bool HasJoystick() const { return JoystickPresent; }
    TJoystickex& Joystick() { return *Joystickex1; }
    const TForm1Services& Devices() const { return Services; }
    WaveOut& SoundOutput() { return *Services.Output; }
    std::unique_ptr<SoundDeviceList> CreateSoundDevices();
    /// The output device the sound output opens on (set before it opens at start-up).
    void SetSoundOutputDevice(int deviceId) { SoundOutputDevice = deviceId; }
    /// Closes the sound output and opens it again on the set device; a failure is shown.
    void ReopenSoundOutput();

    /// A feature joins start-up, settings, Stop and the end of playback (it stays owned by
    /// whoever made it, usually as a child of the window).
    void RegisterFeature(FormFeature* feature) { Features.push_back(feature); }
    /// A side panel: only one is open at a time, and Stop or Quit close it first.
    /// closedByStop false: a panel that stays open while things play (the messages), which
    /// Stop and Quit leave alone.
    void RegisterSidePanel(QWidget* panel, std::function<void()> closeAction, bool closedByStop = true);
    /// Closes every open side panel but the given one, through its own close action.
    void CloseOtherSidePanels(const QWidget* keep);
    /// A side panel is about to be shown: a running quiz stops, the other panels close.
    void OpenSidePanel(const QWidget* panel, bool rewiresTransmitter = false);
    bool AnySidePanelOpen() const;
    /// The buttons Enter and Escape press while they show and are enabled (the quiz's OK and
    /// Stop); Escape falls back to Stop or Quit.
    void SetDefaultButtons(QPushButton* defaultButton, QPushButton* cancelButton);
    /// Puts a side panel over the text box and the controls, hidden until its feature opens it
    /// (register it too); the window grows while the open panel needs more room.
    void PlaceSidePanel(QWidget* panel);
    /// A practice mode's radio button and its pane; selecting a mode shows only its pane.
    void AddMode(QRadioButton* button, QWidget* pane);
    void ShowModePane(QWidget* pane);
    void SetPushToTalk(PushToTalk* ptt) { Ptt = ptt; }
    /// Tells every feature that a practice mode starts playing or has ended (message buttons).
    void NotifyPracticePlaying(bool playing);
    /// Puts the instructor's locks into force on every feature.
    void ApplyInstructorLimits(const InstructorLimits& limits);
    /// The hand-over every mode uses once its text is in the queue: push-to-talk on, then
    /// Start at once, or when the transmitter delay ends.
    void PlayQueued();
    void PttOff();
    /// The natural end of playback: the last character's keying runs out first.
    void PttOffAfterKeying();
    bool ReplayIsActive() const { return ReplayActive; }
    /// What the continuous-replay standby restarts: a mode's own restart, or the text box
    /// when empty.
    void SetContinuousSource(std::function<void()> restart) { ContinuousRestart = std::move(restart); }
    /// The command line without the program's name.
    const std::vector<std::string>& Arguments() const { return Services.Arguments; }
    const std::string& ReplayResume() const { return ReplayResumeText; }
    WindowTimer& TimerBoucle() { return *Boucle; }
    /// The settings as they will be written at quit (collected from the controls).
    SettingsModel CollectSettings() const;

    // PlayHost
    void OnCharacterTaken(std::uint8_t character, bool fromShortcut) override;
    bool IsMasked(std::uint8_t character) override;
    CharacterContext ContextForCharacter() const override;
    bool SilentRun() const override;
    std::optional<std::string> ShortcutText(std::uint8_t character) override;
    bool IsQuitting() const override { return Quitting; }
    void OnPlaybackEnded() override;
    void ShowDeviceError(const Status& status) override;
    void StopOnDeviceFailure() override;
    void OnCharacterSounded() override;
    bool InputDeviceOpen() const override;
    void CloseInputDevice() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void BuildWindow();
    void FitToContents();
    void CreateFeatures();
    void ConnectControls();
    void CreateDialogs();
    void ApplyTexts();
    /// The language menu's path: a new language retranslates the window and its small windows.
    void SelectLanguage(kelvaro::Language language);
    void ApplyHints();
    void ReadAndApplySettings();
    bool ClaimSettingsFolder();
    void LoadSettingsFile(std::vector<QString>& notices);
    void PlaceOnScreen();
    void ApplyHeldDialogValues();
    void HandleCommandLine();
    void OpenSoundOutput();
    void RunReleaseSequence();

    bool EditcaractereKeyPress(QKeyEvent* event);
    bool PressDefaultButton();
    void SetTextReplay(bool running);
    bool IsInThisWindow(const QObject* object) const;
    void EditcaractereChange();
    void EndOfTextReplay();
    void EndOfTypingPlay();
    void ShowStopHideQuit(bool playing);
    void RefreshRealSpeed();
    bool CloseOpenSidePanel();
    void ReturnFocusToTextBox();
    QString T(const char* entry) const;
    std::string TextBoxCodes() const;

    TForm1Services Services;
    LanguageTable Language;
    RandomGenerator Random;
    MorseTable Codes;
    CharacterPool Characters;
    LocalCharacters LocalCodes;
    ShortcutTable ShortcutKeys;
    SpeedSettings SpeedState;
    std::unique_ptr<WindowTimer> Timer1;
    std::unique_ptr<WindowTimer> Boucle;
    std::unique_ptr<PlayEngine> Player;
    SettingsModel Settings;

    std::vector<FormFeature*> Features;
    struct SidePanel {
        QWidget* Panel;
        std::function<void()> Close;
        bool ClosedByStop = true;
    };
    std::vector<SidePanel> SidePanels;
    std::vector<QWidget*> ModePanes;
    QGroupBox* ModeButtons = nullptr;
    QVBoxLayout* ModeArea = nullptr;
    QGridLayout* Columns = nullptr;
    /// The design size at the screen's text scaling; the window is never smaller.
    QSize NominalSize;
    QWidget* RightColumn = nullptr;
    PushToTalk* Ptt = nullptr;
    QPointer<QPushButton> DefaultButton;
    QPointer<QPushButton> CancelButton;
    TransmitterFeature* Transmitter = nullptr;

    MainMenu* Menu = nullptr;
    TextPane* Text = nullptr;
    ControlsPane* Controls = nullptr;
    SpacingPanel* Spacing = nullptr;
    TFormNote* NoteDialog = nullptr;
    TFormNoise* NoiseDialog = nullptr;
    TFormQSB* QsbDialog = nullptr;
    TFormDrift* DriftDialog = nullptr;

    bool TypingPlay = false;
    bool ReplayActive = false;
    /// Stop was pressed during this replay: it ends without a continuous-replay standby.
    bool ReplayStopped = false;
    std::string ReplayResumeText;
    /// The text of a shortcut key just typed, which the box shows in place of the key.
    std::string TypedShortcutText;
    int ReplayProgress = 0;
    int StandbyMs = 0;
    std::function<void()> ContinuousRestart;
    bool Quitting = false;
    bool FirstShow = false;
    bool Released = false;
    /// Tells other windows on this settings folder that it is in use; empty when the folder
    /// cannot hold a lock or another window owns it.
    std::unique_ptr<SettingsLock> FolderLock;
    /// Off when the user chose to go on beside another window on the same settings.
    bool SavesSettings = true;
    bool Declined = false;
    bool QuitBySignal = false;
    /// What the previous run left in the lock file (a save that failed at a signal quit).
    std::string LastRunNote;
    std::optional<int> SoundOutputDevice;
    TJoystickex* Joystickex1 = nullptr;
    /// A joystick could be captured at start-up (the key inputs read its buttons).
    bool JoystickPresent = false;
};

}  // namespace kelvaro
