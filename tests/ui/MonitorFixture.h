// The real window in monitoring mode, with a named pipe in place of the joystick and real key
// events for the Ctrl key.
#pragma once

#include <fcntl.h>
#include <linux/joystick.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "WindowFixture.h"
#include "app/SettingsWriter.h"
#include "platform/qt/TJoystickex.h"
#include "core/MorseTable.h"
#include "ui/MonitorFeature.h"

namespace kelvaro::test {

class MonitorFixture : public WindowFixture {
protected:
    void TearDown() override {
        if (Writer >= 0) {
            ::close(Writer);
        }
    }
    /// Settings with the CW line on RTS of COM1 (PTT on DTR), so that keying can be watched.
    void CreateKeyed(bool joystick) {
        SettingsModel settings;
        settings.ComPort = 1;
        settings.PttLineMask = 1;
        settings.CwLineMask = 2;
        Put(settings);
        CreateWith(joystick);
    }
    void CreateWith(bool joystick) {
        if (joystick) {
            JoystickDevice = (Folder.path() + "/js0").toStdString();
            ASSERT_EQ(::mkfifo(JoystickDevice.c_str(), 0600), 0);
        }
        Create();
        if (joystick) {
            Writer = ::open(JoystickDevice.c_str(), O_WRONLY | O_CLOEXEC);
            ASSERT_GE(Writer, 0);
        }
        Monitor = Form->findChild<MonitorFeature*>("MonitorFeature");
        ASSERT_NE(Monitor, nullptr);
    }
    void Put(const SettingsModel& settings) {
        QFile file(Folder.path() + "/kelvaro.dat");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        const std::string bytes = WriteSettingsFile(settings);
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    void Click(const char* button) { Find<QAbstractButton>(button)->click(); }
    void EnterMonitoring(const char* source) {
        Click("RadioButtonMonitor");
        Click(source);
    }

    /// A joystick button (1 or 2) through the real reading code.
    void Button(int button, bool pressed) {
        js_event event{};
        event.type = JS_EVENT_BUTTON;
        event.number = static_cast<unsigned char>(button - 1);
        event.value = pressed ? 1 : 0;
        ASSERT_EQ(::write(Writer, &event, sizeof event), static_cast<ssize_t>(sizeof event));
        WaitForJoystick();
    }
    void WaitForJoystick() {
        for (int round = 0; round < 400; ++round) {
            int left = 0;
            ::ioctl(Writer, FIONREAD, &left);
            QCoreApplication::processEvents();
            if (left == 0) {
                QCoreApplication::processEvents();
                return;
            }
            QTest::qWait(5);
        }
        ADD_FAILURE() << "the joystick's events were never read";
    }
    /// Unplugs the joystick: its reader sees the end of the pipe.
    void PullJoystickOut() {
        ::close(Writer);
        Writer = -1;
        QTRY_VERIFY_WITH_TIMEOUT(!Form->Joystick().Active(), 2000);
    }

    /// Real key events of the Ctrl key on the text box, as the keyboard sends them.
    void Ctrl(bool down, bool autoRepeat = false) {
        QKeyEvent event(down ? QEvent::KeyPress : QEvent::KeyRelease, Qt::Key_Control,
                        down ? Qt::ControlModifier : Qt::NoModifier, QString(), autoRepeat);
        QApplication::sendEvent(Box(), &event);
    }
    /// Ctrl held for markMs after spaceMs of silence.
    void CtrlMark(int markMs, int spaceMs = 60) {
        KeyClock.AdvanceMs(spaceMs);
        Ctrl(true);
        KeyClock.AdvanceMs(markMs);
        Ctrl(false);
    }
    /// The character timer runs out: its event reaches the window thread.
    void LetterTimerRunsOut() {
        ASSERT_NE(LetterTimer, nullptr);
        KeyClock.AdvanceMs(LetterTimer->IntervalMs());
        ASSERT_TRUE(LetterTimer->Fire());
        QCoreApplication::processEvents();
    }
    QString Memo() { return Find<QPlainTextEdit>("MemoMonitor")->toPlainText(); }
    QString Echo() { return Find<QLineEdit>("EditMonitor")->text(); }
    bool RtsKeyed() const {
        const auto edges = Lines->EdgesOf(RecordingLines::Line::Rts);
        return !edges.empty() && edges.back().Raised;
    }

    MonitorFeature* Monitor = nullptr;
    int Writer = -1;
};

}  // namespace kelvaro::test
