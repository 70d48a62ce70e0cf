// The information window: the program's name and version, its licence and where it lives.
#include "ui/TFormInfo.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/LanguageTable.h"
#include "ui/TLabelUrl.h"
#include "ui/TableText.h"

namespace kelvaro {

TFormInfo::TFormInfo(QWidget* parent) : QDialog(parent) {
    setObjectName("FormInfo");
    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    QFont title = Label1->font();
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() * 1.6);
    Label1->setFont(title);
    Label1->setAlignment(Qt::AlignCenter);
    LabelVersion = new QLabel(this);
    LabelVersion->setObjectName("LabelVersion");
    LabelVersion->setAlignment(Qt::AlignCenter);
    LabelLicence = new QLabel(this);
    LabelLicence->setObjectName("LabelLicence");
    LabelLicence->setAlignment(Qt::AlignCenter);
    LabelLicence->setWordWrap(true);
    LabelUrl = new TLabelUrl(this);
    LabelUrl->setObjectName("LabelUrl");
    LabelUrl->setAlignment(Qt::AlignCenter);
    BitBtn1 = new QPushButton(this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(LabelVersion);
    layout->addWidget(LabelLicence);
    layout->addWidget(LabelUrl);
    layout->addWidget(BitBtn1, 0, Qt::AlignHCenter);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::hide);
}

void TFormInfo::Retranslate(const LanguageTable& texts) {
    setWindowTitle(TableText(texts, "FormInfo.Caption"));
    LabelVersion->setText(TableText(texts, "LabelVersion.Caption").arg(KELVARO_VERSION));
    LabelLicence->setText(TableText(texts, "LabelLicence.Caption"));
    LabelUrl->SetUrl(TableText(texts, "LabelUrl.Url"));
    BitBtn1->setText(TableText(texts, "BitBtn1.Caption"));
}

}  // namespace kelvaro
