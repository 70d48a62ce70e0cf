// Kelvaro, the Morse-code practice station: starts the main window.
#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/LanguageTable.h"
#include "app/SettingsFile.h"
#include "platform/SystemClock.h"
#include "platform/WaveInFactory.h"
#include "platform/WaveOutFactory.h"
#include "platform/qt/QtDispatcher.h"
#include "platform/qt/QtWindowTimer.h"
#include "platform/qt/QuitSignalNotifier.h"
#include "ui/QtPrompter.h"
#include "ui/TForm1.h"

namespace {

bool DisplayAvailable() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform != nullptr && *platform != '\0') {
        return true;
    }
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}

constexpr const char* kUsage =
    "usage: kelvaro [/E|/F|/D|/I|/P|/S|/K] [/COM1../COM9] [s=WPM] [FILE]\n"
    "Starts the Morse-code practice window.\n"
    "  /E /F /D /I /P /S /K  interface language (English, French, German, Italian,\n"
    "                        Portuguese, Spanish, Polish)\n"
    "  /COMn                 the n-th serial port for the transmitter\n"
    "  s=WPM                 speed, 5 to 50 words per minute\n"
    "  FILE                  a text file (.txt, .rtf ...) loaded in the File mode, ready\n"
    "                        for Play File (Alt+I)\n";

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
    }
    if (!DisplayAvailable()) {
        std::fprintf(
            stderr,
            "kelvaro: no display to open the window on (neither DISPLAY nor WAYLAND_DISPLAY is set)\n");
        return 1;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(
        QString::fromStdString(kelvaro::LanguageTable().Text("Application.Title")));
    // The desktop finds the installed entry and icon by this name; the built-in icon serves a
    // program run from its build folder.
    QGuiApplication::setDesktopFileName("kelvaro");
    QApplication::setWindowIcon(QIcon::fromTheme("kelvaro", QIcon(":/icons/kelvaro-256.png")));

    kelvaro::QtDispatcher dispatcher;
    const std::unique_ptr<kelvaro::WaveOut> output = kelvaro::CreateWaveOut(dispatcher);
    // A hand key's sidetone must follow the key: its own output buffers little.
    const std::unique_ptr<kelvaro::WaveOut> sidetone =
        kelvaro::CreateWaveOut(dispatcher, kelvaro::WaveOutUse::Sidetone);
    const std::unique_ptr<kelvaro::WaveIn> input = kelvaro::CreateWaveIn(dispatcher);
    kelvaro::QtPrompter prompter(QString::fromStdString(kelvaro::LanguageTable().Text("Application.Title")));

    kelvaro::TForm1Services services;
    services.Output = output.get();
    services.SidetoneOutput = sidetone.get();
    services.Input = input.get();
    services.CreateTimer = [] { return std::make_unique<kelvaro::QtWindowTimer>(); };
    services.Prompts = &prompter;
    services.SettingsPath = kelvaro::SettingsFile::Locate().Path().string();
    services.Arguments.assign(argv + 1, argv + argc);
    services.RandomSeed = static_cast<std::uint32_t>(kelvaro::SystemClock().TimeOfDayUs());
    services.Terminate = [] { QApplication::exit(0); };

    kelvaro::TForm1 form(std::move(services));
    if (form.StartDeclined()) {
        return 0;
    }
    prompter.SetParent(&form);
    // A logout, a kill or Ctrl+C in the terminal quits like the menu's Quit, settings saved,
    // without ever waiting on a message box.
    kelvaro::QuitSignalNotifier quitSignals([&form] { form.QuitOnSignal(); });
    form.show();
    return QApplication::exec();
}
