// The side panel that sets the extra spacing between characters.
#include "ui/SpacingPanel.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>

#include "core/SpeedSettings.h"

namespace kelvaro {

SpacingPanel::SpacingPanel(QWidget* parent) : QFrame(parent) {
    setObjectName("PanelEspace");
    setFrameShape(QFrame::StyledPanel);
    LabelPanelEspace = new QLabel(this);
    LabelPanelEspace->setObjectName("LabelPanelEspace");
    LabelPanelEspace->setWordWrap(true);
    QFont bold = LabelPanelEspace->font();
    bold.setBold(true);
    LabelPanelEspace->setFont(bold);

    SpinEditEspace = new QSpinBox(this);
    SpinEditEspace->setObjectName("SpinEditEspace");
    SpinEditEspace->setRange(kMinSpacing, kMaxSpacing);
    SpinEditEspace->findChild<QLineEdit*>()->setReadOnly(true);
    LabelNombreEspace = new QLabel(this);
    LabelNombreEspace->setObjectName("LabelNombreEspace");
    LabelNombreEspace->setWordWrap(true);
    BitBtnOKEspace = new QPushButton(this);
    BitBtnOKEspace->setObjectName("BitBtnOKEspace");
    BitBtnOKEspace->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LabelPanelEspace);
    layout->addWidget(LabelNombreEspace);
    layout->addWidget(SpinEditEspace);
    layout->addStretch(1);
    layout->addWidget(BitBtnOKEspace);
    setVisible(false);
}

}  // namespace kelvaro
