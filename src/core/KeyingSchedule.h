// The millisecond figures that key the transmitter in step with one character.
#pragma once

#include <vector>

#include "core/ElementTiming.h"

namespace kelvaro {

/// Written on the window thread before the keying sequencer starts; the sequencer only reads
/// its own copy.
struct KeyingSchedule {
    int DashMs = 0;
    int DotMs = 0;
    int GapMs = 0;
    /// Twice the unit gap while a paddle is held in monitoring, else 0: how long the hand-key
    /// decoder waits before it closes a character.
    int PaddleSpacingMs = 0;
    /// Per element its key-down time, then the negative gap time; the entry after the last
    /// element's key-down time is 0 and ends the list. Empty for a blank.
    std::vector<int> ElementList;
    /// How long after CwKeyDown the list starts, in ms: the sound output's latency for played
    /// characters, so that the line keys when the character is heard rather than when its
    /// sound is handed to the device. 0 for the hand key and without a sound device.
    int LeadMs = 0;

    /// The figures for this timing. Dash, dot and gap are 0 when no transmitter keying is set up.
    static KeyingSchedule For(const ElementTiming& timing, bool keyingConfigured, bool paddleHeld);

    void BeginCharacter() { ElementList.clear(); }
    void AddElement(bool isDash);
    /// Replaces the trailing gap by the 0 that ends the list.
    void CloseCharacter();
};

/// frames x 1000 / 22050, rounded half to even.
int FramesToMs(int frames);

}  // namespace kelvaro
