// The monitoring mode: the user's own sending from a straight key, paddles, the Ctrl key or the
// sound card's input, heard as sidetone and decoded into the monitoring pane.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

#include "core/Status.h"
#include "decoding/MonitorDisplay.h"
#include "ui/FormFeature.h"

class QAction;
class QFileDialog;
class QKeyEvent;
class QRadioButton;

namespace kelvaro {

class AudioToneDecoder;
class Clock;
class HandKeyDecoder;
class MonitorDecoding;
class MonitorPane;
class OneShotTimer;
class PaddleKeyer;
class QtDispatcher;
class TForm1;
class TFormMonitorInfo;
class WaveIn;

/// Owns the pane, the decoders and the character timer; the window thread runs everything
/// (the timer's tick is posted there). A held key or paddle is always let go when the mode,
/// the source, the joystick or the focus goes, on Stop, when a side panel opens and on quit:
///
///   no key --key down (source selected, nothing playing)--> held: sidetone, CW line keyed
///     ^                                                        |
///     '-------- key up, or any of the ways out above ----------'  (tone cut, line idle)
class MonitorFeature final : public QObject, public FormFeature, public MonitorDisplay {
    Q_OBJECT
public:
    explicit MonitorFeature(TForm1& form);
    ~MonitorFeature() override;

    // Handlers, named after their control.
    void RadioButtonMonitorClick();
    void RadioButtonPiocheClick();
    void RadioButtonElKeyNClick();
    void RadioButtonElKeyRClick();
    void RadioButtonCTRLClick();
    void RadioButtonLCClick();
    void RadioButtonRCClick();
    void TrackBarLCChange();
    void TrackBarRCChange();
    void Joystickex1Button1_Change(bool pressed);
    void Joystickex1Button2_Change(bool pressed);
    /// Only the Ctrl key matters; true when the key was used here.
    bool EditcaractereKeyDown(const QKeyEvent* event);
    bool EditcaractereKeyUp(const QKeyEvent* event);
    void MMTimerEspaceTimer();
    void SpeedButtonRazMonitorClick();
    void MenuClearMonitoringClick();
    void MenuSaveMonitoringClick();
    void CheckBoxUpperCaseClick();
    void MenuDebugClick();
    void SpeedButtonHelpMonitorClick();

    /// Lets go of whatever key or paddle is held: tone cut, CW line idle, no held flag.
    void ReleaseHeldKeys();
    bool StraightKeyHeld() const { return KeyHeld; }
    bool PaddleHeld() const;
    /// The recording device is open and decoding runs.
    bool WaveInOpen() const { return RecordingOpen; }

    // MonitorDisplay
    void InsertText(std::string_view text) override;
    void ShowEchoLine(std::string_view text) override;
    void ShowDebugLine(std::string_view text) override;
    void ShowLevels(int leftPercent, int rightPercent) override;

    // FormFeature
    void ApplySettings(const SettingsModel& settings) override;
    void CollectSettings(SettingsModel& settings) const override;
    void AddToContext(CharacterContext& context) const override;
    bool HandlePlaybackEnded() override;
    void OnCharacterSounded() override;
    bool InputDeviceOpen() const override { return RecordingOpen; }
    void CloseInputDevice() override;
    void OnStop() override;
    void OnSidePanelOpening(bool rewiresTransmitter) override;
    void OnQuitRequested() override;
    void OnSpeedChanged() override;
    void Retranslate(const LanguageTable& texts) override;

    /// Where Save Monitoring writes; returns an empty name when the user cancels.
    std::function<QString()> ChooseSaveFile;

    QRadioButton* RadioButtonMonitor = nullptr;
    MonitorPane* Pane = nullptr;
    TFormMonitorInfo* FormMonitorInfo = nullptr;
    QAction* MenuClearMonitoring = nullptr;
    QAction* MenuSaveMonitoring = nullptr;
    QAction* MenuDebug = nullptr;
    QFileDialog* SaveDialogMonitoring = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenus();
    void ConnectControls();
    QString T(const char* entry) const;
    bool Shown() const;
    bool KeySourceSelected() const;
    bool PaddleSourceSelected() const;
    /// The chosen source's common part: select it, close the recording, focus the text box.
    bool SelectSource(QRadioButton* source, bool needsJoystick);
    void ChooseChannel(QRadioButton* channel);
    void StartAudioDecoding();
    /// Stops recording (another source or mode); decoding does not resume by itself.
    void StopRecording();
    void RecordingLost(const Status& status);
    void UseKeyOutput(bool keyed);
    void StraightKeyDown();
    void StraightKeyUp();
    void PaddleChange(int button, bool pressed);
    void FocusTextBox();
    std::int64_t NowUs() const;

    TForm1& Form;
    /// The window's text box, whose keys and focus this feature watches.
    QPointer<QObject> TextBox;
    QtDispatcher* WindowThread = nullptr;
    std::unique_ptr<Clock> OwnClock;
    const Clock* KeyClock = nullptr;
    /// The recording device (it outlives the window); null: none.
    WaveIn* Input = nullptr;
    std::unique_ptr<MonitorDecoding> Shared;
    std::unique_ptr<OneShotTimer> MMTimerEspace;
    std::unique_ptr<HandKeyDecoder> HandKey;
    std::unique_ptr<PaddleKeyer> Paddles;
    std::unique_ptr<AudioToneDecoder> AudioDecoder;
    bool KeyHeld = false;
    bool RecordingOpen = false;
    /// A playback closed the recording: it starts again once the queue has run empty.
    bool ResumeAfterPlayback = false;
    bool KeyOutputInUse = false;
    bool ReadingSettings = false;
};

}  // namespace kelvaro
