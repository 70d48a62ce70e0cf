// The main window's seams for its features: side panels, practice modes and their panes, the
// push-to-talk hand-over, and the list of features that join start-up, Stop and playback.
#include <QGroupBox>
#include <QLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/qt/TJoystickex.h"
#include "ui/CopyCheckFeature.h"
#include "ui/EntrySheetFeature.h"
#include "ui/FileFeature.h"
#include "ui/LocalCharactersPanel.h"
#include "ui/ProgressFeature.h"
#include "ui/QuizFeature.h"
#include "ui/RandomFeature.h"
#include "ui/TForm1.h"
#include "ui/TextPane.h"
#include "ui/TransmitterFeature.h"

namespace kelvaro {

// Every feature of the window is made here, in the order it joins start-up and playback.
void TForm1::CreateFeatures() {
    // Buttons 1 and 2 of the first joystick are a straight key or paddles.
    Joystickex1 = new TJoystickex(Services.JoystickDevice, this);
    JoystickPresent = !Services.JoystickDevice.empty() && Joystickex1->Capture();
    auto* random = new RandomFeature(*this);
    new QuizFeature(*this, random);
    auto* sheet = new EntrySheetFeature(*this);
    new FileFeature(*this, *sheet);
    auto* progress = new ProgressFeature(*this, *random);
    new CopyCheckFeature(*this, *random, *sheet, *progress);
    new LocalCharactersPanel(*this);
    Transmitter =
        new TransmitterFeature(*this, Services.CreateTransmitterDevices ? Services.CreateTransmitterDevices()
                                                                        : TransmitterDevices::System());
}

void TForm1::RegisterSidePanel(QWidget* panel, std::function<void()> closeAction) {
    SidePanels.push_back({panel, std::move(closeAction)});
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
        if (side.Panel->isVisible()) {
            side.Close();
            return true;
        }
    }
    return false;
}

void TForm1::AddMode(QRadioButton* button, QWidget* pane) {
    button->setParent(ModeButtons);
    ModeButtons->layout()->addWidget(button);
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
