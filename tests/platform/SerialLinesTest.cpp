// The real serial lines on a pseudo-terminal (which has no modem lines), what a killed program
// leaves on its port, the port list and the parallel port's addresses.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/LinuxSerialLines.h"
#include "platform/PpdevPortAccess.h"
#include "platform/SerialPortList.h"

namespace kelvaro {
namespace {

namespace fs = std::filesystem;

TEST(LinuxSerialLines, APseudoTerminalIsRefusedForWantOfModemLines) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    const std::string slave = ptsname(master);

    LinuxSerialLines lines;
    const Status opened = lines.Open(slave);
    EXPECT_FALSE(opened.Ok());
    EXPECT_NE(opened.Code, 0);
    EXPECT_FALSE(lines.IsOpen());
    EXPECT_TRUE(lines.SetDtr(true));  // no port: nothing happens
    close(master);
}

/// A pseudo-terminal whose hang-up-on-close the test has turned off; the test keeps the
/// terminal side open too, so its settings outlive a killed child.
class KilledWhileHoldingThePort : public ::testing::Test {
protected:
    void SetUp() override {
        Master = posix_openpt(O_RDWR | O_NOCTTY);
        ASSERT_GE(Master, 0);
        ASSERT_EQ(grantpt(Master), 0);
        ASSERT_EQ(unlockpt(Master), 0);
        SlavePath = ptsname(Master);
        Slave = open(SlavePath.c_str(), O_RDWR | O_NOCTTY);
        ASSERT_GE(Slave, 0);
        termios settings{};
        ASSERT_EQ(tcgetattr(Slave, &settings), 0);
        settings.c_cflag &= ~static_cast<tcflag_t>(HUPCL);
        ASSERT_EQ(tcsetattr(Slave, TCSANOW, &settings), 0);
        ASSERT_FALSE(HangUpOnClose());
    }
    void TearDown() override {
        close(Slave);
        close(Master);
    }
    bool HangUpOnClose() const {
        termios settings{};
        EXPECT_EQ(tcgetattr(Slave, &settings), 0);
        return (settings.c_cflag & HUPCL) != 0;
    }

    int Master = -1;
    int Slave = -1;
    std::string SlavePath;
};

TEST_F(KilledWhileHoldingThePort, HangUpOnCloseIsOnSoTheKernelDropsTheLines) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The program's side: the port opened and set up as for keying, then held until killed.
        const int port = open(SlavePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        const char answer = port >= 0 && LinuxSerialLines::ApplyPortSettings(port) == 0 ? 'y' : 'n';
        (void)!write(ready[1], &answer, 1);
        for (;;) {
            pause();
        }
    }
    close(ready[1]);
    char answer = 0;
    ASSERT_EQ(read(ready[0], &answer, 1), 1);
    close(ready[0]);
    EXPECT_EQ(answer, 'y');
    EXPECT_TRUE(HangUpOnClose()) << "while the program holds the port";
    ASSERT_EQ(kill(child, SIGKILL), 0);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGKILL);
    EXPECT_TRUE(HangUpOnClose()) << "after the program was killed";
}

TEST(LinuxSerialLines, AMissingDeviceFails) {
    LinuxSerialLines lines;
    const Status opened = lines.Open("/nonexistent/ttyUSB9");
    EXPECT_EQ(opened.Code, ENOENT);
    EXPECT_EQ(opened.Context, "/nonexistent/ttyUSB9");
}

