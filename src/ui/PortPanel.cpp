// The "PORT" side panel: serial port, PTT and CW lines, TX delay, LPT port, pin and logic.
#include "ui/PortPanel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/FieldWidth.h"
#include "ui/RadioGroupBox.h"

namespace kelvaro {

namespace {

QCheckBox* NamedCheckBox(const char* name, QWidget* parent) {
    auto* box = new QCheckBox(parent);
    box->setObjectName(name);
    return box;
}

/// A push button as narrow as its caption: the close cross of the panel.
class SmallButton final : public QPushButton {
public:
    using QPushButton::QPushButton;
    QSize sizeHint() const override {
        const QSize usual = QPushButton::sizeHint();
        const int margin = style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, this) +
                           2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
        const int width = fontMetrics().size(Qt::TextShowMnemonic, text()).width() + 2 * margin;
        return {std::min(usual.width(), std::max(width, usual.height())), usual.height()};
    }
    QSize minimumSizeHint() const override { return sizeHint(); }
};

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

    // Each LPT address beside its port (item 0 is NONE), each logic box beside its pin.
    RadioGroupLPT = new RadioGroupBox("RadioGroupLPT", this);
    for (std::size_t lpt = 0; lpt < EditLPT.size(); ++lpt) {
        EditLPT[lpt] = new QLineEdit(this);
        EditLPT[lpt]->setObjectName(QString("EditLPT%1").arg(lpt + 1));
        EditLPT[lpt]->setReadOnly(true);
        WidenFieldWithText(EditLPT[lpt]);
        RadioGroupLPT->SetBeside(static_cast<int>(lpt) + 1, EditLPT[lpt]);
    }
    RadioGroupPin = new RadioGroupBox("RadioGroupPin", this);
    const std::array<const char*, 4> pinNames = {"CheckBoxPin1", "CheckBoxPin14", "CheckBoxPin16",
                                                 "CheckBoxPin17"};
    for (std::size_t pin = 0; pin < CheckBoxPin.size(); ++pin) {
        CheckBoxPin[pin] = NamedCheckBox(pinNames[pin], this);
        RadioGroupPin->SetBeside(static_cast<int>(pin), CheckBoxPin[pin]);
    }

    CheckBoxLPTx = NamedCheckBox("CheckBoxLPTx", this);
    EditLPTx = new QLineEdit(this);
    EditLPTx->setObjectName("EditLPTx");
    EditLPTx->setMaxLength(4);
    SizeFieldFor(EditLPTx, "DDDD ");
    LabelLPTxUnit = new QLabel("h", this);
    LabelLPTxUnit->setObjectName("LabelLPTxUnit");

    ButtonClosePanelPort = new SmallButton(this);
    ButtonClosePanelPort->setObjectName("ButtonClosePanelPort");

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->addWidget(RadioGroupCOM, 0, 0, 3, 1);
    grid->addWidget(GroupBoxPTT, 0, 1);
    grid->addWidget(GroupBoxCW, 1, 1);
    grid->addWidget(RadioGroupTXDelay, 2, 1);
    grid->addWidget(RadioGroupLPT, 3, 0);
    grid->addWidget(RadioGroupPin, 3, 1);
    auto* lptxRow = new QHBoxLayout;
    lptxRow->addWidget(CheckBoxLPTx);
    lptxRow->addWidget(EditLPTx);
    lptxRow->addWidget(LabelLPTxUnit);
    lptxRow->addStretch(1);
    lptxRow->addWidget(ButtonClosePanelPort);
    grid->addLayout(lptxRow, 4, 0, 1, 2);
    grid->setRowStretch(2, 1);
    setVisible(false);
}

}  // namespace kelvaro
