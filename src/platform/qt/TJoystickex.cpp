// A joystick's buttons on the window thread: a straight key or paddles wired to a game port
// (or a USB game controller) read through the Linux joystick interface.
#include "platform/qt/TJoystickex.h"

#include <fcntl.h>
#include <linux/joystick.h>
#include <unistd.h>

#include <cerrno>

namespace kelvaro {

TJoystickex::TJoystickex(std::string devicePath, QObject* parent)
    : QObject(parent), DevicePath(std::move(devicePath)) {}

TJoystickex::~TJoystickex() {
    Release();
}

bool TJoystickex::Capture() {
    if (Active()) {
        return true;
    }
    Fd = ::open(DevicePath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (Fd < 0) {
        return false;
    }
    Notifier = std::make_unique<QSocketNotifier>(Fd, QSocketNotifier::Read);
    connect(Notifier.get(), &QSocketNotifier::activated, this, [this] { ReadEvents(); });
    return true;
}

void TJoystickex::Release() {
    Notifier.reset();
    if (Fd >= 0) {
        ::close(Fd);
        Fd = -1;
    }
    Button1 = false;
    Button2 = false;
}

void TJoystickex::ReadEvents() {
    js_event event{};
    for (;;) {
        const ssize_t got = ::read(Fd, &event, sizeof event);
        if (got == static_cast<ssize_t>(sizeof event)) {
            const bool initial = (event.type & JS_EVENT_INIT) != 0;
            const auto type = static_cast<unsigned char>(event.type & ~JS_EVENT_INIT);
            if (type == JS_EVENT_AXIS && event.number == 0) {
                X = event.value;
            } else if (type == JS_EVENT_AXIS && event.number == 1) {
                Y = event.value;
            } else if (type == JS_EVENT_BUTTON && event.number <= 1) {
                bool& state = event.number == 0 ? Button1 : Button2;
                const bool pressed = event.value != 0;
                const bool changed = state != pressed;
                state = pressed;
                const ButtonChange& handler = event.number == 0 ? OnButton1_Change : OnButton2_Change;
                if (changed && !initial && handler) {
                    handler(pressed, X, Y);
                }
            }
            continue;
        }
        if (got < 0 && (errno == EAGAIN || errno == EINTR)) {
            return;
        }
        // End of file or an error: the device is gone (a USB adapter pulled out).
        Release();
        if (OnLost) {
            OnLost();
        }
        return;
    }
}

}  // namespace kelvaro
