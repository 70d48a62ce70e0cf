// The rules of the port panel: which lines carry PTT and CW, the LPT port, pin and logic.
#include "transmitter/PortConfiguration.h"

#include "transmitter/PinLevels.h"
#include "transmitter/PortTexts.h"

namespace kelvaro {

namespace {

constexpr std::uint16_t kControlOffset = 2;

}  // namespace

PortConfiguration::PortConfiguration(TransmitterKeyer& keyer, bool portDriverFound)
    : Keyer(keyer), DriverFound(portDriverFound) {
    Route.NegativeLogic = NegLogic[0];
    Publish();
}

void PortConfiguration::Publish() {
    Route.LptInUse = LptInUse();
    Route.NegativeLogic = NegLogic.at(static_cast<std::size_t>(Route.PinChoice));
    Keyer.SetRoute(Route);
}

void PortConfiguration::SetPttLine(int lineBit, bool ticked) {
    Route.PttLineMask = ticked ? (Route.PttLineMask | lineBit) : (Route.PttLineMask & ~lineBit);
    Publish();
}

void PortConfiguration::SetCwLine(int lineBit, bool ticked) {
    Route.CwLineMask = ticked ? (Route.CwLineMask | lineBit) : (Route.CwLineMask & ~lineBit);
    Publish();
}

void PortConfiguration::ReadLptAddresses() {
    Keyer.WithPort([this](PortAccess& port) {
        for (int lpt = 1; lpt <= 3; ++lpt) {
            LptAddresses.at(static_cast<std::size_t>(lpt - 1)) = port.GetLPTPortAddress(lpt);
        }
    });
}

bool PortConfiguration::AcceptLptAddressText(int lpt, const std::string& text) {
    const std::optional<std::uint16_t> address = ParseLptAddressBoxText(text);
    if (!address) {
        return false;
    }
    LptAddresses.at(static_cast<std::size_t>(lpt - 1)) = *address;
    Route.ActivePortAddress = *address;
    Publish();
    EnablingRule();
    return true;
}

PortConfiguration::LptChoiceResult PortConfiguration::ChooseLpt(int choice) {
    if (choice == 0) {
        if (EnabledBase != 0) {
            const std::uint16_t old = EnabledBase;
            Keyer.WithPort([old](PortAccess& port) { port.DisablePorts(old, old); });
            EnabledBase = 0;
        }
        Choice = 0;
        Route.ActivePortAddress = 0;
        Publish();
        return LptChoiceResult::Taken;
    }
    if (!DriverFound) {
        Choice = LastChoice;
        return LptChoiceResult::DriverMissing;
    }
    if (LptAddress(choice) == 0) {
        Choice = LastChoice;
        return LptChoiceResult::AddressZero;
    }
    Choice = choice;
    LastChoice = choice;
    Route.ActivePortAddress = LptAddress(choice);
    Publish();
    EnablingRule();
    return ApplyPinIdle() ? LptChoiceResult::Taken : LptChoiceResult::PinNotWritten;
}

bool PortConfiguration::ChoosePin(int pinChoice) {
    Route.PinChoice = pinChoice;
    Publish();
    if (!LptInUse()) {
        return true;
    }
    EnablingRule();
    return ApplyPinIdle();
}

bool PortConfiguration::SetNegativeLogic(int pinChoice, bool ticked) {
    NegLogic.at(static_cast<std::size_t>(pinChoice)) = ticked;
    Publish();
    if (!LptInUse() || pinChoice != Route.PinChoice) {
        return true;
    }
    return ApplyPinIdle();
}

bool PortConfiguration::ApplyPinIdle() {
    if (Lptx) {
        Route.ActivePortAddress = LptxAddr;
    } else if (Choice != 0) {
        Route.ActivePortAddress = LptAddress(Choice);
    }
    const auto control = static_cast<std::uint16_t>(Route.ActivePortAddress + kControlOffset);
    const bool negative = NegLogic.at(static_cast<std::size_t>(Route.PinChoice));
    const bool succeeded = Keyer.WithPort([&](PortAccess& port) {
        Route.LptControl = port.Inport(control);
        port.Outport(control, PinControlValue(Route.LptControl, Route.PinChoice, negative, false));
        return port.GetLastState().find("succes") != std::string::npos;
    });
    Publish();
    return succeeded;
}

bool PortConfiguration::RestoreLptChoice(int choice) {
    if (choice < 1 || choice > 3 || LptAddress(choice) == 0) {
        return false;
    }
    Choice = choice;
    Route.ActivePortAddress = LptAddress(choice);
    Publish();
    return true;
}

void PortConfiguration::EnablingRule() {
    const std::uint16_t active = Route.ActivePortAddress;
    if (EnabledBase == active) {
        return;
    }
    const std::uint16_t old = EnabledBase;
    Keyer.WithPort([old, active](PortAccess& port) {
        if (old != 0) {
            port.DisablePorts(old, old);
        }
        port.EnablePorts(active, active);
    });
    EnabledBase = active;
}

PortConfiguration::LptxResult PortConfiguration::TickLptx(const std::string& text) {
    switch (CheckLptxText(text)) {
        case LptxCheck::NotFourCharacters:
            Lptx = false;
            Publish();
            return LptxResult::NotFourCharacters;
        case LptxCheck::NotHexadecimal:
            Lptx = false;
            Publish();
            return LptxResult::NotHexadecimal;
        case LptxCheck::Accepted:
            break;
    }
    Lptx = true;
    LptxAddr = *LptxAddressValue(text);
    Route.ActivePortAddress = LptxAddr;
    Publish();
    EnablingRule();
    return LptxResult::Taken;
}

void PortConfiguration::RestoreLptx(std::uint16_t address) {
    Lptx = true;
    LptxAddr = address;
    Publish();
}

void PortConfiguration::UntickLptx() {
    Lptx = false;
    Publish();
}

bool PortConfiguration::FinishStartUp(std::uint16_t addressOverride) {
    LastChoice = Choice;
    if (Choice != 0 && addressOverride != 0 && addressOverride != LptAddress(Choice)) {
        LptAddresses.at(static_cast<std::size_t>(Choice - 1)) = addressOverride;
        Route.ActivePortAddress = addressOverride;
    }
    if (Lptx) {
        Route.ActivePortAddress = LptxAddr;
    }
    Publish();
    if (!LptInUse()) {
        return true;
    }
    EnablingRule();
    return ApplyPinIdle();
}

void PortConfiguration::Release() {
    if (LptInUse()) {
        Keyer.PttOff();
    }
    if (EnabledBase != 0) {
        const std::uint16_t old = EnabledBase;
        Keyer.WithPort([old](PortAccess& port) { port.DisablePorts(old, old); });
        EnabledBase = 0;
    }
}

}  // namespace kelvaro
