// The state both decoders share and how a received pattern reaches the monitor.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kelvaro {

class MorseTable;
class MonitorDisplay;

/// The hand-key decoder and the audio decoder share one received pattern and one tone state;
/// only one of them runs at a time. Window thread only.
class MonitorDecoding {
public:
    /// The echo line keeps at most this many characters before an append.
    static constexpr std::size_t kEchoLineLimit = 100;

    MonitorDecoding(const MorseTable& table, MonitorDisplay& display);

    /// The pattern being received, '.' and '-'.
    std::string CurrentCode;
    /// The element classified last, "", "." or "-", echoed once.
    std::string LastElement;
    /// The key is down (hand key) or the tone is on (audio).
    bool KeyIsDown = false;
    /// The last mark and space: ms for the keys, frames of 11025 Hz for the audio decoder;
    /// -1 when none was measured.
    int MarkLength = -1;
    int SpaceLength = -1;
    /// Letters are printed in upper case (CheckBoxUpperCase).
    bool UpperCase = false;

    /// Ends a character: a blank on the echo line, then the character the pattern stands for
    /// into the monitor: the prosigns as "[AS]" "[HH]" "[KN]" "[VA]", a pattern missing from
    /// the table as "[" + pattern + "]", an empty pattern as nothing.
    void DecodeAndShow(std::string_view pattern);
    /// Appends to the echo line; a line longer than kEchoLineLimit first loses its first
    /// character (as many as needed so it ends no longer than kEchoLineLimit + 1).
    void EchoElements(std::string_view text);
    /// Removes the last count characters of the echo line (all of them when it is shorter).
    void DropEchoTail(std::size_t count);
    void ClearEcho();
    const std::string& EchoLine() const { return Echo; }

private:
    const MorseTable& Table;
    MonitorDisplay& Display;
    std::string Echo;
};

}  // namespace kelvaro
