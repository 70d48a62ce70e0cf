// The state both decoders share and how a received pattern reaches the monitor.
#include "decoding/MonitorDecoding.h"

#include "core/Cp1252.h"
#include "core/MorseTable.h"
#include "decoding/MonitorDisplay.h"

namespace kelvaro {

MonitorDecoding::MonitorDecoding(const MorseTable& table, MonitorDisplay& display)
    : Table(table), Display(display) {}

void MonitorDecoding::DecodeAndShow(std::string_view pattern) {
    EchoElements(" ");
    if (pattern.empty()) {
        return;  // nothing was received that could be a character
    }
    const auto code = Table.FindByPattern(pattern);
    if (!code) {
        Display.InsertText("[" + std::string(pattern) + "]");
        return;
    }
    switch (*code) {
        case MorseTable::kProsignAs:
            Display.InsertText("[AS]");
            return;
        case MorseTable::kProsignHh:
            Display.InsertText("[HH]");
            return;
        case MorseTable::kProsignKn:
            Display.InsertText("[KN]");
            return;
        case MorseTable::kProsignVa:
            Display.InsertText("[VA]");
            return;
        default:
            break;
    }
    const char shown = static_cast<char>(UpperCase ? Cp1252::ToUpper(*code) : Cp1252::ToLower(*code));
    Display.InsertText(std::string_view(&shown, 1));
}

void MonitorDecoding::EchoElements(std::string_view text) {
    // One character in, one out: the line holds the newest kEchoLineLimit + 1 characters.
    // A longer append (the faster-sender correction) drops as many from the front, so the line
    // never grows past that.
    Echo += text;
    if (Echo.size() > kEchoLineLimit + 1) {
        Echo.erase(0, Echo.size() - (kEchoLineLimit + 1));
    }
    Display.ShowEchoLine(Echo);
}

void MonitorDecoding::DropEchoTail(std::size_t count) {
    Echo.resize(count >= Echo.size() ? 0 : Echo.size() - count);
    Display.ShowEchoLine(Echo);
}

void MonitorDecoding::ClearEcho() {
    Echo.clear();
    Display.ShowEchoLine(Echo);
}

}  // namespace kelvaro
