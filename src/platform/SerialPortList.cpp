// The serial ports a transmitter can be wired to, named COM1, COM2 ... in a stable order.
#include "platform/SerialPortList.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string_view>
#include <system_error>

namespace kelvaro {

namespace {

namespace fs = std::filesystem;

/// The number after prefix in name, when the rest is all digits.
std::optional<int> NumberAfter(std::string_view name, std::string_view prefix) {
    if (name.size() <= prefix.size() || name.substr(0, prefix.size()) != prefix) {
        return std::nullopt;
    }
    int number = 0;
    for (char digit : name.substr(prefix.size())) {
        if (std::isdigit(static_cast<unsigned char>(digit)) == 0 || number > 100000) {
            return std::nullopt;
        }
        number = number * 10 + (digit - '0');
    }
    return number;
}

bool HasHardware(const std::string& ttyClassRoot, const std::string& name) {
    std::error_code error;
    const fs::path entry = fs::path(ttyClassRoot) / name;
    if (!fs::exists(entry / "device" / "driver", error)) {
        return false;
    }
    std::ifstream typeFile(entry / "type");
    int portType = -1;
    if (typeFile >> portType) {
        return portType != 0;  // PORT_UNKNOWN
    }
    return true;
}

}  // namespace

std::vector<SerialPortEntry> ListSerialPorts(const std::string& deviceRoot, const std::string& ttyClassRoot) {
    constexpr std::array<std::string_view, 3> kFamilies = {"ttyS", "ttyUSB", "ttyACM"};
    std::array<std::vector<std::pair<int, std::string>>, kFamilies.size()> found;
    std::error_code error;
    for (const fs::directory_entry& device : fs::directory_iterator(deviceRoot, error)) {
        const std::string name = device.path().filename().string();
        for (std::size_t family = 0; family < kFamilies.size(); ++family) {
            const std::optional<int> number = NumberAfter(name, kFamilies[family]);
            if (!number) {
                continue;
            }
            if (family == 0 && !HasHardware(ttyClassRoot, name)) {
                break;
            }
            found[family].emplace_back(*number, device.path().string());
            break;
        }
    }
    std::vector<SerialPortEntry> ports;
    for (auto& family : found) {
        std::sort(family.begin(), family.end());
        for (auto& [number, path] : family) {
            ports.push_back({"COM" + std::to_string(ports.size() + 1), std::move(path)});
        }
    }
    return ports;
}

}  // namespace kelvaro
