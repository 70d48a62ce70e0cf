// The paddle keyer: which element a held paddle contact repeats, and what it adds to the
// received pattern.
#include "decoding/PaddleKeyer.h"

#include "decoding/HandKeyDecoder.h"
#include "decoding/MonitorDecoding.h"

namespace kelvaro {

PaddleKeyer::PaddleKeyer(MonitorDecoding& shared, HandKeyDecoder& decoder)
    : Shared(shared), Decoder(decoder) {}

PaddleKeyer::Contact PaddleKeyer::ContactOf(int button, bool reverse) {
    const bool dash = (button == 1) != reverse;
    return dash ? Contact::Dash : Contact::Dot;
}

char PaddleKeyer::Press(Contact contact, bool queueEmpty) {
    IsDashHeld = contact == Contact::Dash;
    IsDotHeld = contact == Contact::Dot;
    Decoder.StopLetterTimer();
    return queueEmpty ? Append(contact) : '\0';
}

void PaddleKeyer::Release() {
    IsDashHeld = false;
    IsDotHeld = false;
}

char PaddleKeyer::NextElement() {
    if (IsDashHeld) {
        return Append(Contact::Dash);
    }
    if (IsDotHeld) {
        return Append(Contact::Dot);
    }
    return '\0';
}

void PaddleKeyer::QueueRanEmpty(int paddleSpacingMs) {
    Decoder.StartPaddleLetterTimer(paddleSpacingMs);
}

char PaddleKeyer::Append(Contact contact) {
    const char* element = contact == Contact::Dash ? "-" : ".";
    Shared.CurrentCode += element;
    Shared.EchoElements(element);
    return contact == Contact::Dash ? 't' : 'e';
}

}  // namespace kelvaro
