// The transmitter in the window: the PORT panel, the "On air" LED, PTT and CW keying.
#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "transmitter/PortConfiguration.h"
#include "transmitter/TransmitterKeyer.h"
#include "ui/FormFeature.h"
#include "ui/TransmitterDevices.h"

class QAction;

namespace kelvaro {

class PortPanel;
class QtDispatcher;
class TForm1;

/// Owns the transmitter's devices, the keyer and the panel's rules; turns their results into
/// the panel's boxes, beeps and messages. Window thread only (the keyer's timer thread stays
/// inside the keyer).
class TransmitterFeature final : public QObject, public FormFeature, public PushToTalk {
    Q_OBJECT
public:
    TransmitterFeature(TForm1& form, TransmitterDevices devices);
    ~TransmitterFeature() override;

    // FormFeature
    void ApplySettings(const SettingsModel& settings) override;
    void FinishStartUp(const SettingsModel& settings) override;
    void CollectSettings(SettingsModel& settings) const override;
    void Retranslate(const LanguageTable& texts) override;

    // PushToTalk
    bool PttOn() override { return Keyer->PttOn(); }
    void PttOff() override { Keyer->PttOff(); }
    void PttOffAfterKeying() override { Keyer->PttOffAfterKeying(); }
    bool TxDelayRunning() const override { return Keyer->TxDelayRunning(); }

    /// "/COM1" .. "/COM9": selects the port at that list position and opens it.
    void SelectComFromCommandLine(int portNumber);
    /// Quit: serial lines down and port closed, pin at rest, parallel port released.
    void Release();

    // Handlers of the panel.
    void MenuPortClick();
    void ButtonClosePanelPortClick();
    void RadioGroupCOMClick();
    void RadioGroupTXDelayClick();
    void RadioGroupLPTClick();
    void RadioGroupPinClick();
    void CheckBoxLPTxClick();
    void EditLPTxChange();

    PortPanel* Panel() const { return PanelPort; }
    TransmitterKeyer& Keying() { return *Keyer; }
    PortConfiguration& Configuration() { return *Config; }
    QAction* MenuPort = nullptr;

private:
    QString T(const char* entry) const;
    void ConnectControls();
    void LineBoxClicked(bool ptt, int lineBit, bool ticked);
    void RefreshLineBoxes();
    void PinLogicClicked(int pin, bool ticked);
    void CloseComStep();
    void OpenComStep();
    void ShowLptAddresses();
    void BeepUnless(bool succeeded);
    void PortLost();

    TForm1& Form;
    TransmitterDevices Devices;
    std::unique_ptr<WindowTimer> TimerTXDelay;
    QtDispatcher* WindowThread = nullptr;
    std::unique_ptr<TransmitterKeyer> Keyer;
    std::unique_ptr<PortConfiguration> Config;
    PortPanel* PanelPort = nullptr;
    /// The name of the open serial port, four blanks when none is open.
    std::string ComName = "    ";
    bool ReadingSettings = false;
    bool Released = false;
};

}  // namespace kelvaro
