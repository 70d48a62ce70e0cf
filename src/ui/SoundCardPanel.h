// The panel where the user picks the playback and recording devices by name, or leaves the
// choice to the system.
#pragma once

#include <QFrame>
#include <string>
#include <vector>

#include "platform/SoundDeviceList.h"
#include "ui/FormFeature.h"

class QAction;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace kelvaro {

class RandomFeature;
class TForm1;

/// A choice is kept as the device's number (as the settings file has always held it) and its
/// name. The name wins when both are known, so a choice survives a headset plugged in before
/// it; a chosen device that is gone plays on the system's choice until it is back.
class SoundCardPanel final : public QFrame, public FormFeature {
    Q_OBJECT
public:
    SoundCardPanel(TForm1& form, RandomFeature& random);

    void MenuSoundCardClick();
    void BitBtnOKCarteSonClick();

    /// The recording device for the audio decoder: its number (-1: the system's choice) and
    /// name (empty: by number or the system's).
    int InputDeviceId() const { return Chosen.InputId; }
    const std::string& InputDeviceName() const { return Chosen.InputName; }

    // FormFeature
    void ApplySettings(const SettingsModel& settings) override;
    void CollectSettings(SettingsModel& settings) const override;
    void Retranslate(const LanguageTable& texts) override;

    QAction* MenuSoundCard = nullptr;
    QLabel* TitreCarteSon = nullptr;
    QRadioButton* RadioButtonCarteWin = nullptr;
    QRadioButton* RadioButtonCarteMoi = nullptr;
    QLabel* LabelSonIn = nullptr;
    QLabel* LabelSonOut = nullptr;
    QComboBox* ComboBoxChoixIn = nullptr;
    QComboBox* ComboBoxChoixOut = nullptr;
    QPushButton* BitBtnOKCarteSon = nullptr;

private:
    struct Choice {
        bool ByUser = false;
        int InputId = -1;
        int OutputId = -1;
        std::string InputName;
        std::string OutputName;
    };
    /// Where name (or, without a name, number) now sits in devices; -1 when it is not there.
    static int Locate(const std::vector<SoundDevice>& devices, const std::string& name, int id);
    /// Opens the output on the chosen device, or the system's when it is gone.
    void UseOutput(const std::vector<SoundDevice>& outputs, bool reopen);
    QString T(const char* entry) const;

    TForm1& Form;
    RandomFeature& Random;
    Choice Chosen;
    std::vector<SoundDevice> Inputs;
    std::vector<SoundDevice> Outputs;
};

}  // namespace kelvaro
