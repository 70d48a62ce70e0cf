// The joystick's buttons through the real reading code, fed from a named pipe in place of the
// device.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/joystick.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <QTest>
#include <vector>

#include "platform/qt/TJoystickex.h"

namespace kelvaro {
namespace {

struct Change {
    int Button;
    bool Pressed;
    int X;
};

class TJoystickexTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Folder.isValid());
        Path = (Folder.path() + "/js0").toStdString();
        ASSERT_EQ(::mkfifo(Path.c_str(), 0600), 0);
        Joystick = std::make_unique<TJoystickex>(Path);
        Joystick->OnButton1_Change = [this](bool pressed, int x, int) { Changes.push_back({1, pressed, x}); };
        Joystick->OnButton2_Change = [this](bool pressed, int x, int) { Changes.push_back({2, pressed, x}); };
        Joystick->OnLost = [this] { Lost = true; };
        ASSERT_TRUE(Joystick->Capture());
        Writer = ::open(Path.c_str(), O_WRONLY | O_CLOEXEC);
        ASSERT_GE(Writer, 0);
    }
    void TearDown() override {
        if (Writer >= 0) {
            ::close(Writer);
        }
    }
    void Send(unsigned char type, unsigned char number, short value) {
        js_event event{};
        event.type = type;
        event.number = number;
        event.value = value;
        ASSERT_EQ(::write(Writer, &event, sizeof event), static_cast<ssize_t>(sizeof event));
    }
    void WaitFor(std::size_t changes) { QTRY_COMPARE_WITH_TIMEOUT(Changes.size(), changes, 2000); }

    QTemporaryDir Folder;
    std::string Path;
    std::unique_ptr<TJoystickex> Joystick;
    int Writer = -1;
    std::vector<Change> Changes;
    bool Lost = false;
};

TEST_F(TJoystickexTest, ButtonOneThenTwoGiveTwoPressedEventsWithThePosition) {
    Send(JS_EVENT_AXIS, 0, -1200);
    Send(JS_EVENT_BUTTON, 0, 1);
    Send(JS_EVENT_BUTTON, 1, 1);
    WaitFor(2);
    EXPECT_EQ(Changes[0].Button, 1);
    EXPECT_TRUE(Changes[0].Pressed);
    EXPECT_EQ(Changes[0].X, -1200);
    EXPECT_EQ(Changes[1].Button, 2);
    EXPECT_TRUE(Changes[1].Pressed);
    Send(JS_EVENT_BUTTON, 0, 0);
    WaitFor(3);
    EXPECT_FALSE(Changes[2].Pressed);
}

TEST_F(TJoystickexTest, StatesReportedOnOpeningAndOtherButtonsAreNoChanges) {
    Send(JS_EVENT_BUTTON | JS_EVENT_INIT, 0, 1);  // held when the device was opened
    Send(JS_EVENT_BUTTON, 3, 1);                  // a button the key does not use
    Send(JS_EVENT_BUTTON, 0, 1);                  // still held: no change
    Send(JS_EVENT_BUTTON, 0, 0);
    WaitFor(1);
    EXPECT_EQ(Changes[0].Button, 1);
    EXPECT_FALSE(Changes[0].Pressed);
}

TEST_F(TJoystickexTest, ADeviceThatGoesAwayIsReleased) {
    ::close(Writer);
    Writer = -1;
    QTRY_VERIFY_WITH_TIMEOUT(Lost, 2000);
    EXPECT_FALSE(Joystick->Active());
}

TEST(TJoystickexAbsentTest, NoJoystickMeansCaptureFails) {
    TJoystickex joystick("/nonexistent/js0");
    EXPECT_FALSE(joystick.Capture());
    EXPECT_FALSE(joystick.Active());
}

}  // namespace
}  // namespace kelvaro
