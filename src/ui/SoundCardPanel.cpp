// The panel where the user picks the playback and recording devices by name, or leaves the
// choice to the system.
#include "ui/SoundCardPanel.h"

#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include "platform/WaveIn.h"
#include "ui/MainMenu.h"
#include "ui/Prompter.h"
#include "ui/RandomFeature.h"
#include "ui/TForm1.h"
#include "ui/TableText.h"
#include "ui/TextPane.h"
#include "ui/TypingEdit.h"

namespace kelvaro {

SoundCardPanel::SoundCardPanel(TForm1& form, RandomFeature& random)
    : QFrame(form.centralWidget()), Form(form), Random(random) {
    setObjectName("PanelCarteSon");
    setFrameShape(QFrame::StyledPanel);
    TitreCarteSon = new QLabel(this);
    TitreCarteSon->setObjectName("TitreCarteSon");
    QFont bold = TitreCarteSon->font();
    bold.setBold(true);
    TitreCarteSon->setFont(bold);
    RadioButtonCarteWin = new QRadioButton(this);
    RadioButtonCarteWin->setObjectName("RadioButtonCarteWin");
    RadioButtonCarteWin->setChecked(true);
    RadioButtonCarteMoi = new QRadioButton(this);
    RadioButtonCarteMoi->setObjectName("RadioButtonCarteMoi");
    auto* choice = new QButtonGroup(this);
    choice->addButton(RadioButtonCarteWin);
    choice->addButton(RadioButtonCarteMoi);
    LabelSonIn = new QLabel(this);
    LabelSonIn->setObjectName("LabelSonIn");
    LabelSonOut = new QLabel(this);
    LabelSonOut->setObjectName("LabelSonOut");
    ComboBoxChoixIn = new QComboBox(this);
    ComboBoxChoixIn->setObjectName("ComboBoxChoixIn");
    ComboBoxChoixOut = new QComboBox(this);
    ComboBoxChoixOut->setObjectName("ComboBoxChoixOut");
    for (QComboBox* list : {ComboBoxChoixIn, ComboBoxChoixOut}) {
        list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        list->setMinimumContentsLength(24);
    }
    BitBtnOKCarteSon = new QPushButton(this);
    BitBtnOKCarteSon->setObjectName("BitBtnOKCarteSon");

    auto* layout = new QGridLayout(this);
    layout->addWidget(TitreCarteSon, 0, 0, 1, 2);
    layout->addWidget(RadioButtonCarteWin, 1, 0, 1, 2);
    layout->addWidget(RadioButtonCarteMoi, 2, 0, 1, 2);
    layout->addWidget(LabelSonIn, 3, 0);
    layout->addWidget(ComboBoxChoixIn, 3, 1);
    layout->addWidget(LabelSonOut, 4, 0);
    layout->addWidget(ComboBoxChoixOut, 4, 1);
    layout->addWidget(BitBtnOKCarteSon, 5, 1, Qt::AlignRight);
    layout->setRowStretch(6, 1);  // the controls stay together at the top of a tall panel
    Form.PlaceSidePanel(this);

    MenuSoundCard = new QAction(Form.Menus().MenuSound);
    MenuSoundCard->setObjectName("MenuSoundCard");
    Form.Menus().MenuSound->addSeparator();
    Form.Menus().MenuSound->addAction(MenuSoundCard);

    connect(MenuSoundCard, &QAction::triggered, this, [this] { MenuSoundCardClick(); });
    connect(BitBtnOKCarteSon, &QPushButton::clicked, this, [this] { BitBtnOKCarteSonClick(); });
    Form.RegisterSidePanel(this, [this] {
        setVisible(false);
        Form.TextBox().Editcaractere->setFocus();
    });
    Form.RegisterFeature(this);
}

QString SoundCardPanel::T(const char* entry) const {
    return TableText(Form.Texts(), entry);
}

int SoundCardPanel::Locate(const std::vector<SoundDevice>& devices, const std::string& name, int id) {
    if (!name.empty()) {
        for (std::size_t i = 0; i < devices.size(); ++i) {
            if (devices[i].Name == name) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    return id >= 0 && id < static_cast<int>(devices.size()) ? id : -1;
}

void SoundCardPanel::UseOutput(const std::vector<SoundDevice>& outputs, bool reopen) {
    // The decoder's input follows the same choice, by the source's name (numbers move when a
    // headset is plugged in).
    if (WaveIn* input = Form.Devices().Input; input != nullptr) {
        input->ChooseDevice(Chosen.ByUser && Chosen.InputId >= 0 ? Chosen.InputName : std::string());
    }
    const int at = Chosen.ByUser ? Locate(outputs, Chosen.OutputName, Chosen.OutputId) : -1;
    if (at >= 0) {
        // Numbered as the system numbers them now, so the file keeps up with replugging.
        Chosen.OutputId = at;
        Chosen.OutputName = outputs[static_cast<std::size_t>(at)].Name;
    }
    Form.SoundOutput().ChooseDevice(at >= 0 ? outputs[static_cast<std::size_t>(at)].Name : std::string());
    Form.SetSoundOutputDevice(at);
    if (reopen) {
        Form.ReopenSoundOutput();
    }
}

void SoundCardPanel::ApplySettings(const SettingsModel& settings) {
    Chosen = {settings.ChosenSoundDevices, settings.InputDeviceId, settings.OutputDeviceId,
              settings.InputDeviceName, settings.OutputDeviceName};
    RadioButtonCarteMoi->setChecked(Chosen.ByUser);
    RadioButtonCarteWin->setChecked(!Chosen.ByUser);
    if (!Chosen.ByUser) {
        return;  // the system's choice: nothing to look up
    }
    const auto devices = Form.CreateSoundDevices();
    const std::vector<SoundDevice> inputs = devices->Inputs();
    if (const int at = Locate(inputs, Chosen.InputName, Chosen.InputId); at >= 0) {
        Chosen.InputId = at;
        Chosen.InputName = inputs[static_cast<std::size_t>(at)].Name;
    }
    UseOutput(devices->Outputs(), false);
}

void SoundCardPanel::CollectSettings(SettingsModel& settings) const {
    settings.ChosenSoundDevices = Chosen.ByUser;
    settings.InputDeviceId = Chosen.InputId;
    settings.OutputDeviceId = Chosen.OutputId;
    settings.InputDeviceName = Chosen.ByUser ? Chosen.InputName : std::string();
    settings.OutputDeviceName = Chosen.ByUser ? Chosen.OutputName : std::string();
}

void SoundCardPanel::MenuSoundCardClick() {
    PlayEngine& engine = Form.Engine();
    if (!engine.BufferIdle() || !engine.PlayQueue().empty() || Random.Series().Running()) {
        Form.Prompts().Warn(T("msg.stop-before-sound-card"));
        return;
    }
    Form.OpenSidePanel(this);
    const auto devices = Form.CreateSoundDevices();
    Inputs = devices->Inputs();
    Outputs = devices->Outputs();
    auto fill = [this](QComboBox* list, const std::vector<SoundDevice>& entries, int at) {
        list->clear();
        for (const SoundDevice& device : entries) {
            list->addItem(QString::fromStdString(device.Label));
        }
        list->setCurrentIndex(RadioButtonCarteMoi->isChecked() ? at : -1);
    };
    fill(ComboBoxChoixIn, Inputs, Locate(Inputs, Chosen.InputName, Chosen.InputId));
    fill(ComboBoxChoixOut, Outputs, Locate(Outputs, Chosen.OutputName, Chosen.OutputId));
    setVisible(true);
    BitBtnOKCarteSon->setFocus();
}

void SoundCardPanel::BitBtnOKCarteSonClick() {
    const int in = ComboBoxChoixIn->currentIndex();
    const int out = ComboBoxChoixOut->currentIndex();
    if (RadioButtonCarteMoi->isChecked() && (in < 0 || out < 0)) {
        Form.Prompts().Beep();
        return;
    }
    setVisible(false);
    Form.TextBox().Editcaractere->setFocus();
    if (RadioButtonCarteMoi->isChecked()) {
        const std::string& inName = Inputs[static_cast<std::size_t>(in)].Name;
        const std::string& outName = Outputs[static_cast<std::size_t>(out)].Name;
        if (Chosen.ByUser && in == Chosen.InputId && out == Chosen.OutputId && inName == Chosen.InputName &&
            outName == Chosen.OutputName) {
            return;  // the devices in use: nothing is reopened
        }
        Chosen = {true, in, out, inName, outName};
        UseOutput(Outputs, true);
        return;
    }
    if (!Chosen.ByUser && Chosen.InputId == -1 && Chosen.OutputId == -1) {
        return;  // the system's choice is already in force
    }
    Chosen = {};
    UseOutput(Outputs, true);
}

void SoundCardPanel::Retranslate(const LanguageTable&) {
    MenuSoundCard->setText(T("MenuSoundCard.Caption"));
    TitreCarteSon->setText(T("TitreCarteSon.Caption"));
    RadioButtonCarteWin->setText(T("RadioButtonCarteWin.Caption"));
    RadioButtonCarteMoi->setText(T("RadioButtonCarteMoi.Caption"));
    LabelSonIn->setText(T("LabelSonIn.Caption"));
    LabelSonOut->setText(T("LabelSonOut.Caption"));
    BitBtnOKCarteSon->setText(T("BitBtnOKCarteSon.Caption"));
}

}  // namespace kelvaro
