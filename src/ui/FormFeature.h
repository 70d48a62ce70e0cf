// A feature of the main window (a practice mode, a side panel, the transmitter) as the window
// sees it: its share of start-up, settings, Stop and the end of playback.
#pragma once

#include <cstdint>

#include "app/LanguageTable.h"
#include "app/SettingsModel.h"
#include "core/CharacterLayout.h"
#include "practice/InstructorLimits.h"

class QWidget;

namespace kelvaro {

/// TForm1 calls every registered feature in registration order. Each one owns its widgets and
/// logic; what crosses features goes through TForm1.
class FormFeature {
public:
    virtual ~FormFeature() = default;

    /// Start-up, once the settings file is read: apply the values this feature owns.
    virtual void ApplySettings(const SettingsModel& /*settings*/) {}
    /// Start-up, after the settings of every feature and the small windows are applied.
    virtual void FinishStartUp(const SettingsModel& /*settings*/) {}
    /// Quit: put this feature's values into the model that is about to be written.
    virtual void CollectSettings(SettingsModel& /*settings*/) const {}
    /// Read by the engine at the start of every character.
    virtual void AddToContext(CharacterContext& /*context*/) const {}
    /// Generating without sound: the engine completes every character at once.
    virtual bool SilentRun() const { return false; }
    /// The queue ran empty. Return true when this feature takes over (the first one wins).
    virtual bool HandlePlaybackEnded() { return false; }
    /// A character has finished sounding, before it leaves the queue.
    virtual void OnCharacterSounded() {}
    /// This feature holds the sound card's input, which must close before anything plays.
    virtual bool InputDeviceOpen() const { return false; }
    virtual void CloseInputDevice() {}
    /// The main Stop action (Stop button, Escape, the end of a series or quiz): whatever plays
    /// stops and the controls come back.
    virtual void OnStop() {}
    /// A side panel is about to open (the others are closed right after). rewiresTransmitter:
    /// it is the Port panel, whose choices change what a playing series keys.
    virtual void OnSidePanelOpening(bool /*rewiresTransmitter*/) {}
    /// A side panel opened or closed; anyOpen tells whether one is open now.
    virtual void OnSidePanelsChanged(bool /*anyOpen*/) {}
    /// A replay of the text box starts (true) or gives the window back (false): the modes
    /// cannot be changed in between.
    virtual void OnTextReplay(bool /*running*/) {}
    /// Quit was asked for, before any confirmation: timers that would carry on by themselves
    /// stop.
    virtual void OnQuitRequested() {}
    /// The speed, spacing or word spacing changed (descriptions show the real speed).
    virtual void OnSpeedChanged() {}
    /// A practice mode starts playing (true) or has given the window back (false): the message
    /// buttons cannot be used in between.
    virtual void OnPracticePlaying(bool /*playing*/) {}
    /// The instructor's locks were applied (at start-up from the settings, or by the dialog):
    /// each feature puts the ones that concern its controls into force or lifts them.
    virtual void ApplyInstructorLimits(const InstructorLimits& /*limits*/) {}
    /// The engine takes a character from the queue (to sound it, skip it or expand it).
    virtual void OnCharacterTaken(std::uint8_t /*character*/, bool /*fromShortcut*/) {}
    /// Right after OnCharacterTaken: true drops the character without sound (the first
    /// feature that says so wins).
    virtual bool IsMasked(std::uint8_t /*character*/) { return false; }
    /// A practice mode's pane was shown (the mode was selected or started).
    virtual void OnModePaneShown(const QWidget* /*pane*/) {}
    /// The interface language changed.
    virtual void Retranslate(const LanguageTable& /*texts*/) {}
    /// Enter, Up or Down (Qt key codes) in the text box: true when this feature used it (the
    /// visible reference list plays or moves its selection).
    virtual bool HandleTextBoxKey(int /*key*/) { return false; }
};

/// The transmitter's push-to-talk as the play modes use it.
class PushToTalk {
public:
    virtual ~PushToTalk() = default;
    /// Raises PTT when it goes through a serial port and is not on yet; returns true when the
    /// transmitter delay now runs (its end starts playback itself).
    virtual bool PttOn() = 0;
    virtual void PttOff() = 0;
    /// Playback came to its natural end: PTT drops once the keying still following the sound
    /// (led by the output latency) has ended.
    virtual void PttOffAfterKeying() = 0;
    virtual bool TxDelayRunning() const = 0;
};

}  // namespace kelvaro
