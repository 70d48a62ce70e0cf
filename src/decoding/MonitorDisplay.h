// What the decoders show: the decoded text, the element echo, the working values and the levels.
#pragma once

#include <string_view>

namespace kelvaro {

/// Implemented by the monitoring pane. Every call comes on the window thread.
class MonitorDisplay {
public:
    virtual ~MonitorDisplay() = default;
    /// Windows-1252 text inserted into MemoMonitor at the caret.
    virtual void InsertText(std::string_view text) = 0;
    /// The whole echo line (EditMonitor), caret at its end, no selection.
    virtual void ShowEchoLine(std::string_view text) = 0;
    /// The debug line (Label4).
    virtual void ShowDebugLine(std::string_view text) = 0;
    /// The level bars, 0..100 each.
    virtual void ShowLevels(int leftPercent, int rightPercent) = 0;
};

}  // namespace kelvaro
