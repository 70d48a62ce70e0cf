// The main window's seams for its features: side panels, practice modes and their panes, the
// push-to-talk hand-over, and the list of features that join start-up, Stop and playback.
#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/qt/TJoystickex.h"
#include "ui/ControlsPane.h"
#include "ui/CopyCheckFeature.h"
#include "ui/EntrySheetFeature.h"
#include "ui/FileFeature.h"
#include "ui/HelpFeature.h"
#include "ui/InstructorFeature.h"
#include "ui/LocalCharactersPanel.h"
#include "ui/MainMenu.h"
#include "ui/MessagesFeature.h"
#include "ui/MonitorFeature.h"
#include "ui/ProgressFeature.h"
#include "ui/QuizFeature.h"
#include "ui/RandomFeature.h"
#include "ui/RecordingFeature.h"
#include "ui/ReferenceListsFeature.h"
#include "ui/ShortcutPanel.h"
#include "ui/SoundCardPanel.h"
#include "ui/TForm1.h"
#include "ui/TextPane.h"
#include "ui/TransmitterFeature.h"

namespace kelvaro {

// Every feature of the window is made here, in the order it joins start-up and playback.
void TForm1::CreateFeatures() {
    // Buttons 1 and 2 of the first joystick are a straight key or paddles.
    Joystickex1 = new TJoystickex(Services.JoystickDevice, this);
    JoystickPresent = !Services.JoystickDevice.empty() && Joystickex1->Capture();
    auto* lists = new ReferenceListsFeature(*this);
    auto* random = new RandomFeature(*this);
    new QuizFeature(*this, random);
    auto* sheet = new EntrySheetFeature(*this);
    new FileFeature(*this, *sheet);
    auto* progress = new ProgressFeature(*this, *random);
    new CopyCheckFeature(*this, *random, *sheet, *progress);
    new LocalCharactersPanel(*this);
    auto* shortcuts = new ShortcutPanel(*this);
    shortcuts->OnShortcutsChanged = [lists] { lists->RebuildAlphabet(); };
    new MessagesFeature(*this);
    new InstructorFeature(*this);
    new RecordingFeature(*this, *random);
    new SoundCardPanel(*this, *random);
    new HelpFeature(*this);
    Transmitter =
        new TransmitterFeature(*this, Services.CreateTransmitterDevices ? Services.CreateTransmitterDevices()
                                                                        : TransmitterDevices::System());
    new MonitorFeature(*this);
}

void TForm1::OnCharacterSounded() {
    for (FormFeature* feature : Features) {
        feature->OnCharacterSounded();
    }
}

bool TForm1::InputDeviceOpen() const {
    return std::any_of(Features.begin(), Features.end(),
                       [](const FormFeature* feature) { return feature->InputDeviceOpen(); });
}

void TForm1::CloseInputDevice() {
    for (FormFeature* feature : Features) {
        feature->CloseInputDevice();
    }
}

void TForm1::RegisterSidePanel(QWidget* panel, std::function<void()> closeAction, bool closedByStop) {
    SidePanels.push_back({panel, std::move(closeAction), closedByStop});
}

void TForm1::OpenSidePanel(const QWidget* panel, bool rewiresTransmitter) {
    for (FormFeature* feature : Features) {
        feature->OnSidePanelOpening(rewiresTransmitter);
    }
    CloseOtherSidePanels(panel);
}

// A panel counts as open once it is shown on the window, even while the window itself is not.
bool TForm1::AnySidePanelOpen() const {
    return std::any_of(SidePanels.begin(), SidePanels.end(),
                       [](const SidePanel& side) { return !side.Panel->isHidden(); });
}

void TForm1::CloseOtherSidePanels(const QWidget* keep) {
    for (const SidePanel& side : SidePanels) {
        if (side.Panel != keep && side.Panel->isVisible()) {
            side.Close();
        }
    }
}

bool TForm1::CloseOpenSidePanel() {
    for (const SidePanel& side : SidePanels) {
        if (side.ClosedByStop && side.Panel->isVisible()) {
            side.Close();
            return true;
        }
    }
    return false;
}

void TForm1::AddMode(QRadioButton* button, QWidget* pane) {
    // The mode buttons fill rows of three, so that the column stays narrow.
    constexpr int kModesPerRow = 3;
    button->setParent(ModeButtons);
    auto* grid = static_cast<QGridLayout*>(ModeButtons->layout());
    const int placed = grid->count();
    grid->addWidget(button, placed / kModesPerRow, placed % kModesPerRow);
    pane->setParent(RightColumn);
    ModeArea->insertWidget(ModeArea->count() - 1, pane, 1);
    pane->setVisible(false);
    ModePanes.push_back(pane);
    RightColumn->setVisible(true);
}

void TForm1::ShowModePane(QWidget* pane) {
    for (QWidget* other : ModePanes) {
        other->setVisible(other == pane);
    }
    for (FormFeature* feature : Features) {
        feature->OnModePaneShown(pane);
    }
}

void TForm1::PlayQueued() {
    if (Ptt != nullptr && (Ptt->PttOn() || Ptt->TxDelayRunning())) {
        return;  // the end of the transmitter delay starts playback
    }
    Text->Button1->click();
}

void TForm1::NotifyPracticePlaying(bool playing) {
    for (FormFeature* feature : Features) {
        feature->OnPracticePlaying(playing);
    }
}

void TForm1::ApplyInstructorLimits(const InstructorLimits& limits) {
    // The tone window and the speed (with its menu keys) stay as the instructor left them.
    Menu->MenuNote->setEnabled(!limits.FixedNote);
    Controls->UpDownVitesse->setEnabled(!limits.FixedSpeed);
    Menu->UpSpeed->setEnabled(!limits.FixedSpeed);
    Menu->DownSpeed->setEnabled(!limits.FixedSpeed);
    for (FormFeature* feature : Features) {
        feature->ApplyInstructorLimits(limits);
    }
}

void TForm1::SetDefaultButtons(QPushButton* defaultButton, QPushButton* cancelButton) {
    DefaultButton = defaultButton;
    CancelButton = cancelButton;
}

void TForm1::PttOff() {
    if (Ptt != nullptr) {
        Ptt->PttOff();
    }
}

void TForm1::PttOffAfterKeying() {
    if (Ptt != nullptr) {
        Ptt->PttOffAfterKeying();
    }
}

}  // namespace kelvaro
