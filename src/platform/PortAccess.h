// Reading and writing a parallel port's control register, for the CW pin.
#pragma once

#include <cstdint>
#include <string>

namespace kelvaro {

/// Port numbers and values are 16-bit. Enable a base before reading or writing at it or at
/// base + 2; Outport may be called from the keying timer's thread, the caller serialising it.
class PortAccess {
public:
    virtual ~PortAccess() = default;

    /// Base address of LPT1..LPT3 (lptNumber 1..3); 0 when the port does not exist.
    virtual std::uint16_t GetLPTPortAddress(int lptNumber) = 0;
    /// Grants access to the ports firstPort..lastPort (the program passes one base for both).
    virtual void EnablePorts(std::uint16_t firstPort, std::uint16_t lastPort) = 0;
    virtual void DisablePorts(std::uint16_t firstPort, std::uint16_t lastPort) = 0;
    virtual std::uint16_t Inport(std::uint16_t port) = 0;
    virtual void Outport(std::uint16_t port, std::uint16_t value) = 0;
    /// A status text about the last operation; it contains "succes" when that one worked.
    virtual std::string GetLastState() = 0;
};

}  // namespace kelvaro
