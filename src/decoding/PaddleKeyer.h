// The paddle keyer: which element a held paddle contact repeats, and what it adds to the
// received pattern.
#pragma once

namespace kelvaro {

class HandKeyDecoder;
class MonitorDecoding;

/// Each element is an ordinary played character ("t" for a dash, "e" for a dot); the window
/// queues what this class returns. While a contact is held, every finished element asks for
/// the next one, so the element of the contact pressed last repeats; releasing either contact
/// ends the repetition (no alternation, no memory of a tap):
///
///   idle --press--> element queued --finished, held--> same element again ...
///     ^                                  |  finished, released
///     '--character timer -- queue empty <'  (spacing timer started)
class PaddleKeyer {
public:
    enum class Contact { Dash, Dot };

    /// shared: the received pattern and its echo; decoder: owner of the character timer.
    PaddleKeyer(MonitorDecoding& shared, HandKeyDecoder& decoder);

    /// Joystick button 1 or 2: normal wiring has the dash on button 1, reverse the dot.
    static Contact ContactOf(int button, bool reverse);

    /// A contact closed: it becomes the only held one and the character timer stops. With the
    /// play queue empty the element is added to the pattern and echoed, and its character
    /// ('t' or 'e') is returned for the window to queue and play; otherwise '\0'.
    char Press(Contact contact, bool queueEmpty);
    /// Either contact opened: nothing is held any more.
    void Release();
    /// An element finished sounding: while a contact is held, the next element is added and
    /// echoed and its character returned; otherwise '\0'.
    char NextElement();
    /// The queue ran empty: the character timer waits for the paddle spacing (0: no timer).
    void QueueRanEmpty(int paddleSpacingMs);

    bool DashHeld() const { return IsDashHeld; }
    bool DotHeld() const { return IsDotHeld; }
    bool Held() const { return IsDashHeld || IsDotHeld; }

private:
    char Append(Contact contact);

    MonitorDecoding& Shared;
    HandKeyDecoder& Decoder;
    bool IsDashHeld = false;
    bool IsDotHeld = false;
};

}  // namespace kelvaro
