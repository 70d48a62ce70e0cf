// The transmitter in the window: the PORT panel, the "On air" LED, PTT and CW keying.
#include "ui/TransmitterFeature.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>

#include "platform/qt/QtDispatcher.h"
#include "transmitter/PortTexts.h"
#include "ui/ControlsPane.h"
#include "ui/MainMenu.h"
#include "ui/PortPanel.h"
#include "ui/Prompter.h"
#include "ui/RadioGroupBox.h"
#include "ui/TForm1.h"
#include "ui/TextPane.h"
#include "ui/TypingEdit.h"

namespace kelvaro {

namespace {

const std::string kNoComName = "    ";

}  // namespace

TransmitterFeature::TransmitterFeature(TForm1& form, TransmitterDevices devices)
    : QObject(&form), Form(form), Devices(std::move(devices)) {
    TimerTXDelay = Form.CreateTimer();
    WindowThread = new QtDispatcher(this);
    Keyer = std::make_unique<TransmitterKeyer>(*Devices.Lines, *Devices.Port, std::move(Devices.CwTimer),
                                               *TimerTXDelay, *WindowThread, *Devices.KeyingClock);
    Keyer->StartPlayback = [this] { Form.TextBox().Button1->click(); };
    Keyer->ShowOnAir = [this](bool on) { Form.ControlsBox().SetOnAir(on); };
    Keyer->OnPortLost = [this] { PortLost(); };
    Keyer->SetTxDelayMs(TxDelayMsForChoice(1));
    Config = std::make_unique<PortConfiguration>(*Keyer, Devices.PortDriverFound);
    Config->ReadLptAddresses();

    PanelPort = new PortPanel;
    Form.PlaceSidePanel(PanelPort);
    QStringList comItems{"NONE"};
    for (const SerialPortEntry& port : Devices.SerialPorts) {
        comItems << QString::fromStdString(port.Name + "  " + port.DevicePath);
    }
    PanelPort->RadioGroupCOM->SetItems(comItems);
    PanelPort->RadioGroupCOM->SetItemIndex(0);
    PanelPort->RadioGroupTXDelay->SetItems({"  50 ms", "100 ms", "150 ms", "200 ms", "250 ms"});
    PanelPort->RadioGroupTXDelay->SetItemIndex(1);
    PanelPort->RadioGroupLPT->SetItems({"NONE", "LPT1", "LPT2", "LPT3"});
    PanelPort->RadioGroupLPT->SetItemIndex(0);
    PanelPort->RadioGroupPin->SetItems({"Pin 1", "Pin 14", "Pin 16", "Pin 17"});
    PanelPort->RadioGroupPin->SetItemIndex(0);
    PanelPort->CheckBoxPTTDTR->setChecked(true);
    PanelPort->CheckBoxPTTRTS->setChecked(true);
    for (int pin = 0; pin < 4; ++pin) {
        PanelPort->CheckBoxPin[static_cast<std::size_t>(pin)]->setChecked(Config->NegativeLogic(pin));
    }
    RefreshLineBoxes();
    ShowLptAddresses();

    MenuPort = new QAction(Form.Menus().MenuOutils);
    MenuPort->setObjectName("MenuPort");
    const auto existing = Form.Menus().MenuOutils->actions();
    Form.Menus().MenuOutils->insertAction(existing.isEmpty() ? nullptr : existing.back(), MenuPort);

    ConnectControls();
    Form.RegisterSidePanel(PanelPort, [this] { ButtonClosePanelPortClick(); });
    Form.SetPushToTalk(this);
    Form.Engine().SetTransmitter(Keyer.get());
    Form.RegisterFeature(this);
}

// The window's own parts may already be gone (children go after the window's members):
// only the devices are let go here.
TransmitterFeature::~TransmitterFeature() {
    Keyer->ShowOnAir = nullptr;
    Keyer->StartPlayback = nullptr;
    Keyer->OnPortLost = nullptr;
    Release();
}

QString TransmitterFeature::T(const char* entry) const {
    return QString::fromStdString(Form.Texts().Text(entry));
}

void TransmitterFeature::ConnectControls() {
    connect(MenuPort, &QAction::triggered, this, [this] { MenuPortClick(); });
    connect(PanelPort->ButtonClosePanelPort, &QPushButton::clicked, this,
            [this] { ButtonClosePanelPortClick(); });
    PanelPort->RadioGroupCOM->OnClick = [this] { RadioGroupCOMClick(); };
    PanelPort->RadioGroupTXDelay->OnClick = [this] { RadioGroupTXDelayClick(); };
    PanelPort->RadioGroupLPT->OnClick = [this] { RadioGroupLPTClick(); };
    PanelPort->RadioGroupPin->OnClick = [this] { RadioGroupPinClick(); };
    connect(PanelPort->CheckBoxPTTDTR, &QCheckBox::clicked, this,
            [this](bool ticked) { LineBoxClicked(true, kDtrBit, ticked); });
    connect(PanelPort->CheckBoxPTTRTS, &QCheckBox::clicked, this,
            [this](bool ticked) { LineBoxClicked(true, kRtsBit, ticked); });
    connect(PanelPort->CheckBoxCWDTR, &QCheckBox::clicked, this,
            [this](bool ticked) { LineBoxClicked(false, kDtrBit, ticked); });
    connect(PanelPort->CheckBoxCWRTS, &QCheckBox::clicked, this,
            [this](bool ticked) { LineBoxClicked(false, kRtsBit, ticked); });
    for (int pin = 0; pin < 4; ++pin) {
        connect(PanelPort->CheckBoxPin[static_cast<std::size_t>(pin)], &QCheckBox::clicked, this,
                [this, pin](bool ticked) { PinLogicClicked(pin, ticked); });
    }
    for (int lpt = 1; lpt <= 3; ++lpt) {
        connect(PanelPort->EditLPT[static_cast<std::size_t>(lpt - 1)], &QLineEdit::textChanged, this,
                [this, lpt](const QString& text) { Config->AcceptLptAddressText(lpt, text.toStdString()); });
    }
    connect(PanelPort->CheckBoxLPTx, &QCheckBox::clicked, this, [this] { CheckBoxLPTxClick(); });
    connect(PanelPort->EditLPTx, &QLineEdit::textEdited, this, [this] { EditLPTxChange(); });
}

void TransmitterFeature::Retranslate(const LanguageTable& /*texts*/) {
    MenuPort->setText(T("MenuPort.Caption"));
    MenuPort->setToolTip(T("MenuPort.Hint"));
    MenuPort->setStatusTip(T("MenuPort.Hint"));
    PanelPort->RadioGroupCOM->setTitle(T("RadioGroupCOM.Caption"));
    PanelPort->RadioGroupTXDelay->setTitle(T("RadioGroupTXDelay.Caption"));
    PanelPort->GroupBoxPTT->setTitle(T("GroupBoxPTT.Caption"));
    PanelPort->GroupBoxCW->setTitle(T("GroupBoxCW.Caption"));
    PanelPort->CheckBoxPTTDTR->setText(T("CheckBoxDTR.Caption"));
    PanelPort->CheckBoxPTTRTS->setText(T("CheckBoxRTS.Caption"));
    PanelPort->CheckBoxCWDTR->setText(T("CheckBoxDTR.Caption"));
    PanelPort->CheckBoxCWRTS->setText(T("CheckBoxRTS.Caption"));
    PanelPort->RadioGroupLPT->setTitle(T("RadioGroupLPT.Caption"));
    PanelPort->RadioGroupPin->setTitle(T("RadioGroupPin.Caption"));
    for (QCheckBox* box : PanelPort->CheckBoxPin) {
        box->setText(T("CheckBoxPin.Caption"));
    }
    PanelPort->CheckBoxLPTx->setText(T("CheckBoxLPTx.Caption"));
    PanelPort->EditLPTx->setToolTip(T("EditLPTx.Hint"));
    PanelPort->ButtonClosePanelPort->setText(T("ButtonClosePanelPort.Caption"));
}

void TransmitterFeature::ShowLptAddresses() {
    // The table already holds these addresses: filling the boxes enables nothing.
    for (int lpt = 1; lpt <= 3; ++lpt) {
        QLineEdit* box = PanelPort->EditLPT[static_cast<std::size_t>(lpt - 1)];
        const QSignalBlocker quiet(box);
        box->setText(QString::fromStdString(LptAddressBoxText(Config->LptAddress(lpt))));
    }
}

void TransmitterFeature::BeepUnless(bool succeeded) {
    if (!succeeded) {
        Form.Prompts().Beep();
    }
}

// Panel.

void TransmitterFeature::MenuPortClick() {
    Form.OpenSidePanel(PanelPort, true);
    PanelPort->setVisible(true);
    PanelPort->raise();
}

void TransmitterFeature::ButtonClosePanelPortClick() {
    PanelPort->setVisible(false);
    Form.TextBox().Editcaractere->setFocus();
}

// Serial port.

void TransmitterFeature::RadioGroupCOMClick() {
    if (PanelPort->RadioGroupCOM->ItemIndex() <= 0) {
        CloseComStep();
    } else {
        OpenComStep();
    }
}

void TransmitterFeature::CloseComStep() {
    ComName = kNoComName;
    Keyer->CloseComPort();
}

void TransmitterFeature::OpenComStep() {
    if (ComName != kNoComName) {
        Keyer->CloseComPort();
        ComName = kNoComName;
    }
    const int index = PanelPort->RadioGroupCOM->ItemIndex();
    const SerialPortEntry& port = Devices.SerialPorts.at(static_cast<std::size_t>(index - 1));
    ComName = port.Name;
    if (!Keyer->OpenComPort(port.DevicePath).Ok()) {
        ComName = kNoComName;
        Form.Prompts().Warn(T("msg.error-com"));
        PanelPort->RadioGroupCOM->Click(0);
        return;
    }
    if (!Form.Engine().PlayQueue().empty() && Config->PttLineMask() != 0) {
        Keyer->PttOnWithoutDelay();
    }
}

void TransmitterFeature::SelectComFromCommandLine(int portNumber) {
    if (portNumber >= 1 && portNumber < PanelPort->RadioGroupCOM->Count()) {
        PanelPort->RadioGroupCOM->Click(portNumber);
    }
}

void TransmitterFeature::PortLost() {
    Form.Prompts().Warn(T("msg.com-lost").arg(QString::fromStdString(ComName)));
    PanelPort->RadioGroupCOM->Click(0);
}

void TransmitterFeature::RadioGroupTXDelayClick() {
    Keyer->SetTxDelayMs(TxDelayMsForChoice(std::max(0, PanelPort->RadioGroupTXDelay->ItemIndex())));
}

void TransmitterFeature::LineBoxClicked(bool ptt, int lineBit, bool ticked) {
    if (ptt) {
        Config->SetPttLine(lineBit, ticked);
    } else {
        Config->SetCwLine(lineBit, ticked);
    }
    RefreshLineBoxes();
}

void TransmitterFeature::RefreshLineBoxes() {
    PanelPort->CheckBoxPTTDTR->setEnabled(Config->PttBoxEnabled(kDtrBit));
    PanelPort->CheckBoxPTTRTS->setEnabled(Config->PttBoxEnabled(kRtsBit));
    PanelPort->CheckBoxCWDTR->setEnabled(Config->CwBoxEnabled(kDtrBit));
    PanelPort->CheckBoxCWRTS->setEnabled(Config->CwBoxEnabled(kRtsBit));
}

// Parallel port.

void TransmitterFeature::RadioGroupLPTClick() {
    const int choice = std::max(0, PanelPort->RadioGroupLPT->ItemIndex());
    switch (Config->ChooseLpt(choice)) {
        case PortConfiguration::LptChoiceResult::Taken:
            return;
        case PortConfiguration::LptChoiceResult::PinNotWritten:
            Form.Prompts().Beep();
            return;
        case PortConfiguration::LptChoiceResult::DriverMissing:
            Form.Prompts().Beep();
            Form.Prompts().Warn(T("msg.ppdev-not-found"));
            break;
        case PortConfiguration::LptChoiceResult::AddressZero:
            Form.Prompts().Beep();
            break;
    }
    PanelPort->RadioGroupLPT->SetItemIndex(Config->LastLptChoice());
}

void TransmitterFeature::RadioGroupPinClick() {
    BeepUnless(Config->ChoosePin(std::max(0, PanelPort->RadioGroupPin->ItemIndex())));
}

void TransmitterFeature::PinLogicClicked(int pin, bool ticked) {
    BeepUnless(Config->SetNegativeLogic(pin, ticked));
}

void TransmitterFeature::CheckBoxLPTxClick() {
    QCheckBox* box = PanelPort->CheckBoxLPTx;
    if (!box->isChecked()) {
        Config->UntickLptx();
        PanelPort->RadioGroupLPT->setEnabled(true);
        RadioGroupLPTClick();
        return;
    }
    switch (Config->TickLptx(PanelPort->EditLPTx->text().toStdString())) {
        case PortConfiguration::LptxResult::NotFourCharacters:
            Form.Prompts().Warn(T("msg.lptx-four-digits"));
            box->setChecked(false);
            return;
        case PortConfiguration::LptxResult::NotHexadecimal:
            Form.Prompts().Warn(T("msg.lpt-address-error"));
            box->setChecked(false);
            PanelPort->RadioGroupLPT->setEnabled(true);
            RadioGroupLPTClick();
            return;
        case PortConfiguration::LptxResult::Taken:
            break;
    }
    PanelPort->RadioGroupLPT->setEnabled(false);
    if (!ReadingSettings) {
        Form.Prompts().Warn(T("msg.lptx-caution"));
    }
}

void TransmitterFeature::EditLPTxChange() {
    if (PanelPort->CheckBoxLPTx->isChecked()) {
        PanelPort->CheckBoxLPTx->setChecked(false);
        CheckBoxLPTxClick();
    }
    if (!PanelPort->RadioGroupLPT->isEnabled()) {
        PanelPort->RadioGroupLPT->setEnabled(true);
        RadioGroupLPTClick();
    }
}

// Settings and the command line.

void TransmitterFeature::ApplySettings(const SettingsModel& settings) {
    ReadingSettings = true;
    if (settings.ComPort > 0) {
        const std::string wanted = "COM" + std::to_string(settings.ComPort);
        for (std::size_t index = 0; index < Devices.SerialPorts.size(); ++index) {
            if (Devices.SerialPorts[index].Name == wanted) {
                PanelPort->RadioGroupCOM->Click(static_cast<int>(index) + 1);
                break;
            }
        }
    }
    const int ptt = settings.PttLineMask;
    if (ptt == 0 || ptt == 2) {
        PanelPort->CheckBoxPTTDTR->setChecked(false);
        LineBoxClicked(true, kDtrBit, false);
    }
    if (ptt == 0 || ptt == 1) {
        PanelPort->CheckBoxPTTRTS->setChecked(false);
        LineBoxClicked(true, kRtsBit, false);
    }
    // Restored as the file says, as ticking the box would: a hand-edited file may give one line
    // to both.
    for (int lineBit : {kDtrBit, kRtsBit}) {
        QCheckBox* box = lineBit == kDtrBit ? PanelPort->CheckBoxCWDTR : PanelPort->CheckBoxCWRTS;
        if ((settings.CwLineMask & lineBit) != 0) {
            box->setChecked(true);
            LineBoxClicked(false, lineBit, true);
        }
    }
    if (const std::optional<int> delay = TxDelayChoiceForMs(settings.TxDelayMs)) {
        PanelPort->RadioGroupTXDelay->Click(*delay);
    }
    // Pin and logic first, while no parallel port is in use, so nothing is written yet.
    if (settings.LptPin >= 0 && settings.LptPin < 4) {
        PanelPort->RadioGroupPin->SetItemIndex(settings.LptPin);
        Config->ChoosePin(settings.LptPin);
    }
    const int pin = Config->PinChoice();
    PanelPort->CheckBoxPin[static_cast<std::size_t>(pin)]->setChecked(settings.NegativeLogic);
    Config->SetNegativeLogic(pin, settings.NegativeLogic);
    if (Config->RestoreLptChoice(settings.LptPort)) {
        PanelPort->RadioGroupLPT->SetItemIndex(settings.LptPort);
    }
    {
        const QSignalBlocker quiet(PanelPort->EditLPTx);
        PanelPort->EditLPTx->setText(QString::fromStdString(settings.LptxAddressText));
    }
    if (settings.LptxOn) {
        PanelPort->CheckBoxLPTx->setChecked(true);
        PanelPort->RadioGroupLPT->setEnabled(false);
        Config->RestoreLptx(static_cast<std::uint16_t>(settings.LptxAddress));
    }
    ReadingSettings = false;
}

void TransmitterFeature::FinishStartUp(const SettingsModel& settings) {
    const bool pinWritten = Config->FinishStartUp(static_cast<std::uint16_t>(settings.LptAddressOverride));
    ShowLptAddresses();
    BeepUnless(pinWritten);
}

void TransmitterFeature::CollectSettings(SettingsModel& settings) const {
    const int com = PanelPort->RadioGroupCOM->ItemIndex();
    settings.ComPort = 0;
    if (com > 0) {
        settings.ComPort =
            std::atoi(Devices.SerialPorts.at(static_cast<std::size_t>(com - 1)).Name.c_str() + 3);
    }
    settings.PttLineMask = Config->PttLineMask();
    settings.CwLineMask = Config->CwLineMask();
    settings.TxDelayMs = TxDelayMsForChoice(std::max(0, PanelPort->RadioGroupTXDelay->ItemIndex()));
    settings.LptPort = Config->LptChoice();
    settings.LptAddressOverride = Config->LptChoice() != 0 ? Config->LptAddress(Config->LptChoice()) : 0;
    settings.LptxOn = PanelPort->CheckBoxLPTx->isChecked();
    settings.LptxAddressText = PanelPort->EditLPTx->text().toStdString();
    settings.LptxAddress = LptxAddressValue(settings.LptxAddressText).value_or(0);
    settings.LptPin = Config->PinChoice();
    settings.NegativeLogic = Config->NegativeLogic(Config->PinChoice());
}

void TransmitterFeature::Release() {
    if (Released) {
        return;
    }
    Released = true;
    Keyer->StopElementSequencer();
    Keyer->CloseComPort();
    ComName = kNoComName;
    Config->Release();
}

}  // namespace kelvaro
