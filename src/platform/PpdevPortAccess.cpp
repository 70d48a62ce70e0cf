// The parallel port through the kernel's ppdev driver (/dev/parport0..2).
#include "platform/PpdevPortAccess.h"

#include <fcntl.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace kelvaro {

namespace {

constexpr int kLptCount = 3;
constexpr std::uint16_t kControlOffset = 2;

/// A free port is claimed in microseconds; longer means another driver holds it.
constexpr std::chrono::milliseconds kClaimWait{100};

/// The device that holds the port now, as the parport driver reports it; empty when none does
/// (or when the driver does not say).
std::string ActiveDevice(const std::string& portProcFolder) {
    std::ifstream file(portProcFolder + "/devices/active");
    std::string holder;
    if (!(file >> holder) || holder == "none") {
        return {};
    }
    return holder;
}

/// PPCLAIM sleeps until the port is free, and the caller holds the keying output lock: the claim
/// runs on a thread of its own and is waited for at most `limit`. Returns 0 or the claim's error
/// code; nothing when it is still waiting, in which case that thread owns the descriptor and
/// gives the port back and closes it if the claim ever succeeds.
std::optional<int> ClaimWithin(int fileDescriptor, std::chrono::milliseconds limit) {
    struct Claim {
        std::mutex Mutex;
        std::condition_variable Finished;
        bool Done = false;
        bool Abandoned = false;
        int Error = 0;
    };
    auto claim = std::make_shared<Claim>();
    std::thread([claim, fileDescriptor] {
        const int error = ioctl(fileDescriptor, PPCLAIM) == 0 ? 0 : errno;
        std::lock_guard lock(claim->Mutex);
        claim->Done = true;
        claim->Error = error;
        if (claim->Abandoned) {
            if (error == 0) {
                ioctl(fileDescriptor, PPRELEASE);
            }
            close(fileDescriptor);
        }
        claim->Finished.notify_all();
    }).detach();
    std::unique_lock lock(claim->Mutex);
    if (!claim->Finished.wait_for(lock, limit, [&] { return claim->Done; })) {
        claim->Abandoned = true;
        return std::nullopt;
    }
    return claim->Error;
}

std::string Hex(std::uint16_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "%03X", static_cast<unsigned>(value));
    return text;
}

}  // namespace

PpdevPortAccess::PpdevPortAccess(std::string procRoot, std::string deviceRoot)
    : ProcRoot(std::move(procRoot)), DeviceRoot(std::move(deviceRoot)) {}

PpdevPortAccess::~PpdevPortAccess() {
    Release();
}

bool PpdevPortAccess::DriverFound(const std::string& deviceRoot) {
    std::error_code error;
    return std::filesystem::exists(deviceRoot + "/parport0", error);
}

std::uint16_t PpdevPortAccess::GetLPTPortAddress(int lptNumber) {
    if (lptNumber < 1 || lptNumber > kLptCount) {
        LastState = "No such parallel port";
        return 0;
    }
    std::ifstream file(ProcRoot + "/parport" + std::to_string(lptNumber - 1) + "/base-addr");
    unsigned long base = 0;
    if (!(file >> base) || base == 0 || base > 0xFFFF) {
        LastState = "LPT" + std::to_string(lptNumber) + " not present";
        return 0;
    }
    LastState = "Address read successfully";
    return static_cast<std::uint16_t>(base);
}

void PpdevPortAccess::EnablePorts(std::uint16_t firstPort, std::uint16_t /*lastPort*/) {
    Release();
    for (int lpt = 1; lpt <= kLptCount; ++lpt) {
        if (GetLPTPortAddress(lpt) != firstPort) {
            continue;
        }
        const std::string name = "parport" + std::to_string(lpt - 1);
        const std::string path = DeviceRoot + "/" + name;
        if (const std::string holder = ActiveDevice(ProcRoot + "/" + name); !holder.empty()) {
            LastState = "Cannot claim " + path + ": held by " + holder;
            return;
        }
        const int fileDescriptor = open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
        if (fileDescriptor < 0) {
            LastState = "Cannot open " + path + ": " + std::strerror(errno);
            return;
        }
        const std::optional<int> claimed = ClaimWithin(fileDescriptor, kClaimWait);
        if (!claimed) {
            LastState = "Cannot claim " + path + ": busy";
            return;  // the claiming thread closes it
        }
        if (*claimed != 0) {
            LastState = "Cannot claim " + path + ": " + std::strerror(*claimed);
            close(fileDescriptor);
            return;
        }
        FileDescriptor = fileDescriptor;
        ClaimedBase = firstPort;
        LastState = "Port " + Hex(firstPort) + "h enabled successfully";
        return;
    }
    LastState = "No parallel port at " + Hex(firstPort) + "h";
}

void PpdevPortAccess::DisablePorts(std::uint16_t firstPort, std::uint16_t /*lastPort*/) {
    if (firstPort == ClaimedBase) {
        Release();
    }
    LastState = "Port " + Hex(firstPort) + "h disabled successfully";
}

void PpdevPortAccess::Release() {
    if (FileDescriptor >= 0) {
        ioctl(FileDescriptor, PPRELEASE);
        close(FileDescriptor);
    }
    FileDescriptor = -1;
    ClaimedBase = 0;
}

std::uint16_t PpdevPortAccess::Inport(std::uint16_t port) {
    if (FileDescriptor < 0 || port != ClaimedBase + kControlOffset) {
        LastState = "Port " + Hex(port) + "h not enabled";
        return 0;
    }
    unsigned char control = 0;
    if (ioctl(FileDescriptor, PPRCONTROL, &control) != 0) {
        LastState = std::string("Control register read failed: ") + std::strerror(errno);
        return 0;
    }
    LastState = "Read successful";
    return control;
}

void PpdevPortAccess::Outport(std::uint16_t port, std::uint16_t value) {
    if (FileDescriptor < 0 || port != ClaimedBase + kControlOffset) {
        LastState = "Port " + Hex(port) + "h not enabled";
        return;
    }
    unsigned char control = static_cast<unsigned char>(value & 0xFF);
    if (ioctl(FileDescriptor, PPWCONTROL, &control) != 0) {
        LastState = std::string("Control register write failed: ") + std::strerror(errno);
        return;
    }
    LastState = "Write successful";
}

}  // namespace kelvaro
