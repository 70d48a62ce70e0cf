// The information window: the program's name and version, its licence and where it lives.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace kelvaro {

class LanguageTable;
class TLabelUrl;

class TFormInfo final : public QDialog {
    Q_OBJECT
public:
    explicit TFormInfo(QWidget* parent);

    void Retranslate(const LanguageTable& texts);

    QLabel* Label1 = nullptr;
    QLabel* LabelVersion = nullptr;
    QLabel* LabelLicence = nullptr;
    TLabelUrl* LabelUrl = nullptr;
    QPushButton* BitBtn1 = nullptr;
};

}  // namespace kelvaro
