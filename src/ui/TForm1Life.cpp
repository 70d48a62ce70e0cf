// The main window's start and end: the settings applied at start-up, the command line, the two
// ways of quitting and the release sequence that saves the settings.
#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <cstdio>
#include <filesystem>

#include "app/CommandLine.h"
#include "app/SettingsFile.h"
#include "app/SettingsLock.h"
#include "platform/qt/TJoystickex.h"
#include "ui/ControlsPane.h"
#include "ui/MainMenu.h"
#include "ui/Prompter.h"
#include "ui/SpacingPanel.h"
#include "ui/TForm1.h"
#include "ui/TFormDrift.h"
#include "ui/TFormNoise.h"
#include "ui/TFormNote.h"
#include "ui/TFormQSB.h"
#include "ui/TextPane.h"
#include "ui/TransmitterFeature.h"

namespace kelvaro {

// Each value goes through the control or menu item that owns it, so that restoring a setting
// has the same effect as the user choosing it.
void TForm1::ReadAndApplySettings() {
    if (!ClaimSettingsFolder()) {
        return;
    }
    std::vector<QString> notices;
    LoadSettingsFile(notices);
    Language.Select(Settings.InterfaceLanguage);

    Controls->UpDownVitesse->setValue(Settings.SpeedWpm);
    UpDownVitesseClick();
    Spacing->SpinEditEspace->setValue(Settings.CharacterSpacing);
    SpinEditEspaceChange();
    if (Settings.WordSpaceFactor >= 2 && Settings.WordSpaceFactor <= 4) {
        Menu->MenuEspaceMotItems[static_cast<std::size_t>(Settings.WordSpaceFactor - 1)]->trigger();
    }
    Controls->UpDownAmplitude->setValue(Settings.LevelDb);
    UpDownAmplitudeClick();
    if (!Settings.HintsShown) {
        Menu->MenuHideHints->setChecked(true);
    }
    move(Settings.WindowLeft, Settings.WindowTop);
    PlaceOnScreen();
    for (FormFeature* feature : Features) {
        feature->ApplySettings(Settings);
    }
    if (!notices.empty()) {
        Services.Prompts->Inform(notices.size() == 1 ? notices[0] : notices[0] + "\n" + notices[1]);
    }
}

// One window per settings folder saves: a second one is told and may go on without saving,
// so that neither overwrites the other's changes behind the user's back. False when the user
// would rather not start.
bool TForm1::ClaimSettingsFolder() {
    if (Services.SettingsPath.empty()) {
        return true;
    }
    const std::filesystem::path folder = std::filesystem::path(Services.SettingsPath).parent_path();
    // A first run's folder is made now, so that the lock can tell a second window about it.
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    FolderLock = std::make_unique<SettingsLock>(folder);
    const SettingsLock::AcquireResult claim = FolderLock->Acquire();
    if (claim.Result == SettingsLock::Outcome::Held) {
        LastRunNote = claim.NoteFromLastRun;
        return true;
    }
    FolderLock.reset();
    if (claim.Result == SettingsLock::Outcome::Unavailable) {
        return true;
    }
    const QString owner = claim.OtherPid ? QString::number(*claim.OtherPid) : QStringLiteral("?");
    SavesSettings = false;
    if (Services.Prompts->AskYesNo(
            T("msg.settings-in-use").arg(QString::fromStdString(folder.string()), owner))) {
        return true;
    }
    Declined = true;
    if (Services.Terminate) {
        Services.Terminate();
    }
    return false;
}

// An unusable file is moved aside before anything can be saved over its name; leftovers of
// interrupted saves go; a save that failed at the last signal quit is reported once.
void TForm1::LoadSettingsFile(std::vector<QString>& notices) {
    const SettingsFile file(Services.SettingsPath);
    if (!LastRunNote.empty()) {
        notices.push_back(T("msg.settings-last-save-failed").arg(QString::fromStdString(LastRunNote)));
    }
    if (SavesSettings) {
        file.RemoveLeftovers();
    }
    const SettingsLoadResult loaded = file.Load(Settings);
    if (!loaded.Unusable || !SavesSettings) {
        return;
    }
    const QString name = QString::fromStdString(file.Path().filename().string());
    const QString reason = QString::fromStdString(loaded.ReadStatus.Context);
    Status failure;
    if (const auto aside = file.MoveAside(failure)) {
        notices.push_back(T("msg.settings-moved-aside")
                              .arg(name, reason, QString::fromStdString(aside->filename().string())));
    } else {
        notices.push_back(
            T("msg.settings-not-moved").arg(name, reason, QString::fromStdString(failure.Context)));
    }
}

// The small windows exist only now: their values were held until they did.
void TForm1::ApplyHeldDialogValues() {
    NoiseDialog->ApplyBandwidth(Settings.NoiseBandwidth);
    NoiseDialog->ApplyNoiseLevel(Settings.NoiseLevel);
    QsbDialog->ApplyQsbLevel(Settings.QsbLevel);
    NoteDialog->ApplyNotePosition(Settings.NotePosition);
    DriftDialog->ApplyDriftValues(Settings.DriftStepHz, Settings.DriftMaxHz, Settings.DriftMinHz);
    for (FormFeature* feature : Features) {
        feature->FinishStartUp(Settings);
    }
}

// Only the first three parameters count, handled in order after the settings, so they win.
void TForm1::HandleCommandLine() {
    for (const CommandLineParameter& parameter : ParseCommandLine(Services.Arguments)) {
        if (parameter.SelectLanguage) {
            Language.Select(*parameter.SelectLanguage);
        }
        if (parameter.SpeedWpm) {
            Controls->UpDownVitesse->setValue(*parameter.SpeedWpm);
            UpDownVitesseClick();
        }
        if (parameter.SerialPortNumber) {
            Transmitter->SelectComFromCommandLine(*parameter.SerialPortNumber);
        }
    }
}

SettingsModel TForm1::CollectSettings() const {
    SettingsModel settings = Settings;
    settings.SpeedWpm = SpeedState.SpeedWpm();
    settings.CharacterSpacing = SpeedState.Spacing();
    settings.WordSpaceFactor = SpeedState.WordSpaceFactor();
    settings.LevelDb = Controls->UpDownAmplitude->value();
    settings.InterfaceLanguage = Language.Current();
    settings.HintsShown = !Menu->MenuHideHints->isChecked();
    settings.WindowTop = y();
    settings.WindowLeft = x();
    settings.NoiseLevel = NoiseDialog->NoiseLevelPosition();
    settings.NoiseBandwidth = NoiseDialog->Bandwidth();
    settings.QsbLevel = QsbDialog->QsbLevel();
    settings.NotePosition = NoteDialog->NotePosition();
    if (settings.NotePosition >= 0) {
        settings.NoteFrequencyHz = 1500 - 10 * settings.NotePosition;
    }
    const auto [step, maxHz, minHz] = DriftDialog->DriftValues();
    settings.DriftStepHz = step;
    settings.DriftMaxHz = maxHz;
    settings.DriftMinHz = minHz;
    for (const FormFeature* feature : Features) {
        feature->CollectSettings(settings);
    }
    return settings;
}

void TForm1::ButtonQuitterClick() {
    if (CloseOpenSidePanel()) {
        return;
    }
    Boucle->SetEnabled(false);
    for (FormFeature* feature : Features) {
        feature->OnQuitRequested();
    }
    if (!Services.Prompts->AskYesNo(T("msg.quit-confirmation"))) {
        return;
    }
    Player->PlayQueue().clear();
    Quitting = true;
    RunReleaseSequence();
}

void TForm1::MenuOutilsQuitClick() {
    for (FormFeature* feature : Features) {
        feature->OnQuitRequested();
    }
    Quitting = true;
    RunReleaseSequence();
}

void TForm1::QuitOnSignal() {
    QuitBySignal = true;
    if (Released) {
        // The interactive quit already saved and waits on its message box: end now.
        if (Services.Terminate) {
            Services.Terminate();
        }
        return;
    }
    MenuOutilsQuitClick();
}

// The close box quits like the menu's "Quit", without asking.
void TForm1::closeEvent(QCloseEvent* event) {
    if (!Released) {
        event->ignore();
        MenuOutilsQuitClick();
        return;
    }
    QMainWindow::closeEvent(event);
}

void TForm1::RunReleaseSequence() {
    if (Released) {
        return;
    }
    Released = true;
    Boucle->SetEnabled(false);
    if (!Player->NoSoundCard()) {
        Player->CloseOutput();
    }
    Transmitter->Release();
    Joystickex1->Release();
    if (SavesSettings) {
        const Status saved = SettingsFile(Services.SettingsPath).Save(CollectSettings());
        if (!saved.Ok() && QuitBySignal) {
            // A logout or a shutdown must not wait on a box nobody may see.
            std::fprintf(stderr, "kelvaro: the settings were not saved: %s\n", saved.Context.c_str());
            if (FolderLock) {
                FolderLock->LeaveNote(saved.Context);
            }
        } else if (!saved.Ok()) {
            Services.Prompts->Inform(T("msg.cannot-create-settings"));
        }
    }
    FolderLock.reset();
    if (Services.Terminate) {
        Services.Terminate();
    }
}

}  // namespace kelvaro
