// A parallel port for tests: a control register per base and every call recorded.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/PortAccess.h"

namespace kelvaro::test {

class FakePortAccess : public PortAccess {
public:
    std::uint16_t GetLPTPortAddress(int lptNumber) override {
        return lptNumber >= 1 && lptNumber <= 3 ? Addresses[static_cast<std::size_t>(lptNumber - 1)] : 0;
    }
    void EnablePorts(std::uint16_t firstPort, std::uint16_t lastPort) override {
        Calls.push_back("Enable " + std::to_string(firstPort) + " " + std::to_string(lastPort));
        State = "Enabled successfully";
    }
    void DisablePorts(std::uint16_t firstPort, std::uint16_t lastPort) override {
        Calls.push_back("Disable " + std::to_string(firstPort) + " " + std::to_string(lastPort));
        State = "Disabled successfully";
    }
    std::uint16_t Inport(std::uint16_t port) override {
        Calls.push_back("In " + std::to_string(port));
        State = "Read successfully";
        return Registers[port];
    }
    void Outport(std::uint16_t port, std::uint16_t value) override {
        Writes.emplace_back(port, value);
        Registers[port] = value;
        State = FailWrites ? "Write failed" : "Written successfully";
    }
    std::string GetLastState() override { return State; }

    std::uint16_t Addresses[3] = {0x378, 0, 0x3BC};
    std::map<std::uint16_t, std::uint16_t> Registers;
    std::vector<std::pair<std::uint16_t, std::uint16_t>> Writes;
    std::vector<std::string> Calls;
    std::string State = "Nothing yet";
    bool FailWrites = false;
};

}  // namespace kelvaro::test
