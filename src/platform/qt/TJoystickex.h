// A joystick's buttons on the window thread: a straight key or paddles wired to a game port
// (or a USB game controller) read through the Linux joystick interface.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <memory>
#include <string>

namespace kelvaro {

/// Capture opens the device and reports every change of buttons 1 and 2 through
/// OnButton1_Change / OnButton2_Change, with the new state and the raw stick position. The
/// states the device reports when it is opened are taken as the starting point, not as
/// changes. A device that goes away is released; its buttons count as up from then on.
class TJoystickex final : public QObject {
    Q_OBJECT
public:
    /// devicePath: /dev/input/js0 is the first joystick (the program's "game port 1").
    explicit TJoystickex(std::string devicePath = "/dev/input/js0", QObject* parent = nullptr);
    ~TJoystickex() override;

    /// True when the joystick could be opened; false (and nothing happens) when none is there.
    bool Capture();
    void Release();
    bool Active() const { return Fd >= 0; }

    using ButtonChange = std::function<void(bool pressed, int x, int y)>;
    ButtonChange OnButton1_Change;
    ButtonChange OnButton2_Change;
    /// The device went away while captured.
    std::function<void()> OnLost;

private:
    void ReadEvents();

    std::string DevicePath;
    int Fd = -1;
    std::unique_ptr<QSocketNotifier> Notifier;
    int X = 0;
    int Y = 0;
    bool Button1 = false;
    bool Button2 = false;
};

}  // namespace kelvaro
