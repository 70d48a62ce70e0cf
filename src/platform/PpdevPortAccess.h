// The parallel port through the kernel's ppdev driver (/dev/parport0..2).
#pragma once

#include <cstdint>
#include <string>

#include "platform/PortAccess.h"

namespace kelvaro {

/// Addresses come from /proc/sys/dev/parport/parportN/base-addr. Enabling a base claims the
/// /dev/parportN whose base it is; the control register (base + 2) is then read and written
/// with PPRCONTROL and PPWCONTROL. A base that belongs to no parport, a port that another
/// driver holds (a printer driver, another program), or another register fails at once and
/// says so in the status text: enabling never waits for the port. The roots are there for
/// tests.
class PpdevPortAccess final : public PortAccess {
public:
    explicit PpdevPortAccess(std::string procRoot = "/proc/sys/dev/parport", std::string deviceRoot = "/dev");
    ~PpdevPortAccess() override;
    PpdevPortAccess(const PpdevPortAccess&) = delete;
    PpdevPortAccess& operator=(const PpdevPortAccess&) = delete;

    std::uint16_t GetLPTPortAddress(int lptNumber) override;
    void EnablePorts(std::uint16_t firstPort, std::uint16_t lastPort) override;
    void DisablePorts(std::uint16_t firstPort, std::uint16_t lastPort) override;
    std::uint16_t Inport(std::uint16_t port) override;
    void Outport(std::uint16_t port, std::uint16_t value) override;
    std::string GetLastState() override { return LastState; }

    /// Whether the ppdev device node of the first parallel port exists.
    static bool DriverFound(const std::string& deviceRoot = "/dev");

private:
    void Release();

    std::string ProcRoot;
    std::string DeviceRoot;
    int FileDescriptor = -1;
    std::uint16_t ClaimedBase = 0;
    std::string LastState = "No operation yet";
};

}  // namespace kelvaro