class FakeDeviceTree : public ::testing::Test {
protected:
    void SetUp() override {
        Root = fs::temp_directory_path() / ("kelvaro-ports-" + std::to_string(getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(Root / "dev");
        fs::create_directories(Root / "sys");
    }
    void TearDown() override { fs::remove_all(Root); }

    void Device(const std::string& name) { std::ofstream(Root / "dev" / name).put('\n'); }
    void SysTty(const std::string& name, int portType) {
        fs::create_directories(Root / "sys" / name / "device" / "driver");
        if (portType >= 0) {
            std::ofstream(Root / "sys" / name / "type") << portType << "\n";
        }
    }

    fs::path Root;
};

TEST_F(FakeDeviceTree, PortsAreNamedInOrderWithAbsentTtySLeftOut) {
    for (const char* name : {"ttyS10", "ttyS2", "ttyS1", "ttyS0", "ttyUSB1", "ttyUSB0", "ttyACM0", "tty1",
                             "ttyS", "ttySX", "console"}) {
        Device(name);
    }
    SysTty("ttyS0", 4);   // a 16550A
    SysTty("ttyS1", 0);   // listed by the driver, no hardware
    SysTty("ttyS10", 4);  // numbered after ttyS2
    SysTty("ttyS2", -1);  // a driver but no type to read: counted
    const auto ports = ListSerialPorts((Root / "dev").string(), (Root / "sys").string());
    ASSERT_EQ(ports.size(), 6U);
    const std::vector<std::string> expected = {"ttyS0", "ttyS2", "ttyS10", "ttyUSB0", "ttyUSB1", "ttyACM0"};
    for (std::size_t i = 0; i < ports.size(); ++i) {
        EXPECT_EQ(ports[i].Name, "COM" + std::to_string(i + 1));
        EXPECT_EQ(fs::path(ports[i].DevicePath).filename(), expected[i]);
    }
}

TEST_F(FakeDeviceTree, NoDevicesGiveAnEmptyList) {
    EXPECT_TRUE(ListSerialPorts((Root / "dev").string(), (Root / "sys").string()).empty());
    EXPECT_TRUE(ListSerialPorts((Root / "missing").string(), (Root / "sys").string()).empty());
}

TEST_F(FakeDeviceTree, ParallelPortAddressesComeFromProc) {
    fs::create_directories(Root / "sys" / "parport0");
    std::ofstream(Root / "sys" / "parport0" / "base-addr") << "888\t1912\n";
    PpdevPortAccess port((Root / "sys").string(), (Root / "dev").string());
    EXPECT_EQ(port.GetLPTPortAddress(1), 0x378);
    EXPECT_NE(port.GetLastState().find("succes"), std::string::npos);
    EXPECT_EQ(port.GetLPTPortAddress(2), 0);
    EXPECT_EQ(port.GetLastState().find("succes"), std::string::npos);
    EXPECT_FALSE(PpdevPortAccess::DriverFound((Root / "dev").string()));
    // A base that belongs to no port cannot be enabled, and the register stays out of reach.
    port.EnablePorts(0xBC00, 0xBC00);
    EXPECT_EQ(port.GetLastState().find("succes"), std::string::npos);
    port.Outport(0xBC02, 1);
    EXPECT_EQ(port.GetLastState().find("succes"), std::string::npos);
}

TEST_F(FakeDeviceTree, AParallelPortHeldByAnotherDriverIsRefusedWithoutWaiting) {
    fs::create_directories(Root / "sys" / "parport0" / "devices");
    std::ofstream(Root / "sys" / "parport0" / "base-addr") << "888\t1912\n";
    std::ofstream(Root / "sys" / "parport0" / "devices" / "active") << "lp\n";
    Device("parport0");
    PpdevPortAccess port((Root / "sys").string(), (Root / "dev").string());
    port.EnablePorts(0x378, 0x378);
    EXPECT_NE(port.GetLastState().find("held by lp"), std::string::npos) << port.GetLastState();
    port.Outport(0x37A, 1);
    EXPECT_EQ(port.GetLastState().find("succes"), std::string::npos);

    // Free again: the claim is tried, and fails on what is no parallel port.
    std::ofstream(Root / "sys" / "parport0" / "devices" / "active") << "none\n";
    port.EnablePorts(0x378, 0x378);
    EXPECT_NE(port.GetLastState().find("Cannot claim"), std::string::npos) << port.GetLastState();
    EXPECT_EQ(port.GetLastState().find("held by"), std::string::npos);
}

}  // namespace
}  // namespace kelvaro
