// A monitoring pane for tests: keeps what the decoders showed.
#pragma once

#include <string>
#include <string_view>

#include "decoding/MonitorDisplay.h"

namespace kelvaro::test {

class RecordingMonitorDisplay : public MonitorDisplay {
public:
    void InsertText(std::string_view text) override { Memo += text; }
    void ShowEchoLine(std::string_view text) override {
        Echo = text;
        ++EchoUpdates;
    }
    void ShowDebugLine(std::string_view text) override {
        Debug = text;
        ++DebugUpdates;
    }
    void ShowLevels(int leftPercent, int rightPercent) override {
        LeftPercent = leftPercent;
        RightPercent = rightPercent;
    }

    std::string Memo;
    std::string Echo;
    std::string Debug;
    int EchoUpdates = 0;
    int DebugUpdates = 0;
    int LeftPercent = -1;
    int RightPercent = -1;
};

}  // namespace kelvaro::test
