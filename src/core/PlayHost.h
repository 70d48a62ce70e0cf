// What the play engine asks of the practice modes and the window while it plays.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/CharacterLayout.h"
#include "core/Status.h"

namespace kelvaro {

/// Implemented by the main window, which knows which mode is playing. Every call comes on
/// the window thread, from inside StartClick or the completion step.
class PlayHost {
public:
    virtual ~PlayHost() = default;

    /// A character is taken from the front of the queue (sounded, masked or expanded):
    /// show Stop, advance the file or replay highlight. fromShortcut marks characters of a
    /// shortcut expansion, which do not advance the replay highlight.
    virtual void OnCharacterTaken(std::uint8_t /*character*/, bool /*fromShortcut*/) {}
    /// Masked file text: true removes the character from the queue without sound.
    virtual bool IsMasked(std::uint8_t /*character*/) { return false; }
    /// The text a shortcut key stands for, or nothing when the character is not a shortcut key.
    virtual std::optional<std::string> ShortcutText(std::uint8_t /*character*/) { return std::nullopt; }
    /// Generate without sound: every character is reported done at once.
    virtual bool SilentRun() const { return false; }
    /// Read at the start of every character.
    virtual CharacterContext ContextForCharacter() const { return {}; }
    /// The program is quitting: completions only mark the buffer idle.
    virtual bool IsQuitting() const { return false; }
    /// A character has finished sounding, before it leaves the queue (the paddle keyer
    /// appends its next element here).
    virtual void OnCharacterSounded() {}
    /// The queue ran empty: the active mode takes over (next group, quiz answer, standby...).
    virtual void OnPlaybackEnded() = 0;
    /// A device error to show ("Err " + code + " : " + context); playback goes on.
    virtual void ShowDeviceError(const Status& status) = 0;
    /// The device refused a character: the playing mode stops as with the Stop button, so that
    /// nothing more is handed over. The engine then ends the playback and shows the error once.
    virtual void StopOnDeviceFailure() {}
    /// The sound output could not be given back after the audio decoder used the card: the
    /// program cannot go on.
    virtual void FatalDeviceError(const Status& status) { ShowDeviceError(status); }
    /// The audio decoder holds the sound card's input; it is closed before a character plays.
    virtual bool InputDeviceOpen() const { return false; }
    virtual void CloseInputDevice() {}
};

}  // namespace kelvaro
