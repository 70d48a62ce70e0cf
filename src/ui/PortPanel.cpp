// The "PORT" side panel: serial port, PTT and CW lines, TX delay, LPT port, pin and logic.
#include "ui/PortPanel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/RadioGroupBox.h"

namespace kelvaro {

namespace {

QCheckBox* NamedCheckBox(const char* name, QWidget* parent) {
    auto* box = new QCheckBox(parent);
    box->setObjectName(name);
    return box;
}

}  // namespace

PortPanel::PortPanel(QWidget* parent) : QFrame(parent) {
    setObjectName("PanelPort");
    setFrameShape(QFrame::StyledPanel);

    RadioGroupCOM = new RadioGroupBox("RadioGroupCOM", this);
    RadioGroupTXDelay = new RadioGroupBox("RadioGroupTXDelay", this);

    GroupBoxPTT = new QGroupBox(this);
    GroupBoxPTT->setObjectName("GroupBoxPTT");
    CheckBoxPTTDTR = NamedCheckBox("CheckBoxPTTDTR", GroupBoxPTT);
    CheckBoxPTTRTS = NamedCheckBox("CheckBoxPTTRTS", GroupBoxPTT);
    auto* pttLayout = new QVBoxLayout(GroupBoxPTT);
    pttLayout->addWidget(CheckBoxPTTDTR);
    pttLayout->addWidget(CheckBoxPTTRTS);

    GroupBoxCW = new QGroupBox(this);
    GroupBoxCW->setObjectName("GroupBoxCW");
    CheckBoxCWDTR = NamedCheckBox("CheckBoxCWDTR", GroupBoxCW);
    CheckBoxCWRTS = NamedCheckBox("CheckBoxCWRTS", GroupBoxCW);
    auto* cwLayout = new QVBoxLayout(GroupBoxCW);
    cwLayout->addWidget(CheckBoxCWDTR);
    cwLayout->addWidget(CheckBoxCWRTS);

    RadioGroupLPT = new RadioGroupBox("RadioGroupLPT", this);
    auto* addressColumn = new QVBoxLayout;
    addressColumn->addStretch(1);
    for (std::size_t lpt = 0; lpt < EditLPT.size(); ++lpt) {
        EditLPT[lpt] = new QLineEdit(this);
        EditLPT[lpt]->setObjectName(QString("EditLPT%1").arg(lpt + 1));
        EditLPT[lpt]->setReadOnly(true);
        EditLPT[lpt]->setMaximumWidth(70);
        addressColumn->addWidget(EditLPT[lpt]);
    }

    RadioGroupPin = new RadioGroupBox("RadioGroupPin", this);
    auto* logicColumn = new QVBoxLayout;
    logicColumn->addStretch(1);
    const std::array<const char*, 4> pinNames = {"CheckBoxPin1", "CheckBoxPin14", "CheckBoxPin16",
                                                 "CheckBoxPin17"};
    for (std::size_t pin = 0; pin < CheckBoxPin.size(); ++pin) {
        CheckBoxPin[pin] = NamedCheckBox(pinNames[pin], this);
        logicColumn->addWidget(CheckBoxPin[pin]);
    }

    CheckBoxLPTx = NamedCheckBox("CheckBoxLPTx", this);
    EditLPTx = new QLineEdit(this);
    EditLPTx->setObjectName("EditLPTx");
    EditLPTx->setMaxLength(4);
    EditLPTx->setMaximumWidth(60);
    LabelLPTxUnit = new QLabel("h", this);
    LabelLPTxUnit->setObjectName("LabelLPTxUnit");

    ButtonClosePanelPort = new QPushButton(this);
    ButtonClosePanelPort->setObjectName("ButtonClosePanelPort");
    ButtonClosePanelPort->setMaximumWidth(28);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->addWidget(RadioGroupCOM, 0, 0, 3, 1);
    grid->addWidget(GroupBoxPTT, 0, 1);
    grid->addWidget(GroupBoxCW, 1, 1);
    grid->addWidget(RadioGroupTXDelay, 2, 1);
    auto* lptRow = new QHBoxLayout;
    lptRow->addWidget(RadioGroupLPT);
    lptRow->addLayout(addressColumn);
    lptRow->addWidget(RadioGroupPin);
    lptRow->addLayout(logicColumn);
    grid->addLayout(lptRow, 3, 0, 1, 2);
    auto* lptxRow = new QHBoxLayout;
    lptxRow->addWidget(CheckBoxLPTx);
    lptxRow->addWidget(EditLPTx);
    lptxRow->addWidget(LabelLPTxUnit);
    lptxRow->addStretch(1);
    lptxRow->addWidget(ButtonClosePanelPort);
    grid->addLayout(lptxRow, 4, 0, 1, 2);
    setVisible(false);
}

}  // namespace kelvaro
