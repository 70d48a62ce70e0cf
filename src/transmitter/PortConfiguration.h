// The rules of the port panel: which lines carry PTT and CW, the LPT port, pin and logic.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "transmitter/KeyingRoute.h"
#include "transmitter/TransmitterKeyer.h"

namespace kelvaro {

/// Window thread only. Every change that the keying follows is handed to the keyer as a new
/// route; every port read and write goes through the keyer's lock. The window turns the
/// results into the panel's boxes, beeps and messages.
class PortConfiguration {
public:
    /// portDriverFound: the parallel-port driver's device node exists.
    PortConfiguration(TransmitterKeyer& keyer, bool portDriverFound);

    // Serial lines: a line serves PTT or CW, never both.
    void SetPttLine(int lineBit, bool ticked);
    void SetCwLine(int lineBit, bool ticked);
    int PttLineMask() const { return Route.PttLineMask; }
    int CwLineMask() const { return Route.CwLineMask; }
    bool PttBoxEnabled(int lineBit) const { return (Route.CwLineMask & lineBit) == 0; }
    bool CwBoxEnabled(int lineBit) const { return (Route.PttLineMask & lineBit) == 0; }

    /// Asks the port library for the addresses of LPT1..LPT3.
    void ReadLptAddresses();
    std::uint16_t LptAddress(int lpt) const { return LptAddresses.at(static_cast<std::size_t>(lpt - 1)); }
    /// A box beside LPT1..LPT3 received text: a well-formed "[hhhh]" text becomes that port's
    /// address and the active one, with the enabling rule. Returns whether it was taken.
    bool AcceptLptAddressText(int lpt, const std::string& text);

    /// PinNotWritten: the port is taken but the port library did not report success for the
    /// pin's rest level.
    enum class LptChoiceResult { Taken, PinNotWritten, DriverMissing, AddressZero };
    /// 0 = NONE, 1..3 = LPT1..LPT3. When refused, LptChoice() is back at the last accepted one.
    LptChoiceResult ChooseLpt(int choice);
    int LptChoice() const { return Choice; }
    /// The settings' LPT choice 1..3: taken, without touching the port, when that port has an
    /// address; the port is set up by FinishStartUp.
    bool RestoreLptChoice(int choice);
    int LastLptChoice() const { return LastChoice; }
    void SetLastLptChoice(int choice) { LastChoice = choice; }

    /// Returns false when the port library did not report success for the pin write.
    bool ChoosePin(int pinChoice);
    int PinChoice() const { return Route.PinChoice; }
    /// The "Neg. logic" box of a pin; returns false when the pin write failed.
    bool SetNegativeLogic(int pinChoice, bool ticked);
    bool NegativeLogic(int pinChoice) const { return NegLogic.at(static_cast<std::size_t>(pinChoice)); }

    enum class LptxResult { Taken, NotFourCharacters, NotHexadecimal };
    /// Ticking LPTx with the typed text; only Taken leaves it ticked.
    LptxResult TickLptx(const std::string& text);
    /// Ticks LPTx while the settings are read: no checks, the address comes later.
    void RestoreLptx(std::uint16_t address);
    void UntickLptx();
    bool LptxOn() const { return Lptx; }
    std::uint16_t LptxAddress() const { return LptxAddr; }

    bool LptInUse() const { return Choice != 0 || Lptx; }
    std::uint16_t ActivePortAddress() const { return Route.ActivePortAddress; }
    std::uint16_t EnabledLptBase() const { return EnabledBase; }
    /// Start-up, after the settings: settles the active address and the pin at rest.
    /// Returns false when the pin write failed.
    bool FinishStartUp(std::uint16_t addressOverride);

    /// Puts the chosen pin at rest from a fresh read of the control register; returns false
    /// when the port library did not report success.
    bool ApplyPinIdle();
    /// Enables the active address in the port library, disabling the one enabled before.
    void EnablingRule();
    /// Quit: pin at rest, address disabled.
    void Release();

private:
    void Publish();

    TransmitterKeyer& Keyer;
    bool DriverFound;
    KeyingRoute Route;
    std::array<std::uint16_t, 3> LptAddresses{};
    std::array<bool, 4> NegLogic{true, true, false, true};
    int Choice = 0;
    int LastChoice = 0;
    bool Lptx = false;
    std::uint16_t LptxAddr = 0;
    std::uint16_t EnabledBase = 0;
};

}  // namespace kelvaro
