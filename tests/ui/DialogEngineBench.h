// A play engine on fake devices for the tests of the small windows.
#pragma once

#include "core/MorseTable.h"
#include "core/PlayEngine.h"
#include "core/PlayHost.h"
#include "core/RandomGenerator.h"
#include "core/SpeedSettings.h"
#include "support/FakeWaveOut.h"
#include "support/ManualTimer.h"

namespace kelvaro::test {

/// Nothing plays in these tests; the host only has to exist.
class QuietPlayHost : public PlayHost {
public:
    void OnPlaybackEnded() override {}
    void ShowDeviceError(const Status& /*status*/) override {}
};

/// Members in construction order: the engine refers to all the others.
struct DialogEngineBench {
    FakeWaveOut Device;
    ManualTimer Timer1;
    RandomGenerator Random{1};
    MorseTable Table;
    SpeedSettings Speed;
    QuietPlayHost Host;
    PlayEngine Engine{Device, Timer1, Random, Table, Speed, Host};
};

}  // namespace kelvaro::test
